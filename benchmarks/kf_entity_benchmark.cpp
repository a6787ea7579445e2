// One fixed simulation step (Simulate: every entity, then the collision pass) of scenes of moving,
// collidable circles of radius 8: microseconds per step, collision calls per step, how the cost
// grows, and heap allocations per step. Each scene is also stepped by the plain double loop over
// every pair (kept here as the yardstick), which makes the same calls in the same order.
//
// - Fixed world: 100, 1,000 and 3,000 circles spread over 1280 x 720, so contacts grow with the
//   square of the count.
// - Constant density: 1,000 to 30,000 circles in a world that grows with the count, at the density
//   of 1,000 circles in 1280 x 720, so contacts grow in proportion to the count; 10,000 circles
//   on a lattice that never touch; 200 circles on one spot, where every pair collides.
//
// The allocations are counted by this program's own global operator new, which counts only while
// a measured step runs.

#include "kf_benchmark.hpp"

// The reference the tests check the pass against.
#include "../tests/kelp_forge/game/kf_double_loop.hpp"

#include "kelp_forge/game/kf_entity.hpp"
#include "kelp_forge/game/kf_game_scene.hpp"

#include <time.h>

#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

namespace
{

std::atomic<bool> sIsCountingAllocations{false};
std::atomic<std::uint64_t> sAllocationCount{0};

void* Allocate(std::size_t size)
{
    if (sIsCountingAllocations.load(std::memory_order_relaxed))
    {
        sAllocationCount.fetch_add(1, std::memory_order_relaxed);
    }
    void* const memory = std::malloc(size == 0 ? 1 : size);
    if (memory == nullptr)
    {
        throw std::bad_alloc();
    }
    return memory;
}

} // namespace

void* operator new(std::size_t size)
{
    return Allocate(size);
}

void* operator new[](std::size_t size)
{
    return Allocate(size);
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t /*size*/) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, std::size_t /*size*/) noexcept
{
    std::free(memory);
}

namespace
{

using KelpForge::Benchmarks::ReportFigure;
using KelpForge::Math::Vector2;

constexpr float kRadius = 8.0f;
constexpr float kFixedWidth = 1280.0f;
constexpr float kFixedHeight = 720.0f;
// Pixels of world per circle in the 1,000-circle fixed world.
constexpr float kAreaPerCircle = kFixedWidth * kFixedHeight / 1000.0f;

// Repeatable values without touching the framework's own random sequence.
class ValueSource
{
public:
    float Next(float limit)
    {
        mState = mState * 1664525u + 1013904223u;
        return static_cast<float>(mState >> 8) / static_cast<float>(1u << 24) * limit;
    }

private:
    std::uint32_t mState = 2024;
};

// Drifts across its world, bouncing off its edges, and counts what it touches.
class DriftingCircle : public KelpForge::Game::Entity
{
public:
    DriftingCircle(const Vector2& position, const Vector2& velocity, const Vector2& worldSize)
        : Entity("DriftingCircle"), mVelocity(velocity), mWorldSize(worldSize)
    {
        SetPosition(position);
        AddBoundingCircle(kRadius, Vector2());
    }

