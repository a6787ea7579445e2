#include "kelp_forge/game/kf_frame_clock.hpp"

#include <chrono>

namespace
{

struct SharedClock
{
    std::chrono::steady_clock::time_point origin = std::chrono::steady_clock::now();
    double latestReading = 0.0;
};

SharedClock& Shared()
{
    static SharedClock clock;
    return clock;
}

double TakeReading()
{
    SharedClock& clock = Shared();
    clock.latestReading =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - clock.origin).count();
    return clock.latestReading;
}

} // namespace

namespace KelpForge::Game
{

void FrameClock::InitializeTimer()
{
    Shared().origin = std::chrono::steady_clock::now();
    Shared().latestReading = 0.0;
}

void FrameClock::Start()
{
    mStartTime = Shared().latestReading;
    mLastUpdateTime = TakeReading();
    mDeltaTime = mLastUpdateTime - mStartTime;
}

void FrameClock::Update()
{
    const double reading = TakeReading();
    mDeltaTime = reading - mLastUpdateTime;
    mLastUpdateTime = reading;
}

} // namespace KelpForge::Game
