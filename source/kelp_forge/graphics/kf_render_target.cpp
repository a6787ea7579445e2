#include "kelp_forge/graphics/kf_render_target.hpp"

#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/graphics/implementation/kfi_frame_buffer.hpp"
#include "kelp_forge/graphics/implementation/kfi_image_decoder.hpp"
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
    // Without a context the first BindRenderTarget in one builds the surface.
    if (Renderer::IsRendererReady())
    {
        BuildSurface();
    }
}

RenderTarget::~RenderTarget()
{
    DropSurface();
}

void RenderTarget::BindRenderTarget()
{
    if (!HasLiveSurface())
    {
        DropSurface();
        if (mWidth != 0 && Renderer::IsRendererReady())
        {
            BuildSurface();
        }
    }
    if (HasLiveSurface())
    {
        FrameBuffer::BindFrameBuffer(mFrameBuffer, mWidth, mHeight);
    }
}

void RenderTarget::FinishRenderTarget()
{
    // Without a surface BindRenderTarget left drawing on the window: nothing to undo.
    if (!HasLiveSurface())
    {
        return;
    }
    FrameBuffer::ReadPixels(mFrameBuffer, mWidth, mHeight, mPixels.data());
    kfImplementation::PremultiplyAlpha(mPixels.data(), std::size_t{mWidth} * std::size_t{mHeight});
    FrameBuffer::BindFrameBuffer(0, ScreenWidth(), ScreenHeight());
    theTextureManager.BindTexture(mTexture);
    FrameBuffer::UploadToBoundTexture(mWidth, mHeight, mPixels.data());
    theTextureManager.BindTexture(kInvalidTexture);
}

bool RenderTarget::BeginDraw(const Color& clearColor)
{
    if (!Renderer::IsRendererReady())
    {
        return false;
    }
    BindRenderTarget();
    if (!HasLiveSurface())
    {
        return false;
    }
    FrameBuffer::ClearColorAndDepth(clearColor.GetRed(), clearColor.GetGreen(), clearColor.GetBlue(),
                                    clearColor.GetAlpha());
    Renderer::BeginDraw();
    return true;
}

void RenderTarget::EndDraw()
{
    Renderer::EndDraw();
    FinishRenderTarget();
}

void RenderTarget::BuildSurface()
{
    const int largestSize = FrameBuffer::GetLargestRenderBufferSize();
    const bool isWidthTooLarge = mWidth >= largestSize;
    const bool isHeightTooLarge = mHeight >= largestSize;
    kf_error_if(isWidthTooLarge, "kfExternalError: Expected width to be less than max render buffer size.");
    kf_error_if(isHeightTooLarge, "kfExternalError: Expected height to be less than max render buffer size.");
    if (!isWidthTooLarge && !isHeightTooLarge)
    {
        mTexture = theTextureManager.CreateBlankTexture(mWidth, mHeight);
    }
    // A size that was refused once is refused in every context: never try again.
    if (mTexture == kInvalidTexture)
    {
        mWidth = 0;
        mHeight = 0;
        return;
    }

    mAttachedTextureName = theTextureManager.GetOpenGLTextureName(mTexture);
    const FrameBuffer::CreatedFrameBuffer created =
        FrameBuffer::CreateFrameBuffer(mAttachedTextureName, mWidth, mHeight);
    kf_error_if(!created.isComplete, "kfError: RenderTarget FrameBuffer was not used, won't work.");
    mFrameBuffer = created.names.frameBuffer;
    mDepthBuffer = created.names.depthBuffer;
    mPixels.resize(std::size_t{mWidth} * std::size_t{mHeight} * 4u);
}

bool RenderTarget::HasLiveSurface() const
{
    return mFrameBuffer != 0 && mTexture != kInvalidTexture &&
           theTextureManager.GetOpenGLTextureName(mTexture) == mAttachedTextureName;
}

void RenderTarget::DropSurface()
{
    // A surface whose context is gone is only forgotten: its names may already stand for objects
    // of a newer context.
    if (HasLiveSurface() && Renderer::IsRendererReady())
    {
        FrameBuffer::DeleteFrameBuffer({mFrameBuffer, mDepthBuffer});
    }
    // The texture manager deletes the texture itself only while a context is there.
    if (mTexture != kInvalidTexture)
    {
        theTextureManager.DestroyTexture(mTexture);
    }
    mFrameBuffer = 0;
    mDepthBuffer = 0;
    mAttachedTextureName = 0;
}

} // namespace KelpForge::Graphics