    [[nodiscard]] std::uint64_t GetContacts() const { return mContacts; }
    // For the double loop, which calls the hook itself. The manager reaches the hook through the
    // entity's table of virtual functions, and so does this: the compiler, which sees this class
    // whole, would otherwise call its hook directly or inline it, which no manager can.
    [[gnu::noinline, gnu::optimize("no-devirtualize")]] void CollideWith(Entity& other)
    {
        OnCollideWith(other);
    }

protected:
    void OnSimulate() override
    {
        Vector2 position = GetPosition() + mVelocity;
        if (position.x < 0.0f || position.x > mWorldSize.x)
        {
            mVelocity.x = -mVelocity.x;
        }
        if (position.y < 0.0f || position.y > mWorldSize.y)
        {
            mVelocity.y = -mVelocity.y;
        }
        SetPosition(position);
    }
    void OnCollideWith(Entity& /*other*/) override { ++mContacts; }

private:
    Vector2 mVelocity;
    Vector2 mWorldSize;
    std::uint64_t mContacts = 0;
};

class BenchmarkScene : public KelpForge::Game::GameScene
{
};

enum class Layout
{
    kDrifting, // at random places, moving at up to 2 pixels a step
    kLattice,  // still, 20 pixels apart: no two touch
    kOneSpot,  // still, within 4 pixels of one point: every two touch
};

struct Scenario
{
    std::string name;
    int circleCount = 0;
    Vector2 worldSize;
    Layout layout = Layout::kDrifting;
};

enum class Pass
{
    kManager,    // the scene's own Simulate
    kDoubleLoop, // every circle's Simulate, then every pair in list order
};

// Processor time of this thread: the machine is shared, and time spent waiting for a core is not
// the pass's cost.
double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The circles of a scenario, stepped by either pass. Both make the same calls, so the circles move
// alike whichever steps them, and the two are measured on the same memory.
class SteppedScene
{
public:
    explicit SteppedScene(const Scenario& scenario)
    {
        ValueSource values;
        const int latticeColumns = static_cast<int>(scenario.worldSize.x / 20.0f);
        for (int index = 0; index < scenario.circleCount; ++index)
        {
            Vector2 position(values.Next(scenario.worldSize.x), values.Next(scenario.worldSize.y));
            Vector2 velocity(values.Next(4.0f) - 2.0f, values.Next(4.0f) - 2.0f);
            if (scenario.layout == Layout::kLattice)
            {
                position = Vector2(static_cast<float>(index % latticeColumns),
                                   static_cast<float>(index / latticeColumns)) *
                           20.0f;
                velocity = Vector2();
            }
            else if (scenario.layout == Layout::kOneSpot)
            {
                position = Vector2(values.Next(4.0f), values.Next(4.0f));
                velocity = Vector2();
            }
            auto* const circle = new DriftingCircle(position, velocity, scenario.worldSize);
            mCircles.push_back(circle);
            mScene.AddEntity(circle);
        }
    }

    void Step(Pass pass)
    {
        if (pass == Pass::kManager)
        {
            mScene.Simulate();
            return;
        }
        for (DriftingCircle* const circle : mCircles)
        {
            circle->Simulate();
        }
        KelpForge::Testing::RunDoubleLoop(mCircles);
    }

