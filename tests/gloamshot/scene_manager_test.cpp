#include "gloamshot/scene_manager.hpp"

#include "game_content.hpp"
#include "gloamshot/gameplay_scene.hpp"
#include "gloamshot/splash_scene.hpp"
#include "gloamshot/title_scene.hpp"
#include "support/kf_error_recorder.hpp"

#include <gtest/gtest.h>

using namespace Gloamshot;

TEST(SceneManagerTest, ScenesAreFoundByIdentifierAndMisuseIsReported)
{
    KelpForge::Testing::TestWindow window;
    Testing::GameContent content;
    KelpForge::Testing::ErrorRecorder recorder;
    const std::string noManager =
        "Expected theSceneManager to be created and valid before ChangeToScene is called.";
    const std::string outOfRange =
        "Expected a valid sceneIdentifier, out of range.  Was the scene added to manager?";

    SceneManager::CreateSceneManager();
    SceneManager* const created = theSceneManager;
    SceneManager::CreateSceneManager();
    EXPECT_EQ(theSceneManager, created);
    EXPECT_NE(dynamic_cast<SplashScene*>(&SceneManager::GetScene(kSplashScene)), nullptr);
    EXPECT_NE(dynamic_cast<TitleScene*>(&SceneManager::GetScene(kTitleScene)), nullptr);
    EXPECT_NE(dynamic_cast<GameplayScene*>(&SceneManager::GetScene(kGameplayScene)), nullptr);
    EXPECT_EQ(recorder.Messages(),
              std::vector<std::string>{"Expected theSceneManager to be null when calling "
                                       "create, seems create has been called twice."});

    recorder.Clear();
    KelpForge::Game::GameScene& outside = SceneManager::GetScene(static_cast<SceneIdentifier>(3));
    EXPECT_EQ(&SceneManager::GetScene(static_cast<SceneIdentifier>(-1)), &outside);
    SceneManager::DestroySceneManager();
    SceneManager::DestroySceneManager();
    SceneManager::QuitGame();
    EXPECT_EQ(&SceneManager::GetScene(kSplashScene), &outside);
    EXPECT_EQ(recorder.Messages(),
              (std::vector<std::string>{
                  outOfRange, "Expected a valid sceneIdentifier, below zero is out of range.", outOfRange,
                  "Expected theSceneManager to be a valid pointer when calling destroy, seems "
                  "destroy has been called twice, or without create.",
                  noManager, noManager}));
    EXPECT_EQ(theSceneManager, nullptr);
}
