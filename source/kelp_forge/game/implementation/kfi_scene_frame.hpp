#ifndef KELP_FORGE_GAME_IMPLEMENTATION_SCENE_FRAME_HPP
#define KELP_FORGE_GAME_IMPLEMENTATION_SCENE_FRAME_HPP

namespace kfImplementation
{

// One frame of the game loop, frameSeconds long (already capped), on the scene that runs it: a
// requested scene change first (SceneDirector::BeginFrame), then the fixed steps the scene's
// accumulated time pays for (each samples the input actions, simulates the scene and updates the
// audio manager), one update of the scene and the active camera with the frame time, and, when the
// renderer is ready, the cleared picture with the scene drawn.
void RunSceneFrame(float frameSeconds);

} // namespace kfImplementation

#endif
