#ifndef GLOAMSHOT_SPLASH_SCENE_HPP
#define GLOAMSHOT_SPLASH_SCENE_HPP

#include "kelp_forge/game/kf_game_scene.hpp"
#include "kelp_forge/game/kf_game_timer.hpp"
#include "kelp_forge/game/kf_input_action.hpp"
#include "kelp_forge/graphics/kf_sprite.hpp"

namespace Gloamshot
{

// The maker's logo for four seconds: one second of fade in, then full, then half a second of fade
// out, then the title scene. Escape, Space or a click skips straight to the fade out (on release).
class SplashScene : public KelpForge::Game::GameScene
{
public:
    SplashScene();

protected:
    void OnSimulate() override;
    void OnOpen() override;

private:
    KelpForge::Graphics::Sprite mLogoSprite;
    KelpForge::Game::GameTimer mSplashTimer;
    KelpForge::Game::InputAction mSkipAction;
};

} // namespace Gloamshot

#endif
