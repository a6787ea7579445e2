#include "kelp_forge/game/implementation/kfi_scene_director.hpp"

#include "kelp_forge/game/implementation/kfi_default_scene.hpp"

using KelpForge::Game::GameScene;

namespace kfImplementation
{
namespace
{

GameScene* sCurrentScene = nullptr;
GameScene* sRequestedScene = nullptr;

GameScene& RunningScene()
{
    return sCurrentScene != nullptr ? *sCurrentScene : GetDefaultScene();
}

} // namespace

void SceneDirector::StartGame(GameScene& firstScene)
{
    GetDefaultScene().SetUp(firstScene);
}

void SceneDirector::RequestScene(GameScene& scene)
{
    sRequestedScene = &scene;
}

GameScene& SceneDirector::BeginFrame()
{
    if (sRequestedScene != nullptr)
    {
        if (sCurrentScene != nullptr)
        {
            sCurrentScene->OnClose();
        }
        sCurrentScene = sRequestedScene;
        sRequestedScene = nullptr;
        sCurrentScene->OnOpen();
    }
    return RunningScene();
}

void SceneDirector::CloseRunningScene()
{
    RunningScene().OnClose();
}

void SceneDirector::ForgetScene(GameScene& scene)
{
    if (sCurrentScene == &scene)
    {
        sCurrentScene = nullptr;
    }
    if (sRequestedScene == &scene)
    {
        sRequestedScene = nullptr;
    }
}

GameScene* SceneDirector::GetCurrentScene()
{
    return sCurrentScene;
}

GameScene* SceneDirector::GetRequestedScene()
{
    return sRequestedScene;
}

} // namespace kfImplementation
