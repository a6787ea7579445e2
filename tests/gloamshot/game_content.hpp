#ifndef GLOAMSHOT_TESTS_GAME_CONTENT_HPP
#define GLOAMSHOT_TESTS_GAME_CONTENT_HPP

// A small stand-in for the game's content, and frames of the game loop run one at a time, for
// tests that play the scenes in a real window.

#include "support/kf_sprite_sheet_files.hpp"
#include "support/kf_test_files.hpp"
#include "support/kf_test_window.hpp"

#include "kelp_forge/game/kf_game_scene.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

namespace Gloamshot::Testing
{

// Every backdrop pixel, 0xRRGGBB.
inline constexpr std::uint32_t kBackdropColor = 0x40A0E0u;

// A scratch working folder whose data/ holds a logo, a one-colour 1280 x 720 backdrop and a three
// second tone for each sound event; the sprite sheet "gloam_sheet" (16 x 16 "archer" and "bow",
// 8 x 8 "arrow", "spider" and "lantern") and the audio table "audio_events" are loaded. Needs an
// open window.
class GameContent
{
public:
    GameContent();

    // Writes the level file with one "level_objects" layer of these objects (JSON, comma-separated).
    void WriteLevel(const std::string& objects) const;
    // How many plays of the event are still sounding.
    [[nodiscard]] int CountPlaying(const std::string& eventName) const;

private:
    KelpForge::Testing::ScratchWorkingDirectory mFolder;
    KelpForge::Testing::SpriteSheetFiles mSheetFiles;
};

// A window, the content and the scene manager with the game's three scenes.
class GameFixture : public ::testing::Test
{
protected:
    GameFixture();
    ~GameFixture() override;

    KelpForge::Testing::TestWindow mWindow;
    GameContent mContent;
};

// Makes scene current without a step and leaves half a step of time in it, so that from then on
// every RunFrame of 0.01 s runs exactly one step.
void OpenScene(KelpForge::Game::GameScene& scene);
// One frame of the game loop: a new input frame, userInput (key changes), the steps the time pays
// for, the update and the drawing.
void RunFrame(float seconds, const std::function<void()>& userInput = nullptr);

} // namespace Gloamshot::Testing

#endif
