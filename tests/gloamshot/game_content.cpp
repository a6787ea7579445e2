#include "game_content.hpp"

#include "gloamshot/scene_manager.hpp"
#include "support/kf_audio_test_support.hpp"
#include "support/kf_test_images.hpp"

#include "kelp_forge/application/implementation/kfi_input_state.hpp"
#include "kelp_forge/audio/kf_audio_manager.hpp"
#include "kelp_forge/game/implementation/kfi_scene_frame.hpp"
#include "kelp_forge/graphics/kf_sprite_manager.hpp"

namespace Gloamshot::Testing
{

using namespace KelpForge::Testing;
using KelpForge::Audio::theAudioManager;

namespace
{

std::string SoundFileOf(const std::string& eventName)
{
    return "data/audio/" + eventName + ".wav";
}

} // namespace

GameContent::GameContent()
{
    WritePng("data/pinewren_logo_512.png", TestImage(64, 64, 0xFFFFFFFFu));
    WritePng("data/gloamshot_cave_01.png", TestImage(1280, 720, (kBackdropColor << 8) | 0xFFu));
    const std::string sheet = mSheetFiles.Write(
        "sheet.json", R"({"texture": "@TEXTURE@", "sprite_width": 16, "sprite_height": 16, "sprites": [
            {"name": "archer"}, {"name": "bow", "x": 16}, {"name": "arrow", "x": 32, "width": 8, "height": 8},
            {"name": "spider", "x": 40, "width": 8, "height": 8},
            {"name": "lantern", "x": 48, "width": 8, "height": 8}]})");
    EXPECT_TRUE(KelpForge::Graphics::theSpriteManager.LoadSpriteSheet("gloam_sheet", sheet));

    WaveImage tone;
    tone.samples = SamplesAsBytes(MakeTone(440.0, 3.0));
    std::string events;
    for (const std::string event : {"arrow_hit_ground", "lantern_light", "you_win"})
    {
        WriteFile(SoundFileOf(event), tone.Encode());
        events += std::string(events.empty() ? "" : ", ") + R"({"name": ")" + event + R"(", "file": ")" +
                  SoundFileOf(event) + "\"}";
    }
    WriteFile("data/audio/audio_events.json", R"({"audio_events": [)" + events + "]}");
    EXPECT_TRUE(theAudioManager.LoadEventTable("audio_events", "data/audio/audio_events.json"));
}

void GameContent::WriteLevel(const std::string& objects) const
{
    WriteFile("data/gloam_cave_01.json",
              R"({"layers": [{"name": "level_objects", "objects": [)" + objects + "]}]}");
}

int GameContent::CountPlaying(const std::string& eventName) const
{
    // Loaded once per path, so this is the handle the event plays.
    const KelpForge::Audio::AudioHandle sound = theAudioManager.CreateSoundFromFile(SoundFileOf(eventName));
    int playing = 0;
    // Channels are numbered 1, 2, 3, ... in the order sounds start.
    for (std::uint32_t channel = 1; channel <= 256; ++channel)
    {
        playing += theAudioManager.FindPlayer(KelpForge::Audio::AudioChannel(sound, channel)) ? 1 : 0;
    }
    return playing;
}

GameFixture::GameFixture()
{
    SceneManager::CreateSceneManager();
}

GameFixture::~GameFixture()
{
    SceneManager::DestroySceneManager();
}

void OpenScene(KelpForge::Game::GameScene& scene)
{
    KelpForge::Game::GameScene::ChangeToScene(scene);
    RunFrame(0.005f);
}

void RunFrame(float seconds, const std::function<void()>& userInput)
{
    kfImplementation::UpdateInputState();
    if (userInput)
    {
        userInput();
    }
    kfImplementation::RunSceneFrame(seconds);
}

} // namespace Gloamshot::Testing
