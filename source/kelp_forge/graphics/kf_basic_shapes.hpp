#ifndef KELP_FORGE_GRAPHICS_BASIC_SHAPES_HPP
#define KELP_FORGE_GRAPHICS_BASIC_SHAPES_HPP

#include "kelp_forge/graphics/kf_graphic.hpp"
#include "kelp_forge/graphics/kf_renderer.hpp"
#include "kelp_forge/math/kf_vector2.hpp"

#include <vector>

namespace KelpForge::Graphics
{

// The vertices of a polygon in draw order, with the primitive type that draws them.
struct PolygonContainer
{
    std::vector<kfImplementation::Renderer::Vertex> vertices;
    kfImplementation::Renderer::PrimitiveType primitiveType;
};

// An untextured polygon in the shape's colour, drawn as one primitive of the renderer's
// PrimitiveType (see kf_renderer.hpp). Vertices are in the shape's own pixels and keep the order
// they were added in; every vertex carries the shape's colour and the texture coordinate (0, 0).
//
// The vertex count is checked when the shape is drawn, not when vertices are added: too few for
// the primitive type (3 for triangles, strips, fans and line loops, 2 for lines and line strips)
// or, for kTriangles, a count that is not a multiple of 3 is reported and the shape not drawn.
// A shape without vertices draws nothing. Drawing binds the texture manager's blank texture.
class PolygonShape : public Graphic
{
public:
    using Vertex = kfImplementation::Renderer::Vertex;
    using PrimitiveType = kfImplementation::Renderer::PrimitiveType;

    explicit PolygonShape(PrimitiveType primitiveType);
    PolygonShape(const PolygonShape& other);
    PolygonShape& operator=(const PolygonShape& other);
    ~PolygonShape() override;

    // Recolours every vertex, then stores the colour.
    void SetColor(const Color& color) override;
    // The width and height of the box around the vertices, truncated; 0 without vertices.
    [[nodiscard]] PixelSpace GetPixelWidth() const override;
    [[nodiscard]] PixelSpace GetPixelHeight() const override;

    virtual void ClearVertices();
    // Appends a vertex at position (pixels) in the current colour and widens the box.
    virtual void AddVertex(const Math::Vector2& position);

    [[nodiscard]] const PolygonContainer& GetPolygonContainer() const { return mPolygonContainer; }
    [[nodiscard]] const std::vector<Vertex>& GetVertices() const { return mPolygonContainer.vertices; }
    [[nodiscard]] PrimitiveType GetPrimitiveType() const { return mPolygonContainer.primitiveType; }

protected:
    void OnRender() override;

private:
    [[nodiscard]] bool IsVertexCountDrawable() const;

    PolygonContainer mPolygonContainer;
    Math::Vector2 mBoundsMinimum;
    Math::Vector2 mBoundsMaximum;
};

// A filled width x height rectangle from (0, 0) in its own pixels, placed at position: a
// triangle strip through (0, height), (0, 0), (width, height), (width, 0), laid out and wound
// like the renderer's quad.
class BoxShape : public PolygonShape
{
public:
    BoxShape(float width, float height, const Color& color, const Math::Vector2& position);
};

// A filled disc of radius centred on (radius, radius) in its own pixels, placed at position: a
// triangle fan of the centre and segments + 1 rim points from angle 0 round to a full turn, so
// the first and last rim points coincide. A negative segment count gives no rim points and 0
// gives one, at angle 0; both are refused when drawn.
class CircleShape : public PolygonShape
{
public:
    CircleShape(float radius, const Color& color, const Math::Vector2& position, int segments);
};

} // namespace KelpForge::Graphics

#endif
