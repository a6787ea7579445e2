#ifndef KELP_FORGE_GRAPHICS_IMPLEMENTATION_RENDERER_HPP
#define KELP_FORGE_GRAPHICS_IMPLEMENTATION_RENDERER_HPP

// The one place that draws with OpenGL: a small immediate-mode interface (a matrix stack, a
// per-frame projection, lists of vertices drawn as one primitive) over two paths chosen once per
// context:
//   - the shader path (OpenGL 3.2, or OpenGL ES 2.0 with GLSL 1.00): one program (with a faster
//     twin for sprite mode that draws the same pixels), the renderer's own matrix stack;
//   - the legacy path (no shader support): fixed-function drawing, OpenGL's own matrix stack and
//     an alpha test.
// kf_renderer.hpp holds what games call; this header adds what the window layer and the
// framework's own drawing need.

#include "kelp_forge/graphics/kf_renderer.hpp"
#include "kelp_forge/math/kf_matrix.hpp"

namespace kfImplementation::Renderer
{

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

// How drawn colours combine with the picture: premultiplied (the default that BeginDraw sets, for
// textures and vertex colours) or straight alpha (text images, whose colour is not premultiplied).
enum class BlendMode
{
    kPremultiplied,
    kStraightAlpha,
};
void SetBlendMode(BlendMode mode);

// Draws the bound texture over the rectangle (0, 0, width, height) of the surface drawn to, texel
// for texel, with its colour multiplied by its alpha exactly as the texture manager premultiplies
// images (render targets). Neither blends nor tests depth; afterwards the depth test, blending and
// culling are on, as BeginDraw leaves them.
void CopyPremultiplied(int width, int height);

// Reads the pixels of the rectangle (x, y, width, height) of the surface drawn to, bottom row
// first, as tightly packed RGBA bytes into rgbaPixels (width x height x 4 bytes).
void ReadPixels(int x, int y, int width, int height, unsigned char* rgbaPixels);

void SetProjectionMatrix(const KelpForge::Math::Matrix4& projection);
void SetModelViewMatrix(const KelpForge::Math::Matrix4& modelView);

// false: texture colour is used as it is (sprites). true: the texture's coverage channel becomes
// alpha of a white colour (text). No effect on the legacy path.
void SetColorMatrixForText(bool forText);

} // namespace kfImplementation::Renderer

#endif
