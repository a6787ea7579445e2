#include "kelp_forge/game/implementation/kfi_fixed_step_accumulator.hpp"

#include "kelp_forge/game/kf_game_timer.hpp"

#include <algorithm>

namespace kfImplementation
{

float FixedStepAccumulator::CapFrameTime(double frameSeconds)
{
    return std::clamp(static_cast<float>(frameSeconds), 0.0f, sMaximumFrameSeconds);
}

void FixedStepAccumulator::AddFrameTime(float frameSeconds)
{
    mAccumulatedSeconds += frameSeconds;
    mStepsThisFrame = 0;
}

bool FixedStepAccumulator::TakeStep()
{
    const float stepSeconds = KelpForge::Game::GameTimer::GetSecondsPerStep();
    if (mAccumulatedSeconds <= stepSeconds || mStepsThisFrame >= sMaximumStepsPerFrame)
    {
        return false;
    }
    mAccumulatedSeconds -= stepSeconds;
    ++mStepsThisFrame;
    return true;
}

void FixedStepAccumulator::Reset()
{
    mAccumulatedSeconds = 0.0f;
    mStepsThisFrame = 0;
}

} // namespace kfImplementation
