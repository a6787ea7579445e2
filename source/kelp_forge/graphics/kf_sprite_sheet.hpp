#ifndef KELP_FORGE_GRAPHICS_SPRITE_SHEET_HPP
#define KELP_FORGE_GRAPHICS_SPRITE_SHEET_HPP

#include "kelp_forge/graphics/kf_animated_sprite.hpp"
#include "kelp_forge/graphics/kf_sprite_frame.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace KelpForge::Graphics
{

// Named sprite frames and named animation sequences, all on one texture. Animations live either
// at the sheet's level or with one sprite; a sprite may also take copies of sheet-level ones.
//
// A sheet is a plain value: it refers to its texture without holding a reference of its own
// (the sheet loader keeps the one it took for as long as the program runs).
class SpriteSheet
{
public:
    // An empty sheet on texture. name is printed by the messages about this sheet's animations.
    explicit SpriteSheet(const TextureHandle& texture, std::string name = {});

    // Stores frame under spriteName. Refused with a report: a name already on the sheet, a sheet
    // without a valid texture, or a frame on another texture.
    void AddSpriteFrame(const std::string& spriteName, const SpriteFrame& frame);
    // The frame stored under spriteName; an unknown name is reported and gives an empty frame on
    // no texture.
    [[nodiscard]] SpriteFrame GetSpriteFrame(const std::string& spriteName) const;
    [[nodiscard]] std::size_t GetSpriteFrameCount() const { return mSprites.size(); }

    // Stores a copy of sequence under animationName, with the sprite's own animations, or with
    // the sheet-level ones when spriteName is empty. A name already taken there is reported and
    // keeps the first sequence.
    void AddAnimationSequence(const std::string& spriteName, const std::string& animationName,
                              const AnimationSequence& sequence);
    // Copies each named sheet-level animation into the sprite's own animations, in order. The
    // names that do not exist are reported together; the result is false when there were any.
    bool AddAnimationsToSprite(const std::string& spriteName, const std::vector<std::string>& animationNames);
    // The animation of that name with the sprite (with the sheet when spriteName is empty), or
    // nullptr when there is none. The pointer lives until the sheet next changes or is destroyed.
    [[nodiscard]] const AnimationSequence* FindAnimationSequence(const std::string& spriteName,
                                                                 const std::string& animationName) const;

    [[nodiscard]] TextureHandle GetTexture() const { return mTexture; }
    [[nodiscard]] const std::string& GetName() const { return mName; }

private:
    using AnimationMap = std::map<std::string, AnimationSequence>;

    std::map<std::string, SpriteFrame> mSprites;
    AnimationMap mAnimations;
    std::map<std::string, AnimationMap> mSpriteAnimations;
    std::string mName;
    TextureHandle mTexture;
};

} // namespace KelpForge::Graphics

#endif