    [[nodiscard]] std::uint64_t CountContacts() const
    {
        std::uint64_t contacts = 0;
        for (const DriftingCircle* circle : mCircles)
        {
            contacts += circle->GetContacts();
        }
        return contacts;
    }

private:
    BenchmarkScene mScene;
    std::vector<DriftingCircle*> mCircles;
};

struct StepCost
{
    double microsecondsPerStep = 0.0;
    double allocationsPerStep = 0.0;
    double contactsPerStep = 0.0;
};

StepCost MeasureSteps(SteppedScene& scene, Pass pass)
{
    const std::uint64_t contactsBefore = scene.CountContacts();
    // About a fifth of a second of processor time, and enough steps to average over (fewer for
    // the double loop, whose large scenes take seconds a step).
    const int fewestSteps = pass == Pass::kManager ? 20 : 1;
    int steps = 0;
    double measuredSeconds = 0.0;
    sAllocationCount = 0;
    while (steps < fewestSteps || measuredSeconds < 0.2)
    {
        const double start = ThreadSeconds();
        sIsCountingAllocations = true;
        scene.Step(pass);
        sIsCountingAllocations = false;
        measuredSeconds += ThreadSeconds() - start;
        ++steps;
    }

    StepCost cost;
    cost.microsecondsPerStep = measuredSeconds * 1e6 / steps;
    cost.allocationsPerStep = static_cast<double>(sAllocationCount.load()) / steps;
    cost.contactsPerStep = static_cast<double>(scene.CountContacts() - contactsBefore) / steps;
    return cost;
}

// The machine may be shared: the manager and the double loop step the same scene in turns, three
// times each (once for a double loop over 10,000 or more circles, which takes seconds a step), and
// the best of each is kept.
std::array<StepCost, 2> MeasureInTurns(const Scenario& scenario)
{
    SteppedScene scene(scenario);
    // Until the pass's storage has grown to its steady size.
    for (int warmUp = 0; warmUp < 10; ++warmUp)
    {
        scene.Step(Pass::kManager);
    }
    std::array<StepCost, 2> best{};
    for (int round = 0; round < 3; ++round)
    {
        const std::array<Pass, 2> passes{Pass::kManager, Pass::kDoubleLoop};
        for (std::size_t pass = 0; pass < passes.size(); ++pass)
        {
            if (round > 0 && passes[pass] == Pass::kDoubleLoop && scenario.circleCount >= 10000)
            {
                continue;
            }
            const StepCost cost = MeasureSteps(scene, passes[pass]);
            if (round == 0 || cost.microsecondsPerStep < best[pass].microsecondsPerStep)
            {
                best[pass] = cost;
            }
        }
    }
    return best;
}

// Reports the manager's figures under name and the double loop's time under name_double_loop;
// returns the manager's and the double loop's microseconds per step.
std::array<double, 2> ReportScenario(const Scenario& scenario)
{
    const auto [manager, doubleLoop] = MeasureInTurns(scenario);
    ReportFigure("entity_simulate_step_" + scenario.name, manager.microsecondsPerStep, "us/step");
    ReportFigure("entity_simulate_step_" + scenario.name + "_double_loop", doubleLoop.microsecondsPerStep,
                 "us/step");
    ReportFigure("entity_simulate_allocations_" + scenario.name, manager.allocationsPerStep,
                 "allocations/step");
    ReportFigure("entity_simulate_contacts_" + scenario.name, manager.contactsPerStep, "calls/step");
    return {manager.microsecondsPerStep, doubleLoop.microsecondsPerStep};
}

Scenario ConstantDensity(int circleCount, Layout layout, const std::string& suffix)
{
    // The fixed world's shape, scaled to keep the area per circle.
    const float scale =
        std::sqrt(static_cast<float>(circleCount) * kAreaPerCircle / (kFixedWidth * kFixedHeight));
    std::string name = std::to_string(circleCount);
    name += "_circles_";
    name += suffix;
    return Scenario{name, circleCount, Vector2(kFixedWidth, kFixedHeight) * scale, layout};
}

} // namespace

// Registered (and so run) first: the scenes of a run are made one after another in the memory that
// the earlier ones freed, and scattered entities cost the large scenes more than the small ones.
KF_BENCHMARK(EntitySimulateStepConstantDensity)
{
    constexpr std::array<int, 4> kCircleCounts{1000, 3000, 10000, 30000};
    std::array<double, 4> microseconds{};
    for (std::size_t index = 0; index < kCircleCounts.size(); ++index)
    {
        microseconds[index] =
            ReportScenario(ConstantDensity(kCircleCounts[index], Layout::kDrifting, "constant_density"))[0];
    }
    ReportFigure("entity_simulate_growth_1000_to_10000_constant_density", microseconds[2] / microseconds[0],
                 "x");
    ReportScenario(ConstantDensity(10000, Layout::kLattice, "no_contacts"));
    const std::array<double, 2> crowd =
        ReportScenario(Scenario{"200_circles_one_spot", 200, Vector2(4.0f, 4.0f), Layout::kOneSpot});
    ReportFigure("entity_simulate_one_spot_against_double_loop", crowd[0] / crowd[1], "x");
}

KF_BENCHMARK(EntitySimulateStep)
{
    constexpr std::array<int, 3> kCircleCounts{100, 1000, 3000};
    std::array<double, 3> microseconds{};
    for (std::size_t index = 0; index < kCircleCounts.size(); ++index)
    {
        // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about "_" + std::string.
        std::string name = std::to_string(kCircleCounts[index]);
        name += "_circles";
        microseconds[index] = ReportScenario(
            Scenario{name, kCircleCounts[index], Vector2(kFixedWidth, kFixedHeight), Layout::kDrifting})[0];
    }
    // Contacts grow with the square of the count in this world of fixed size.
    ReportFigure("entity_simulate_growth_1000_to_3000", microseconds[2] / microseconds[1], "x");
}
