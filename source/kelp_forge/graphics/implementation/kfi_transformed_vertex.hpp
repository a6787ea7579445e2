#ifndef KELP_FORGE_GRAPHICS_IMPLEMENTATION_TRANSFORMED_VERTEX_HPP
#define KELP_FORGE_GRAPHICS_IMPLEMENTATION_TRANSFORMED_VERTEX_HPP

// Vertices the sprite twin of the shader program draws: already floored to whole pixels and
// carried through the model-view matrix on the processor, so that the program only needs the
// projection, which stays the same for a whole frame. Changing a uniform between draws is what a
// transformed sprite costs most on software rasterisers; this way a frame of sprites changes none.

#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"
#include "kelp_forge/graphics/implementation/kfi_vertex_stream.hpp"
#include "kelp_forge/math/kf_matrix.hpp"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kfImplementation::Renderer
{

struct TransformedVertex
{
    float x;
    float y;
    float z;
    float w;
    std::uint32_t colorABGR;
    float u;
    float v;
};

inline constexpr VertexLayout kTransformedVertexLayout = {
    sizeof(TransformedVertex), 4, offsetof(TransformedVertex, x), offsetof(TransformedVertex, colorABGR),
    offsetof(TransformedVertex, u)};

// Replaces transformed with modelView * (floor(x), floor(y), 0, 1) of each vertex, colour and
// texture coordinate unchanged: the position the general program hands to its projection.
void TransformVertices(const Vertex* vertices, unsigned int count, const KelpForge::Math::Matrix4& modelView,
                       std::vector<TransformedVertex>& transformed);

} // namespace kfImplementation::Renderer

#endif
