#include "kelp_forge/game/kf_game_timer.hpp"
#include "support/kf_error_recorder.hpp"

#include <gtest/gtest.h>

using KelpForge::Game::GameTimer;
using KelpForge::Testing::ErrorRecorder;

TEST(GameTimerTest, DecrementStepCountsDownToZeroAndStaysThere)
{
    GameTimer timer(25);
    EXPECT_FALSE(timer.DecrementStep());
    EXPECT_EQ(timer.GetMilliseconds(), 15u);
    EXPECT_FALSE(timer.DecrementStep());
    EXPECT_EQ(timer.GetMilliseconds(), 5u);
    EXPECT_TRUE(timer.DecrementStep());
    EXPECT_TRUE(timer.IsZero());
    EXPECT_TRUE(timer.DecrementStep());
    EXPECT_TRUE(timer.IsZero());

    GameTimer exactlyOneStep(10);
    EXPECT_TRUE(exactlyOneStep.DecrementStep());
}

TEST(GameTimerTest, IncrementStepCountsUpToTheMaximum)
{
    ErrorRecorder recorder;
    GameTimer timer = GameTimer::Zero();
    const GameTimer maximum(25);
    EXPECT_FALSE(timer.IncrementStep(maximum));
    EXPECT_EQ(timer.GetMilliseconds(), 10u);
    EXPECT_FALSE(timer.IncrementStep(maximum));
    EXPECT_EQ(timer.GetMilliseconds(), 20u);
    EXPECT_TRUE(timer.IncrementStep(maximum));
    EXPECT_EQ(timer.GetMilliseconds(), 25u);
    EXPECT_TRUE(timer.IncrementStep(maximum));
    EXPECT_EQ(timer, maximum);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(GameTimerTest, IncrementStepTowardAMaximumShorterThanAStepReportsAndEnds)
{
    ErrorRecorder recorder;
    GameTimer timer = GameTimer::Zero();
    EXPECT_TRUE(timer.IncrementStep(GameTimer(5)));
    EXPECT_EQ(timer.GetMilliseconds(), 5u);
    EXPECT_EQ(
        recorder.Messages(),
        std::vector<std::string>{"kfExternalError: maximumValue must be larger than MillisecondsPerStep."});
}

TEST(GameTimerTest, PercentageIsNotClampedAndRefusesAZeroTime)
{
    ErrorRecorder recorder;
    EXPECT_FLOAT_EQ(GameTimer(50).GetPercentageOf(GameTimer(200)), 0.25f);
    EXPECT_FLOAT_EQ(GameTimer(300).GetPercentageOf(GameTimer(200)), 1.5f);
    EXPECT_TRUE(recorder.Messages().empty());

    EXPECT_EQ(GameTimer(50).GetPercentageOf(GameTimer(0)), 0.0f);
    EXPECT_EQ(recorder.Messages(),
              std::vector<std::string>{"kfExternalError: Expected timeValue to be a non-zero time value."});
}

TEST(GameTimerTest, OneStepIsTenMilliseconds)
{
    EXPECT_FLOAT_EQ(GameTimer::GetSecondsPerStep(), 0.01f);
    EXPECT_LT(GameTimer(10), GameTimer(20));
}
