#include "kelp_forge/game/implementation/kfi_scene_director.hpp"
#include "kelp_forge/game/implementation/kfi_scene_frame.hpp"
#include "kelp_forge/game/kf_game_application.hpp"
#include "kelp_forge/game/kf_game_scene.hpp"
#include "kelp_forge/graphics/kf_sprite.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"
#include "kf_probe_scene.hpp"
#include "support/kf_test_window.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>

using KelpForge::Game::Entity;
using KelpForge::Game::GameApplication;
using KelpForge::Game::GameScene;
using KelpForge::Graphics::Color;
using KelpForge::Graphics::Sprite;
using KelpForge::Graphics::theTextureManager;
using KelpForge::Math::Vector2;
using KelpForge::Testing::EventLog;
using KelpForge::Testing::kBlackPixel;
using KelpForge::Testing::kGreenPixel;
using KelpForge::Testing::kRedPixel;
using KelpForge::Testing::Pixel;
using KelpForge::Testing::ProbeScene;
using KelpForge::Testing::TestWindow;
using kfImplementation::RunSceneFrame;
using kfImplementation::SceneDirector;

namespace
{

// A 20 x 20 square of one colour whose centre sits at the entity's position.
class SquareEntity : public Entity
{
public:
    SquareEntity(const Vector2& center, std::uint32_t color)
        : Entity("SquareEntity"), mSquare(theTextureManager.CreateBlankTexture(20, 20))
    {
        SetPosition(center);
        mSquare.SetPosition(-10.0f, -10.0f);
        mSquare.SetColor(Color(color));
        AddGraphic(mSquare);
    }

private:
    Sprite mSquare;
};

// Draws its bounding circles for debugging.
class DebugDrawnEntity : public Entity
{
public:
    DebugDrawnEntity() : Entity("DebugDrawnEntity") {}

protected:
    void OnRender() override { OnDebugRender(); }
};

class GameSceneRenderTest : public testing::Test
{
protected:
    // Runs a frame of no time, which draws without simulating.
    void DrawFrame() { RunSceneFrame(0.0f); }

    TestWindow mWindow;
    EventLog mLog;
};

} // namespace

TEST_F(GameSceneRenderTest, TheSceneTurnsByTheCameraRotationAboutTheScreenCentre)
{
    ProbeScene scene("a", mLog);
    SquareEntity square(Vector2(840.0f, 360.0f), 0xFFFF0000);
    scene.AddEntity(square);
    GameScene::ChangeToScene(scene);

    DrawFrame();
    EXPECT_EQ(mWindow.ReadPixel(840, 360), kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(640, 160), kBlackPixel);

    // The view turns clockwise, so the scene turns anticlockwise: right of the centre goes up.
    scene.GetCamera().SetRotation(90.0f);
    DrawFrame();
    EXPECT_EQ(mWindow.ReadPixel(640, 160), kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(840, 360), kBlackPixel);

    scene.GetCamera().SetRotation(180.0f);
    DrawFrame();
    EXPECT_EQ(mWindow.ReadPixel(440, 360), kRedPixel);
}

TEST_F(GameSceneRenderTest, TheSceneThatAsksForAChangeStillDrawsThatFrame)
{
    ProbeScene first("a", mLog);
    ProbeScene second("b", mLog);
    SquareEntity red(Vector2(100.0f, 100.0f), 0xFFFF0000);
    SquareEntity green(Vector2(100.0f, 100.0f), 0xFF00FF00);
    first.AddEntity(red);
    second.AddEntity(green);
    first.onSimulate = [&] { GameScene::ChangeToScene(second); };
    GameScene::ChangeToScene(first);

    RunSceneFrame(0.015f);
    EXPECT_EQ(mWindow.ReadPixel(100, 100), kRedPixel);
    DrawFrame();
    EXPECT_EQ(mWindow.ReadPixel(100, 100), kGreenPixel);
}

