#include "kelp_forge/game/kf_frame_clock.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using KelpForge::Game::FrameClock;

TEST(FrameClockTest, UpdateMeasuresTheTimeSinceThePreviousUpdate)
{
    FrameClock::InitializeTimer();
    FrameClock clock;
    clock.Start();
    EXPECT_GE(clock.GetDeltaTime(), 0.0);
    EXPECT_LT(clock.GetDeltaTime(), 0.5);

    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    clock.Update();
    EXPECT_GE(clock.GetDeltaTime(), 0.020);
    EXPECT_LT(clock.GetDeltaTime(), 5.0);

    clock.Update();
    EXPECT_GE(clock.GetDeltaTime(), 0.0);
    EXPECT_LT(clock.GetDeltaTime(), 0.020);
}

TEST(FrameClockTest, StartMeasuresFromTheLatestReadingOfAnyClock)
{
    FrameClock::InitializeTimer();
    FrameClock first;
    first.Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
    FrameClock second;
    second.Start();
    EXPECT_GE(second.GetDeltaTime(), 0.015);
}
