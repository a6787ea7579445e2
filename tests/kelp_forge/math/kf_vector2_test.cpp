#include "kelp_forge/math/kf_vector2.hpp"

#include <gtest/gtest.h>

using KelpForge::Math::Vector2;

TEST(Vector2Test, DefaultIsZeroAndArithmeticIsComponentWise)
{
    EXPECT_EQ(Vector2(), Vector2(0.0f, 0.0f));
    EXPECT_EQ(Vector2(1.0f, 2.0f) + Vector2(3.0f, -5.0f), Vector2(4.0f, -3.0f));
    EXPECT_EQ(Vector2(1.0f, 2.0f) - Vector2(3.0f, -5.0f), Vector2(-2.0f, 7.0f));
    EXPECT_EQ(Vector2(1.5f, -2.0f) * 2.0f, Vector2(3.0f, -4.0f));
    EXPECT_EQ(2.0f * Vector2(1.5f, -2.0f), Vector2(3.0f, -4.0f));

    Vector2 accumulated(1.0f, 1.0f);
    accumulated += Vector2(2.0f, 3.0f);
    accumulated *= 0.5f;
    accumulated -= Vector2(1.0f, 0.0f);
    EXPECT_EQ(accumulated, Vector2(0.5f, 2.0f));
}

TEST(Vector2Test, LengthDotAndNormalized)
{
    const Vector2 vector(3.0f, -4.0f);
    EXPECT_FLOAT_EQ(vector.LengthSquared(), 25.0f);
    EXPECT_FLOAT_EQ(vector.Length(), 5.0f);
    EXPECT_FLOAT_EQ(vector.Dot(Vector2(2.0f, 1.0f)), 2.0f);

    const Vector2 unit = vector.Normalized();
    EXPECT_FLOAT_EQ(unit.x, 0.6f);
    EXPECT_FLOAT_EQ(unit.y, -0.8f);
}

TEST(Vector2Test, NormalizingTheZeroVectorGivesZeroNotNaN)
{
    EXPECT_EQ(Vector2().Normalized(), Vector2());
}
