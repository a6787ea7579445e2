#include "kelp_forge/graphics/kf_sprite_map.hpp"

#include "kelp_forge/core/kf_error.hpp"

#include <cstdint>
#include <limits>

namespace KelpForge::Graphics
{
namespace
{

// Cells per line: how many whole cells fit from the offset to the far edge. A cell size of 0 or
// an offset past the edge leaves no cell rather than dividing by zero or wrapping around.
FrameIndex CellsAlong(PixelSpace textureSize, PixelSpace offset, PixelSpace frameSize)
{
    if (frameSize == 0 || offset > textureSize)
    {
        return 0;
    }
    return static_cast<FrameIndex>((textureSize - offset) / frameSize);
}

// Left or top edge of the cell at position along one axis, in 64 bits so that a large cell
// position cannot wrap into a small pixel value.
std::uint64_t CellEdge(PixelSpace spacing, PixelSpace frameSize, FrameIndex position, PixelSpace offset)
{
    return (static_cast<std::uint64_t>(spacing) + frameSize) * position + offset;
}

} // namespace

SpriteMap::SpriteMap(const TextureHandle& texture, const PixelSpace& frameWidth,
                     const PixelSpace& frameHeight, const PixelSpace& spacingX, const PixelSpace& spacingY,
                     const PixelSpace& offsetX, const PixelSpace& offsetY)
    : mTexture(texture), mTextureWidth(theTextureManager.GetTextureWidth(texture)),
      mTextureHeight(theTextureManager.GetTextureHeight(texture)), mFrameWidth(frameWidth),
      mFrameHeight(frameHeight), mSpacingX(spacingX), mSpacingY(spacingY), mOffsetX(offsetX),
      mOffsetY(offsetY)
{
    kf_error_if(texture == kInvalidTexture,
                "kfExternalError: Expected parameter texture to be a valid texture.");
    kf_error_if(mTextureWidth < frameWidth,
                "kfExternalError: Expected texture width to be greater than frameWidth");
    kf_error_if(mTextureHeight < frameHeight,
                "kfExternalError: Expected texture height to be greater than frameHeight");
    kf_error_if(frameWidth == 0 || frameWidth > mTextureWidth,
                "kfExternalError: Expected parameter frameWidth to be within range: (1 <= frameWidth <= "
                "textureWidth).");
    kf_error_if(frameHeight == 0 || frameHeight > mTextureHeight,
                "kfExternalError: Expected parameter frameHeight to be within range: (1 <= frameHeight <= "
                "textureHeight).");
    kf_error_if(mTextureWidth - frameWidth < offsetX,
                "kfExternalError: Expected parameter offsetX to allow enough room for at least one column of "
                "frames.");
    kf_error_if(
        mTextureHeight - frameHeight < offsetY,
        "kfExternalError: Expected parameter offsetY to allow enough room for at least one row of frames.");
    kf_error_if(spacingX != 0, "kfInternalError: Currently SpriteMap does not support spacing between the "
                               "SpriteFrames.");
    kf_error_if(spacingY != 0, "kfInternalError: Currently SpriteMap does not support spacing between the "
                               "SpriteFrames.");
    kf_error_if(GetColumnCount() == 0, "kfInternalError: Expected GetColumnCount() to return at least 1.");
    kf_error_if(GetRowCount() == 0, "kfInternalError: Expected GetRowCount() to return at least 1.");
    kf_error_if(GetIndexCount() == 0, "kfInternalError: Expected GetIndexCount() to return at least 1.");
}

SpriteMap::~SpriteMap() = default;

FrameIndex SpriteMap::GetColumnCount() const
{
    return CheckTextureForCount() ? CellsAlong(mTextureWidth, mOffsetX, mFrameWidth) : 0;
}

FrameIndex SpriteMap::GetRowCount() const
{
    return CheckTextureForCount() ? CellsAlong(mTextureHeight, mOffsetY, mFrameHeight) : 0;
}

FrameIndex SpriteMap::GetIndexCount() const
{
    // At most 65535 x 65535 cells, which still fits in 32 bits.
    return GetRowCount() * GetColumnCount();
}

SpriteFrame SpriteMap::GetSpriteFrameAtIndex(const FrameIndex& index) const
{
    const FrameIndex columns = GetColumnCount();
    kf_error_if(columns == 0, "kfInternalError: Expected GetColumnCount() to return at least 1.");
    if (columns == 0)
    {
        return SpriteFrame();
    }
    return GetSpriteFrameAt(index % columns, index / columns);
}

SpriteFrame SpriteMap::GetSpriteFrameAt(const FrameIndex& column, const FrameIndex& row) const
{
    constexpr std::uint64_t kPixelSpaceLimit = std::numeric_limits<PixelSpace>::max();
    const std::uint64_t frameX = CellEdge(mSpacingX, mFrameWidth, column, mOffsetX);
    const std::uint64_t frameY = CellEdge(mSpacingY, mFrameHeight, row, mOffsetY);
    kf_error_if(frameX >= kPixelSpaceLimit,
                "kfInternalError: Expected frameX value to fall within PixelSpace range.");
    kf_error_if(frameY >= kPixelSpaceLimit,
                "kfInternalError: Expected frameY value to fall within PixelSpace range.");
    if (frameX >= kPixelSpaceLimit || frameY >= kPixelSpaceLimit)
    {
        return SpriteFrame();
    }
    return CreateSpriteFrame(mTexture, static_cast<PixelSpace>(frameX), static_cast<PixelSpace>(frameY),
                             mFrameWidth, mFrameHeight);
}

bool SpriteMap::CheckTextureForCount() const
{
    const bool isTextureValid = mTexture != kInvalidTexture;
    kf_error_if(!isTextureValid,
                "kfInternalError: Expected parameter texture to be a valid texture at this point.");
    return isTextureValid;
}

} // namespace KelpForge::Graphics
