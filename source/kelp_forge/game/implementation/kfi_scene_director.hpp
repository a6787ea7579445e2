#ifndef KELP_FORGE_GAME_IMPLEMENTATION_SCENE_DIRECTOR_HPP
#define KELP_FORGE_GAME_IMPLEMENTATION_SCENE_DIRECTOR_HPP

// The process-wide scene state: the current scene, the scene asked for by ChangeToScene, and the
// framework's start-up scene, which runs the frames while no scene is current. Main thread only.

#include "kelp_forge/game/kf_game_scene.hpp"

namespace kfImplementation
{

class SceneDirector
{
public:
    // The start-up scene shows the logo and then hands over to firstScene (RunGame).
    static void StartGame(KelpForge::Game::GameScene& firstScene);
    // Replaces any earlier request; applied by BeginFrame.
    static void RequestScene(KelpForge::Game::GameScene& scene);

    // Start of a frame: a requested scene becomes current (OnClose of the old one, then OnOpen of
    // the new). Returns the scene that runs this frame: the current one, else the start-up scene.
    [[nodiscard]] static KelpForge::Game::GameScene& BeginFrame();
    // Real time not yet simulated by scene, in seconds; the frame spends it on fixed steps.
    [[nodiscard]] static float& StepAccumulatorOf(KelpForge::Game::GameScene& scene)
    {
        return scene.mStepAccumulator;
    }
    // The game is quitting: the scene that ran the last frame gets its OnClose.
    static void CloseRunningScene();
    // A scene being destroyed stops being current or requested.
    static void ForgetScene(KelpForge::Game::GameScene& scene);

    [[nodiscard]] static KelpForge::Game::GameScene* GetCurrentScene();
    [[nodiscard]] static KelpForge::Game::GameScene* GetRequestedScene();
};

} // namespace kfImplementation

#endif
