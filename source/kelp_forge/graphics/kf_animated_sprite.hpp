#ifndef KELP_FORGE_GRAPHICS_ANIMATED_SPRITE_HPP
#define KELP_FORGE_GRAPHICS_ANIMATED_SPRITE_HPP

// Animation sequences: the ordered sprite frames that sprite sheets keep for animated sprites.

#include "kelp_forge/graphics/kf_sprite_frame.hpp"
#include "kelp_forge/graphics/kf_sprite_map.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"

#include <cstddef>
#include <vector>

namespace KelpForge::Graphics
{

// An ordered list of sprite frames, all on one texture, in play order.
class AnimationSequence
{
public:
    // An empty sequence on texture, which must be valid.
    explicit AnimationSequence(const TextureHandle& texture);
    // The frameCount cells of spriteMap from startFrameIndex on, in order. Adding stops at the
    // first cell that lies off the texture (reported), so a count beyond the map ends there.
    AnimationSequence(const SpriteMap& spriteMap, const FrameIndex& startFrameIndex,
                      const FrameIndex& frameCount);
    // One frame per cell index of spriteMap, in the given order; an index may repeat. Adding stops
    // at the first cell that lies off the texture (reported).
    AnimationSequence(const SpriteMap& spriteMap, const std::vector<FrameIndex>& frames);

    // Appends frame, which must lie on the sequence's texture; a frame on another texture is
    // reported and left out.
    void AddFrame(const SpriteFrame& frame);

    [[nodiscard]] TextureHandle GetTexture() const { return mTexture; }
    [[nodiscard]] std::size_t GetFrameCount() const { return mFrames.size(); }
    // The frame at index in play order; index must be below GetFrameCount().
    [[nodiscard]] const SpriteFrame& GetFrame(std::size_t index) const { return mFrames[index]; }

private:
    // Adds the cell at index of spriteMap; false when it could not be added.
    bool AddCell(const SpriteMap& spriteMap, FrameIndex index);

    TextureHandle mTexture;
    std::vector<SpriteFrame> mFrames;
};

} // namespace KelpForge::Graphics

#endif
