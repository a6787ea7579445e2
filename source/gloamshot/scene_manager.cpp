#include "gloamshot/scene_manager.hpp"

#include "gloamshot/gameplay_scene.hpp"
#include "gloamshot/splash_scene.hpp"
#include "gloamshot/title_scene.hpp"

#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/game/kf_game_application.hpp"

namespace Gloamshot
{

SceneManager* theSceneManager = nullptr;

namespace
{

constexpr const char* kNoManagerMessage =
    "Expected theSceneManager to be created and valid before ChangeToScene is called.";

// What GetScene gives after a failed check, so that a caller that carries on reads no scene that
// does not exist.
class EmptyScene : public KelpForge::Game::GameScene
{
};

} // namespace

SceneManager::SceneManager() : mScenes{new SplashScene(), new TitleScene(), new GameplayScene()} {}

SceneManager::~SceneManager()
{
    for (auto scene = mScenes.rbegin(); scene != mScenes.rend(); ++scene)
    {
        delete *scene;
    }
}

void SceneManager::CreateSceneManager()
{
    const bool exists = theSceneManager != nullptr;
    kf_error_if(
        exists,
        "Expected theSceneManager to be null when calling create, seems create has been called twice.");
    if (!exists)
    {
        theSceneManager = new SceneManager();
    }
}

void SceneManager::DestroySceneManager()
{
    kf_error_if(theSceneManager == nullptr,
                "Expected theSceneManager to be a valid pointer when calling destroy, "
                "seems destroy has been called twice, or without create.");
    delete theSceneManager;
    theSceneManager = nullptr;
}

KelpForge::Game::GameScene& SceneManager::GetScene(const SceneIdentifier& sceneIdentifier)
{
    static EmptyScene noScene;
    kf_error_if(theSceneManager == nullptr, "%s", kNoManagerMessage);
    if (theSceneManager == nullptr)
    {
        return noScene;
    }
    kf_error_if(sceneIdentifier < 0, "Expected a valid sceneIdentifier, below zero is out of range.");
    // Compared unsigned, so a negative identifier is out of range as well.
    const auto index = static_cast<std::size_t>(static_cast<std::uint32_t>(sceneIdentifier));
    const bool isOutOfRange = index >= theSceneManager->mScenes.size();
    kf_error_if(isOutOfRange,
                "Expected a valid sceneIdentifier, out of range.  Was the scene added to manager?");
    return isOutOfRange ? noScene : *theSceneManager->mScenes[index];
}

void SceneManager::ChangeToScene(const SceneIdentifier& sceneIdentifier)
{
    KelpForge::Game::GameScene::ChangeToScene(GetScene(sceneIdentifier));
}

void SceneManager::QuitGame()
{
    kf_error_if(theSceneManager == nullptr, "%s", kNoManagerMessage);
    KelpForge::Game::GameApplication::QuitGame();
}

} // namespace Gloamshot
