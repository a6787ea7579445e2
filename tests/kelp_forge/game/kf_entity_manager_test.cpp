#include "kf_probe_entity.hpp"
#include "support/kf_error_recorder.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <list>
#include <memory>
#include <string>
#include <vector>

using KelpForge::Game::Entity;
using KelpForge::Math::Vector2;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::EventLog;
using KelpForge::Testing::ProbeEntity;
using KelpForge::Testing::ProbeEntityManager;

namespace
{

long CountOf(const EventLog& log, const std::string& event)
{
    return std::count(log.begin(), log.end(), event);
}

class EntityManagerTest : public testing::Test
{
protected:
    // An owned entity with a circle of radius 10 at the given position.
    ProbeEntity* AddCircle(const std::string& name, float x, float y = 0.0f)
    {
        auto* entity = new ProbeEntity(name, mLog);
        entity->AddBoundingCircle(10.0f, Vector2());
        entity->SetPosition(x, y);
        mManager.AddEntity(entity);
        return entity;
    }

    EventLog mLog;
    ProbeEntityManager mManager;
};

} // namespace

TEST_F(EntityManagerTest, ReferencedEntityIsNotifiedAndSurvivesRemoval)
{
    ProbeEntity entity("a", mLog);
    mManager.AddEntity(entity);
    EXPECT_EQ(entity.GetEntityManager(), &mManager);
    EXPECT_EQ(mManager.GetGraphicCount(), 1u);

    mManager.RemoveEntity(&entity);
    EXPECT_EQ(entity.GetEntityManager(), nullptr);
    EXPECT_EQ(mManager.GetGraphicCount(), 0u);
    EXPECT_EQ(mLog, (EventLog{"add a", "remove a"}));
}

TEST_F(EntityManagerTest, OwnedEntityIsDeletedOnceWhenRemoved)
{
    ProbeEntity* const entity = AddCircle("a", 0.0f);
    mManager.RemoveEntity(entity);
    EXPECT_EQ(mLog, (EventLog{"add a", "remove a", "delete a"}));
    EXPECT_TRUE(mManager.GetEntitiesByType("ProbeEntity").empty());
}

TEST_F(EntityManagerTest, EntityAlreadyManagedIsRefused)
{
    ErrorRecorder recorder;
    ProbeEntity entity("a", mLog);
    ProbeEntityManager other;
    mManager.AddEntity(entity);
    mManager.AddEntity(entity);
    other.AddEntity(entity);

    EXPECT_EQ(
        recorder.Messages(),
        std::vector<std::string>(
            2, "kfExternalError: Cannot add this entity to an entity manager, it is already being managed."));
    EXPECT_EQ(entity.GetEntityManager(), &mManager);
    mManager.Simulate();
    EXPECT_EQ(CountOf(mLog, "simulate a"), 1);
    EXPECT_EQ(mManager.GetEntitiesByType("ProbeEntity").size(), 1u);
    EXPECT_TRUE(other.GetEntitiesByType("ProbeEntity").empty());
}

TEST_F(EntityManagerTest, NullEntitiesAreReported)
{
    ErrorRecorder recorder;
    mManager.AddEntity(nullptr);
    mManager.RemoveEntity(nullptr);
    EXPECT_EQ(recorder.Messages(),
              std::vector<std::string>(2, "kfExternalError: Expected entity to be a valid pointer."));
}

TEST_F(EntityManagerTest, RemovingAnotherManagersEntityChangesNothing)
{
    ProbeEntity entity("a", mLog);
    ProbeEntityManager other;
    other.AddEntity(entity);
    mManager.RemoveEntity(&entity);
    EXPECT_EQ(entity.GetEntityManager(), &other);
    EXPECT_EQ(mLog, (EventLog{"add a"}));
}

TEST_F(EntityManagerTest, SimulatesActiveEntitiesInOrderOfAdding)
{
    ProbeEntity* const first = AddCircle("a", 0.0f);
    AddCircle("b", 1000.0f);
    ProbeEntity* const third = AddCircle("c", 2000.0f);
    // Depth orders drawing only, never simulation.
    first->SetDepth(0.5f);
    third->SetActive(false);
    mLog.clear();

    mManager.Simulate();
    EXPECT_EQ(mLog, (EventLog{"simulate a", "simulate b"}));
}

