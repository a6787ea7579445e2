#ifndef GLOAMSHOT_TITLE_SCENE_HPP
#define GLOAMSHOT_TITLE_SCENE_HPP

#include "kelp_forge/game/kf_game_scene.hpp"
#include "kelp_forge/game/kf_game_timer.hpp"
#include "kelp_forge/game/kf_input_action.hpp"

namespace Gloamshot
{

// The game's name, fading in over half a second. Space or a click fades it out over half a second
// and starts the gameplay scene; releasing Escape quits.
class TitleScene : public KelpForge::Game::GameScene
{
public:
    TitleScene();

protected:
    void OnSimulate() override;
    void OnOpen() override;

private:
    KelpForge::Game::GameTimer mFadeInTimer;
    KelpForge::Game::GameTimer mFadeOutTimer;
    KelpForge::Game::InputAction mStartAction;
    KelpForge::Game::InputAction mQuitAction;
};

} // namespace Gloamshot

#endif
