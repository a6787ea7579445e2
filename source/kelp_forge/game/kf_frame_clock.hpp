#ifndef KELP_FORGE_GAME_FRAME_CLOCK_HPP
#define KELP_FORGE_GAME_FRAME_CLOCK_HPP

namespace KelpForge::Game
{

// Measures real time between frames on a monotonic clock with sub-microsecond resolution. All
// times are seconds since InitializeTimer.
class FrameClock
{
public:
    // Sets the shared origin every clock measures from; the game application calls it when the
    // window opens.
    static void InitializeTimer();

    // Starts measuring: the first delta is the time since the latest reading of any clock.
    void Start();
    // Takes a reading; the delta becomes the time since the previous Update or Start.
    void Update();
    [[nodiscard]] double GetDeltaTime() const { return mDeltaTime; }

private:
    double mStartTime = 0.0;
    double mLastUpdateTime = 0.0;
    double mDeltaTime = 0.0;
};

} // namespace KelpForge::Game

#endif
