#ifndef GLOAMSHOT_GAMEPLAY_SCENE_HPP
#define GLOAMSHOT_GAMEPLAY_SCENE_HPP

#include "gloamshot/archer_entity.hpp"

#include "kelp_forge/game/kf_game_scene.hpp"
#include "kelp_forge/graphics/kf_render_target.hpp"
#include "kelp_forge/graphics/kf_sprite.hpp"

#include <string>

namespace Gloamshot
{

// The cave: a backdrop picture, the level's spiders, lanterns and walls, the archer, and a light
// map over everything that leaves only the discs of the lights visible. Shooting every spider, or
// pressing R, plays "you_win" and starts the level over at once; releasing Escape quits and G
// starts or stops a GIF capture.
class GameplayScene : public KelpForge::Game::GameScene
{
public:
    // Needs the sprite sheet "gloam_sheet" and the default backdrop image.
    GameplayScene();

    // Replaces every entity by the level in filepath; the archer is kept (with its state) and
    // added again after the level's objects.
    void LoadLevel(const std::string& filepath);

protected:
    void OnUpdate(float deltaTime) override;
    void OnRender() override;
    void OnSimulate() override;
    void OnOpen() override;
    void OnClose() override;

private:
    // Draws every light into mLightMap, and black everywhere else.
    void DrawLightMap();

    ArcherEntity mArcher;
    KelpForge::Graphics::Sprite mBackdrop;
    KelpForge::Graphics::RenderTarget mLightMap;
};

} // namespace Gloamshot

#endif
