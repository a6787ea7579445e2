#include "kf_probe_entity.hpp"
#include "support/kf_error_recorder.hpp"

#include <gtest/gtest.h>

#include <list>
#include <string>

using KelpForge::Math::Vector2;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::EventLog;
using KelpForge::Testing::ProbeEntity;

TEST(EntityTest, TypesStartWithTheConstructorsAndMatchExactly)
{
    EventLog log;
    ProbeEntity entity("a", log, "SpiderEntity");
    entity.AddEntityType("TargetEntity");
    entity.AddEntityType("SpiderEntity");

    EXPECT_EQ(entity.GetEntityTypes(), (std::list<std::string>{"SpiderEntity", "TargetEntity"}));
    EXPECT_TRUE(entity.IsEntityOfType("TargetEntity"));
    EXPECT_FALSE(entity.IsEntityOfType("spiderentity"));
    EXPECT_FALSE(entity.IsEntityOfType("Spider"));
    EXPECT_EQ(entity.GetEntityManager(), nullptr);
}

TEST(EntityTest, BoundingCircleMakesTheEntityCollidable)
{
    EventLog log;
    ProbeEntity entity("a", log);
    EXPECT_FALSE(entity.IsCollidable());
    entity.AddBoundingCircle(4.0f, Vector2());
    EXPECT_TRUE(entity.IsCollidable());
}

TEST(EntityTest, CirclesThatOnlyTouchDoNotCollide)
{
    EventLog log;
    ProbeEntity small("small", log);
    ProbeEntity large("large", log);
    small.AddBoundingCircle(8.0f, Vector2());
    large.AddBoundingCircle(32.0f, Vector2());
    large.SetPosition(40.0f, 0.0f);
    EXPECT_FALSE(small.IsCollidingWith(large));
    EXPECT_FALSE(large.IsCollidingWith(small));

    large.SetPosition(39.9f, 0.0f);
    EXPECT_TRUE(small.IsCollidingWith(large));
    EXPECT_TRUE(large.IsCollidingWith(small));
}

TEST(EntityTest, VolumesArePlacedAtThePositionPlusTheirCenter)
{
    EventLog log;
    ProbeEntity first("first", log);
    ProbeEntity second("second", log);
    first.SetPosition(100.0f, 100.0f);
    first.AddBoundingCircle(5.0f, Vector2(50.0f, 0.0f));
    second.SetPosition(100.0f, 100.0f);
    second.AddBoundingCircle(5.0f, Vector2(0.0f, 0.0f));
    EXPECT_FALSE(first.IsCollidingWith(second));

    second.SetPosition(145.0f, 104.0f);
    EXPECT_TRUE(first.IsCollidingWith(second));
}

TEST(EntityTest, AnyPairOfVolumesIsEnough)
{
    EventLog log;
    ProbeEntity first("first", log);
    ProbeEntity second("second", log);
    first.AddBoundingCircle(5.0f, Vector2(-100.0f, 0.0f));
    first.AddBoundingCircle(5.0f, Vector2(100.0f, 0.0f));
    second.AddBoundingCircle(5.0f, Vector2(0.0f, 0.0f));
    second.AddBoundingCircle(5.0f, Vector2(98.0f, 0.0f));
    EXPECT_TRUE(first.IsCollidingWith(second));
    EXPECT_TRUE(second.IsCollidingWith(first));
}

TEST(EntityTest, RotationAndScaleDoNotMoveTheVolumes)
{
    EventLog log;
    ProbeEntity first("first", log);
    ProbeEntity second("second", log);
    first.AddBoundingCircle(5.0f, Vector2(20.0f, 0.0f));
    second.AddBoundingCircle(5.0f, Vector2());
    second.SetPosition(0.0f, 20.0f);
    first.SetRotation(90.0f);
    first.SetScale(3.0f);
    EXPECT_FALSE(first.IsCollidingWith(second));
}

TEST(EntityTest, BothEntitiesMustBeCollidable)
{
    EventLog log;
    ProbeEntity first("first", log);
    ProbeEntity second("second", log);
    first.AddBoundingCircle(5.0f, Vector2());
    second.AddBoundingCircle(5.0f, Vector2());
    ASSERT_TRUE(first.IsCollidingWith(second));

    second.SetCollidable(false);
    EXPECT_FALSE(first.IsCollidingWith(second));
    EXPECT_FALSE(second.IsCollidingWith(first));
    second.SetCollidable(true);
    first.SetCollidable(false);
    EXPECT_FALSE(first.IsCollidingWith(second));
}

TEST(EntityTest, CollidableEntityWithoutVolumesCollidesWithNothing)
{
    EventLog log;
    ProbeEntity first("first", log);
    ProbeEntity second("second", log);
    first.SetCollidable(true);
    second.AddBoundingCircle(5.0f, Vector2());
    EXPECT_FALSE(first.IsCollidingWith(second));
    EXPECT_FALSE(second.IsCollidingWith(first));
}

TEST(EntityTest, ZeroRadiusIsReportedAndNeverOverlapsAnotherZeroCircle)
{
    ErrorRecorder recorder;
    EventLog log;
    ProbeEntity first("first", log);
    ProbeEntity second("second", log);
    first.AddBoundingCircle(0.0f, Vector2());
    second.AddBoundingCircle(0.0f, Vector2());
    EXPECT_EQ(recorder.Messages(),
              std::vector<std::string>(
                  2, "kfExternalError: Expected parameter radius(0.000) to be greater than 0.0"));
    EXPECT_TRUE(first.IsCollidable());
    EXPECT_FALSE(first.IsCollidingWith(second));
}

TEST(EntityTest, SimulateRunsOnlyWhileActive)
{
    EventLog log;
    ProbeEntity entity("a", log);
    entity.Simulate();
    entity.SetActive(false);
    entity.Simulate();
    entity.SetActive(true);
    entity.Simulate();
    EXPECT_EQ(log, (EventLog{"simulate a", "simulate a"}));
}
