#ifndef KELP_FORGE_GAME_IMPLEMENTATION_COLLISION_BOUND_HPP
#define KELP_FORGE_GAME_IMPLEMENTATION_COLLISION_BOUND_HPP

#include "kelp_forge/math/kf_vector2.hpp"

namespace kfImplementation
{

// What the collision pass knows of an entity without reading it: a circle and a box, both around
// all of its volumes, and its switch. Both are widened past the rounding of the exact test, so two
// bounds that do not overlap belong to entities that the exact test finds apart.
struct CollisionBound
{
    // reach is the radius of the circle about position; the corners are relative to position.
    static CollisionBound Around(const KelpForge::Math::Vector2& position, float reach,
                                 const KelpForge::Math::Vector2& lowerCorner,
                                 const KelpForge::Math::Vector2& upperCorner, bool isCollidable);

    KelpForge::Math::Vector2 position;
    float reach = 0.0f;
    KelpForge::Math::Vector2 lower;
    KelpForge::Math::Vector2 upper;
    bool isCollidable = false;
};

// False only when both are collidable and certainly apart. Comparisons are written so that a NaN
// (an entity placed at a NaN) counts as overlapping: the exact test of two boxes finds such
// entities colliding.
[[nodiscard]] inline bool MayOverlap(const CollisionBound& first, const CollisionBound& second)
{
    // One branch for the boxes and switches rather than six: which way it goes is hard to foretell.
    const bool isApart =
        static_cast<int>(first.lower.x > second.upper.x) | static_cast<int>(second.lower.x > first.upper.x) |
        static_cast<int>(first.lower.y > second.upper.y) | static_cast<int>(second.lower.y > first.upper.y) |
        static_cast<int>(!first.isCollidable) | static_cast<int>(!second.isCollidable);
    if (isApart)
    {
        return false;
    }
    const float reach = first.reach + second.reach;
    return !((second.position - first.position).LengthSquared() > reach * reach);
}

} // namespace kfImplementation

#endif
