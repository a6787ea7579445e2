#include "gloamshot/arrow_flight.hpp"

#include "entity_list.hpp"
#include "gloamshot/arrow_entity.hpp"
#include "gloamshot/cave_form_entity.hpp"
#include "support/kf_error_recorder.hpp"

#include "kelp_forge/game/kf_game_timer.hpp"

#include <gtest/gtest.h>

using Gloamshot::Testing::EntityList;
using KelpForge::Game::GameTimer;
using KelpForge::Math::Vector2;
using namespace Gloamshot;

TEST(ArrowFlightTest, GravityIsAddedBeforeEachMove)
{
    EntityList noWalls;
    ArrowFlight flight{Vector2(100.0f, 100.0f), Vector2(400.0f, 0.0f), true};
    flight = StepArrowFlight(flight, noWalls);
    EXPECT_EQ(flight.velocity, Vector2(400.0f, 3.1999998f));
    EXPECT_NEAR(flight.position.x, 104.0f, 1e-4f);
    EXPECT_NEAR(flight.position.y, 100.032f, 1e-4f);

    // After n steps the fall is 0.032 x (1 + 2 + ... + n).
    for (int step = 2; step <= 100; ++step)
    {
        flight = StepArrowFlight(flight, noWalls);
    }
    EXPECT_NEAR(flight.velocity.y, 320.0f, 1e-3f);
    EXPECT_NEAR(flight.position.y, 100.0f + 0.032f * 5050.0f, 1e-2f);
    EXPECT_TRUE(flight.isFlying);
}

TEST(ArrowFlightTest, APathThatCrossesAWallStopsAtItsEndAndPlaysOncePerWall)
{
    EntityList walls;
    walls.AddEntity(new CaveFormEntity({Vector2(102.0f, 0.0f), Vector2(102.0f, 200.0f)}));
    walls.AddEntity(new CaveFormEntity({Vector2(103.0f, 0.0f), Vector2(103.0f, 200.0f)}));
    KelpForge::Testing::ErrorRecorder recorder;

    const ArrowFlight stuck = StepArrowFlight({Vector2(100.0f, 100.0f), Vector2(400.0f, 0.0f), true}, walls);
    EXPECT_FALSE(stuck.isFlying);
    EXPECT_NEAR(stuck.position.x, 104.0f, 1e-4f);
    // No audio table is loaded here, so each play of "arrow_hit_ground" is reported.
    const std::string noTable =
        "kfExternalError: No audio table with name \"audio_events\" exists, was it loaded or misspelled?";
    EXPECT_EQ(recorder.Messages(), (std::vector<std::string>{noTable, noTable}));

    const ArrowFlight after = StepArrowFlight(stuck, walls);
    EXPECT_EQ(after.position, stuck.position);
    EXPECT_EQ(after.velocity, stuck.velocity);
    EXPECT_EQ(recorder.Messages().size(), 2u);
}

TEST(ArrowFlightTest, OnlyTheRightLeftAndBottomBoundsRemove)
{
    const struct
    {
        Vector2 position;
        bool isBeyond;
    } cases[] = {{Vector2(1380.0f, 0.0f), false},   {Vector2(1380.1f, 0.0f), true},
                 {Vector2(-100.0f, 0.0f), false},   {Vector2(-100.1f, 0.0f), true},
                 {Vector2(640.0f, 820.0f), false},  {Vector2(640.0f, 820.1f), true},
                 {Vector2(640.0f, -5000.0f), false}};
    for (const auto& testCase : cases)
    {
        EXPECT_EQ(IsBeyondRemovalBounds(testCase.position), testCase.isBeyond)
            << testCase.position.x << ", " << testCase.position.y;
    }
}

TEST(ArrowFlightTest, TheGlowEasesFrom128To16OverTheLastTwoSeconds)
{
    const struct
    {
        unsigned int milliseconds;
        float radius;
    } cases[] = {{3000, 128.0f}, {2000, 128.0f}, {1000, 72.0f}, {500, 33.5f}, {0, 16.0f}};
    for (const auto& testCase : cases)
    {
        EXPECT_NEAR(ArrowLightRadius(GameTimer(testCase.milliseconds)), testCase.radius, 1e-4f)
            << testCase.milliseconds << " ms";
    }
}