TEST_F(EntityManagerTest, CollisionPassTakesPairsInListOrderAndCallsBothSides)
{
    AddCircle("a", 0.0f);
    AddCircle("b", 5.0f);
    AddCircle("c", 1000.0f);
    AddCircle("d", 10.0f);
    mLog.clear();

    mManager.Simulate();
    EXPECT_EQ(mLog, (EventLog{"simulate a", "simulate b", "simulate c", "simulate d", "collide a with b",
                              "collide b with a", "collide a with d", "collide d with a", "collide b with d",
                              "collide d with b"}));
}

TEST_F(EntityManagerTest, NonCollidableEntitiesAreSkipped)
{
    AddCircle("a", 0.0f);
    ProbeEntity* const second = AddCircle("b", 5.0f);
    AddCircle("c", 10.0f);
    second->SetCollidable(false);
    mLog.clear();

    mManager.Simulate();
    EXPECT_EQ(mLog,
              (EventLog{"simulate a", "simulate b", "simulate c", "collide a with c", "collide c with a"}));
}

TEST_F(EntityManagerTest, EntitySwitchedOffInsideACollisionTakesNoFurtherPair)
{
    AddCircle("a", 0.0f);
    ProbeEntity* const second = AddCircle("b", 5.0f);
    AddCircle("c", 10.0f);
    AddCircle("d", 15.0f);
    second->onCollide = [second](Entity&) { second->SetCollidable(false); };
    mLog.clear();

    mManager.Simulate();
    // b still gets its own call of the pair it switched off in, and takes no pair after it.
    EXPECT_EQ(mLog, (EventLog{"simulate a", "simulate b", "simulate c", "simulate d", "collide a with b",
                              "collide b with a", "collide a with c", "collide c with a", "collide a with d",
                              "collide d with a", "collide c with d", "collide d with c"}));
}

TEST_F(EntityManagerTest, EntitySwitchedOffByTheFirstCallOfAPairStillGetsTheSecond)
{
    ProbeEntity* const first = AddCircle("a", 0.0f);
    AddCircle("b", 5.0f);
    first->onCollide = [](Entity& other) { other.SetCollidable(false); };
    mLog.clear();

    mManager.Simulate();
    EXPECT_EQ(mLog, (EventLog{"simulate a", "simulate b", "collide a with b", "collide b with a"}));
}

TEST_F(EntityManagerTest, RemovalAskedDuringThePassWaitsForItsEnd)
{
    ProbeEntity* const first = AddCircle("a", 0.0f);
    ProbeEntity* const second = AddCircle("b", 5.0f);
    AddCircle("c", 10.0f);
    first->onSimulate = [&] { mManager.RemoveEntity(first); };
    second->onCollide = [&](Entity&) { mManager.RemoveEntity(second); };
    mLog.clear();

    mManager.Simulate();
    const EventLog expected{"simulate a",       "simulate b",       "simulate c",
                            "collide a with b", "collide b with a", "collide a with c",
                            "collide c with a", "collide b with c", "collide c with b"};
    ASSERT_GE(mLog.size(), expected.size());
    EXPECT_EQ(EventLog(mLog.begin(), mLog.begin() + static_cast<long>(expected.size())), expected);
    // The removals themselves follow the pass (in an order of the manager's choosing).
    EXPECT_EQ(mLog.size(), expected.size() + 4);
    EXPECT_EQ(CountOf(mLog, "remove a"), 1);
    EXPECT_EQ(CountOf(mLog, "delete a"), 1);
    EXPECT_EQ(CountOf(mLog, "remove b"), 1);
    EXPECT_EQ(CountOf(mLog, "delete b"), 1);
    EXPECT_EQ(mManager.GetEntitiesByType("ProbeEntity").size(), 1u);
}

