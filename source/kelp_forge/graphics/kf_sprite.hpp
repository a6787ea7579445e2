#ifndef KELP_FORGE_GRAPHICS_SPRITE_HPP
#define KELP_FORGE_GRAPHICS_SPRITE_HPP

#include "kelp_forge/graphics/kf_graphic.hpp"
#include "kelp_forge/graphics/kf_sprite_frame.hpp"

#include <string>

namespace KelpForge::Graphics
{

// A graphic that draws one sprite frame as a tinted, textured quad from (0, 0) to the frame's
// size in its own pixels, optionally mirrored in place. It costs one texture bind and one draw.
//
// A sprite holds its texture handle but never gives its reference back: the texture stays loaded
// after the sprite is gone (DestroyTexture is the texture owner's business).
class Sprite : public Graphic
{
public:
    // The frame (frameX, frameY, frameWidth, frameHeight) of texture; sizes of 0 stand for the
    // texture's full size, so the defaults draw the whole texture.
    explicit Sprite(const TextureHandle& texture, const PixelSpace& frameX = 0, const PixelSpace& frameY = 0,
                    const PixelSpace& frameWidth = 0, const PixelSpace& frameHeight = 0);
    // As above on the texture of textureFile, loaded through theTextureManager (one reference).
    explicit Sprite(const std::string& textureFile, const PixelSpace& frameX = 0,
                    const PixelSpace& frameY = 0, const PixelSpace& frameWidth = 0,
                    const PixelSpace& frameHeight = 0);
    // The frame spriteName of the sprite sheet loaded as spriteSheetName (theSpriteManager).
    Sprite(const std::string& spriteSheetName, const std::string& spriteName);
    // Draws a frame made elsewhere (a sprite sheet's, for instance).
    explicit Sprite(const SpriteFrame& frame);
    ~Sprite() override;

    // The frame's size in whole pixels.
    [[nodiscard]] PixelSpace GetPixelWidth() const override;
    [[nodiscard]] PixelSpace GetPixelHeight() const override;

    // Mirrors the picture within the same rectangle (swaps left and right, or top and bottom).
    void SetFlippedHorizontal(bool isFlipped);
    [[nodiscard]] bool IsFlippedHorizontal() const { return mIsFlippedHorizontal; }
    void SetFlippedVertical(bool isFlipped);
    [[nodiscard]] bool IsFlippedVertical() const { return mIsFlippedVertical; }

    [[nodiscard]] const SpriteFrame& GetSpriteFrame() const { return mFrame; }

protected:
    void OnRender() override;

private:
    SpriteFrame mFrame;
    bool mIsFlippedHorizontal = false;
    bool mIsFlippedVertical = false;
};

} // namespace KelpForge::Graphics

#endif
