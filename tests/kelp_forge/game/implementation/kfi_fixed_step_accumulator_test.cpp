#include "kelp_forge/game/implementation/kfi_fixed_step_accumulator.hpp"

#include <gtest/gtest.h>

using kfImplementation::FixedStepAccumulator;

namespace
{

unsigned int RunFrame(FixedStepAccumulator& accumulator, double frameSeconds)
{
    accumulator.AddFrameTime(FixedStepAccumulator::CapFrameTime(frameSeconds));
    unsigned int steps = 0;
    while (accumulator.TakeStep())
    {
        ++steps;
    }
    return steps;
}

constexpr float kTolerance = 1e-6f;

} // namespace

TEST(FixedStepAccumulatorTest, A25MillisecondFrameRunsTwoStepsAndKeeps5Milliseconds)
{
    FixedStepAccumulator accumulator;
    EXPECT_EQ(RunFrame(accumulator, 0.025), 2u);
    EXPECT_NEAR(accumulator.GetAccumulatedSeconds(), 0.005f, kTolerance);
}

TEST(FixedStepAccumulatorTest, AHalfSecondStallCountsAsATenthAndRunsFiveSteps)
{
    EXPECT_EQ(FixedStepAccumulator::CapFrameTime(0.5), 0.1f);
    FixedStepAccumulator accumulator;
    EXPECT_EQ(RunFrame(accumulator, 0.5), 5u);
    EXPECT_NEAR(accumulator.GetAccumulatedSeconds(), 0.05f, kTolerance);

    // The time left over runs in later frames, still at most five steps each.
    EXPECT_EQ(RunFrame(accumulator, 0.1), 5u);
    EXPECT_NEAR(accumulator.GetAccumulatedSeconds(), 0.1f, kTolerance);
    EXPECT_EQ(RunFrame(accumulator, 0.0), 5u);
    EXPECT_NEAR(accumulator.GetAccumulatedSeconds(), 0.05f, kTolerance);
}

TEST(FixedStepAccumulatorTest, ExactlyOneStepOfTimeRunsNoStepUntilMoreArrives)
{
    FixedStepAccumulator accumulator;
    EXPECT_EQ(RunFrame(accumulator, 0.01), 0u);
    EXPECT_EQ(RunFrame(accumulator, 0.0), 0u);
    EXPECT_EQ(RunFrame(accumulator, 0.001), 1u);
    EXPECT_NEAR(accumulator.GetAccumulatedSeconds(), 0.001f, kTolerance);
}

TEST(FixedStepAccumulatorTest, ResetDropsTheTimeLeftOver)
{
    FixedStepAccumulator accumulator;
    EXPECT_EQ(RunFrame(accumulator, 0.019), 1u);
    accumulator.Reset();
    EXPECT_EQ(accumulator.GetAccumulatedSeconds(), 0.0f);
    EXPECT_EQ(RunFrame(accumulator, 0.015), 1u);
}

TEST(FixedStepAccumulatorTest, NegativeFrameTimesCountAsZero)
{
    EXPECT_EQ(FixedStepAccumulator::CapFrameTime(-1.0), 0.0f);
    EXPECT_EQ(FixedStepAccumulator::CapFrameTime(0.0999), 0.0999f);
}
