#include "kelp_forge/graphics/implementation/kfi_transformed_vertex.hpp"

#include <cmath>

namespace kfImplementation::Renderer
{

void TransformVertices(const Vertex* vertices, unsigned int count, const KelpForge::Math::Matrix4& modelView,
                       std::vector<TransformedVertex>& transformed)
{
    transformed.resize(count);
    const auto row = [&modelView](unsigned int index, float x, float y)
    { return modelView.At(index, 0) * x + modelView.At(index, 1) * y + modelView.At(index, 3); };
    for (unsigned int index = 0; index < count; ++index)
    {
        const Vertex& vertex = vertices[index];
        const float x = std::floor(vertex.x);
        const float y = std::floor(vertex.y);
        transformed[index] = {row(0, x, y),     row(1, x, y), row(2, x, y), row(3, x, y),
                              vertex.colorABGR, vertex.u,     vertex.v};
    }
}

} // namespace kfImplementation::Renderer