TEST_F(EntityManagerTest, RemovalAskedTwiceInOnePassDeletesOnce)
{
    ProbeEntity* const first = AddCircle("a", 0.0f);
    AddCircle("b", 5.0f);
    first->onSimulate = [&] { mManager.RemoveEntity(first); };
    first->onCollide = [&](Entity&)
    {
        mManager.RemoveEntity(first);
        mManager.RemoveEntities("ProbeEntity");
    };
    mLog.clear();

    mManager.Simulate();
    EXPECT_EQ(CountOf(mLog, "remove a"), 1);
    EXPECT_EQ(CountOf(mLog, "delete a"), 1);
    EXPECT_EQ(CountOf(mLog, "delete b"), 1);
    EXPECT_TRUE(mManager.GetEntitiesByType("ProbeEntity").empty());
    EXPECT_EQ(mManager.GetGraphicCount(), 0u);
}

TEST_F(EntityManagerTest, EntityAddedDuringThePassIsSimulatedAndCollides)
{
    ProbeEntity* const shooter = AddCircle("shooter", 0.0f);
    AddCircle("target", 500.0f);
    bool hasShot = false;
    shooter->onSimulate = [&]
    {
        if (!hasShot)
        {
            hasShot = true;
            AddCircle("arrow", 505.0f);
        }
    };
    mLog.clear();

    mManager.Simulate();
    EXPECT_EQ(mLog, (EventLog{"simulate shooter", "add arrow", "simulate target", "simulate arrow",
                              "collide target with arrow", "collide arrow with target"}));
}

TEST_F(EntityManagerTest, EntityAddedDuringACollisionTakesPartInThatPass)
{
    ProbeEntity* const first = AddCircle("a", 0.0f);
    AddCircle("b", 5.0f);
    bool hasAdded = false;
    first->onCollide = [&](Entity&)
    {
        if (!hasAdded)
        {
            hasAdded = true;
            AddCircle("c", 10.0f);
        }
    };
    mLog.clear();

    mManager.Simulate();
    EXPECT_EQ(mLog,
              (EventLog{"simulate a", "simulate b", "collide a with b", "add c", "collide b with a",
                        "collide a with c", "collide c with a", "collide b with c", "collide c with b"}));
}

TEST_F(EntityManagerTest, RemovalAskedDuringUpdateWaitsForItsEnd)
{
    struct RemovingEntity : ProbeEntity
    {
        using ProbeEntity::ProbeEntity;
        void OnUpdate(float deltaTime) override
        {
            GetEntityManager()->RemoveEntity(this);
            ProbeEntity::OnUpdate(deltaTime);
        }
    };
    auto* const first = new RemovingEntity("a", mLog);
    mManager.AddEntity(first);
    AddCircle("b", 0.0f);
    mLog.clear();

    mManager.Update(0.01f);
    EXPECT_EQ(mLog, (EventLog{"remove a", "delete a"}));
    EXPECT_EQ(mManager.GetGraphicCount(), 1u);
}

TEST_F(EntityManagerTest, GetEntitiesByTypeReturnsACopy)
{
    ProbeEntity* const first = AddCircle("a", 0.0f);
    std::list<Entity*> copy = mManager.GetEntitiesByType("ProbeEntity");
    copy.clear();
    EXPECT_EQ(mManager.GetEntitiesByType("ProbeEntity"), (std::list<Entity*>{first}));

    const ProbeEntityManager& constManager = mManager;
    EXPECT_TRUE(constManager.GetEntitiesByType("Unknown").empty());
    EXPECT_TRUE(constManager.GetEntitiesByType("").empty());
}

