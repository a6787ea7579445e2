#include "kelp_forge/graphics/kf_sprite.hpp"

#include "kelp_forge/graphics/kf_renderer.hpp"
#include "kelp_forge/graphics/kf_sprite_manager.hpp"

#include <utility>

namespace KelpForge::Graphics
{

Sprite::Sprite(const TextureHandle& texture, const PixelSpace& frameX, const PixelSpace& frameY,
               const PixelSpace& frameWidth, const PixelSpace& frameHeight)
    : mFrame(CreateSpriteFrame(texture, frameX, frameY, frameWidth, frameHeight))
{
}

Sprite::Sprite(const std::string& textureFile, const PixelSpace& frameX, const PixelSpace& frameY,
               const PixelSpace& frameWidth, const PixelSpace& frameHeight)
    : Sprite(theTextureManager.CreateTextureFromFile(textureFile), frameX, frameY, frameWidth, frameHeight)
{
}

Sprite::Sprite(const std::string& spriteSheetName, const std::string& spriteName)
    : mFrame(theSpriteManager.GetSpriteFrame(spriteSheetName, spriteName))
{
}

Sprite::Sprite(const SpriteFrame& frame) : mFrame(frame) {}

Sprite::~Sprite() = default;

PixelSpace Sprite::GetPixelWidth() const
{
    return mFrame.GetPixelWidth();
}

PixelSpace Sprite::GetPixelHeight() const
{
    return mFrame.GetPixelHeight();
}

void Sprite::SetFlippedHorizontal(bool isFlipped)
{
    mIsFlippedHorizontal = isFlipped;
}

void Sprite::SetFlippedVertical(bool isFlipped)
{
    mIsFlippedVertical = isFlipped;
}

void Sprite::OnRender()
{
    theTextureManager.BindTexture(mFrame.GetTexture());
    float left = mFrame.GetU();
    float top = mFrame.GetV();
    float right = left + mFrame.GetUExtent();
    float bottom = top + mFrame.GetVExtent();
    if (mIsFlippedHorizontal)
    {
        std::swap(left, right);
    }
    if (mIsFlippedVertical)
    {
        std::swap(top, bottom);
    }
    const Math::Vector2 size(static_cast<float>(mFrame.GetPixelWidth()),
                             static_cast<float>(mFrame.GetPixelHeight()));
    kfImplementation::Renderer::RenderQuad(Math::Vector2(), size, GetColor().GetColorABGR(), left, top, right,
                                           bottom);
}

} // namespace KelpForge::Graphics
