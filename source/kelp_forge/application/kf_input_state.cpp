#include "kelp_forge/application/kf_input_state.hpp"

#include "kelp_forge/application/implementation/kfi_input_state.hpp"
#include "kelp_forge/core/kf_error.hpp"

#include <array>

namespace
{

using KelpForge::Application::Key;
using KelpForge::Application::kNumberOfKeys;

struct InputState
{
    std::array<bool, kNumberOfKeys> currentKeys{};
    std::array<bool, kNumberOfKeys> previousKeys{};
    int mouseX = 0;
    int mouseY = 0;
    bool isFirstFrame = true;
};

InputState& State()
{
    static InputState state;
    return state;
}

bool IsKnownKey(const Key& key)
{
    const bool isKnown = key >= 0 && key < kNumberOfKeys;
    kf_error_if(!isKnown, "kfExternalError: Key %d is not one of the %d known keys.", static_cast<int>(key),
                kNumberOfKeys);
    return isKnown;
}

} // namespace

namespace KelpForge::Application
{

bool IsKeyDown(const Key& key)
{
    return IsKnownKey(key) && State().currentKeys[key];
}

bool IsKeyPressed(const Key& key)
{
    return IsKnownKey(key) && State().currentKeys[key] && !State().previousKeys[key];
}

bool IsKeyReleased(const Key& key)
{
    return IsKnownKey(key) && !State().currentKeys[key] && State().previousKeys[key];
}

void GetMousePosition(int& x, int& y)
{
    x = State().mouseX;
    y = State().mouseY;
}

Math::Vector2 GetMousePosition()
{
    return Math::Vector2(static_cast<float>(State().mouseX), static_cast<float>(State().mouseY));
}

} // namespace KelpForge::Application

namespace kfImplementation
{

void OnKeyDown(const Key& key)
{
    if (IsKnownKey(key))
    {
        State().currentKeys[key] = true;
    }
}

void OnKeyUp(const Key& key)
{
    if (IsKnownKey(key))
    {
        State().currentKeys[key] = false;
    }
}

void SetMousePosition(int x, int y)
{
    State().mouseX = x;
    State().mouseY = y;
}

void UpdateInputState()
{
    InputState& state = State();
    if (state.isFirstFrame)
    {
        state.isFirstFrame = false;
        state.currentKeys.fill(false);
    }
    state.previousKeys = state.currentKeys;
}

} // namespace kfImplementation
