#include "gloamshot/cave_form_entity.hpp"

#include <gtest/gtest.h>

using KelpForge::Math::Vector2;
using namespace Gloamshot;

TEST(SegmentsIntersectTest, EndsTouchingCountAndParallelsNever)
{
    const struct
    {
        const char* name;
        Vector2 a0, a1, b0, b1;
        bool crosses;
    } cases[] = {
        {"crossing", {0, 0}, {10, 10}, {0, 10}, {10, 0}, true},
        {"path ends on the wall", {0, 5}, {5, 5}, {5, 0}, {5, 10}, true},
        {"path starts on the wall", {5, 5}, {10, 5}, {5, 0}, {5, 10}, true},
        {"end points meet", {0, 0}, {5, 5}, {5, 5}, {10, 0}, true},
        {"path stops short", {0, 5}, {4.9f, 5}, {5, 0}, {5, 10}, false},
        {"passes beyond the wall's end", {0, 11}, {10, 11}, {5, 0}, {5, 10}, false},
        {"parallel and overlapping", {0, 0}, {10, 0}, {5, 0}, {15, 0}, false},
        {"parallel apart", {0, 0}, {10, 0}, {0, 1}, {10, 1}, false},
        {"a path of no length on the wall", {5, 5}, {5, 5}, {5, 0}, {5, 10}, false},
    };
    for (const auto& testCase : cases)
    {
        EXPECT_EQ(SegmentsIntersect(testCase.a0, testCase.a1, testCase.b0, testCase.b1), testCase.crosses)
            << testCase.name;
    }
}

TEST(CaveFormEntityTest, TheChainIsOpenAndNeedsTwoPoints)
{
    const CaveFormEntity chain({Vector2(0, 0), Vector2(10, 0), Vector2(10, 10)});
    EXPECT_TRUE(chain.IsCrossedBy(Vector2(5, -1), Vector2(5, 1)));
    EXPECT_TRUE(chain.IsCrossedBy(Vector2(9, 5), Vector2(11, 5)));
    // Between the last point and the first there is no wall.
    EXPECT_FALSE(chain.IsCrossedBy(Vector2(8, 2), Vector2(2, 8)));

    EXPECT_TRUE(CaveFormEntity({Vector2(0, 0), Vector2(10, 0)}).IsCrossedBy(Vector2(5, -1), Vector2(5, 1)));
    EXPECT_FALSE(CaveFormEntity({Vector2(5, 0)}).IsCrossedBy(Vector2(5, -1), Vector2(5, 1)));
    EXPECT_FALSE(CaveFormEntity({}).IsCrossedBy(Vector2(5, -1), Vector2(5, 1)));
}
