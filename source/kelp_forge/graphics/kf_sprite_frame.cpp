#include "kelp_forge/graphics/kf_sprite_frame.hpp"

#include "kelp_forge/core/kf_error.hpp"

namespace KelpForge::Graphics
{

SpriteFrame CreateSpriteFrame(const TextureHandle& texture, const PixelSpace& frameX,
                              const PixelSpace& frameY, const PixelSpace& frameWidth,
                              const PixelSpace& frameHeight)
{
    const int textureWidth = texture != kInvalidTexture ? theTextureManager.GetTextureWidth(texture) : 0;
    const int textureHeight = texture != kInvalidTexture ? theTextureManager.GetTextureHeight(texture) : 0;
    // A texture without pixels (a freed or unknown handle) would give a frame of zero size and
    // texture coordinates divided by zero.
    const bool isTextureValid = textureWidth > 0 && textureHeight > 0;
    kf_error_if(!isTextureValid,
                "kfExternalError: Expected texture handle to be valid when creating SpriteFrame.");
    if (!isTextureValid)
    {
        return SpriteFrame();
    }

    const int width = frameWidth != 0 ? frameWidth : textureWidth;
    const int height = frameHeight != 0 ? frameHeight : textureHeight;
    const bool isWidthFitting = width <= textureWidth;
    const bool isHeightFitting = height <= textureHeight;
    const bool isXFitting = frameX <= textureWidth - width;
    const bool isYFitting = frameY <= textureHeight - height;
    kf_error_if(!isWidthFitting,
                "kfExternalError: Expected frameWidth to be less than or equal to textureWidth");
    kf_error_if(!isHeightFitting,
                "kfExternalError: Expected frameHeight to be less than or equal to textureHeight");
    kf_error_if(!isXFitting,
                "kfExternalError: Expected frameX location to allow frame (width) to fit on texture.");
    kf_error_if(!isYFitting,
                "kfExternalError: Expected frameY location to allow frame (height) to fit on texture.");
    if (!isWidthFitting || !isHeightFitting || !isXFitting || !isYFitting)
    {
        return SpriteFrame();
    }

    SpriteFrame frame;
    frame.mX = static_cast<float>(frameX);
    frame.mY = static_cast<float>(frameY);
    frame.mWidth = static_cast<float>(width);
    frame.mHeight = static_cast<float>(height);
    frame.mU = frame.mX / static_cast<float>(textureWidth);
    frame.mV = frame.mY / static_cast<float>(textureHeight);
    frame.mUExtent = frame.mWidth / static_cast<float>(textureWidth);
    frame.mVExtent = frame.mHeight / static_cast<float>(textureHeight);
    frame.mTexture = texture;
    return frame;
}

} // namespace KelpForge::Graphics
