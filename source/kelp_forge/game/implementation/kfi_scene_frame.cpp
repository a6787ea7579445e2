#include "kelp_forge/game/implementation/kfi_scene_frame.hpp"

#include "kelp_forge/game/kf_input_action.hpp"

namespace kfImplementation
{

void RunSceneFrame(FixedStepAccumulator& accumulator, float frameSeconds)
{
    accumulator.AddFrameTime(frameSeconds);
    while (accumulator.TakeStep())
    {
        KelpForge::Game::InputAction::UpdateInputActions();
    }
}

} // namespace kfImplementation