TEST_F(EntityManagerTest, AddEntityTypeReindexesAManagedEntity)
{
    ProbeEntity* const first = AddCircle("a", 0.0f);
    ProbeEntity* const second = AddCircle("b", 100.0f);
    first->AddEntityType("LanternEntity");

    EXPECT_EQ(mManager.GetEntitiesByType("ProbeEntity"), (std::list<Entity*>{second, first}));
    EXPECT_EQ(mManager.GetEntitiesByType("LanternEntity"), (std::list<Entity*>{first}));

    mManager.RemoveEntities("LanternEntity");
    EXPECT_EQ(mManager.GetEntitiesByType("ProbeEntity"), (std::list<Entity*>{second}));
    EXPECT_TRUE(mManager.GetEntitiesByType("LanternEntity").empty());
    EXPECT_EQ(CountOf(mLog, "delete a"), 1);
}

TEST_F(EntityManagerTest, RemoveEntitiesTakesOneTypeOrAll)
{
    auto* const spider = new ProbeEntity("spider", mLog, "SpiderEntity");
    mManager.AddEntity(spider);
    ProbeEntity referenced("referenced", mLog);
    mManager.AddEntity(referenced);
    AddCircle("a", 0.0f);

    mManager.RemoveEntities("SpiderEntity");
    EXPECT_EQ(CountOf(mLog, "delete spider"), 1);
    EXPECT_EQ(mManager.GetGraphicCount(), 2u);

    mManager.ClearEntities();
    EXPECT_EQ(CountOf(mLog, "delete a"), 1);
    EXPECT_EQ(CountOf(mLog, "remove referenced"), 1);
    EXPECT_EQ(CountOf(mLog, "delete referenced"), 0);
    EXPECT_EQ(referenced.GetEntityManager(), nullptr);
    EXPECT_EQ(mManager.GetGraphicCount(), 0u);
}

TEST_F(EntityManagerTest, DestructionDeletesOwnedEntitiesAndReleasesTheOthers)
{
    ProbeEntity referenced("referenced", mLog);
    {
        ProbeEntityManager manager;
        manager.AddEntity(new ProbeEntity("owned", mLog));
        manager.AddEntity(referenced);
    }
    EXPECT_EQ(mLog, (EventLog{"add owned", "add referenced", "delete owned"}));
    EXPECT_EQ(referenced.GetEntityManager(), nullptr);
}

TEST_F(EntityManagerTest, DestroyedEntityLeavesTheManager)
{
    auto member = std::make_unique<ProbeEntity>("member", mLog);
    member->AddBoundingCircle(10.0f, Vector2());
    mManager.AddEntity(*member);
    AddCircle("a", 0.0f);
    member.reset();

    EXPECT_EQ(mManager.GetGraphicCount(), 1u);
    EXPECT_EQ(mManager.GetEntitiesByType("ProbeEntity").size(), 1u);
    mLog.clear();
    mManager.Simulate();
    EXPECT_EQ(mLog, (EventLog{"simulate a"}));
}

TEST_F(EntityManagerTest, EntityDestroyedDuringThePassIsSkipped)
{
    auto member = std::make_unique<ProbeEntity>("member", mLog);
    member->AddBoundingCircle(10.0f, Vector2());
    ProbeEntity* const first = AddCircle("a", 0.0f);
    mManager.AddEntity(*member);
    AddCircle("b", 5.0f);
    first->onSimulate = [&] { member.reset(); };
    mLog.clear();

    mManager.Simulate();
    EXPECT_EQ(mLog, (EventLog{"simulate a", "delete member", "simulate b", "collide a with b",
                              "collide b with a"}));
    EXPECT_EQ(mManager.GetEntitiesByType("ProbeEntity").size(), 2u);
}

