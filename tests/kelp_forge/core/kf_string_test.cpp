#include "kelp_forge/core/kf_string.hpp"
#include "support/kf_error_recorder.hpp"

#include <gtest/gtest.h>

#include <limits>

using KelpForge::Core::FromString;
using KelpForge::Core::ToString;
using KelpForge::Testing::ErrorRecorder;

TEST(FromStringTest, ReadsOneIntegerFromTheFront)
{
    ErrorRecorder recorder;
    EXPECT_EQ(FromString<std::int64_t>("12abc"), 12);
    EXPECT_EQ(FromString<std::int64_t>(" \t42"), 42);
    EXPECT_EQ(FromString<std::int64_t>("-7"), -7);
    EXPECT_EQ(FromString<std::int64_t>("+8"), 8);
    EXPECT_EQ(FromString<std::int64_t>("3.9"), 3);
    EXPECT_EQ(FromString<std::int64_t>("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(FromString<std::int64_t>("99999999999999999999"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(FromString<std::int64_t>("-99999999999999999999"), std::numeric_limits<std::int64_t>::min());
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(FromStringTest, ReadsOneFloatFromTheFront)
{
    ErrorRecorder recorder;
    EXPECT_FLOAT_EQ(FromString<float>("0.5"), 0.5f);
    EXPECT_FLOAT_EQ(FromString<float>("  -2.5x"), -2.5f);
    EXPECT_FLOAT_EQ(FromString<float>("1e3"), 1000.0f);
    EXPECT_FLOAT_EQ(FromString<float>("7"), 7.0f);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(FromStringTest, TextWithoutANumberGivesZero)
{
    ErrorRecorder recorder;
    EXPECT_EQ(FromString<std::int64_t>("abc"), 0);
    EXPECT_EQ(FromString<float>("x1"), 0.0f);
    EXPECT_EQ(FromString<std::int64_t>("   "), 0);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(FromStringTest, EmptyTextIsReported)
{
    ErrorRecorder recorder;
    EXPECT_EQ(FromString<std::int64_t>(""), 0);
    EXPECT_EQ(FromString<float>(""), 0.0f);
    EXPECT_EQ(recorder.Messages(),
              std::vector<std::string>(
                  2, "Invalid value for parameter: input, expected valid, non-empty, string."));
}

TEST(ToStringTest, IntegersAreDecimalWithoutGrouping)
{
    EXPECT_EQ(ToString(std::int64_t{-5}), "-5");
    EXPECT_EQ(ToString(std::int64_t{1234567}), "1234567");
    EXPECT_EQ(ToString(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

TEST(ToStringTest, FloatsHaveSixSignificantDigitsWithoutTrailingZeros)
{
    EXPECT_EQ(ToString(1.0f), "1");
    EXPECT_EQ(ToString(0.25f), "0.25");
    EXPECT_EQ(ToString(0.1f), "0.1");
    EXPECT_EQ(ToString(10000000.0f), "1e+07");
    EXPECT_EQ(ToString(123456.0f), "123456");
    EXPECT_EQ(ToString(1234567.0f), "1.23457e+06");
    EXPECT_EQ(ToString(0.0001f), "0.0001");
    EXPECT_EQ(ToString(0.00001f), "1e-05");
    EXPECT_EQ(ToString(-2.5f), "-2.5");
}
