#include "shot_reachability.hpp"

#include "gloamshot/archer_entity.hpp"
#include "gloamshot/arrow_flight.hpp"

#include "kelp_forge/core/kf_json_parser.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using KelpForge::Math::Vector2;
using namespace Gloamshot;
using namespace Gloamshot::Testing;

namespace
{

const Vector2 kShootingPoint(200.0f, 500.0f);

// Where shot (aim 6, power 2) is after 60 steps in the open.
Vector2 PointOnTheTestShot()
{
    EntityList noWalls;
    ArrowFlight flight{kShootingPoint, DirectionFromAimIndex(6) * ArrowSpeedFromPowerLevel(2), true};
    for (int step = 0; step < 60; ++step)
    {
        flight = StepArrowFlight(flight, noWalls);
    }
    return flight.position;
}

LevelObject Spider(const Vector2& position)
{
    return LevelObject{LevelObjectType::kSpider, position, {}};
}

// A closed square of walls, 100 units a side, around centre.
LevelObject SquareAround(const Vector2& centre)
{
    const std::vector<Vector2> corners = {centre + Vector2(-50, -50), centre + Vector2(50, -50),
                                          centre + Vector2(50, 50), centre + Vector2(-50, 50),
                                          centre + Vector2(-50, -50)};
    return LevelObject{LevelObjectType::kCave, centre, corners};
}

const std::string kShippedData = std::string(KF_SOURCE_DIR) + "/data/";

// The bow's pivot, placed by the size of the archer picture in the shipped sprite sheet.
Vector2 ShippedShootingPoint()
{
    const KelpForge::Core::DynamicStructure sheet =
        KelpForge::Core::LoadJsonFile(kShippedData + "gloamshot_sprite_sheet.json");
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
    ADD_FAILURE() << "the shipped sprite sheet has no archer";
    return kArcherStartPosition;
}

} // namespace

TEST(ShotReachabilityTest, EverySpiderOfTheShippedLevelCanBeHitAndNoneStartsInTheArchersLight)
{
    const Vector2 shootingPoint = ShippedShootingPoint();
    const LevelDescription level = ReadLevelFile(kShippedData + "gloam_cave_01.json");
    std::vector<Vector2> spiders;
    for (const LevelObject& object : level.objects)
    {
        if (object.type == LevelObjectType::kSpider)
        {
            spiders.push_back(object.position);
        }
    }
    ASSERT_GE(spiders.size(), 5u);

    const std::vector<std::vector<Shot>> hits = FindShotsHittingSpiders(level, shootingPoint);
    ASSERT_EQ(hits.size(), spiders.size());
    for (std::size_t spider = 0; spider < spiders.size(); ++spider)
    {
        EXPECT_FALSE(hits[spider].empty())
            << "no shot reaches the spider at (" << spiders[spider].x << ", " << spiders[spider].y << ")";
        // The archer's light has radius 256 about the bow; a spider's hit circle has radius 32.
        EXPECT_GT((spiders[spider] - shootingPoint).Length(), 256.0f + 32.0f)
            << "the spider at (" << spiders[spider].x << ", " << spiders[spider].y << ") starts in the light";
    }
}

TEST(ShotReachabilityTest, SpidersInTheOpenAreHitAndSealedOrBehindOnesAreNot)
{
    const Vector2 open = PointOnTheTestShot();
    const Vector2 sealed(900.0f, 300.0f);
    const Vector2 behind(100.0f, 300.0f);
    LevelDescription level;
    level.objects = {Spider(open), SquareAround(sealed), Spider(sealed), Spider(behind)};

    const std::vector<std::vector<Shot>> hits = FindShotsHittingSpiders(level, kShootingPoint);

    ASSERT_EQ(hits.size(), 3u);
    EXPECT_NE(std::find(hits[0].begin(), hits[0].end(), Shot{6, 2}), hits[0].end());
    EXPECT_TRUE(hits[1].empty()) << hits[1].size() << " shots pass the walls";
    EXPECT_TRUE(hits[2].empty());

    // Without its walls the sealed spider is in reach.
    level.objects.erase(level.objects.begin() + 1);
    EXPECT_FALSE(FindShotsHittingSpiders(level, kShootingPoint)[1].empty());
}
