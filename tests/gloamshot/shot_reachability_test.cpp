#include "gloamshot/shot_reachability.hpp"

#include "entity_list.hpp"
#include "support/kf_error_recorder.hpp"
#include "support/kf_test_files.hpp"

#include "gloamshot/archer_entity.hpp"
#include "gloamshot/arrow_flight.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

using KelpForge::Math::Vector2;
using namespace Gloamshot;
using namespace Gloamshot::Testing;

namespace
{

const Vector2 kShootingPoint(200.0f, 500.0f);
const Shot kTestShot{6, 2};

// Where the test shot is after 60 steps in the open.
Vector2 PointOnTheTestShot()
{
    EntityList noWalls;
    ArrowFlight flight{
        kShootingPoint,
        DirectionFromAimIndex(kTestShot.aimIndex) * ArrowSpeedFromPowerLevel(kTestShot.powerLevel), true};
    for (int step = 0; step < 60; ++step)
    {
        flight = StepArrowFlight(flight, noWalls);
    }
    return flight.position;
}

LevelObject Target(LevelObjectType type, const Vector2& position)
{
    return LevelObject{type, position, {}};
}

// A closed square of walls, 100 units a side, around centre.
LevelObject SquareAround(const Vector2& centre)
{
    const std::vector<Vector2> corners = {centre + Vector2(-50, -50), centre + Vector2(50, -50),
                                          centre + Vector2(50, 50), centre + Vector2(-50, 50),
                                          centre + Vector2(-50, -50)};
    return LevelObject{LevelObjectType::kCave, centre, corners};
}

// The shots that touch the object at objectIndex.
std::vector<Shot> ShotsTouching(const std::vector<ShotOutcome>& outcomes, std::size_t objectIndex)
{
    std::vector<Shot> shots;
    for (const ShotOutcome& outcome : outcomes)
    {
        if (std::any_of(outcome.touches.begin(), outcome.touches.end(),
                        [objectIndex](const TargetTouch& touch) { return touch.objectIndex == objectIndex; }))
        {
            shots.push_back(outcome.shot);
        }
    }
    return shots;
}

const std::string kShippedData = std::string(KF_SOURCE_DIR) + "/data/";

} // namespace

TEST(ShotReachabilityTest, EverySpiderOfTheShippedLevelCanBeHitAndNoneStartsInTheArchersLight)
{
    const Vector2 shootingPoint = ShootingPointFromSpriteSheet(kShippedData + "gloamshot_sprite_sheet.json");
    const LevelDescription level = ReadLevelFile(kShippedData + "gloam_cave_01.json");
    const std::vector<ShotOutcome> outcomes = FlyEveryShot(level, shootingPoint);
    ASSERT_EQ(outcomes.size(), 60u);

    std::size_t spiders = 0;
    for (std::size_t index = 0; index < level.objects.size(); ++index)
    {
        const LevelObject& object = level.objects[index];
        if (object.type == LevelObjectType::kCave)
        {
            continue;
        }
        spiders += object.type == LevelObjectType::kSpider ? 1 : 0;
        EXPECT_FALSE(ShotsTouching(outcomes, index).empty())
            << "no shot reaches the target at (" << object.position.x << ", " << object.position.y << ")";
        // The archer's light has radius 256 about the bow; a spider's hit circle has radius 32.
        EXPECT_TRUE(object.type == LevelObjectType::kLantern ||
                    (object.position - shootingPoint).Length() > 256.0f + 32.0f)
            << "the spider at (" << object.position.x << ", " << object.position.y << ") starts in the light";
    }
    EXPECT_GE(spiders, 5u);
}

TEST(ShotReachabilityTest, TargetsInTheOpenAreTouchedAndSealedOrBehindOnesAreNot)
{
    const Vector2 open = PointOnTheTestShot();
    const Vector2 sealed(900.0f, 300.0f);
    const Vector2 behind(100.0f, 300.0f);
    LevelDescription level;
    level.objects = {Target(LevelObjectType::kLantern, open), SquareAround(sealed),
                     Target(LevelObjectType::kSpider, sealed), Target(LevelObjectType::kSpider, behind)};

    std::vector<ShotOutcome> outcomes = FlyEveryShot(level, kShootingPoint);

    ASSERT_EQ(outcomes.size(), 60u);
    EXPECT_EQ(outcomes[6 * 5 + 2].shot, kTestShot);
    const std::vector<TargetTouch>& touches = outcomes[6 * 5 + 2].touches;
    ASSERT_FALSE(touches.empty());
    EXPECT_EQ(touches.front().objectIndex, 0u);
    // Touching from 40 units away (8 + 32), the test shot reaches the lantern a few steps early.
    EXPECT_GE(touches.front().step, 50u);
    EXPECT_LE(touches.front().step, 60u);
    EXPECT_TRUE(ShotsTouching(outcomes, 2).empty())
        << ShotsTouching(outcomes, 2).size() << " shots pass the walls";
    EXPECT_TRUE(ShotsTouching(outcomes, 3).empty());
    // Some shots stick in the square, the rest leave the world.
    const auto stuck = std::count_if(outcomes.begin(), outcomes.end(),
                                     [](const ShotOutcome& outcome) { return outcome.endsInWall; });
    EXPECT_GT(stuck, 0);
    EXPECT_LT(stuck, 60);
    for (const ShotOutcome& outcome : outcomes)
    {
        EXPECT_EQ(outcome.endsInWall, (outcome.endPosition - sealed).Length() < 80.0f);
    }

    // Without its walls the sealed spider is in reach.
    level.objects.erase(level.objects.begin() + 1);
    outcomes = FlyEveryShot(level, kShootingPoint);
    EXPECT_FALSE(ShotsTouching(outcomes, 1).empty());
}

TEST(ShotReachabilityTest, EveryShotHasAWholePixelReleasePointInTheMiddleOfItsPowerBand)
{
    for (const Vector2 shootingPoint : {kShootingPoint, Vector2(133.3f, 511.6f)})
    {
        for (std::uint8_t aim = 0; aim < kAimAngleCount; ++aim)
        {
            for (std::uint8_t power = 0; power < kPowerLevelCount; ++power)
            {
                SCOPED_TRACE(testing::Message() << "aim " << int(aim) << ", power " << int(power));
                const std::optional<Vector2> release = ReleasePointOfShot(Shot{aim, power}, shootingPoint);
                ASSERT_TRUE(release.has_value());
                EXPECT_EQ(release->x, std::round(release->x));
                EXPECT_EQ(release->y, std::round(release->y));
                EXPECT_NEAR((shootingPoint - *release).Length(), (power + 0.5f) * kPowerLevelStep, 0.75f);
                // The pull points from the mouse to the bow: aim 0 pulls downwards, so the arrow flies up.
                if (aim == 0)
                {
                    EXPECT_GT(release->y, shootingPoint.y);
                }
            }
        }
    }
}

TEST(ShotReachabilityTest, ASheetWithoutArcherIsReported)
{
    KelpForge::Testing::ScratchWorkingDirectory folder;
    KelpForge::Testing::WriteFile("sheet.json",
                                  R"({"sprites": [{"name": "bow", "width": 10, "height": 10}]})");
    KelpForge::Testing::ErrorRecorder recorder;
    static_cast<void>(ShootingPointFromSpriteSheet("sheet.json"));
    ASSERT_EQ(recorder.Messages().size(), 1u);
    EXPECT_EQ(recorder.Messages()[0], "kfDataError: Sprite sheet has no sprite \"archer\": sheet.json");
}
