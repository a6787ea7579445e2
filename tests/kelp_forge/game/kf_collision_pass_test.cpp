// The entity manager's collision pass against the plain double loop over every pair, kept here as
// the reference: two worlds start alike and run the same random script from their hooks (moving,
// switching, growing, adding and removing entities, and stepping the world again); after every
// step both must have made the same calls in the same order.

#include "kf_double_loop.hpp"
#include "kf_probe_entity.hpp"
#include "support/kf_error_recorder.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

using KelpForge::Game::Entity;
using KelpForge::Math::Vector2;

namespace
{

struct ScriptCase
{
    const char* name;
    std::uint32_t seed;
    int entityCount;
    int steps;
    float worldSize;
    // Shares of the volumes that are boxes, and boxes far wider than the rest.
    float boxShare;
    float hugeShare;
    // Share of the hook calls that do something.
    float activity;
};

class World;

class ScriptedEntity : public Entity
{
public:
    ScriptedEntity(World& world, std::uint32_t id, const Vector2& velocity)
        : Entity("ScriptedEntity"), mWorld(world), mId(id), mVelocity(velocity)
    {
    }
    [[nodiscard]] std::uint32_t Id() const { return mId; }
    // For the reference loop, which calls the hooks itself.
    void CollideWith(Entity& other) { OnCollideWith(other); }

protected:
    void OnSimulate() override;
    void OnCollideWith(Entity& other) override;
    void OnRemove() override;

private:
    World& mWorld;
    std::uint32_t mId;
    Vector2 mVelocity;
};

// The entities in list order, the random script and the log of calls; the two kinds of world
// differ only in who runs the step.
class World
{
public:
    explicit World(const ScriptCase& scriptCase) : mCase(scriptCase), mState(scriptCase.seed) {}
    virtual ~World() = default;

    void Populate()
    {
        for (int count = 0; count < mCase.entityCount; ++count)
        {
            Add(MakeEntity());
        }
    }
    virtual void Step() = 0;
    [[nodiscard]] std::vector<std::uint64_t> TakeLog() { return std::exchange(mLog, {}); }

    void LogCollision(const ScriptedEntity& self, Entity& other)
    {
        mLog.push_back(std::uint64_t{self.Id()} << 32 | static_cast<ScriptedEntity&>(other).Id());
    }
    float Next(float limit)
    {
        mState = mState * 1664525u + 1013904223u;
        return static_cast<float>(mState >> 8) / static_cast<float>(1u << 24) * limit;
    }
    void Forget(ScriptedEntity& entity) { std::erase(mEntities, &entity); }

    // One random action of a hook: most move, switch or grow an entity; some add or remove one.
    void Act(ScriptedEntity& self, Entity* other)
    {
        if (Next(1.0f) >= mCase.activity || mEntities.empty())
        {
            return;
        }
        Entity& anyone = *mEntities[static_cast<std::size_t>(Next(static_cast<float>(mEntities.size())))];
        const bool isOfThePair = Next(1.0f) < 0.5f;
        Entity& target = !isOfThePair ? anyone : other != nullptr && Next(1.0f) < 0.5f ? *other : self;
        switch (static_cast<int>(Next(7.0f)))
        {
        case 0:
        {
            // Through the graphic the entity is: the pass sees every move, however it was made.
            KelpForge::Graphics::Graphic& graphic = target;
            graphic.SetPosition(target.GetPosition() + Vector2(Next(60.0f) - 30.0f, Next(60.0f) - 30.0f));
            break;
        }
        case 1:
            target.SetPosition(RandomPlace());
            break;
        case 2:
            target.SetCollidable(!target.IsCollidable());
            break;
        case 3:
            AddRandomVolume(target);
            break;
        case 4:
            if (mEntities.size() < static_cast<std::size_t>(mCase.entityCount * 5 / 4))
            {
                mLog.push_back(~std::uint64_t{0});
                Add(MakeEntity());
            }
            break;
        case 5:
            if (mEntities.size() > static_cast<std::size_t>(mCase.entityCount * 3 / 4))
            {
                Remove(static_cast<ScriptedEntity&>(target));
            }
            break;
        default:
            // A whole step inside the step, once.
            if (!mIsSteppingAgain)
            {
                mIsSteppingAgain = true;
                Step();
                mIsSteppingAgain = false;
            }
            break;
        }
    }

    // Mostly inside the world; now and then far away, or on the very spot of others.
    Vector2 RandomPlace()
    {
        const float choice = Next(1.0f);
        if (choice < 0.05f)
        {
            return Vector2(1.0e5f + Next(100.0f), -3.0e5f);
        }
        if (choice < 0.1f)
        {
            return Vector2(mCase.worldSize / 2.0f, mCase.worldSize / 2.0f);
        }
        return Vector2(Next(mCase.worldSize), Next(mCase.worldSize));
    }

    [[nodiscard]] float WorldSize() const { return mCase.worldSize; }

protected:
    virtual void Add(ScriptedEntity* entity) = 0;
    virtual void Remove(ScriptedEntity& entity) = 0;

    std::vector<ScriptedEntity*> mEntities;

private:
    ScriptedEntity* MakeEntity()
    {
        const float speed = mCase.worldSize / 100.0f;
        auto* const entity = new ScriptedEntity(
            *this, mNextId++, Vector2(Next(speed) - speed / 2.0f, Next(speed) - speed / 2.0f));
        entity->SetPosition(RandomPlace());
        AddRandomVolume(*entity);
        if (Next(1.0f) < 0.25f)
        {
            AddRandomVolume(*entity);
        }
        return entity;
    }

