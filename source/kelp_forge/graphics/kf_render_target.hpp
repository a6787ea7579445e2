#ifndef KELP_FORGE_GRAPHICS_RENDER_TARGET_HPP
#define KELP_FORGE_GRAPHICS_RENDER_TARGET_HPP

#include "kelp_forge/core/kf_defines.hpp"
#include "kelp_forge/graphics/kf_screen.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"

#include <cstdint>

namespace KelpForge::Graphics
{

// An off-screen drawing surface: a texture of theTextureManager with a depth buffer. Drawing
// between BindRenderTarget and FinishRenderTarget goes into the target; FinishRenderTarget makes
// the picture, its colour multiplied by its alpha as the texture manager stores every picture, the
// contents of the texture, which a Sprite then shows. All of it stays on the graphics card: the
// target draws into a second texture of its own and copies it over. The picture is stored bottom row first,
// so a sprite shows it upright with SetFlippedVertical(true).
//
// Render targets need the shader path and live on the thread that owns the OpenGL context. The
// target holds one reference to each of its two textures and gives them back when destroyed, so it must not
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
    // Gives the textures' references back, also when the context is already gone.
    ~RenderTarget();

    // Directs drawing into the target over the viewport (0, 0, width, height). Does not clear it.
    void BindRenderTarget();
    // Makes what was drawn since BindRenderTarget the texture's contents, then directs drawing to
    // the window again with the viewport of the whole window.
    void FinishRenderTarget();

    // kInvalidTexture while the target has no surface.
    [[nodiscard]] TextureHandle GetTextureHandle() const { return mShown.texture; }

private:
    // A texture of theTextureManager with the framebuffer that draws into it.
    struct Surface
    {
        TextureHandle texture = kInvalidTexture;
        std::uint32_t frameBuffer = 0;
        std::uint32_t depthBuffer = 0;
        // The texture's OpenGL name when it was attached; the texture manager forgets it when the
        // context goes, which is how a lost surface shows.
        std::uint32_t attachedTextureName = 0;
    };

    // Builds both surfaces; false, reported, when they cannot be made.
    bool BuildSurfaces();
    [[nodiscard]] bool BuildSurface(Surface& surface, bool hasDepthBuffer);
    // Whether both surfaces were built in the current OpenGL context.
    [[nodiscard]] bool HasLiveSurfaces() const;
    [[nodiscard]] static bool IsLive(const Surface& surface);
    // Gives the texture references back and deletes the framebuffer objects, or only forgets them
    // when their context is gone.
    void DropSurfaces();
    static void DropSurface(Surface& surface);

    PixelSpace mWidth = 0;
    PixelSpace mHeight = 0;
    // Drawing goes into mDrawn, which FinishRenderTarget copies premultiplied into mShown.
    Surface mDrawn;
    Surface mShown;
};

} // namespace KelpForge::Graphics

#endif
