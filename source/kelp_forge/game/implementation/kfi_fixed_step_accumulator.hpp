#ifndef KELP_FORGE_GAME_IMPLEMENTATION_FIXED_STEP_ACCUMULATOR_HPP
#define KELP_FORGE_GAME_IMPLEMENTATION_FIXED_STEP_ACCUMULATOR_HPP

namespace kfImplementation
{

// Turns variable frame times into fixed simulation steps of GameTimer::GetSecondsPerStep() (10 ms).
// A frame runs one step for each step length of accumulated time, at most five, and keeps the rest
// for later frames. The accumulated time must be strictly more than a step: exactly 10 ms waits.
class FixedStepAccumulator
{
public:
    static constexpr unsigned int sMaximumStepsPerFrame = 5;
    static constexpr float sMaximumFrameSeconds = 0.1f;

    // A longer frame (a stall, a breakpoint) counts as 0.1 s, so the game slows down rather than
    // spiralling into ever longer catch-up frames.
    [[nodiscard]] static float CapFrameTime(double frameSeconds);

    // Starts a frame that lasted frameSeconds (already capped).
    void AddFrameTime(float frameSeconds);
    // True while this frame owes another step; the step's time is then taken from the accumulator.
    [[nodiscard]] bool TakeStep();
    // Drops the time left over, as when a scene opens.
    void Reset();
    [[nodiscard]] float GetAccumulatedSeconds() const { return mAccumulatedSeconds; }

private:
    float mAccumulatedSeconds = 0.0f;
    unsigned int mStepsThisFrame = 0;
};

} // namespace kfImplementation

#endif
