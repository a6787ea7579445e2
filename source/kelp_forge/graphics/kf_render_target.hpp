#ifndef KELP_FORGE_GRAPHICS_RENDER_TARGET_HPP
#define KELP_FORGE_GRAPHICS_RENDER_TARGET_HPP

#include "kelp_forge/core/kf_defines.hpp"
#include "kelp_forge/graphics/kf_color.hpp"
#include "kelp_forge/graphics/kf_screen.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"

#include <cstdint>
#include <vector>

namespace KelpForge::Graphics
{

// An off-screen drawing surface: a texture of theTextureManager with a depth buffer. Drawing
// between BindRenderTarget and FinishRenderTarget goes into it; FinishRenderTarget reads the
// picture back, multiplies its colour by its alpha and makes it the texture's contents, which a
// Sprite then shows. The picture is stored bottom row first, so a sprite shows it upright with
// SetFlippedVertical(true).
//
// Render targets need the shader path and live on the thread that owns the OpenGL context. The
// target holds one reference to its texture and gives it back when destroyed, so it must not
// outlive theTextureManager (keep it out of process-wide objects).
//
// When the OpenGL context is destroyed (after theTextureManager.ReleaseOpenGLTextures) the
// target's surface goes with it; the next BindRenderTarget in a new context builds a fresh one,
// on a new texture handle. Ask GetTextureHandle for the handle each time the picture is shown.
class RenderTarget : private Core::Noncopyable
{
public:
    // Sizes in pixels. A target that cannot be made (legacy path, a side not below the largest
    // renderbuffer size, a side of 0) is reported and stays without a surface: binding and
    // finishing it then change nothing. Made while no context is ready, the surface is built by
    // the first BindRenderTarget in one.
    RenderTarget(const PixelSpace& width, const PixelSpace& height);
    // Gives the texture's reference back, also when the context is already gone.
    ~RenderTarget();

    // Directs drawing into the target over the viewport (0, 0, width, height). Does not clear it.
    void BindRenderTarget();
    // Makes what was drawn since BindRenderTarget the texture's contents, then directs drawing to
    // the window again with the viewport of the whole window.
    void FinishRenderTarget();

    // Draws a picture of its own into the target: binds it, clears colour (to clearColor, taken as
    // it is, not premultiplied) and depth, and sets the renderer up over the target as the game
    // loop does for a frame (projection over the viewport, depth test, premultiplied blending).
    // False, with nothing changed, when the target has no surface or no renderer is ready; true
    // asks for EndDraw, which ends the drawing and finishes the target.
    [[nodiscard]] bool BeginDraw(const Color& clearColor);
    void EndDraw();

    // kInvalidTexture while the target has no surface.
    [[nodiscard]] TextureHandle GetTextureHandle() const { return mTexture; }

private:
    void BuildSurface();
    // Whether the surface was built in the current OpenGL context.
    [[nodiscard]] bool HasLiveSurface() const;
    // Gives the texture reference back and deletes the framebuffer objects, or only forgets them
    // when their context is gone.
    void DropSurface();

    PixelSpace mWidth = 0;
    PixelSpace mHeight = 0;
    std::uint32_t mDepthBuffer = 0;
    std::uint32_t mFrameBuffer = 0;
    TextureHandle mTexture = kInvalidTexture;
    // The texture's OpenGL name when it was attached; the texture manager forgets it when the
    // context goes, which is how a lost surface shows.
    std::uint32_t mAttachedTextureName = 0;
    // Read-back buffer kept between frames, width x height x 4 bytes once the surface exists.
    std::vector<unsigned char> mPixels;
};

} // namespace KelpForge::Graphics

#endif
