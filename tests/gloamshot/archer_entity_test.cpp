#include "gloamshot/archer_entity.hpp"

#include "gloamshot/arrow_flight.hpp"

#include <gtest/gtest.h>

#include <cmath>

using KelpForge::Math::Vector2;
using namespace Gloamshot;

namespace
{

Vector2 AtAngle(float degrees)
{
    const float radians = degrees * 3.1415927f / 180.0f;
    return Vector2(std::sin(radians), -std::cos(radians));
}

} // namespace

TEST(AimTableTest, EachBandOfAnglesFromUpGivesItsIndex)
{
    const std::pair<float, int> bands[] = {{0.0f, 0},  {7.9f, 0},    {7.93f, 1},
                                           {46.0f, 5}, {87.05f, 10}, {87.1f, 11}};
    for (const auto& [angle, index] : bands)
    {
        EXPECT_EQ(AimIndexFromDirection(AtAngle(angle)), index) << "angle " << angle;
    }
    // Rightward, downward, leftward and no pull at all aim as low as the table goes.
    for (const Vector2 direction :
         {Vector2(1.0f, 0.0f), Vector2(0.0f, 1.0f), Vector2(-1.0f, -0.1f), Vector2()})
    {
        EXPECT_EQ(AimIndexFromDirection(direction), 11) << direction.x << ", " << direction.y;
    }
    // A unit vector a hair too long still reads as straight up.
    EXPECT_EQ(AimIndexFromDirection(Vector2(0.0f, -1.0000001f)), 0);
    // Each index stands for the angle 15 degrees past the start of its band.
    for (std::uint8_t index = 0; index < kAimAngleCount; ++index)
    {
        EXPECT_NEAR(AngleFromUp(DirectionFromAimIndex(index)), 15.0f + index * 95.0f / 12.0f, 1e-3f);
        EXPECT_NEAR(DirectionFromAimIndex(index).Length(), 1.0f, 1e-6f);
    }
}

TEST(PowerTableTest, EveryThirtySixUnitsOfPullIsOneLevelUpToTheLast)
{
    const struct
    {
        float distance;
        int level;
        float speed;
    } cases[] = {{0.0f, 0, 400.0f},   {35.9f, 0, 400.0f},  {36.0f, 1, 464.0f},  {107.9f, 2, 528.0f},
                 {108.0f, 3, 592.0f}, {144.0f, 4, 656.0f}, {5000.0f, 4, 656.0f}};
    for (const auto& testCase : cases)
    {
        const std::uint8_t level = PowerLevelFromDistance(testCase.distance);
        EXPECT_EQ(level, testCase.level) << "distance " << testCase.distance;
        EXPECT_EQ(ArrowSpeedFromPowerLevel(level), testCase.speed);
    }
}
