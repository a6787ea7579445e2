#ifndef KELP_FORGE_GAME_GAME_TIMER_HPP
#define KELP_FORGE_GAME_GAME_TIMER_HPP

#include <compare>

namespace KelpForge::Game
{

// A millisecond count that game code steps once per fixed simulation step, to count down or up
// to a moment in simulation time independent of the frame rate.
class GameTimer
{
public:
    // Length of one fixed simulation step: the game simulates 100 steps a second.
    static constexpr unsigned int MillisecondsPerStep = 10;

    GameTimer() = default;
    explicit GameTimer(const unsigned int& milliseconds) : mMilliseconds(milliseconds) {}
    static GameTimer Zero() { return GameTimer(0); }

    // Counts down one step; true once the timer has reached zero, and on every call after that.
    bool DecrementStep();
    // Counts up one step toward maximumValue; true once it is reached, and on every call after.
    bool IncrementStep(const GameTimer& maximumValue);
    // This timer's value as a share of timeValue; not clamped, so it can exceed 1.
    float GetPercentageOf(const GameTimer& timeValue) const;

    bool IsZero() const { return mMilliseconds == 0; }
    unsigned int GetMilliseconds() const { return mMilliseconds; }
    auto operator<=>(const GameTimer&) const = default;

    // Seconds simulated by one step (0.01).
    static float GetSecondsPerStep();

private:
    unsigned int mMilliseconds = 0;
};

} // namespace KelpForge::Game

#endif
