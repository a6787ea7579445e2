#include "kelp_forge/game/implementation/kfi_default_scene.hpp"

#include "../kf_probe_scene.hpp"
#include "kelp_forge/audio/kf_audio_manager.hpp"
#include "kelp_forge/game/implementation/kfi_scene_director.hpp"
#include "kelp_forge/game/implementation/kfi_scene_frame.hpp"
#include "support/kf_audio_test_support.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using KelpForge::Audio::theAudioManager;
using KelpForge::Audio::theBuiltInSoundHandle;
using KelpForge::Testing::CaptureAudio;
using KelpForge::Testing::CapturedAudio;
using KelpForge::Testing::EventLog;
using KelpForge::Testing::ProbeScene;
using KelpForge::Testing::SoundSegment;
using kfImplementation::DefaultScene;
using kfImplementation::SceneDirector;

namespace
{

// Runs steps of the start-up scene as the game loop does, without real time passing.
void Simulate(DefaultScene& scene, int steps)
{
    for (int step = 0; step < steps; ++step)
    {
        scene.Simulate();
        theAudioManager.Update();
    }
}

} // namespace

TEST(DefaultSceneTest, HandsOverAfterExactly250Steps)
{
    EventLog log;
    ProbeScene first("first", log);
    DefaultScene scene;
    scene.SetUp(first);

    Simulate(scene, 249);
    EXPECT_EQ(SceneDirector::GetRequestedScene(), nullptr);
    Simulate(scene, 1);
    EXPECT_EQ(SceneDirector::GetRequestedScene(), &first);
    EXPECT_EQ(scene.GetFadeColor().GetColorARGB(), 0x00FFFFFFu);

    // Handed over once: later steps ask for nothing.
    EXPECT_EQ(&SceneDirector::BeginFrame(), &first);
    Simulate(scene, 100);
    EXPECT_EQ(SceneDirector::GetRequestedScene(), nullptr);
}

TEST(DefaultSceneTest, TheLogoFadesOutOverTheLast350Milliseconds)
{
    EventLog log;
    ProbeScene first("first", log);
    DefaultScene scene;
    scene.SetUp(first);

    // After 215 steps 350 ms are left: still opaque.
    Simulate(scene, 215);
    EXPECT_EQ(scene.GetFadeColor().GetColorARGB(), 0xFFFFFFFFu);
    Simulate(scene, 1);
    EXPECT_NEAR(scene.GetFadeColor().GetAlpha(), 1.0f - 10.0f / 350.0f, 1e-5f);
    // 180 ms left.
    Simulate(scene, 16);
    EXPECT_NEAR(scene.GetFadeColor().GetAlpha(), 180.0f / 350.0f, 1e-5f);
    EXPECT_EQ(scene.GetFadeColor().GetRed(), 1.0f);
}

TEST(DefaultSceneTest, NeverSetUpItStaysOpaqueAndSilent)
{
    DefaultScene scene;
    Simulate(scene, 400);
    EXPECT_EQ(scene.GetFadeColor().GetColorARGB(), 0xFFFFFFFFu);
    EXPECT_EQ(SceneDirector::GetRequestedScene(), nullptr);
    EXPECT_EQ(theBuiltInSoundHandle, 0u) << "nothing has been played";
}

TEST(DefaultSceneTest, PlaysTheStartUpSoundAtStep25)
{
    EventLog log;
    ProbeScene first("first", log);
    DefaultScene scene;
    scene.SetUp(first);

    // The built-in sound is registered by the first play.
    Simulate(scene, 24);
    EXPECT_EQ(theBuiltInSoundHandle, 0u);
    Simulate(scene, 1);
    EXPECT_NE(theBuiltInSoundHandle, 0u);
}

TEST(DefaultSceneTest, RunGameShowsTheStartUpSceneThenOpensTheFirstScene)
{
    EventLog log;
    ProbeScene first("first", log);
    SceneDirector::StartGame(first);

    // Frames of 0.1 s run five steps each, so 50 frames run the start-up scene's 250 steps.
    for (int frame = 0; frame < 50; ++frame)
    {
        kfImplementation::RunSceneFrame(0.1f);
    }
    EXPECT_EQ(SceneDirector::GetCurrentScene(), nullptr);
    EXPECT_TRUE(log.empty());

    kfImplementation::RunSceneFrame(0.015f);
    EXPECT_EQ(SceneDirector::GetCurrentScene(), &first);
    EXPECT_EQ(log, (EventLog{"open first", "simulate first", "update first"}));
}

TEST(DefaultScenePlaybackTest, TheStartUpSoundStartsAQuarterSecondIn)
{
    const CapturedAudio captured = CaptureAudio(
        []
        {
            EventLog log;
            ProbeScene first("first", log);
            DefaultScene scene;
            scene.SetUp(first);
            // One step every 10 ms of real time, as the game loop runs them.
            const auto start = std::chrono::steady_clock::now();
            for (int step = 1; step <= 260; ++step)
            {
                std::this_thread::sleep_until(start + std::chrono::milliseconds(10 * step));
                scene.Simulate();
                theAudioManager.Update();
            }
        });
    const std::vector<SoundSegment> sounds = captured.FindSounds(0.002);
    ASSERT_FALSE(sounds.empty());
    // Step 25 runs 0.25 s after the first. The capture's clock and the frame clock drift apart by
    // a few hundredths of a second, so the bound only tells step 25 from the first steps.
    EXPECT_GE(sounds.front().startSeconds, 0.2);
    EXPECT_LT(sounds.front().startSeconds, 0.45);
    EXPECT_LT(captured.Rms(0.0, 0.2), 0.001) << "silence before the sound";
    EXPECT_GT(sounds.back().endSeconds - sounds.front().startSeconds, 1.5);
    EXPECT_LT(sounds.back().endSeconds - sounds.front().startSeconds, 1.95);
}
