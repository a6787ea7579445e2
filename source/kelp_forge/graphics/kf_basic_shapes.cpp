#include "kelp_forge/graphics/kf_basic_shapes.hpp"

#include "kelp_forge/core/kf_defines.hpp"
#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/graphics/kf_renderer.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace KelpForge::Graphics
{
namespace
{

using kfImplementation::Renderer::PrimitiveType;

constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kFullTurn = 6.2831855f;

PixelSpace BoundsSide(float minimum, float maximum)
{
    if (maximum < minimum)
    {
        return 0; // no vertices
    }
    return Core::RangedCast<PixelSpace>(std::trunc(maximum - minimum));
}

} // namespace

PolygonShape::PolygonShape(PrimitiveType primitiveType)
    : mPolygonContainer{{}, primitiveType}, mBoundsMinimum(kInfinity, kInfinity),
      mBoundsMaximum(-kInfinity, -kInfinity)
{
}

PolygonShape::PolygonShape(const PolygonShape& other) = default;
PolygonShape& PolygonShape::operator=(const PolygonShape& other) = default;
PolygonShape::~PolygonShape() = default;

void PolygonShape::SetColor(const Color& color)
{
    const std::uint32_t colorABGR = color.GetColorABGR();
    for (Vertex& vertex : mPolygonContainer.vertices)
    {
        vertex.colorABGR = colorABGR;
    }
    Graphic::SetColor(color);
}

PixelSpace PolygonShape::GetPixelWidth() const
{
    return BoundsSide(mBoundsMinimum.x, mBoundsMaximum.x);
}

PixelSpace PolygonShape::GetPixelHeight() const
{
    return BoundsSide(mBoundsMinimum.y, mBoundsMaximum.y);
}

void PolygonShape::ClearVertices()
{
    mPolygonContainer.vertices.clear();
    mBoundsMinimum = Math::Vector2(kInfinity, kInfinity);
    mBoundsMaximum = Math::Vector2(-kInfinity, -kInfinity);
}

void PolygonShape::AddVertex(const Math::Vector2& position)
{
    mPolygonContainer.vertices.push_back(
        Vertex{position.x, position.y, GetColor().GetColorABGR(), 0.0f, 0.0f});
    mBoundsMinimum =
        Math::Vector2(std::min(mBoundsMinimum.x, position.x), std::min(mBoundsMinimum.y, position.y));
    mBoundsMaximum =
        Math::Vector2(std::max(mBoundsMaximum.x, position.x), std::max(mBoundsMaximum.y, position.y));
}

bool PolygonShape::IsVertexCountDrawable() const
{
    const std::size_t count = mPolygonContainer.vertices.size();
    switch (mPolygonContainer.primitiveType)
    {
    case PrimitiveType::kTriangles:
        kf_error_if(count < 3, "kfExternalError: Expected at least 3 vertices to be added to a "
                               "PolygonContainer with type Triangles");
        kf_error_if(count % 3 != 0, "kfExternalError: Expected at least vertices to contain a multiple of "
                                    "3 for a PolygonContainer with type Triangles");
        return count >= 3 && count % 3 == 0;
    case PrimitiveType::kTriangleStrip:
        kf_error_if(count < 3,
                    "kfExternalError: Expected at least 3 vertices to be added to a PolygonContainer with "
                    "type TriangleStrip");
        return count >= 3;
    case PrimitiveType::kTriangleFan:
        kf_error_if(count < 3,
                    "kfExternalError: Expected at least 3 vertices to be added to a PolygonContainer with "
                    "type TriangleFan");
        return count >= 3;
    case PrimitiveType::kLines:
        kf_error_if(count < 2, "kfExternalError: Expected at least 2 vertices to be added to a "
                               "PolygonContainer with type Lines");
        return count >= 2;
    case PrimitiveType::kLineStrip:
        kf_error_if(count < 2,
                    "kfExternalError: Expected at least 2 vertices to be added to a PolygonContainer with "
                    "type LineStrip");
        return count >= 2;
    case PrimitiveType::kLineLoop:
        kf_error_if(count < 3,
                    "kfExternalError: Expected at least 3 vertices to be added to a PolygonContainer with "
                    "type LineLoop");
        return count >= 3;
    }
    return false;
}

void PolygonShape::OnRender()
{
    const std::vector<Vertex>& vertices = mPolygonContainer.vertices;
    if (vertices.empty() || !IsVertexCountDrawable())
    {
        return;
    }
    // White texels pass the vertex colour through the texture stage unchanged, where a texture is
    // read at all.
    theTextureManager.BindTexture(theTextureManager.GetBlankTexture());
    kfImplementation::Renderer::RenderUntexturedPrimitive(mPolygonContainer.primitiveType, vertices.data(),
                                                          static_cast<unsigned int>(vertices.size()));
}

BoxShape::BoxShape(float width, float height, const Color& color, const Math::Vector2& position)
    : PolygonShape(PrimitiveType::kTriangleStrip)
{
    SetPosition(position);
    SetColor(color);
    AddVertex(Math::Vector2(0.0f, height));
    AddVertex(Math::Vector2(0.0f, 0.0f));
    AddVertex(Math::Vector2(width, height));
    AddVertex(Math::Vector2(width, 0.0f));
}

CircleShape::CircleShape(float radius, const Color& color, const Math::Vector2& position, int segments)
    : PolygonShape(PrimitiveType::kTriangleFan)
{
    SetPosition(position);
    SetColor(color);
    const Math::Vector2 centre(radius, radius);
    AddVertex(centre);
    for (int index = 0; index <= segments; ++index)
    {
        // With no segments the one rim point stands at angle 0 rather than at 0 / 0.
        const float angle =
            segments > 0 ? static_cast<float>(index) / static_cast<float>(segments) * kFullTurn : 0.0f;
        AddVertex(centre + Math::Vector2(std::cos(angle), std::sin(angle)) * radius);
    }
}

} // namespace KelpForge::Graphics