TEST_F(GameSceneRenderTest, TheStartUpSceneShowsTheLogoInTheMiddleOfTheScreen)
{
    DrawFrame();
    // The logo is 256 x 256 and centred: its badge is sea green, its corners transparent.
    const Pixel badge = mWindow.ReadPixel(640 - 128 + 70, 360 - 128 + 104);
    EXPECT_GT(badge.green, badge.red + 40) << badge;
    EXPECT_GT(badge.blue, badge.red + 40) << badge;
    EXPECT_EQ(mWindow.ReadPixel(640 - 125, 360 - 125), kBlackPixel);
    EXPECT_EQ(mWindow.ReadPixel(640 + 135, 360), kBlackPixel);
}

TEST_F(GameSceneRenderTest, TheFadedLogoIsGoneWhenTheFirstSceneOpens)
{
    ProbeScene first("first", mLog);
    SceneDirector::StartGame(first);
    // 49 frames of five steps: 10 ms of logo left, almost faded.
    for (int frame = 0; frame < 49; ++frame)
    {
        RunSceneFrame(0.1f);
    }
    const Pixel faint = mWindow.ReadPixel(640 - 128 + 70, 360 - 128 + 104);
    EXPECT_NE(faint, kBlackPixel);
    EXPECT_LT(faint.green, 60);

    RunSceneFrame(0.1f);
    EXPECT_EQ(mWindow.ReadPixel(640 - 128 + 70, 360 - 128 + 104), kBlackPixel);
    EXPECT_EQ(SceneDirector::GetRequestedScene(), &first);
}

TEST_F(GameSceneRenderTest, DebugDrawingShowsCollidableVolumesInRedAndOthersInGreen)
{
    ProbeScene scene("a", mLog);
    DebugDrawnEntity entity;
    entity.SetPosition(200.0f, 200.0f);
    entity.AddBoundingCircle(20.0f, Vector2(100.0f, 0.0f));
    entity.AddBoundingBox(40.0f, 10.0f, Vector2(-100.0f, 0.0f));
    scene.AddEntity(entity);
    GameScene::ChangeToScene(scene);

    DrawFrame();
    const Pixel collidable = mWindow.ReadPixel(300, 200);
    EXPECT_NEAR(collidable.red, 128, 2) << collidable;
    EXPECT_EQ(collidable.green, 0);
    // The disc is centred on the volume's centre: 18 pixels off it is inside, 22 outside.
    EXPECT_NE(mWindow.ReadPixel(318, 200), kBlackPixel);
    EXPECT_EQ(mWindow.ReadPixel(322, 200), kBlackPixel);
    EXPECT_EQ(mWindow.ReadPixel(200, 200), kBlackPixel);
    // So is the box, 40 wide and 10 high.
    EXPECT_EQ(mWindow.ReadPixel(118, 203), collidable);
    EXPECT_EQ(mWindow.ReadPixel(82, 197), collidable);
    EXPECT_EQ(mWindow.ReadPixel(122, 200), kBlackPixel);
    EXPECT_EQ(mWindow.ReadPixel(100, 207), kBlackPixel);

    entity.SetCollidable(false);
    DrawFrame();
    const Pixel switchedOff = mWindow.ReadPixel(300, 200);
    EXPECT_NEAR(switchedOff.green, 128, 2) << switchedOff;
    EXPECT_EQ(switchedOff.red, 0);
}

TEST(RunGameTest, TheStartUpSceneRunsFirstAndTheFirstSceneRunsUntilItQuits)
{
    GameApplication application(KelpForge::Application::kWindowed, 320, 240, false);
    EventLog log;
    ProbeScene first("first", log);
    int steps = 0;
    first.onSimulate = [&steps]
    {
        if (++steps == 3)
        {
            GameApplication::QuitGame();
        }
    };

    const auto start = std::chrono::steady_clock::now();
    application.RunGame(first);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    // 250 steps of 10 ms, however the frames fell.
    EXPECT_GE(seconds, 2.5);
    ASSERT_GE(log.size(), 5u);
    EXPECT_EQ(log.front(), "open first");
    // The frame that asked to quit still runs to its end; then the scene is closed.
    EXPECT_EQ(std::count(log.begin(), log.end(), "close first"), 1);
    EXPECT_EQ(log.back(), "close first");
    EXPECT_EQ(log[log.size() - 2], "update first");
    EXPECT_GE(steps, 3);
}