    void AddRandomVolume(Entity& entity)
    {
        const Vector2 center =
            Next(1.0f) < 0.5f ? Vector2() : Vector2(Next(20.0f) - 10.0f, Next(20.0f) - 10.0f);
        const float shape = Next(1.0f);
        if (shape < mCase.hugeShare)
        {
            entity.AddBoundingBox(100.0f + Next(3000.0f), 1.0f + Next(3000.0f), center);
        }
        else if (shape < mCase.boxShare)
        {
            entity.AddBoundingBox(1.0f + Next(40.0f), 1.0f + Next(40.0f), center);
        }
        else
        {
            entity.AddBoundingCircle(0.5f + Next(20.0f), center);
        }
    }

    const ScriptCase& mCase;
    std::uint32_t mState;
    std::uint32_t mNextId = 0;
    std::vector<std::uint64_t> mLog;
    bool mIsSteppingAgain = false;
};

void ScriptedEntity::OnSimulate()
{
    Vector2 position = GetPosition() + mVelocity;
    if (position.x < 0.0f || position.x > mWorld.WorldSize() || position.y < 0.0f ||
        position.y > mWorld.WorldSize())
    {
        mVelocity = -mVelocity;
    }
    SetPosition(position);
    if (!IsCollidable() && mWorld.Next(1.0f) < 0.1f)
    {
        SetCollidable(true);
    }
    if (mWorld.Next(1.0f) < 0.05f)
    {
        mWorld.Act(*this, nullptr);
    }
}

void ScriptedEntity::OnCollideWith(Entity& other)
{
    mWorld.LogCollision(*this, other);
    mWorld.Act(*this, &other);
}

void ScriptedEntity::OnRemove()
{
    mWorld.Forget(*this);
}

class ManagedWorld : public World
{
public:
    using World::World;
    void Step() override { mManager.Simulate(); }

protected:
    void Add(ScriptedEntity* entity) override
    {
        mEntities.push_back(entity);
        mManager.AddEntity(entity);
    }
    void Remove(ScriptedEntity& entity) override { mManager.RemoveEntity(&entity); }

private:
    KelpForge::Testing::ProbeEntityManager mManager;
};

// Entities of no manager, stepped by the double loop; removals wait for the end of the step.
class ReferenceWorld : public World
{
public:
    using World::World;
    ~ReferenceWorld() override
    {
        for (ScriptedEntity* const entity : mEntities)
        {
            delete entity;
        }
    }

    void Step() override
    {
        ++mDepth;
        for (std::size_t index = 0; index < mEntities.size(); ++index)
        {
            mEntities[index]->Simulate();
        }
        KelpForge::Testing::RunDoubleLoop(mEntities);
        // A step inside a step leaves the removals to the outer one.
        if (--mDepth > 0)
        {
            return;
        }
        for (ScriptedEntity* const entity : mRemovals)
        {
            Forget(*entity);
            delete entity;
        }
        mRemovals.clear();
    }

protected:
    void Add(ScriptedEntity* entity) override { mEntities.push_back(entity); }
    void Remove(ScriptedEntity& entity) override { mRemovals.insert(&entity); }

private:
    std::set<ScriptedEntity*> mRemovals;
    int mDepth = 0;
};

class CollisionPassTest : public testing::TestWithParam<ScriptCase>
{
};

void PrintTo(const ScriptCase& scriptCase, std::ostream* stream)
{
    *stream << scriptCase.name;
}

} // namespace

TEST_P(CollisionPassTest, MakesTheCallsOfTheDoubleLoopInItsOrder)
{
    const KelpForge::Testing::ErrorRecorder recorder;
    ManagedWorld managed(GetParam());
    ReferenceWorld reference(GetParam());
    managed.Populate();
    reference.Populate();
    std::size_t calls = 0;
    for (int step = 0; step < GetParam().steps; ++step)
    {
        managed.Step();
        reference.Step();
        const std::vector<std::uint64_t> expected = reference.TakeLog();
        ASSERT_EQ(managed.TakeLog(), expected) << "step " << step;
        calls += expected.size();
    }
    EXPECT_TRUE(recorder.Messages().empty()) << recorder.Messages().front();
    EXPECT_GT(calls, static_cast<std::size_t>(GetParam().steps) * 4) << "enough entities collide";
}

// name, seed, entities, steps, world size, box share, huge share, activity
INSTANTIATE_TEST_SUITE_P(
    Scripts, CollisionPassTest,
    testing::Values(ScriptCase{"CirclesSpreadOut", 11, 40, 700, 400.0f, 0.0f, 0.0f, 0.3f},
                    ScriptCase{"CirclesAndBoxesOfMixedSizes", 23, 50, 700, 350.0f, 0.5f, 0.02f, 0.3f},
                    ScriptCase{"BusyHooks", 37, 60, 300, 200.0f, 0.3f, 0.01f, 1.0f},
                    ScriptCase{"QuietHooksManyEntities", 41, 200, 25, 700.0f, 0.3f, 0.005f, 0.05f},
                    ScriptCase{"EveryoneOnOneSpot", 53, 30, 300, 20.0f, 0.3f, 0.0f, 0.2f}),
    [](const testing::TestParamInfo<ScriptCase>& param) { return std::string(param.param.name); });
