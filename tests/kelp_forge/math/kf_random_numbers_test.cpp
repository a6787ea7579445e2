#include "kelp_forge/math/kf_random_numbers.hpp"
#include "support/kf_error_recorder.hpp"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using KelpForge::Math::RandomFloat;
using KelpForge::Math::RandomInt;
using KelpForge::Testing::ErrorRecorder;

namespace
{
std::vector<unsigned int> DrawOnFreshThread(unsigned int count)
{
    std::vector<unsigned int> values;
    std::thread drawer(
        [&values, count]
        {
            for (unsigned int i = 0; i < count; ++i)
            {
                values.push_back(RandomInt());
            }
        });
    drawer.join();
    return values;
}
} // namespace

TEST(RandomNumbersTest, AFreshThreadStartsTheClassicSequence)
{
    EXPECT_EQ(DrawOnFreshThread(5), (std::vector<unsigned int>{41, 18467, 6334, 26500, 19169}));
}

TEST(RandomNumbersTest, EachThreadHasItsOwnState)
{
    const unsigned int firstOnThisThread = RandomInt();
    RandomInt();
    EXPECT_EQ(DrawOnFreshThread(1), std::vector<unsigned int>{firstOnThisThread});
}

TEST(RandomNumbersTest, ValuesStayWithinFifteenBitsAndFloatsBelowOne)
{
    for (int i = 0; i < 100000; ++i)
    {
        EXPECT_LE(RandomInt(), 32767u);
        const float value = RandomFloat();
        ASSERT_GE(value, 0.0f);
        ASSERT_LT(value, 1.0f);
    }
}

TEST(RandomNumbersTest, EqualBoundsReturnThatBoundSilently)
{
    ErrorRecorder recorder;
    EXPECT_EQ(RandomFloat(2.0f, 2.0f), 2.0f);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(RandomNumbersTest, ReversedBoundsReportAndStillReturnAValueBetweenThem)
{
    ErrorRecorder recorder;
    for (int i = 0; i < 100; ++i)
    {
        const float value = RandomFloat(3.0f, 2.0f);
        EXPECT_GE(value, 2.0f);
        EXPECT_LE(value, 3.0f);
    }
    ASSERT_EQ(recorder.Messages().size(), 100u);
    EXPECT_EQ(recorder.Messages().front(),
              "kfExternalError: Expected minimumValue to be less than maximumValue.");
}

TEST(RandomNumbersTest, RangedFloatsFollowTheRawSequence)
{
    std::vector<float> ranged;
    std::thread drawer(
        [&ranged]
        {
            ranged.push_back(RandomFloat(10.0f, 20.0f));
            ranged.push_back(RandomFloat());
        });
    drawer.join();
    EXPECT_FLOAT_EQ(ranged[0], 41.0f / 32768.0f * 10.0f + 10.0f);
    EXPECT_FLOAT_EQ(ranged[1], 18467.0f / 32768.0f);
}
