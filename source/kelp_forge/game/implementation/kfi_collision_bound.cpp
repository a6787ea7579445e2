#include "kelp_forge/game/implementation/kfi_collision_bound.hpp"

#include <cmath>

namespace kfImplementation
{
namespace
{

// Relative widening; float rounding is about 6e-8 of the values involved.
constexpr float kSlack = 1e-5f;

} // namespace

CollisionBound CollisionBound::Around(const KelpForge::Math::Vector2& position, float reach,
                                      const KelpForge::Math::Vector2& lowerCorner,
                                      const KelpForge::Math::Vector2& upperCorner, bool isCollidable)
{
    // The rounding of the exact test grows with the coordinates, so the widening does too.
    const float slack = kSlack * (std::fabs(position.x) + std::fabs(position.y) + reach + 1.0f);
    const KelpForge::Math::Vector2 widening(slack, slack);
    CollisionBound bound;
    bound.position = position;
    bound.reach = reach + slack;
    bound.lower = position + lowerCorner - widening;
    bound.upper = position + upperCorner + widening;
    bound.isCollidable = isCollidable;
    return bound;
}

} // namespace kfImplementation
