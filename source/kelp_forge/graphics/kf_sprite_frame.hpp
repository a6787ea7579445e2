#ifndef KELP_FORGE_GRAPHICS_SPRITE_FRAME_HPP
#define KELP_FORGE_GRAPHICS_SPRITE_FRAME_HPP

#include "kelp_forge/graphics/kf_screen.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"

#include <cstdint>

namespace KelpForge::Graphics
{

// Index of a cell of a sprite map, row by row.
using FrameIndex = std::uint32_t;

// A rectangle of a texture, in pixels and in texture coordinates. The texture coordinates are
// computed from the texture's size when the frame is made. The frame refers to the texture
// without holding a reference: the texture must stay loaded while the frame is drawn.
class SpriteFrame
{
public:
    // An empty frame on no texture.
    SpriteFrame() = default;

    [[nodiscard]] PixelSpace GetPixelX() const { return static_cast<PixelSpace>(mX); }
    [[nodiscard]] PixelSpace GetPixelY() const { return static_cast<PixelSpace>(mY); }
    [[nodiscard]] PixelSpace GetPixelWidth() const { return static_cast<PixelSpace>(mWidth); }
    [[nodiscard]] PixelSpace GetPixelHeight() const { return static_cast<PixelSpace>(mHeight); }

    // Texture coordinates of the left and top edges, and the frame's extent, from 0 to 1.
    [[nodiscard]] float GetU() const { return mU; }
    [[nodiscard]] float GetV() const { return mV; }
    [[nodiscard]] float GetUExtent() const { return mUExtent; }
    [[nodiscard]] float GetVExtent() const { return mVExtent; }
    [[nodiscard]] TextureHandle GetTexture() const { return mTexture; }

private:
    friend SpriteFrame CreateSpriteFrame(const TextureHandle&, const PixelSpace&, const PixelSpace&,
                                         const PixelSpace&, const PixelSpace&);

    float mX = 0.0f;
    float mY = 0.0f;
    float mWidth = 0.0f;
    float mHeight = 0.0f;
    float mU = 0.0f;
    float mV = 0.0f;
    float mUExtent = 0.0f;
    float mVExtent = 0.0f;
    TextureHandle mTexture = kInvalidTexture;
};

// The frame (frameX, frameY, frameWidth, frameHeight) in pixels of texture; a width or height of
// 0 stands for the texture's full width or height. A frame that does not fit on the texture, or a
// texture that is not loaded, is reported and gives an empty frame on no texture.
[[nodiscard]] SpriteFrame CreateSpriteFrame(const TextureHandle& texture, const PixelSpace& frameX,
                                            const PixelSpace& frameY, const PixelSpace& frameWidth,
                                            const PixelSpace& frameHeight);

} // namespace KelpForge::Graphics

#endif
