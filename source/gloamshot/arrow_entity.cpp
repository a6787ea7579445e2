#include "gloamshot/arrow_entity.hpp"

#include "gloamshot/content_names.hpp"

#include <algorithm>

namespace Gloamshot
{

using KelpForge::Game::GameTimer;
using KelpForge::Math::Vector2;

namespace
{

constexpr float kFullGlowRadius = 128.0f;
constexpr float kEndGlowRadius = 16.0f;
constexpr unsigned int kGlowMilliseconds = 3000;
constexpr unsigned int kFadeMilliseconds = 2000;

} // namespace

ArrowEntity::ArrowEntity(const Vector2& startPosition, const Vector2& startVelocity)
    : Entity(sEntityType),
      mArrowSprite(kSpriteSheetName, "arrow"), mFlight{startPosition, startVelocity, true},
      mLight(kFullGlowRadius), mGlowTimer(kGlowMilliseconds)
{
    mArrowSprite.SetRotation(AngleFromUp(NormalizedDirection(startVelocity)));
    mArrowSprite.SetOrigin(KelpForge::Graphics::AnchorLocation::kAnchorCenter);
    AddGraphic(mArrowSprite);
    AddBoundingCircle(kArrowCollisionRadius, Vector2());
}

void ArrowEntity::OnUpdate(float deltaTime)
{
    Entity::OnUpdate(deltaTime);
    mLight.mPosition = GetPosition();
}

void ArrowEntity::OnSimulate()
{
    Entity::OnSimulate();
    mFlight = StepArrowFlight(mFlight, *GetEntityManager());
    SetPosition(mFlight.position);
    // A stuck arrow keeps the velocity of its last step, so it keeps pointing the way it flew.
    mArrowSprite.SetRotation(AngleFromUp(NormalizedDirection(mFlight.velocity)));
    if (IsBeyondRemovalBounds(mFlight.position))
    {
        GetEntityManager()->RemoveEntity(this);
    }
    // Sticking starts the fade at once, if the first second of flight has not already.
    if (!mFlight.isFlying && mGlowTimer > GameTimer(kFadeMilliseconds))
    {
        mGlowTimer = GameTimer(kFadeMilliseconds);
    }
    mGlowTimer.DecrementStep();
    mLight.mRadius = ArrowLightRadius(mGlowTimer);
}

float ArrowLightRadius(const GameTimer& glowTimer)
{
    const float t = std::clamp(glowTimer.GetPercentageOf(GameTimer(kFadeMilliseconds)), 0.0f, 1.0f);
    const float smooth = (3.0f - 2.0f * t) * t * t;
    return (1.0f - smooth) * kEndGlowRadius + smooth * kFullGlowRadius;
}

} // namespace Gloamshot
