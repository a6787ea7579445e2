#ifndef KELP_FORGE_GAME_IMPLEMENTATION_DEFAULT_SCENE_HPP
#define KELP_FORGE_GAME_IMPLEMENTATION_DEFAULT_SCENE_HPP

#include "kelp_forge/game/kf_game_scene.hpp"
#include "kelp_forge/game/kf_game_timer.hpp"
#include "kelp_forge/graphics/kf_color.hpp"

namespace kfImplementation
{

// The framework's start-up scene: the logo in the middle of the screen and the start-up sound,
// before the game's first scene. It runs the frames while no scene is current.
class DefaultScene : public KelpForge::Game::GameScene
{
public:
    // Logo time in all, and the last part of it in which the logo fades out.
    static constexpr unsigned int sDisplayMilliseconds = 2500;
    static constexpr unsigned int sFadeMilliseconds = 350;
    static constexpr unsigned int sSoundDelayMilliseconds = 250;

    // Shows the logo for 2.5 s of simulated time (250 steps), fading out over the last 0.35 s,
    // plays the start-up sound at 0.25 s (step 25) and then asks for nextScene. Never set up, the
    // scene shows the opaque logo and never changes scene.
    void SetUp(KelpForge::Game::GameScene& nextScene);

    [[nodiscard]] const KelpForge::Graphics::Color& GetFadeColor() const { return mFadeColor; }

protected:
    void OnUpdate(float /*deltaTime*/) override {}
    // The logo alone, untouched by the camera's rotation.
    void OnRender() override;
    void OnSimulate() override;
    void OnOpen() override {}

private:
    KelpForge::Game::GameScene* mNextScene = nullptr;
    KelpForge::Game::GameTimer mDisplayTimer;
    KelpForge::Game::GameTimer mSoundTimer;
    KelpForge::Graphics::Color mFadeColor;
};

// The process's start-up scene, built on first use.
[[nodiscard]] DefaultScene& GetDefaultScene();

} // namespace kfImplementation

#endif
