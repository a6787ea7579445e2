#include "kelp_forge/graphics/kf_graphic.hpp"

#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/graphics/kf_camera.hpp"
#include "kelp_forge/graphics/kf_renderer.hpp"

namespace KelpForge::Graphics
{

namespace Renderer = kfImplementation::Renderer;

Graphic::~Graphic() = default;

void Graphic::SetColor(const Color& color)
{
    mColor = color;
}

PixelSpace Graphic::GetPixelWidth() const
{
    return 0;
}

PixelSpace Graphic::GetPixelHeight() const
{
    return 0;
}

void Graphic::Update(float deltaTime)
{
    if (mIsActive)
    {
        OnUpdate(deltaTime);
    }
}

void Graphic::Render()
{
    if (mIsVisible)
    {
        ApplyTransform();
        OnRender();
        PopTransform();
    }
}

void Graphic::SetPosition(float x, float y)
{
    SetPosition(Math::Vector2(x, y));
}

void Graphic::SetPosition(const Math::Vector2& position)
{
    mPosition = position;
    OnPositionChanged();
}

void Graphic::SetOrigin(AnchorLocation anchor, const Math::Vector2& offset)
{
    const float width = static_cast<float>(GetPixelWidth());
    const float height = static_cast<float>(GetPixelHeight());
    Math::Vector2 point;
    switch (anchor)
    {
    case AnchorLocation::kAnchorCenter:
        point = Math::Vector2(width * 0.5f, height * 0.5f);
        break;
    case AnchorLocation::kAnchorTopCenter:
        point = Math::Vector2(width * 0.5f, 0.0f);
        break;
    case AnchorLocation::kAnchorTopRight:
        point = Math::Vector2(width, 0.0f);
        break;
    case AnchorLocation::kAnchorCenterLeft:
        point = Math::Vector2(0.0f, height * 0.5f);
        break;
    case AnchorLocation::kAnchorCenterRight:
        point = Math::Vector2(width, height * 0.5f);
        break;
    case AnchorLocation::kAnchorBottomLeft:
        point = Math::Vector2(0.0f, height);
        break;
    case AnchorLocation::kAnchorBottomCenter:
        point = Math::Vector2(width * 0.5f, height);
        break;
    case AnchorLocation::kAnchorBottomRight:
        point = Math::Vector2(width, height);
        break;
    case AnchorLocation::kAnchorTopLeft:
    default:
        break;
    }
    mOrigin = offset + point;
}

void Graphic::SetOrigin(const Math::Vector2& origin)
{
    mOrigin = origin;
}

void Graphic::SetScale(float scale)
{
    SetScale(scale, scale);
}

void Graphic::SetScale(float scaleX, float scaleY)
{
    const bool isNegative = scaleX < 0.0f || scaleY < 0.0f;
    kf_error_if(isNegative,
                "kfExternalError: Cannot set negative scales, perhaps use SetFlipped on the Sprite?");
    if (!isNegative)
    {
        mScale = Math::Vector2(scaleX, scaleY);
    }
}

void Graphic::SetCameraFactor(const Math::Vector2& cameraFactor)
{
    mCameraFactor = cameraFactor;
}

void Graphic::SetRotation(float degrees)
{
    mRotation = degrees;
}

void Graphic::SetDepth(float depth)
{
    mDepth = depth;
}

void Graphic::SetVisible(bool isVisible)
{
    mIsVisible = isVisible;
}

void Graphic::SetActive(bool isActive)
{
    mIsActive = isActive;
}

void Graphic::OnUpdate(float /*deltaTime*/) {}

void Graphic::ApplyTransform()
{
    Renderer::PushMatrix();
    const Math::Vector2 view = GetActiveCamera().GetPosition();
    Renderer::Translate(mPosition.x - mCameraFactor.x * view.x, mPosition.y - mCameraFactor.y * view.y,
                        mDepth);
    // Most graphics are neither turned, nor anchored away from their corner, nor scaled: leaving
    // out the identity steps saves a matrix upload each, which matters with thousands of sprites.
    if (mRotation != 0.0f)
    {
        Renderer::Rotate(mRotation, 0.0f, 0.0f, 1.0f);
    }
    if (mOrigin.x != 0.0f || mOrigin.y != 0.0f)
    {
        Renderer::Translate(-(mOrigin.x * mScale.x), -(mOrigin.y * mScale.y), 0.0f);
    }
    if (mScale.x != 1.0f || mScale.y != 1.0f)
    {
        Renderer::Scale(mScale.x, mScale.y, 1.0f);
    }
}

void Graphic::PopTransform()
{
    Renderer::PopMatrix();
}

} // namespace KelpForge::Graphics
