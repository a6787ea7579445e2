#include "kelp_forge/game/implementation/kfi_scene_director.hpp"
#include "kelp_forge/game/implementation/kfi_scene_frame.hpp"
#include "kelp_forge/game/kf_game_scene.hpp"
#include "kf_probe_scene.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using KelpForge::Game::GameScene;
using KelpForge::Graphics::GetActiveCamera;
using KelpForge::Testing::EventLog;
using KelpForge::Testing::ProbeScene;
using kfImplementation::RunSceneFrame;
using kfImplementation::SceneDirector;

namespace
{

long CountOf(const EventLog& log, const std::string& event)
{
    return std::count(log.begin(), log.end(), event);
}

} // namespace

TEST(GameSceneTest, AChangeTakesEffectAtTheStartOfTheNextFrame)
{
    EventLog log;
    ProbeScene scene("a", log);
    GameScene::ChangeToScene(scene);
    EXPECT_EQ(SceneDirector::GetCurrentScene(), nullptr);
    EXPECT_TRUE(log.empty());

    RunSceneFrame(0.0f);
    EXPECT_EQ(SceneDirector::GetCurrentScene(), &scene);
    EXPECT_EQ(log, (EventLog{"open a", "update a"}));
}

TEST(GameSceneTest, TwoChangesInOneFrameOpenOnlyTheSecond)
{
    EventLog log;
    ProbeScene first("a", log);
    ProbeScene second("b", log);
    GameScene::ChangeToScene(first);
    GameScene::ChangeToScene(second);

    RunSceneFrame(0.0f);
    EXPECT_EQ(SceneDirector::GetCurrentScene(), &second);
    EXPECT_EQ(log, (EventLog{"open b", "update b"}));
}

TEST(GameSceneTest, AChangeAskedWhileSimulatingLeavesTheRestOfTheFrameOnTheOldScene)
{
    EventLog log;
    ProbeScene first("a", log);
    ProbeScene second("b", log);
    GameScene::ChangeToScene(first);
    RunSceneFrame(0.0f);
    log.clear();
    first.onSimulate = [&] { GameScene::ChangeToScene(second); };

    // 35 ms pay for three steps, all of them on the scene that asked.
    RunSceneFrame(0.035f);
    EXPECT_EQ(log, (EventLog{"simulate a", "simulate a", "simulate a", "update a"}));
    EXPECT_EQ(SceneDirector::GetCurrentScene(), &first);

    log.clear();
    RunSceneFrame(0.015f);
    EXPECT_EQ(log, (EventLog{"close a", "open b", "simulate b", "update b"}));
}

TEST(GameSceneTest, TheNewSceneStartsWithAnEmptyAccumulator)
{
    EventLog log;
    ProbeScene first("a", log);
    ProbeScene second("b", log);
    GameScene::ChangeToScene(first);
    // 19 ms: one step, 9 ms left over in the first scene.
    RunSceneFrame(0.019f);
    EXPECT_EQ(CountOf(log, "simulate a"), 1);

    GameScene::ChangeToScene(second);
    log.clear();
    // With the 9 ms carried over, 15 ms would pay for two steps; the new scene gets one.
    RunSceneFrame(0.015f);
    EXPECT_EQ(CountOf(log, "simulate b"), 1);
}

TEST(GameSceneTest, LeftoverTimeStaysWithTheSceneAcrossFrames)
{
    EventLog log;
    ProbeScene scene("a", log);
    GameScene::ChangeToScene(scene);
    // 25 ms run two steps and leave 5 ms; 6 ms more make 11 ms, enough for a third.
    RunSceneFrame(0.025f);
    EXPECT_EQ(CountOf(log, "simulate a"), 2);
    RunSceneFrame(0.006f);
    EXPECT_EQ(CountOf(log, "simulate a"), 3);
    // A 0.1 s frame runs no more than five steps.
    RunSceneFrame(0.1f);
    EXPECT_EQ(CountOf(log, "simulate a"), 8);
}

TEST(GameSceneTest, ChangingToTheCurrentSceneClosesAndReopensIt)
{
    EventLog log;
    ProbeScene scene("a", log);
    GameScene::ChangeToScene(scene);
    RunSceneFrame(0.019f);
    GameScene::ChangeToScene(scene);
    log.clear();

    RunSceneFrame(0.015f);
    EXPECT_EQ(log, (EventLog{"close a", "open a", "simulate a", "update a"}));
}

TEST(GameSceneTest, TheCurrentScenesCameraIsActive)
{
    EventLog log;
    ProbeScene first("a", log);
    ProbeScene second("b", log);
    EXPECT_NE(&GetActiveCamera(), &first.GetCamera());

    GameScene::ChangeToScene(first);
    RunSceneFrame(0.0f);
    EXPECT_EQ(&GetActiveCamera(), &first.GetCamera());

    GameScene::ChangeToScene(second);
    RunSceneFrame(0.0f);
    EXPECT_EQ(&GetActiveCamera(), &second.GetCamera());

    SceneDirector::CloseRunningScene();
    EXPECT_EQ(log.back(), "close b");
    EXPECT_NE(&GetActiveCamera(), &second.GetCamera());
}

TEST(GameSceneTest, DestroyingTheCurrentSceneLeavesTheStartUpSceneRunning)
{
    EventLog log;
    auto scene = std::make_unique<ProbeScene>("a", log);
    GameScene::ChangeToScene(*scene);
    RunSceneFrame(0.0f);
    const KelpForge::Graphics::Camera* const sceneCamera = &scene->GetCamera();
    ASSERT_EQ(&GetActiveCamera(), sceneCamera);

    scene.reset();
    EXPECT_EQ(SceneDirector::GetCurrentScene(), nullptr);
    EXPECT_NE(&GetActiveCamera(), sceneCamera) << "the default camera stands in again";
    log.clear();
    RunSceneFrame(0.05f);
    EXPECT_TRUE(log.empty());
}

TEST(GameSceneTest, DestroyingTheRequestedSceneCancelsTheRequest)
{
    EventLog log;
    ProbeScene first("a", log);
    auto second = std::make_unique<ProbeScene>("b", log);
    GameScene::ChangeToScene(first);
    RunSceneFrame(0.0f);
    GameScene::ChangeToScene(*second);
    second.reset();
    log.clear();

    RunSceneFrame(0.0f);
    EXPECT_EQ(SceneDirector::GetCurrentScene(), &first);
    EXPECT_EQ(log, (EventLog{"update a"}));
}
