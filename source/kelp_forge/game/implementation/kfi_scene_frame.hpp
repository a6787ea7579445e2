#ifndef KELP_FORGE_GAME_IMPLEMENTATION_SCENE_FRAME_HPP
#define KELP_FORGE_GAME_IMPLEMENTATION_SCENE_FRAME_HPP

#include "kelp_forge/game/implementation/kfi_fixed_step_accumulator.hpp"

namespace kfImplementation
{

// One frame of the game loop, frameSeconds long (already capped): the fixed steps the accumulated
// time pays for, each after sampling the input actions.
//
// NOTE: this is where the scene joins the loop. Each step will also simulate the current scene and
// update the audio manager, and after the steps the scene is updated, the camera moved and the
// picture cleared and drawn; the accumulator then becomes the scene's own.
void RunSceneFrame(FixedStepAccumulator& accumulator, float frameSeconds);

} // namespace kfImplementation

#endif
