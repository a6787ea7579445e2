#ifndef KELP_FORGE_GAME_INPUT_ACTION_HPP
#define KELP_FORGE_GAME_INPUT_ACTION_HPP

#include "kelp_forge/application/kf_key.hpp"

#include <vector>

namespace KelpForge::Game
{

// A group of keys that game code asks about as one: down while any of its keys is down. Its edges
// are sampled once per fixed simulation step rather than per frame, so a press is seen by exactly
// one step however frames and steps interleave. The sampled state is shared per key by all actions.
// Main thread only.
class InputAction
{
public:
    InputAction() = default;
    explicit InputAction(const Application::Key& key);

    // Adds key to this action and forgets what was sampled for it, for every action that has it.
    void AddBinding(const Application::Key& key);

    [[nodiscard]] bool IsDown() const;
    // Some key went down at the latest step.
    [[nodiscard]] bool IsPressed() const;
    // Some key went up at the latest step; with two keys held and one let go, the action is
    // released and still down at once.
    [[nodiscard]] bool IsReleased() const;

    // Samples every key that any action has asked about, in key order. The game loop calls it once
    // before every fixed step.
    static void UpdateInputActions();

private:
    std::vector<Application::Key> mKeys;
};

} // namespace KelpForge::Game

#endif
