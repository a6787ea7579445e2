#include "kelp_forge/math/unstable/kfu_bounding_volume.hpp"
#include "support/kf_error_recorder.hpp"

#include <gtest/gtest.h>

using KelpForge::Math::BoundingVolume;
using KelpForge::Math::Vector2;
using KelpForge::Testing::ErrorRecorder;

namespace
{
bool Intersects(const BoundingVolume& a, Vector2 positionA, const BoundingVolume& b, Vector2 positionB)
{
    const bool result = a.IsIntersecting(positionA, b, positionB);
    EXPECT_EQ(result, b.IsIntersecting(positionB, a, positionA)) << "the test must not depend on the order";
    return result;
}
} // namespace

TEST(BoundingVolumeTest, ShapeFollowsTheSecondSize)
{
    ErrorRecorder recorder;
    const BoundingVolume circle(8.0f);
    const BoundingVolume box(10.0f, 4.0f);
    EXPECT_TRUE(circle.IsCircle());
    EXPECT_FALSE(circle.IsBox());
    EXPECT_TRUE(box.IsBox());
    EXPECT_FALSE(box.IsCircle());
    EXPECT_EQ(circle.GetRadius(), 8.0f);
    EXPECT_EQ(box.GetWidth(), 10.0f);
    EXPECT_EQ(box.GetHeight(), 4.0f);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(BoundingVolumeTest, AskingTheWrongShapeReportsAndStillAnswers)
{
    ErrorRecorder recorder;
    const BoundingVolume circle(8.0f);
    const BoundingVolume box(10.0f, 4.0f);
    EXPECT_EQ(box.GetRadius(), 10.0f);
    EXPECT_EQ(circle.GetWidth(), 8.0f);
    EXPECT_EQ(circle.GetHeight(), -1.0f);
    EXPECT_EQ(recorder.Messages(),
              (std::vector<std::string>{"kfExternalError: This bounding volume is not a circle.",
                                        "kfExternalError: This bounding volume is not a box.",
                                        "kfExternalError: This bounding volume is not a box."}));
}

TEST(BoundingVolumeTest, NonPositiveSizesAreReportedWithThreeDecimals)
{
    ErrorRecorder recorder;
    const BoundingVolume zeroCircle(0.0f);
    const BoundingVolume negativeCircle(-2.5f);
    const BoundingVolume flatBox(3.0f, 0.0f);
    EXPECT_EQ(recorder.Messages(),
              (std::vector<std::string>{
                  "kfExternalError: Expected parameter radius(0.000) to be greater than 0.0",
                  "kfExternalError: Expected parameter radius(-2.500) to be greater than 0.0",
                  "kfExternalError: Expected parameter height(0.000) to be greater than 0.0"}));
}

TEST(BoundingVolumeTest, TouchingCirclesDoNotIntersect)
{
    const BoundingVolume small(8.0f);
    const BoundingVolume large(32.0f);
    EXPECT_FALSE(Intersects(small, Vector2(0.0f, 0.0f), large, Vector2(40.0f, 0.0f)));
    EXPECT_TRUE(Intersects(small, Vector2(0.0f, 0.0f), large, Vector2(39.9f, 0.0f)));
    EXPECT_FALSE(Intersects(small, Vector2(10.0f, 10.0f), large, Vector2(34.0f, 42.0f))); // 24-32-40 triangle
    EXPECT_TRUE(Intersects(small, Vector2(10.0f, 10.0f), large, Vector2(34.0f, 41.9f)));
}

TEST(BoundingVolumeTest, ZeroRadiusCirclesNeverIntersectEvenInOnePlace)
{
    ErrorRecorder recorder;
    const BoundingVolume point(0.0f);
    EXPECT_FALSE(Intersects(point, Vector2(5.0f, 5.0f), point, Vector2(5.0f, 5.0f)));
    EXPECT_EQ(recorder.Messages().size(), 1u);
}

TEST(BoundingVolumeTest, CircleTouchingABoxEdgeIntersects)
{
    const BoundingVolume circle(5.0f);
    const BoundingVolume box(20.0f, 10.0f); // spans -10..10 by -5..5
    EXPECT_TRUE(Intersects(circle, Vector2(15.0f, 0.0f), box, Vector2()));
    EXPECT_FALSE(Intersects(circle, Vector2(15.01f, 0.0f), box, Vector2()));
    EXPECT_TRUE(Intersects(circle, Vector2(0.0f, -10.0f), box, Vector2()));
    EXPECT_FALSE(Intersects(circle, Vector2(0.0f, -10.01f), box, Vector2()));
    EXPECT_TRUE(Intersects(circle, Vector2(0.0f, 0.0f), box, Vector2()));
}

TEST(BoundingVolumeTest, CircleTouchingABoxCornerIntersects)
{
    const BoundingVolume circle(5.0f);
    const BoundingVolume box(20.0f, 10.0f);
    // 3-4-5 away from the corner (10, 5).
    EXPECT_TRUE(Intersects(circle, Vector2(13.0f, 9.0f), box, Vector2()));
    EXPECT_TRUE(Intersects(circle, Vector2(-13.0f, -9.0f), box, Vector2()));
    // Inside the bounding square of the corner but outside its quarter disc.
    EXPECT_FALSE(Intersects(circle, Vector2(14.0f, 9.0f), box, Vector2()));
    EXPECT_FALSE(Intersects(circle, Vector2(14.0f, -9.0f), box, Vector2(0.0f, 0.0f)));
}

TEST(BoundingVolumeTest, BoxesIntersectWhenTheyTouch)
{
    const BoundingVolume box(20.0f, 10.0f);
    const BoundingVolume other(4.0f, 6.0f);
    EXPECT_TRUE(Intersects(box, Vector2(), other, Vector2(12.0f, 0.0f)));
    EXPECT_FALSE(Intersects(box, Vector2(), other, Vector2(12.01f, 0.0f)));
    EXPECT_TRUE(Intersects(box, Vector2(), other, Vector2(0.0f, -8.0f)));
    EXPECT_FALSE(Intersects(box, Vector2(), other, Vector2(0.0f, -8.01f)));
    EXPECT_TRUE(Intersects(box, Vector2(), other, Vector2(12.0f, 8.0f)));
    EXPECT_TRUE(Intersects(box, Vector2(100.0f, 100.0f), other, Vector2(100.0f, 100.0f)));
}
