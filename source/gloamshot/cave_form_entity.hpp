#ifndef GLOAMSHOT_CAVE_FORM_ENTITY_HPP
#define GLOAMSHOT_CAVE_FORM_ENTITY_HPP

#include "kelp_forge/game/kf_entity.hpp"
#include "kelp_forge/math/kf_vector2.hpp"

#include <string>
#include <vector>

namespace Gloamshot
{

// An invisible cave wall: an open chain of segments through its points (world units), against
// which flying arrows test their path. The cave's picture is the backdrop; the wall draws nothing
// and never collides.
class CaveFormEntity : public KelpForge::Game::Entity
{
public:
    static inline const std::string sEntityType = "CaveFormEntity";

    explicit CaveFormEntity(const std::vector<KelpForge::Math::Vector2>& points);

    // Whether the segment crosses one of the chain's segments. The last point is not joined back
    // to the first, so a closed outline repeats its first point; fewer than 2 points are never hit.
    [[nodiscard]] bool IsCrossedBy(const KelpForge::Math::Vector2& segmentStart,
                                   const KelpForge::Math::Vector2& segmentEnd) const;

private:
    std::vector<KelpForge::Math::Vector2> mPoints;
};

// Whether segment a0-a1 crosses segment b0-b1; touching an end point counts. Parallel and
// degenerate segments never cross, even where they overlap.
[[nodiscard]] bool SegmentsIntersect(const KelpForge::Math::Vector2& a0, const KelpForge::Math::Vector2& a1,
                                     const KelpForge::Math::Vector2& b0, const KelpForge::Math::Vector2& b1);

} // namespace Gloamshot

#endif
