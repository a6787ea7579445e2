// One fixed simulation step (Simulate: every entity, then the pairwise collision pass) of a scene
// with 100, 1,000 and 3,000 moving, collidable circles of radius 8 spread over 1280 x 720:
// microseconds per step, collision calls per step, how the cost grows, and heap allocations per
// step. The allocations are counted by this program's own global operator new, which counts only
// while a measured step runs.

#include "kf_benchmark.hpp"

#include "kelp_forge/game/kf_entity.hpp"
#include "kelp_forge/game/kf_game_scene.hpp"

#include <time.h>

#include <array>
#include <atomic>
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
constexpr float kWidth = 1280.0f;
constexpr float kHeight = 720.0f;

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

// Drifts across the screen, bouncing off its edges, and counts what it touches.
class DriftingCircle : public KelpForge::Game::Entity
{
public:
    DriftingCircle(const Vector2& position, const Vector2& velocity)
        : Entity("DriftingCircle"), mVelocity(velocity)
    {
        SetPosition(position);
        AddBoundingCircle(kRadius, Vector2());
    }

    [[nodiscard]] std::uint64_t GetContacts() const { return mContacts; }

protected:
    void OnSimulate() override
    {
        Vector2 position = GetPosition() + mVelocity;
        if (position.x < 0.0f || position.x > kWidth)
        {
            mVelocity.x = -mVelocity.x;
        }
        if (position.y < 0.0f || position.y > kHeight)
        {
            mVelocity.y = -mVelocity.y;
        }
        SetPosition(position);
    }
    void OnCollideWith(Entity& /*other*/) override { ++mContacts; }

private:
    Vector2 mVelocity;
    std::uint64_t mContacts = 0;
};

class BenchmarkScene : public KelpForge::Game::GameScene
{
};

// Processor time of this thread: the machine is shared, and time spent waiting for a core is not
// the pass's cost.
double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct StepCost
{
    double microsecondsPerStep = 0.0;
    double allocationsPerStep = 0.0;
    double contactsPerStep = 0.0;
};

StepCost MeasureSteps(int entityCount)
{
    BenchmarkScene scene;
    std::vector<DriftingCircle*> circles;
    ValueSource values;
    for (int index = 0; index < entityCount; ++index)
    {
        auto* const circle = new DriftingCircle(Vector2(values.Next(kWidth), values.Next(kHeight)),
                                                Vector2(values.Next(4.0f) - 2.0f, values.Next(4.0f) - 2.0f));
        circles.push_back(circle);
        scene.AddEntity(circle);
    }
    for (int warmUp = 0; warmUp < 3; ++warmUp)
    {
        scene.Simulate();
    }
    std::uint64_t contactsBefore = 0;
    for (const DriftingCircle* circle : circles)
    {
        contactsBefore += circle->GetContacts();
    }

    // At least 20 steps and about half a second of processor time.
    int steps = 0;
    double measuredSeconds = 0.0;
    sAllocationCount = 0;
    while (steps < 20 || measuredSeconds < 0.5)
    {
        const double start = ThreadSeconds();
        sIsCountingAllocations = true;
        scene.Simulate();
        sIsCountingAllocations = false;
        measuredSeconds += ThreadSeconds() - start;
        ++steps;
    }

    std::uint64_t contactsAfter = 0;
    for (const DriftingCircle* circle : circles)
    {
        contactsAfter += circle->GetContacts();
    }
    StepCost cost;
    cost.microsecondsPerStep = measuredSeconds * 1e6 / steps;
    cost.allocationsPerStep = static_cast<double>(sAllocationCount.load()) / steps;
    cost.contactsPerStep = static_cast<double>(contactsAfter - contactsBefore) / steps;
    return cost;
}

} // namespace

KF_BENCHMARK(EntitySimulateStep)
{
    constexpr std::array<int, 3> kEntityCounts{100, 1000, 3000};
    std::array<StepCost, 3> costs{};
    for (std::size_t index = 0; index < kEntityCounts.size(); ++index)
    {
        // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about "_" + std::string.
        std::string suffix = "_";
        suffix += std::to_string(kEntityCounts[index]);
        suffix += "_circles";
        costs[index] = MeasureSteps(kEntityCounts[index]);
        ReportFigure("entity_simulate_step" + suffix, costs[index].microsecondsPerStep, "us/step");
        ReportFigure("entity_simulate_allocations" + suffix, costs[index].allocationsPerStep,
                     "allocations/step");
        ReportFigure("entity_simulate_contacts" + suffix, costs[index].contactsPerStep, "calls/step");
    }
    // The pass looks at every pair, so three times the entities cost nine times as much; on top of
    // that each colliding pair makes it re-read the entities after it, and contacts grow with the
    // square too in this scene of fixed size.
    ReportFigure("entity_simulate_growth_1000_to_3000",
                 costs[2].microsecondsPerStep / costs[1].microsecondsPerStep, "x");
}
