#include "kelp_forge/graphics/kf_animated_sprite.hpp"

#include "kelp_forge/core/kf_error.hpp"

namespace KelpForge::Graphics
{

AnimationSequence::AnimationSequence(const TextureHandle& texture) : mTexture(texture)
{
    kf_error_if(texture == kInvalidTexture,
                "kfExternalError: Expected parameter texture to be a valid texture.");
}

void AnimationSequence::AddFrame(const SpriteFrame& frame)
{
    const bool isTextureValid = mTexture != kInvalidTexture;
    const bool isSameTexture = frame.GetTexture() == mTexture;
    kf_error_if(!isTextureValid,
                "kfExternalError: Expected texture handle to be valid before a frame is added.");
    kf_error_if(!isSameTexture,
                "kfExternalErro: Expected frame texture to be the same as the texture of sequence.");
    if (isTextureValid && isSameTexture)
    {
        mFrames.push_back(frame);
    }
}

} // namespace KelpForge::Graphics
