#ifndef KELP_FORGE_GRAPHICS_RENDERER_HPP
#define KELP_FORGE_GRAPHICS_RENDERER_HPP

// The drawing calls a game may make itself, beside sprites, shapes and text: a draw pass
// (BeginDraw, Clear, EndDraw), the model-view matrix stack and lists of vertices drawn as one
// primitive. The framework draws its scenes through the very same calls.
//
// All state is process-wide and every function must be called on the thread whose OpenGL context
// is current, and only while the renderer is ready (the window is open). Coordinates are window
// pixels, origin top-left, y downwards; angles are degrees, positive turning clockwise on screen.
// Every matrix operation multiplies onto the right of the current model-view matrix, so the last
// operation applies first to the vertices.
//
// Textures are not bound here: bind the texture to draw with theTextureManager.BindTexture (or a
// white one, its blank texture, for plain colours) before drawing.

#include "kelp_forge/graphics/kf_color.hpp"
#include "kelp_forge/math/kf_vector2.hpp"

#include <bit>
#include <cstdint>

namespace kfImplementation::Renderer
{

// The unit of every draw call, tightly packed in arrays (20 bytes).
struct Vertex
{
    float x; // pixels
    float y; // pixels
    // Packed 0xAABBGGRR, which lies in memory as the bytes red, green, blue, alpha.
    std::uint32_t colorABGR;
    float u;
    float v;
};
static_assert(sizeof(Vertex) == 20, "vertices are uploaded as tightly packed 20-byte records");
static_assert(std::endian::native == std::endian::little, "Vertex::colorABGR must lie in memory as RGBA");

enum class PrimitiveType : unsigned int
{
    kTriangles = 0,
    kTriangleStrip = 1,
    kTriangleFan = 2,
    kLines = 3,
    kLineStrip = 4,
    kLineLoop = 5,
};

// Whether frames may be drawn: from the window's context creation to its destruction.
[[nodiscard]] bool IsRendererReady();

// Bracket a pass of drawing into the window or a bound render target. BeginDraw sets the
// projection from the current viewport, resets the model-view matrix to the identity and sets
// depth test (less or equal), premultiplied blending and back-face culling of counter-clockwise
// (on screen) triangles. EndDraw undoes the legacy path's extra state; the rest stays set.
void BeginDraw();
void EndDraw();

// Fills the whole drawing surface (window or bound render target) with color and resets its depth
// to the far plane, whatever the viewport.
void Clear(const KelpForge::Graphics::Color& color);

// Save and restore the model-view matrix. Every push must be matched by a pop within the pass;
// a pop without a push is reported on the shader path and left to OpenGL on the legacy path.
void PushMatrix();
void PopMatrix();

void Translate(float x, float y, float z);
void Rotate(float degrees, float x, float y, float z);
void Scale(float x, float y, float z);

// Draws count vertices (read during the call only) with the bound texture; nothing when count is 0.
void RenderPrimitive(PrimitiveType type, const Vertex* vertices, unsigned int count);
// The same for plain colours, with theTextureManager's blank texture bound: the same pixels as
// RenderPrimitive, without reading the texture for every pixel where the renderer's own program
// draws (a program of the game's own still gets the blank texture).
void RenderUntexturedPrimitive(PrimitiveType type, const Vertex* vertices, unsigned int count);
// Draws one textured, tinted rectangle as a clockwise triangle strip.
void RenderQuad(const KelpForge::Math::Vector2& topLeft, const KelpForge::Math::Vector2& bottomRight,
                std::uint32_t colorABGR, float uLeft, float vTop, float uRight, float vBottom);

} // namespace kfImplementation::Renderer

#endif
