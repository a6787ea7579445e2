#include "gloamshot/arrow_flight.hpp"

#include "gloamshot/cave_form_entity.hpp"
#include "gloamshot/content_names.hpp"

#include "kelp_forge/audio/kf_audio_manager.hpp"

#include <algorithm>
#include <cmath>

namespace Gloamshot
{

using KelpForge::Math::Vector2;

namespace
{

constexpr float kRightRemovalBound = 1380.0f;
constexpr float kBottomRemovalBound = 820.0f;
constexpr float kLeftRemovalBound = -100.0f;

} // namespace

ArrowFlight StepArrowFlight(const ArrowFlight& flight, const KelpForge::Game::EntityManager& entityManager)
{
    ArrowFlight result = flight;
    if (!flight.isFlying)
    {
        return result;
    }
    result.velocity.y += kGravityPerStep;
    result.position += result.velocity * kStepSeconds;
    for (const KelpForge::Game::Entity* entity : entityManager.GetEntitiesByType(CaveFormEntity::sEntityType))
    {
        if (static_cast<const CaveFormEntity*>(entity)->IsCrossedBy(flight.position, result.position))
        {
            result.isFlying = false;
            KelpForge::Audio::theAudioManager.PlayEvent(kAudioTableName, kArrowHitGroundEvent);
        }
    }
    return result;
}

bool IsBeyondRemovalBounds(const Vector2& position)
{
    return position.x > kRightRemovalBound || position.y > kBottomRemovalBound ||
           position.x < kLeftRemovalBound;
}

float AngleFromUp(const Vector2& direction)
{
    // A normalised vector can come out a hair longer than 1, which acos would turn into NaN.
    float radians = std::acos(std::clamp(-direction.y, -1.0f, 1.0f));
    if (direction.x < 0.0f)
    {
        radians = std::fabs(radians - 2.0f * kPi);
    }
    return radians * 180.0f / kPi;
}

Vector2 NormalizedDirection(const Vector2& direction)
{
    const float length = direction.Length();
    return length > kDirectionLengthThreshold ? direction / length : Vector2();
}

} // namespace Gloamshot
