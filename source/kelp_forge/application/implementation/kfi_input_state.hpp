#ifndef KELP_FORGE_APPLICATION_IMPLEMENTATION_INPUT_STATE_HPP
#define KELP_FORGE_APPLICATION_IMPLEMENTATION_INPUT_STATE_HPP

// The recording side of the input state, for the application frame and its window layer only.

#include "kelp_forge/application/kf_key.hpp"

namespace kfImplementation
{

void OnKeyDown(const KelpForge::Application::Key& key);
void OnKeyUp(const KelpForge::Application::Key& key);
void SetMousePosition(int x, int y);
// Starts an input frame: the states become the "previous" ones that edges compare with. The very
// first frame of the process also forgets everything recorded before it.
void UpdateInputState();

} // namespace kfImplementation

#endif
