#ifndef GLOAMSHOT_ARROW_FLIGHT_HPP
#define GLOAMSHOT_ARROW_FLIGHT_HPP

// An arrow's flight as plain values, stepped without any picture: the arrow entity and the tests
// that fly every possible shot over a level share it.

#include "kelp_forge/game/kf_entity_manager.hpp"
#include "kelp_forge/math/kf_vector2.hpp"

namespace Gloamshot
{

struct ArrowFlight
{
    KelpForge::Math::Vector2 position; // world units
    KelpForge::Math::Vector2 velocity; // world units per second
    bool isFlying = true;
};

// Downward speed gained per 10 ms step: 320 units per second squared, as the float 320 x 0.01 is.
inline constexpr float kGravityPerStep = 3.1999998f;
inline constexpr float kStepSeconds = 0.01f;
// Angles convert to and from radians with this value of pi.
inline constexpr float kPi = 3.1415927f;
// Shorter vectors are not normalised: they count as the zero direction.
inline constexpr float kDirectionLengthThreshold = 0.00001f;

// One step: gravity first, then the move; a move whose path crosses a cave wall (an entity of type
// "CaveFormEntity" in entityManager) stops the arrow at the end of that path, and every wall
// crossed plays "arrow_hit_ground". A stopped flight is returned unchanged.
[[nodiscard]] ArrowFlight StepArrowFlight(const ArrowFlight& flight,
                                          const KelpForge::Game::EntityManager& entityManager);

// Whether an arrow there has left the world for good: there is no bound above the screen, since
// an arrow that rises out of sight falls back.
[[nodiscard]] bool IsBeyondRemovalBounds(const KelpForge::Math::Vector2& position);

// Degrees clockwise from straight up in the y-down world, 0 to 360: right is 90, down 180, left
// 270. The zero vector gives 90.
[[nodiscard]] float AngleFromUp(const KelpForge::Math::Vector2& direction);

// direction with length 1, or the zero vector when it is not longer than the threshold.
[[nodiscard]] KelpForge::Math::Vector2 NormalizedDirection(const KelpForge::Math::Vector2& direction);

} // namespace Gloamshot

#endif
