#include "kelp_forge/graphics/kf_render_target.hpp"

#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/graphics/implementation/kfi_frame_buffer.hpp"
#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"

namespace KelpForge::Graphics
{

namespace FrameBuffer = kfImplementation::FrameBuffer;
namespace Renderer = kfImplementation::Renderer;

RenderTarget::RenderTarget(const PixelSpace& width, const PixelSpace& height)
{
    const bool isLegacy = Renderer::IsLegacyOpenGL();
    kf_error_if(isLegacy, "kfInternalError: RenderTarget not supported or implemented in Legacy OpenGL.");
    // A legacy context may have no framebuffer objects at all, so nothing more is tried.
    if (isLegacy)
    {
        return;
    }
    mWidth = width;
    mHeight = height;
    // Without a context the first BindRenderTarget in one builds the surfaces.
    if (Renderer::IsRendererReady())
    {
        BuildSurfaces();
    }
}

RenderTarget::~RenderTarget()
{
    DropSurfaces();
}

void RenderTarget::BindRenderTarget()
{
    if (!HasLiveSurfaces())
    {
        DropSurfaces();
        if (mWidth != 0 && Renderer::IsRendererReady())
        {
            BuildSurfaces();
        }
    }
    if (HasLiveSurfaces())
    {
        FrameBuffer::BindFrameBuffer(mDrawn.frameBuffer, mWidth, mHeight);
    }
}

void RenderTarget::FinishRenderTarget()
{
    // Without surfaces BindRenderTarget left drawing on the window: nothing to undo.
    if (!HasLiveSurfaces())
    {
        return;
    }
    // A copy on the graphics card, rather than reading the picture back and uploading it again,
    // which would stall the card's pipeline every frame.
    FrameBuffer::BindFrameBuffer(mShown.frameBuffer, mWidth, mHeight);
    theTextureManager.BindTexture(mDrawn.texture);
    Renderer::CopyPremultiplied(mWidth, mHeight);
    FrameBuffer::BindFrameBuffer(0, ScreenWidth(), ScreenHeight());
    theTextureManager.BindTexture(mShown.texture);
    FrameBuffer::GenerateMipmapsOfBoundTexture();
    theTextureManager.BindTexture(kInvalidTexture);
}

bool RenderTarget::BuildSurfaces()
{
    const int largestSize = FrameBuffer::GetLargestRenderBufferSize();
    const bool isWidthTooLarge = mWidth >= largestSize;
    const bool isHeightTooLarge = mHeight >= largestSize;
    kf_error_if(isWidthTooLarge, "kfExternalError: Expected width to be less than max render buffer size.");
    kf_error_if(isHeightTooLarge, "kfExternalError: Expected height to be less than max render buffer size.");
    const bool isBuilt =
        !isWidthTooLarge && !isHeightTooLarge && BuildSurface(mDrawn, true) && BuildSurface(mShown, false);
    // A size that was refused once is refused in every context: never try again.
    if (!isBuilt)
    {
        DropSurfaces();
        mWidth = 0;
        mHeight = 0;
        return false;
    }
    // The drawn picture is only ever copied texel for texel.
    theTextureManager.BindTexture(mDrawn.texture);
    FrameBuffer::UseNearestTexels();
    theTextureManager.BindTexture(kInvalidTexture);
    return true;
}

bool RenderTarget::BuildSurface(Surface& surface, bool hasDepthBuffer)
{
    surface.texture = theTextureManager.CreateBlankTexture(mWidth, mHeight);
    if (surface.texture == kInvalidTexture)
    {
        return false;
    }
    surface.attachedTextureName = theTextureManager.GetOpenGLTextureName(surface.texture);
    const FrameBuffer::CreatedFrameBuffer created =
        FrameBuffer::CreateFrameBuffer(surface.attachedTextureName, mWidth, mHeight, hasDepthBuffer);
    kf_error_if(!created.isComplete, "kfError: RenderTarget FrameBuffer was not used, won't work.");
    surface.frameBuffer = created.names.frameBuffer;
    surface.depthBuffer = created.names.depthBuffer;
    return true;
}

bool RenderTarget::HasLiveSurfaces() const
{
    return IsLive(mDrawn) && IsLive(mShown);
}

bool RenderTarget::IsLive(const Surface& surface)
{
    return surface.frameBuffer != 0 && surface.texture != kInvalidTexture &&
           theTextureManager.GetOpenGLTextureName(surface.texture) == surface.attachedTextureName;
}

void RenderTarget::DropSurfaces()
{
    DropSurface(mDrawn);
    DropSurface(mShown);
}

void RenderTarget::DropSurface(Surface& surface)
{
    // A surface whose context is gone is only forgotten: its names may already stand for objects
    // of a newer context.
    if (IsLive(surface) && Renderer::IsRendererReady())
    {
        FrameBuffer::DeleteFrameBuffer({surface.frameBuffer, surface.depthBuffer});
    }
    // The texture manager deletes the texture itself only while a context is there.
    if (surface.texture != kInvalidTexture)
    {
        theTextureManager.DestroyTexture(surface.texture);
    }
    surface = Surface();
}

} // namespace KelpForge::Graphics
