#include "kelp_forge/graphics/kf_animated_sprite.hpp"

#include "kelp_forge/core/kf_error.hpp"

namespace KelpForge::Graphics
{

AnimationSequence::AnimationSequence(const TextureHandle& texture) : mTexture(texture)
{
    kf_error_if(texture == kInvalidTexture,
                "kfExternalError: Expected parameter texture to be a valid texture.");
}

AnimationSequence::AnimationSequence(const SpriteMap& spriteMap, const FrameIndex& startFrameIndex,
                                     const FrameIndex& frameCount)
    : AnimationSequence(spriteMap.GetTexture())
{
    if (mTexture == kInvalidTexture)
    {
        return;
    }
    // Counted from 0 so that a start near the top of the index range cannot wrap around.
    for (FrameIndex offset = 0; offset < frameCount; ++offset)
    {
        if (!AddCell(spriteMap, startFrameIndex + offset))
        {
            return;
        }
    }
}

AnimationSequence::AnimationSequence(const SpriteMap& spriteMap, const std::vector<FrameIndex>& frames)
    : AnimationSequence(spriteMap.GetTexture())
{
    if (mTexture == kInvalidTexture)
    {
        return;
    }
    for (const FrameIndex index : frames)
    {
        if (!AddCell(spriteMap, index))
        {
            return;
        }
    }
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

bool AnimationSequence::AddCell(const SpriteMap& spriteMap, FrameIndex index)
{
    const std::size_t countBefore = mFrames.size();
    AddFrame(spriteMap.GetSpriteFrameAtIndex(index));
    return mFrames.size() > countBefore;
}

} // namespace KelpForge::Graphics
