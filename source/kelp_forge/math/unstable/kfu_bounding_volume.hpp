// This interface is not yet stable and may still change.
#ifndef KELP_FORGE_MATH_UNSTABLE_BOUNDING_VOLUME_HPP
#define KELP_FORGE_MATH_UNSTABLE_BOUNDING_VOLUME_HPP

#include "kelp_forge/math/kf_vector2.hpp"

namespace KelpForge::Math
{

// A collision shape without a position: a circle, or a box centred on its position and aligned to
// the axes. Its user places it when testing (an entity at its own position plus the volume's center).
// Sizes are in pixels.
class BoundingVolume
{
public:
    // A circle. A radius of 0 or less is reported and kept.
    explicit BoundingVolume(float radius);
    // A box. A width or height of 0 or less is reported and kept.
    BoundingVolume(float width, float height);

    // A volume is a circle exactly when its second size is not greater than 0.
    [[nodiscard]] bool IsCircle() const { return mSecondSize <= 0.0f; }
    [[nodiscard]] bool IsBox() const { return mSecondSize > 0.0f; }

    // Each reports when asked of the wrong shape, then returns the stored size anyway.
    [[nodiscard]] float GetRadius() const;
    [[nodiscard]] float GetWidth() const;
    [[nodiscard]] float GetHeight() const;

    // Circles that only touch do not intersect; a circle touching a box, or two boxes touching,
    // do.
    [[nodiscard]] bool IsIntersecting(const Vector2& position, const BoundingVolume& other,
                                      const Vector2& otherPosition) const;

private:
    float mFirstSize;  // radius of a circle, width of a box
    float mSecondSize; // -1 for a circle, height of a box
};

} // namespace KelpForge::Math

#endif
