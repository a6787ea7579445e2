#ifndef KELP_FORGE_GAME_GAME_SCENE_HPP
#define KELP_FORGE_GAME_GAME_SCENE_HPP

#include "kelp_forge/game/kf_entity_manager.hpp"
#include "kelp_forge/graphics/kf_camera.hpp"

namespace kfImplementation
{
class SceneDirector;
} // namespace kfImplementation

namespace KelpForge::Game
{

// One screen of the game (a splash screen, a title, a level): an entity manager with its own camera
// and its own share of real time not yet simulated. Exactly one scene is current at a time; the game
// application runs one frame of it per loop iteration: its fixed steps (Simulate), one Update with
// the frame time in seconds, then Render.
//
// The framework only points at scenes: whoever makes a scene owns it and keeps it alive while it
// is current or asked for. Destroying such a scene is safe; frames then run the start-up scene.
class GameScene : public EntityManager
{
public:
    GameScene() = default;
    ~GameScene() override = 0;

    // Makes scene current at the start of the next frame, so the scene that asks still finishes
    // the running frame, drawing included. A later call before then replaces the request; asking
    // for the current scene closes and reopens it.
    static void ChangeToScene(GameScene& scene);

    // Becomes the active camera while the scene is current.
    [[nodiscard]] Graphics::Camera& GetCamera() { return mCamera; }

protected:
    // Draws the members turned by the active camera's rotation about the screen centre.
    void OnRender() override;
    // The scene has become current: its step accumulator restarts at 0 and its camera becomes the
    // active one. Overrides call this first.
    virtual void OnOpen();
    // The scene stops being current (or the game quits): the active camera is cleared, so the
    // default camera applies. Overrides call this too.
    virtual void OnClose();

private:
    friend class kfImplementation::SceneDirector;

    Graphics::Camera mCamera;
    // Real time handed to this scene and not yet spent on fixed steps, in seconds.
    float mStepAccumulator = 0.0f;
};

} // namespace KelpForge::Game

#endif
