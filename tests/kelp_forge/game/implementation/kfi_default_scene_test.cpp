#include "kelp_forge/game/implementation/kfi_default_scene.hpp"

#include "../kf_probe_scene.hpp"
#include "kelp_forge/audio/kf_audio_manager.hpp"
#include "kelp_forge/game/implementation/kfi_scene_director.hpp"
#include "kelp_forge/game/implementation/kfi_scene_frame.hpp"
#include "support/kf_audio_test_support.hpp"
#include "support/kf_test_files.hpp"

#include <gtest/gtest.h>

using KelpForge::Audio::theAudioManager;
using KelpForge::Audio::theBuiltInSoundHandle;
using KelpForge::Testing::CaptureAudio;
using KelpForge::Testing::CapturedAudio;
using KelpForge::Testing::EventLog;
using KelpForge::Testing::MakeTone;
using KelpForge::Testing::ProbeScene;
using KelpForge::Testing::RunAudioSteps;
using KelpForge::Testing::SamplesAsBytes;
using KelpForge::Testing::SoundSegment;
using KelpForge::Testing::TestFolder;
using KelpForge::Testing::WaveImage;
using KelpForge::Testing::WriteFile;
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
    WaveImage marker;
    marker.samples = SamplesAsBytes(MakeTone(2000.0, 0.05));
    const std::filesystem::path markerPath = TestFolder() / "marker.wav";
    WriteFile(markerPath, marker.Encode());
    const CapturedAudio captured = CaptureAudio(
        [&markerPath]
        {
            EventLog log;
            ProbeScene first("first", log);
            DefaultScene scene;
            scene.SetUp(first);
            // A short high tone marks where the steps begin.
            theAudioManager.PlaySound(theAudioManager.CreateSoundFromFile(markerPath.string()));
            RunAudioSteps(2.6,
                          [&scene]
                          {
                              scene.Simulate();
                              theAudioManager.Update();
                              return false;
                          });
        });
    const std::vector<SoundSegment> sounds = captured.FindSounds(0.002);
    ASSERT_GE(sounds.size(), 2u);
    EXPECT_NEAR(sounds[0].Length(), 0.05, 0.02) << "the marker";
    // Step 25 runs 0.25 s of audio after the marker, and the mixer starts a sound with its next
    // block of 23 ms; found in windows of 10 ms.
    const double start = sounds[1].startSeconds;
    EXPECT_GE(start - sounds[0].startSeconds, 0.24);
    EXPECT_LT(start - sounds[0].startSeconds, 0.29);
    EXPECT_GT(sounds.back().endSeconds - start, 1.5);
    EXPECT_LT(sounds.back().endSeconds - start, 1.95);
}