TEST_F(EntityManagerTest, CollisionPassFindsExactlyThePairsThatCollide)
{
    // Pairs at the edge of touching, each volume's centre offset towards the other entity, so
    // that the entities' positions lie as far apart as a colliding pair's can; some near the origin
    // and some far from it, where float rounding is coarse.
    std::uint32_t state = 7;
    const auto next = [&state](float limit)
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / static_cast<float>(1u << 24) * limit;
    };
    std::vector<ProbeEntity*> entities;
    for (int pair = 0; pair < 200; ++pair)
    {
        const float origin = pair % 2 == 0 ? 0.0f : 3.0e5f;
        const Vector2 start(origin + static_cast<float>(pair % 20) * 400.0f,
                            origin + static_cast<float>(pair / 20) * 400.0f);
        const float angle = next(6.2831853f);
        const Vector2 direction(std::cos(angle), std::sin(angle));
        const float firstRadius = 0.5f + next(20.0f);
        const float secondRadius = 0.5f + next(20.0f);
        const float firstOffset = next(40.0f);
        const float secondOffset = next(40.0f);
        // From a few rounding steps of these coordinates inside touching to a few outside.
        const float gap =
            firstRadius + secondRadius + (next(8.0f) - 4.0f) * 1.2e-7f * (start.x + start.y + 200.0f);

        auto* const first = new ProbeEntity("a" + std::to_string(pair), mLog);
        first->SetPosition(start);
        first->AddBoundingCircle(firstRadius, direction * firstOffset);
        auto* const second = new ProbeEntity("b" + std::to_string(pair), mLog);
        second->SetPosition(start + direction * (firstOffset + gap + secondOffset));
        second->AddBoundingCircle(secondRadius, direction * -secondOffset);
        for (ProbeEntity* const entity : {first, second})
        {
            mManager.AddEntity(entity);
            entities.push_back(entity);
        }
    }
    EventLog expected;
    for (std::size_t first = 0; first < entities.size(); ++first)
    {
        for (std::size_t second = first + 1; second < entities.size(); ++second)
        {
            if (entities[first]->IsCollidingWith(*entities[second]))
            {
                expected.push_back("collide " + entities[first]->Name() + " with " +
                                   entities[second]->Name());
                expected.push_back("collide " + entities[second]->Name() + " with " +
                                   entities[first]->Name());
            }
        }
    }
    ASSERT_GT(expected.size(), 40u) << "enough pairs collide";
    ASSERT_LT(expected.size(), 360u) << "enough pairs only just miss";
    mLog.clear();

    mManager.Simulate();
    EventLog collisions;
    std::copy_if(mLog.begin(), mLog.end(), std::back_inserter(collisions),
                 [](const std::string& event) { return event.starts_with("collide"); });
    EXPECT_EQ(collisions, expected);
}

TEST_F(EntityManagerTest, CirclesTouchingExactlyDoNotCollideInThePass)
{
    // 8 + 32 = 40 apart, far from the origin too; the second pair is 39.9 apart.
    AddCircle("a", 0.0f);
    auto* const touching = new ProbeEntity("b", mLog);
    touching->AddBoundingCircle(30.0f, Vector2(10.0f, 0.0f));
    touching->SetPosition(30.0f, 0.0f);
    mManager.AddEntity(touching);
    auto* const farAway = new ProbeEntity("c", mLog);
    farAway->AddBoundingCircle(8.0f, Vector2());
    farAway->SetPosition(1.0e6f, 1.0e6f);
    mManager.AddEntity(farAway);
    auto* const overlapping = new ProbeEntity("d", mLog);
    overlapping->AddBoundingCircle(32.0f, Vector2());
    overlapping->SetPosition(1.0e6f + 39.9f, 1.0e6f);
    mManager.AddEntity(overlapping);
    mLog.clear();

    mManager.Simulate();
    EXPECT_EQ(mLog, (EventLog{"simulate a", "simulate b", "simulate c", "simulate d", "collide c with d",
                              "collide d with c"}));
}

TEST_F(EntityManagerTest, AnEntityMovedByAHookIsTestedWhereItIsNow)
{
    ProbeEntity* const first = AddCircle("a", 0.0f);
    AddCircle("b", 5.0f);
    ProbeEntity* const third = AddCircle("c", 500.0f);
    // Knocked next to c by its collision with b, a then collides with c in the same pass.
    first->onCollide = [first](Entity&) { first->SetPosition(505.0f, 0.0f); };
    third->SetPosition(500.0f, 0.0f);
    mLog.clear();

    mManager.Simulate();
    EXPECT_EQ(mLog, (EventLog{"simulate a", "simulate b", "simulate c", "collide a with b",
                              "collide b with a", "collide a with c", "collide c with a"}));
}
