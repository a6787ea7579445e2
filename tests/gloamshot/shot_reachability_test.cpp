#include "shot_reachability.hpp"

#include "gloamshot/archer_entity.hpp"
#include "gloamshot/arrow_flight.hpp"

#include <gtest/gtest.h>

#include <algorithm>

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

} // namespace

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
