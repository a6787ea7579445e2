#include "kelp_forge/game/kf_frame_clock.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using KelpForge::Game::FrameClock;

namespace
{

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

TEST(FrameClockTest, UpdateMeasuresTheTimeSinceThePreviousUpdate)
{
    // Upper bounds come from the wall clock around the calls, so a busy machine cannot break them.
    const auto beforeStart = Clock::now();
    FrameClock::InitializeTimer();
    FrameClock clock;
    clock.Start();
    EXPECT_GE(clock.GetDeltaTime(), 0.0);
    EXPECT_LE(clock.GetDeltaTime(), SecondsSince(beforeStart));

    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const auto beforeFirstUpdate = Clock::now();
    clock.Update();
    EXPECT_GE(clock.GetDeltaTime(), 0.020);
    EXPECT_LE(clock.GetDeltaTime(), SecondsSince(beforeStart));

    clock.Update();
    EXPECT_GE(clock.GetDeltaTime(), 0.0);
    EXPECT_LE(clock.GetDeltaTime(), SecondsSince(beforeFirstUpdate)) << "measured from the previous Update";
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
