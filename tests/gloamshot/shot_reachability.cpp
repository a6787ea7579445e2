#include "shot_reachability.hpp"

#include "gloamshot/archer_entity.hpp"
#include "gloamshot/arrow_entity.hpp"
#include "gloamshot/arrow_flight.hpp"
#include "gloamshot/cave_form_entity.hpp"
#include "gloamshot/spider_entity.hpp"

#include "kelp_forge/math/unstable/kfu_bounding_volume.hpp"

namespace Gloamshot::Testing
{

using KelpForge::Math::BoundingVolume;
using KelpForge::Math::Vector2;

std::vector<std::vector<Shot>> FindShotsHittingSpiders(const LevelDescription& level,
                                                       const Vector2& shootingPoint)
{
    EntityList walls;
    std::vector<Vector2> spiders;
    for (const LevelObject& object : level.objects)
    {
        if (object.type == LevelObjectType::kCave)
        {
            walls.AddEntity(new CaveFormEntity(object.points));
        }
        else if (object.type == LevelObjectType::kSpider)
        {
            spiders.push_back(object.position);
        }
    }

    const BoundingVolume arrowCircle(kArrowCollisionRadius);
    const BoundingVolume spiderCircle(kSpiderHitRadius);
    std::vector<std::vector<Shot>> hits(spiders.size());
    for (std::uint8_t aim = 0; aim < kAimAngleCount; ++aim)
    {
        for (std::uint8_t power = 0; power < kPowerLevelCount; ++power)
        {
            const Vector2 velocity = DirectionFromAimIndex(aim) * ArrowSpeedFromPowerLevel(power);
            std::vector<bool> isHit(spiders.size(), false);
            // Gravity grows the downward speed every step, so every flight ends.
            ArrowFlight flight{shootingPoint, velocity, true};
            do
            {
                flight = StepArrowFlight(flight, walls);
                for (std::size_t spider = 0; spider < spiders.size(); ++spider)
                {
                    isHit[spider] = isHit[spider] || arrowCircle.IsIntersecting(flight.position, spiderCircle,
                                                                                spiders[spider]);
                }
            } while (flight.isFlying && !IsBeyondRemovalBounds(flight.position));
            for (std::size_t spider = 0; spider < spiders.size(); ++spider)
            {
                if (isHit[spider])
                {
                    hits[spider].push_back(Shot{aim, power});
                }
            }
        }
    }
    return hits;
}

} // namespace Gloamshot::Testing
