#ifndef KELP_FORGE_GRAPHICS_SPRITE_MAP_HPP
#define KELP_FORGE_GRAPHICS_SPRITE_MAP_HPP

#include "kelp_forge/graphics/kf_screen.hpp"
#include "kelp_forge/graphics/kf_sprite_frame.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"

namespace KelpForge::Graphics
{

// A regular grid of equal cells laid over a texture, so that frames can be named by cell instead
// of by pixel rectangle. Cells are numbered row by row from the top-left: index = row x columns +
// column. The texture's size is read once, when the map is made; the map holds no reference to
// the texture, which must stay loaded while frames are cut from it.
class SpriteMap
{
public:
    // A grid of frameWidth x frameHeight pixel cells whose first cell has its top-left corner at
    // (offsetX, offsetY). Spacing between cells is not supported and must be 0. A texture that
    // is not loaded, or a grid without room for one cell, is reported; such a map has no cells.
    SpriteMap(const TextureHandle& texture, const PixelSpace& frameWidth, const PixelSpace& frameHeight,
              const PixelSpace& spacingX, const PixelSpace& spacingY, const PixelSpace& offsetX,
              const PixelSpace& offsetY);
    SpriteMap(const SpriteMap& other) = default;
    SpriteMap& operator=(const SpriteMap& other) = default;
    virtual ~SpriteMap();

    // Whole cells that fit right of the offset and below it; 0 for a map without cells.
    [[nodiscard]] FrameIndex GetColumnCount() const;
    [[nodiscard]] FrameIndex GetRowCount() const;
    [[nodiscard]] FrameIndex GetIndexCount() const;
    [[nodiscard]] TextureHandle GetTexture() const { return mTexture; }

    // The cell at index, wrapping into the next row after the last column. Neither this nor
    // GetSpriteFrameAt compares with the counts: a cell that lies off the texture is reported by
    // CreateSpriteFrame and gives an empty frame on no texture.
    [[nodiscard]] SpriteFrame GetSpriteFrameAtIndex(const FrameIndex& index) const;
    [[nodiscard]] SpriteFrame GetSpriteFrameAt(const FrameIndex& column, const FrameIndex& row) const;

private:
    [[nodiscard]] bool CheckTextureForCount() const;

    TextureHandle mTexture;
    PixelSpace mTextureWidth;
    PixelSpace mTextureHeight;
    PixelSpace mFrameWidth;
    PixelSpace mFrameHeight;
    PixelSpace mSpacingX;
    PixelSpace mSpacingY;
    PixelSpace mOffsetX;
    PixelSpace mOffsetY;
};

} // namespace KelpForge::Graphics

#endif
