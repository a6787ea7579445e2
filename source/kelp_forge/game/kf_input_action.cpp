#include "kelp_forge/game/kf_input_action.hpp"

#include "kelp_forge/application/kf_input_state.hpp"

#include <map>

using KelpForge::Application::Key;

namespace
{

struct SampledKey
{
    bool isDown = false;  // at the latest step
    bool wasDown = false; // at the step before
};

std::map<Key, SampledKey>& SampledKeys()
{
    static std::map<Key, SampledKey> keys;
    return keys;
}

} // namespace

namespace KelpForge::Game
{

InputAction::InputAction(const Key& key)
{
    AddBinding(key);
}

void InputAction::AddBinding(const Key& key)
{
    SampledKeys()[key] = SampledKey{};
    mKeys.push_back(key);
}

bool InputAction::IsDown() const
{
    for (const Key& key : mKeys)
    {
        if (SampledKeys()[key].isDown)
        {
            return true;
        }
    }
    return false;
}

bool InputAction::IsPressed() const
{
    for (const Key& key : mKeys)
    {
        const SampledKey& sampled = SampledKeys()[key];
        if (sampled.isDown && !sampled.wasDown)
        {
            return true;
        }
    }
    return false;
}

bool InputAction::IsReleased() const
{
    for (const Key& key : mKeys)
    {
        const SampledKey& sampled = SampledKeys()[key];
        if (sampled.wasDown && !sampled.isDown)
        {
            return true;
        }
    }
    return false;
}

void InputAction::UpdateInputActions()
{
    for (auto& [key, sampled] : SampledKeys())
    {
        sampled.wasDown = sampled.isDown;
        sampled.isDown = Application::IsKeyDown(key);
    }
}

} // namespace KelpForge::Game
