#include "gloamshot/archer_entity.hpp"

#include "gloamshot/arrow_entity.hpp"
#include "gloamshot/arrow_flight.hpp"
#include "gloamshot/content_names.hpp"

#include "kelp_forge/application/kf_input_state.hpp"
#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/game/kf_entity_manager.hpp"

#include <cmath>

namespace Gloamshot
{

using KelpForge::Graphics::AnchorLocation;
using KelpForge::Graphics::PixelSpace;
using KelpForge::Math::Vector2;

namespace
{

constexpr float kBowAnchorX = 117.0f;
constexpr float kBowAnchorY = 130.0f;
constexpr float kArrowBaseSpeed = 400.0f;
constexpr float kArrowSpeedPerLevel = 64.0f;
constexpr float kArcherLightRadius = 256.0f;
// The bow picture points right at rotation 0, the angles count from up.
constexpr float kBowPictureAngle = 90.0f;

// The pull goes from the mouse toward the bow; the shot goes the way of the pull, snapped.
Vector2 SnappedAim(const Vector2& pull)
{
    return DirectionFromAimIndex(AimIndexFromDirection(NormalizedDirection(pull)));
}

} // namespace

std::uint8_t AimIndexFromDirection(const Vector2& direction)
{
    kf_error_if(kAimAngleCount < 2, "Expected 2 or more aim angles at a minimum. (div by zero).");
    const float angle = AngleFromUp(direction);
    for (std::uint8_t index = 0; index < kAimAngleCount; ++index)
    {
        if (static_cast<float>(index) * kAimAngleStep + kAimAngleStep > angle)
        {
            return index;
        }
    }
    return kAimAngleCount - 1;
}

Vector2 DirectionFromAimIndex(std::uint8_t index)
{
    const float radians = (static_cast<float>(index) * kAimAngleStep + kMinimumAimAngle) * kPi / 180.0f;
    return Vector2(std::sin(radians), -std::cos(radians));
}

std::uint8_t PowerLevelFromDistance(float distance)
{
    kf_error_if(kPowerLevelCount < 2, "Expected 2 or more power levels at a minimum. (div by zero).");
    for (std::uint8_t level = 0; level < kPowerLevelCount; ++level)
    {
        if (static_cast<float>(level + 1) * kPowerLevelStep > distance)
        {
            return level;
        }
    }
    return kPowerLevelCount - 1;
}

float ArrowSpeedFromPowerLevel(std::uint8_t powerLevel)
{
    return static_cast<float>(powerLevel) * kArrowSpeedPerLevel + kArrowBaseSpeed;
}

Vector2 BowAnchorOffset(PixelSpace archerWidth, PixelSpace archerHeight)
{
    return Vector2(kBowAnchorX - static_cast<float>(archerWidth) / 2.0f,
                   kBowAnchorY - static_cast<float>(archerHeight));
}

ArcherEntity::ArcherEntity()
    : Entity(sEntityType), mArcherSprite(kSpriteSheetName, "archer"), mBowSprite(kSpriteSheetName, "bow"),
      mLight(kArcherLightRadius), mShootAction(KelpForge::Application::kMouseLeft)
{
    SetPosition(kArcherStartPosition);
    mLight.mPosition = kArcherStartPosition;

    mArcherSprite.SetOrigin(AnchorLocation::kAnchorBottomCenter);
    AddGraphic(mArcherSprite);

    // The bow turns about the point of the archer's centre line at the pivot's height, with its
    // centre on the pivot at rotation 0.
    const Vector2 bowAnchor = BowAnchorOffset();
    mBowSprite.SetPosition(0.0f, bowAnchor.y);
    mBowSprite.SetOrigin(AnchorLocation::kAnchorCenter, Vector2(-bowAnchor.x, 0.0f));
    AddGraphic(mBowSprite);
}

Vector2 ArcherEntity::BowAnchorOffset() const
{
    return Gloamshot::BowAnchorOffset(mArcherSprite.GetPixelWidth(), mArcherSprite.GetPixelHeight());
}

void ArcherEntity::OnUpdate(float deltaTime)
{
    Entity::OnUpdate(deltaTime);
    mLight.mPosition = GetPosition() + BowAnchorOffset();
}

void ArcherEntity::OnSimulate()
{
    Entity::OnSimulate();
    const Vector2 shootingPoint = GetPosition() + BowAnchorOffset();
    const Vector2 mouse = KelpForge::Application::GetMousePosition();
    if (mShootAction.IsPressed())
    {
        mIsDrawingBow = true;
    }
    else if (mShootAction.IsDown())
    {
        mBowSprite.SetRotation(AngleFromUp(SnappedAim(shootingPoint - mouse)) - kBowPictureAngle);
    }
    if (mIsDrawingBow && !mShootAction.IsDown())
    {
        Shoot(shootingPoint, mouse);
    }
}

void ArcherEntity::Shoot(const Vector2& shootingPoint, const Vector2& mouse)
{
    const Vector2 pull = shootingPoint - mouse;
    const float speed = ArrowSpeedFromPowerLevel(PowerLevelFromDistance(pull.Length()));
    GetEntityManager()->AddEntity(new ArrowEntity(shootingPoint, SnappedAim(pull) * speed));
    mIsDrawingBow = false;
}

} // namespace Gloamshot
