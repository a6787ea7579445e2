#include "gloamshot/shot_reachability.hpp"

#include "gloamshot/archer_entity.hpp"
#include "gloamshot/arrow_entity.hpp"
#include "gloamshot/arrow_flight.hpp"
#include "gloamshot/cave_form_entity.hpp"
#include "gloamshot/lantern_entity.hpp"
#include "gloamshot/spider_entity.hpp"

#include "kelp_forge/core/kf_dynamic_structure.hpp"
#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/core/kf_json_parser.hpp"
#include "kelp_forge/game/kf_entity_manager.hpp"
#include "kelp_forge/math/unstable/kfu_bounding_volume.hpp"

#include <algorithm>
#include <cmath>

namespace Gloamshot
{

using KelpForge::Math::BoundingVolume;
using KelpForge::Math::Vector2;

namespace
{

// A plain manager of entities, as the gameplay scene is one without its pictures.
class WallList : public KelpForge::Game::EntityManager
{
};

struct Target
{
    std::size_t objectIndex = 0;
    Vector2 position;
    BoundingVolume circle;
};

std::vector<Target> FindTargets(const LevelDescription& level)
{
    std::vector<Target> targets;
    for (std::size_t index = 0; index < level.objects.size(); ++index)
    {
        const LevelObject& object = level.objects[index];
        if (object.type == LevelObjectType::kSpider)
        {
            targets.push_back(Target{index, object.position, BoundingVolume(kSpiderHitRadius)});
        }
        else if (object.type == LevelObjectType::kLantern)
        {
            targets.push_back(Target{index, object.position, BoundingVolume(kLanternHitRadius)});
        }
    }
    return targets;
}

ShotOutcome FlyShot(const Shot& shot, const Vector2& shootingPoint, const WallList& walls,
                    const std::vector<Target>& targets)
{
    const BoundingVolume arrowCircle(kArrowCollisionRadius);
    ShotOutcome outcome{shot, {}, false, 0, shootingPoint};
    const auto isTouched = [&outcome](const Target& target)
    {
        return std::any_of(outcome.touches.begin(), outcome.touches.end(),
                           [&target](const TargetTouch& touch)
                           { return touch.objectIndex == target.objectIndex; });
    };
    // Gravity grows the downward speed every step, so every flight ends.
    ArrowFlight flight{shootingPoint,
                       DirectionFromAimIndex(shot.aimIndex) * ArrowSpeedFromPowerLevel(shot.powerLevel),
                       true};
    do
    {
        flight = StepArrowFlight(flight, walls);
        ++outcome.steps;
        for (const Target& target : targets)
        {
            if (!isTouched(target) &&
                arrowCircle.IsIntersecting(flight.position, target.circle, target.position))
            {
                outcome.touches.push_back(TargetTouch{target.objectIndex, outcome.steps});
            }
        }
    } while (flight.isFlying && !IsBeyondRemovalBounds(flight.position));
    outcome.endsInWall = !flight.isFlying;
    outcome.endPosition = flight.position;
    return outcome;
}

} // namespace

std::vector<ShotOutcome> FlyEveryShot(const LevelDescription& level, const Vector2& shootingPoint)
{
    WallList walls;
    for (const LevelObject& object : level.objects)
    {
        if (object.type == LevelObjectType::kCave)
        {
            walls.AddEntity(new CaveFormEntity(object.points));
        }
    }
    const std::vector<Target> targets = FindTargets(level);
    std::vector<ShotOutcome> outcomes;
    for (std::uint8_t aim = 0; aim < kAimAngleCount; ++aim)
    {
        for (std::uint8_t power = 0; power < kPowerLevelCount; ++power)
        {
            outcomes.push_back(FlyShot(Shot{aim, power}, shootingPoint, walls, targets));
        }
    }
    return outcomes;
}

std::optional<Vector2> ReleasePointOfShot(const Shot& shot, const Vector2& shootingPoint)
{
    // The pull runs from the mouse to the bow, at an angle counted clockwise from straight up.
    const float radians = (static_cast<float>(shot.aimIndex) + 0.5f) * kAimAngleStep * kPi / 180.0f;
    const float length = (static_cast<float>(shot.powerLevel) + 0.5f) * kPowerLevelStep;
    const Vector2 release(std::round(shootingPoint.x - length * std::sin(radians)),
                          std::round(shootingPoint.y + length * std::cos(radians)));
    const Vector2 pull = shootingPoint - release;
    if (AimIndexFromDirection(NormalizedDirection(pull)) != shot.aimIndex ||
        PowerLevelFromDistance(pull.Length()) != shot.powerLevel)
    {
        return std::nullopt;
    }
    return release;
}

Vector2 ShootingPointFromSpriteSheet(const std::string& spriteSheetFile)
{
    const KelpForge::Core::DynamicStructure sheet = KelpForge::Core::LoadJsonFile(spriteSheetFile);
    const KelpForge::Core::DynamicStructure& sprites = sheet.GetMember("sprites");
    for (std::uint32_t index = 0; index < sprites.Size(); ++index)
    {
        const KelpForge::Core::DynamicStructure& sprite = sprites.GetValue(index);
        if (sprite.GetMember("name").AsString(true) == "archer")
        {
            const auto width =
                static_cast<KelpForge::Graphics::PixelSpace>(sprite.GetMember("width").AsFloat(true));
            const auto height =
                static_cast<KelpForge::Graphics::PixelSpace>(sprite.GetMember("height").AsFloat(true));
            return kArcherStartPosition + BowAnchorOffset(width, height);
        }
    }
    kf_error("kfDataError: Sprite sheet has no sprite \"archer\": %s", spriteSheetFile.c_str());
    return kArcherStartPosition;
}

} // namespace Gloamshot
