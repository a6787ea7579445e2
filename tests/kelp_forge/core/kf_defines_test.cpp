#include "kelp_forge/core/kf_defines.hpp"
#include "support/kf_error_recorder.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <type_traits>

using KelpForge::Core::RangedCast;
using KelpForge::Testing::ErrorRecorder;

namespace
{
const char* const kCastMessage = "kfCastingError: Value is outside the range of the following cast.";

struct Resource : private KelpForge::Core::Noncopyable
{
};
static_assert(!std::is_copy_constructible_v<Resource>);
static_assert(!std::is_copy_assignable_v<Resource>);
} // namespace

TEST(RangedCastTest, ValuesAtTheLimitsPassSilently)
{
    ErrorRecorder recorder;
    EXPECT_EQ(RangedCast<uint16_t>(65535), 65535);
    EXPECT_EQ(RangedCast<uint16_t>(0), 0);
    EXPECT_EQ(RangedCast<int32_t>(int64_t{-2147483648LL}), INT32_MIN);
    EXPECT_EQ(RangedCast<uint8_t>(255.0f), 255);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(RangedCastTest, ValuesOutsideTheRangeReportAndStillConvert)
{
    ErrorRecorder recorder;
    EXPECT_EQ(RangedCast<uint16_t>(65536), 0);
    EXPECT_EQ(RangedCast<uint16_t>(-1), 65535);
    EXPECT_EQ(RangedCast<uint32_t>(int64_t{1} << 40), 0u);
    EXPECT_EQ(RangedCast<int32_t>(3.0e10), INT32_MAX);
    ASSERT_EQ(recorder.Messages().size(), 4u);
    for (const std::string& message : recorder.Messages())
    {
        EXPECT_EQ(message, kCastMessage);
    }
}
