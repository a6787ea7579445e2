#ifndef GLOAMSHOT_SCENE_MANAGER_HPP
#define GLOAMSHOT_SCENE_MANAGER_HPP

#include "kelp_forge/game/kf_game_scene.hpp"

#include <cstdint>
#include <vector>

namespace Gloamshot
{

// The index of a scene in the scene manager.
enum SceneIdentifier : std::int32_t
{
    kSplashScene = 0,
    kTitleScene = 1,
    kGameplayScene = 2,
};

// Owns the game's three scenes for the whole run, so that scenes can hand over to each other by
// identifier. Everything goes through the static functions and the one manager they create.
class SceneManager
{
public:
    // Makes the manager and its splash, title and gameplay scenes, in this order: the content of
    // all three (the sprite sheet, the images) must be loadable by then.
    static void CreateSceneManager();
    // Deletes the scenes, gameplay first, and the manager.
    static void DestroySceneManager();

    // A failed check (no manager, an identifier out of range) is reported, and gives a scene
    // without entities rather than reading outside the list.
    [[nodiscard]] static KelpForge::Game::GameScene& GetScene(const SceneIdentifier& sceneIdentifier);
    // The change happens at the start of the next frame.
    static void ChangeToScene(const SceneIdentifier& sceneIdentifier);
    // The window closes at the end of the current frame.
    static void QuitGame();

    ~SceneManager();
    SceneManager(const SceneManager&) = delete;
    SceneManager& operator=(const SceneManager&) = delete;

private:
    SceneManager();

    std::vector<KelpForge::Game::GameScene*> mScenes;
};

// Null except between CreateSceneManager and DestroySceneManager.
extern SceneManager* theSceneManager;

} // namespace Gloamshot

#endif
