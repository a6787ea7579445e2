#ifndef KELP_FORGE_APPLICATION_INPUT_STATE_HPP
#define KELP_FORGE_APPLICATION_INPUT_STATE_HPP

// Keyboard and mouse as polled state. The application frame starts a new input frame and stores
// the cursor position at the top of every loop iteration, then records the key and button changes
// its message pump delivers; so during OnRealtimeUpdate "pressed" and "released" are the changes of
// this frame. A key pressed and released within one frame is never seen. Main thread only.
//
// For edges that every fixed simulation step sees exactly once, use Game::InputAction.

#include "kelp_forge/application/kf_key.hpp"
#include "kelp_forge/math/kf_vector2.hpp"

namespace KelpForge::Application
{

// A key outside the known range is reported and reads as up.
[[nodiscard]] bool IsKeyDown(const Key& key);
// Down now and not down at the start of this frame.
[[nodiscard]] bool IsKeyPressed(const Key& key);
// Up now and down at the start of this frame.
[[nodiscard]] bool IsKeyReleased(const Key& key);

// Cursor position in client pixels at the start of this frame, (0, 0) at the top left, y downwards;
// it may lie outside the window.
void GetMousePosition(int& x, int& y);
[[nodiscard]] Math::Vector2 GetMousePosition();

} // namespace KelpForge::Application

#endif
