#include "kelp_forge/graphics/kf_sprite_sheet.hpp"

#include "kelp_forge/core/kf_error.hpp"

#include <utility>

namespace KelpForge::Graphics
{

SpriteSheet::SpriteSheet(const TextureHandle& texture, std::string name)
    : mName(std::move(name)), mTexture(texture)
{
}

void SpriteSheet::AddSpriteFrame(const std::string& spriteName, const SpriteFrame& frame)
{
    const bool isNew = !mSprites.contains(spriteName);
    const bool isTextureValid = mTexture != kInvalidTexture;
    const bool isSameTexture = frame.GetTexture() == mTexture;
    kf_error_if(!isNew,
                "kfExternalError: Attempting to add sprite frame %s which already exists on sprite sheet.",
                spriteName.c_str());
    kf_error_if(!isTextureValid, "kfExternalError: Cannot add sprite %s without setting a texture first.",
                spriteName.c_str());
    kf_error_if(!isSameTexture, "kfExternalError: Cannot add sprite %s with different texture than sheet.",
                spriteName.c_str());
    if (isNew && isTextureValid && isSameTexture)
    {
        mSprites.emplace(spriteName, frame);
    }
}

SpriteFrame SpriteSheet::GetSpriteFrame(const std::string& spriteName) const
{
    const auto found = mSprites.find(spriteName);
    kf_error_if(found == mSprites.end(),
                "kfExternalError: Sprite with name %s does not exist on sprite sheet.", spriteName.c_str());
    return found != mSprites.end() ? found->second : SpriteFrame();
}

void SpriteSheet::AddAnimationSequence(const std::string& spriteName, const std::string& animationName,
                                       const AnimationSequence& sequence)
{
    if (spriteName.empty())
    {
        const bool isNew = mAnimations.try_emplace(animationName, sequence).second;
        kf_error_if(!isNew,
                    "kfExternalError: Attempting to add animation \"%s\" which already exists on "
                    "SpriteSheet: \"%s\".",
                    animationName.c_str(), mName.c_str());
        return;
    }
    const bool isNew = mSpriteAnimations[spriteName].try_emplace(animationName, sequence).second;
    kf_error_if(!isNew,
                "kfExternalError: Attempting to add animation \"%s\" which already exists in sprite \"%s\" "
                "on SpriteSheet: \"%s\".",
                animationName.c_str(), spriteName.c_str(), mName.c_str());
}

bool SpriteSheet::AddAnimationsToSprite(const std::string& spriteName,
                                        const std::vector<std::string>& animationNames)
{
    std::string missingNames;
    for (const std::string& animationName : animationNames)
    {
        const auto found = mAnimations.find(animationName);
        if (found != mAnimations.end())
        {
            AddAnimationSequence(spriteName, animationName, found->second);
            continue;
        }
        missingNames += (missingNames.empty() ? "\"" : " \"") + animationName + "\"";
    }
    kf_error_if(
        !missingNames.empty(),
        "kfExternalError: Could not add animations to sprite with name \"%s\" because the animation(s) "
        "with name(s): %s do not exist on SpriteSheet: \"%s\"",
        spriteName.c_str(), missingNames.c_str(), mName.c_str());
    return missingNames.empty();
}

const AnimationSequence* SpriteSheet::FindAnimationSequence(const std::string& spriteName,
                                                            const std::string& animationName) const
{
    const AnimationMap* animations = &mAnimations;
    if (!spriteName.empty())
    {
        const auto sprite = mSpriteAnimations.find(spriteName);
        if (sprite == mSpriteAnimations.end())
        {
            return nullptr;
        }
        animations = &sprite->second;
    }
    const auto found = animations->find(animationName);
    return found != animations->end() ? &found->second : nullptr;
}

} // namespace KelpForge::Graphics
