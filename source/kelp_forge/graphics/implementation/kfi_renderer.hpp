#ifndef KELP_FORGE_GRAPHICS_IMPLEMENTATION_RENDERER_HPP
#define KELP_FORGE_GRAPHICS_IMPLEMENTATION_RENDERER_HPP

// The one place that draws with OpenGL: a small immediate-mode interface (a matrix stack, a
// per-frame projection, lists of vertices drawn as one primitive) over two paths chosen once per
// context:
//   - the shader path (OpenGL 3.2, or OpenGL ES 2.0 with GLSL 1.00): one program (with a faster
//     twin for sprite mode that draws the same pixels), the renderer's own matrix stack;
//   - the legacy path (no shader support): fixed-function drawing, OpenGL's own matrix stack and
//     an alpha test.
//
// All state is process-wide and every function must be called on the thread whose OpenGL context
// is current. Coordinates are window pixels, origin top-left, y downwards; angles are degrees,
// positive turning clockwise on screen. Every matrix operation multiplies onto the right of the
// current model-view matrix, so the last operation applies first to the vertices.
//
// Textures are not bound here: the caller binds the texture it wants to unit 0 before drawing.

#include "kelp_forge/math/kf_matrix.hpp"
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

// The window layer sets both switches after creating the context and before InitializeRenderer;
// they must not change while the context lives.
void SetLegacyOpenGL(bool isLegacy);
[[nodiscard]] bool IsLegacyOpenGL();
// True for an OpenGL ES 2.0 context: selects the "#version 100" shaders.
void SetGLSL100(bool isGLSL100);
[[nodiscard]] bool IsGLSL100();

// Builds the shader program (shader path) and marks the renderer ready. The context must be
// current. A shader that does not compile or link is reported, and the renderer still becomes
// ready with whatever was built.
void InitializeRenderer();
// Releases what InitializeRenderer built; call while the context still exists.
void CleanupRenderer();
// Whether frames may be drawn (between InitializeRenderer and CleanupRenderer).
[[nodiscard]] bool IsRendererReady();

// Bracket a frame's drawing. BeginDraw sets the projection from the current viewport, resets the
// model-view matrix to the identity and sets depth test (GL_LEQUAL), premultiplied blending and
// back-face culling of counter-clockwise (on screen) triangles. EndDraw undoes the legacy path's
// extra state; the rest stays set after the frame.
void BeginDraw();
void EndDraw();

void SetProjectionMatrix(const KelpForge::Math::Matrix4& projection);
void SetModelViewMatrix(const KelpForge::Math::Matrix4& modelView);

// Save and restore the model-view matrix. Every push must be matched by a pop within the frame;
// a pop without a push is reported on the shader path and left to OpenGL on the legacy path.
void PushMatrix();
void PopMatrix();

void Translate(float x, float y, float z);
void Rotate(float degrees, float x, float y, float z);
void Scale(float x, float y, float z);

// false: texture colour is used as it is (sprites). true: the texture's coverage channel becomes
// alpha of a white colour (text). No effect on the legacy path.
void SetColorMatrixForText(bool forText);

// Draws count vertices (read during the call only) with the bound texture; nothing when count is 0.
void RenderPrimitive(PrimitiveType type, const Vertex* vertices, unsigned int count);
// Draws one textured, tinted rectangle as a clockwise triangle strip.
void RenderQuad(const KelpForge::Math::Vector2& topLeft, const KelpForge::Math::Vector2& bottomRight,
                std::uint32_t colorABGR, float uLeft, float vTop, float uRight, float vBottom);

} // namespace kfImplementation::Renderer

#endif
