#include "kelp_forge/game/kf_game_timer.hpp"

#include "kelp_forge/core/kf_error.hpp"

namespace KelpForge::Game
{

bool GameTimer::DecrementStep()
{
    if (mMilliseconds > MillisecondsPerStep)
    {
        mMilliseconds -= MillisecondsPerStep;
        return false;
    }
    mMilliseconds = 0;
    return true;
}

bool GameTimer::IncrementStep(const GameTimer& maximumValue)
{
    kf_error_if(maximumValue.mMilliseconds < MillisecondsPerStep,
                "kfExternalError: maximumValue must be larger than MillisecondsPerStep.");
    // Written as an addition so that a maximum below one step cannot wrap around.
    if (maximumValue.mMilliseconds > mMilliseconds + MillisecondsPerStep)
    {
        mMilliseconds += MillisecondsPerStep;
        return false;
    }
    mMilliseconds = maximumValue.mMilliseconds;
    return true;
}

float GameTimer::GetPercentageOf(const GameTimer& timeValue) const
{
    if (timeValue.IsZero())
    {
        kf_error("kfExternalError: Expected timeValue to be a non-zero time value.");
        return 0.0f;
    }
    return static_cast<float>(mMilliseconds) / static_cast<float>(timeValue.mMilliseconds);
}

float GameTimer::GetSecondsPerStep()
{
    static_assert(MillisecondsPerStep > 0, "a step must take time");
    return static_cast<float>(MillisecondsPerStep) / 1000.0f;
}

} // namespace KelpForge::Game
