#include "kelp_forge/game/kf_game_application.hpp"

#include "kelp_forge/application/implementation/kfi_frame.hpp"
#include "kelp_forge/application/implementation/linux/kfi_linux_test_events.hpp"
#include "kelp_forge/game/implementation/kfi_game_application_handler.hpp"
#include "kelp_forge/graphics/kf_gif_exporter.hpp"
#include "kelp_forge/graphics/kf_screen.hpp"
#include "kelp_forge/graphics/kf_text.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"
#include "support/kf_error_recorder.hpp"
#include "support/kf_test_files.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using KelpForge::Application::kWindowed;
using KelpForge::Game::GameApplication;
using KelpForge::Graphics::kInvalidTexture;
using KelpForge::Graphics::Text;
using KelpForge::Graphics::theTextureManager;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::ReadFile;
using KelpForge::Testing::ScratchWorkingDirectory;

namespace
{

// The error box cannot show without a display; the game application then writes it to standard
// error alone and terminates, which a test can observe without a user to dismiss a box.
void LoseTheDisplay()
{
    unsetenv("DISPLAY");
}

} // namespace

TEST(GameApplicationTest, ConstructionOpensTheWindowWithTheGivenClientArea)
{
    ErrorRecorder recorder;
    GameApplication application(kWindowed, 800, 600, true);
    EXPECT_EQ(kfImplementation::Testing::ClientAreaSize(), std::make_pair(800, 600));
    EXPECT_EQ(KelpForge::Graphics::ScreenWidth(), 800);
    EXPECT_EQ(kfImplementation::GetGameApplicationHandler().GetGameApplication(), &application);
    EXPECT_TRUE(recorder.Messages().empty());
    application.Close();
}

TEST(GameApplicationTest, AWindowedModeWithoutSizeOpens1280By720)
{
    GameApplication application(kWindowed, 0, 0, true);
    EXPECT_EQ(kfImplementation::Testing::ClientAreaSize(), std::make_pair(1280, 720));
    application.Close();
}

TEST(GameApplicationTest, TexturesAndTextsAreCarriedAcrossEveryGraphicsContext)
{
    ErrorRecorder recorder;
    Text title("Gloam", 20.0f);
    EXPECT_EQ(title.GetPixelWidth(), 0) << "no context yet";
    {
        GameApplication application(kWindowed, 320, 240, true);
        ASSERT_NE(theTextureManager.GetBlankTexture(), kInvalidTexture);
        EXPECT_NE(theTextureManager.GetOpenGLTextureName(theTextureManager.GetBlankTexture()), 0u);
        EXPECT_GT(title.GetPixelWidth(), 0);
        EXPECT_GT(theTextureManager.GetUsedMemory(), 0u);

        application.Close();
        EXPECT_EQ(theTextureManager.GetOpenGLTextureName(theTextureManager.GetBlankTexture()), 0u);
        EXPECT_EQ(title.GetPixelWidth(), 0);
        EXPECT_EQ(theTextureManager.GetUsedMemory(), 0u);
    }
    {
        GameApplication application(kWindowed, 320, 240, true);
        EXPECT_NE(theTextureManager.GetOpenGLTextureName(theTextureManager.GetBlankTexture()), 0u);
        EXPECT_GT(title.GetPixelWidth(), 0);
        application.Close();
    }
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(GameApplicationTest, QuitGameClosesTheFrameAtTheEndOfTheFrameAndRunReturns)
{
    GameApplication application(kWindowed, 320, 240, true);
    GameApplication::QuitGame();
    EXPECT_TRUE(kfImplementation::GetFrameState().isOpened);
    application.Run();
    EXPECT_FALSE(kfImplementation::GetFrameState().isOpened);
    EXPECT_EQ(kfImplementation::GetSDLWindow(), nullptr);
}

TEST(GameApplicationTest, QuittingWhileRecordingCompletesTheCapture)
{
    const ScratchWorkingDirectory directory;
    {
        GameApplication application(kWindowed, 64, 48, false);
        KelpForge::Graphics::UpdateGifCapture(0.1f, true, KelpForge::Graphics::kGifCaptureFullSize);
        KelpForge::Graphics::UpdateGifCapture(0.1f, false, KelpForge::Graphics::kGifCaptureFullSize);
        GameApplication::QuitGame();
        application.Run();
    }

    const std::vector<std::string> captures = directory.FileNames();
    ASSERT_EQ(captures.size(), 1u);
    const std::vector<unsigned char> bytes = ReadFile(directory.PathOf(captures[0]));
    ASSERT_GE(bytes.size(), 14u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");
    EXPECT_EQ(bytes.back(), ';') << "the file must end with the trailer of a complete capture";
}

TEST(GameApplicationTest, ASecondGameApplicationIsReported)
{
    GameApplication first(kWindowed, 320, 240, true);
    // Keep the first one's box out of the way: the checks below are expected to fire.
    KelpForge::Core::Error::RemoveErrorHandler(&first);
    {
        ErrorRecorder recorder;
        GameApplication second(kWindowed, 320, 240, true);
        KelpForge::Core::Error::RemoveErrorHandler(&second);
        ASSERT_GE(recorder.Messages().size(), 2u);
        EXPECT_EQ(recorder.Messages()[0], "kfInternalError: GameApplication has already been set.");
        EXPECT_EQ(recorder.Messages()[1],
                  "kfExternalError: KelpForge currently supports only a single application at a time.");
    }
    first.Close();
}

TEST(GameApplicationTest, AFiredCheckShowsTheBoxTextAndTerminates)
{
    EXPECT_DEATH(
        {
            GameApplication application(kWindowed, 320, 240, true);
            application.Close();
            LoseTheDisplay();
            KelpForge::Core::Error::TriggerError("the/file.cpp", 57, "Something broke: %d", 3);
        },
        "Error Condition Triggered\nSomething broke: 3\n\nthe/file.cpp  LINE: 57\n");
}

TEST(GameApplicationTest, WithoutADisplayTheGameSaysWhyAndEndsInFailure)
{
    EXPECT_DEATH(
        {
            LoseTheDisplay();
            GameApplication application(kWindowed, 0, 0, true);
        },
        "kfError: Could not open the game window: [A-Za-z]+");
}

TEST(GameApplicationTest, AfterDestructionFiredChecksNoLongerReachTheGameApplication)
{
    {
        GameApplication application(kWindowed, 320, 240, true);
        application.Close();
    }
    EXPECT_EQ(kfImplementation::GetGameApplicationHandler().GetGameApplication(), nullptr);
    LoseTheDisplay();
    ErrorRecorder recorder;
    kf_error("kfError: reported to the recorder only");
    EXPECT_TRUE(recorder.Contains("kfError: reported to the recorder only"));
}

TEST(GameApplicationTest, TheHandlerWithoutAGameApplicationReports)
{
    ErrorRecorder recorder;
    kfImplementation::GameApplicationHandler& handler = kfImplementation::GetGameApplicationHandler();
    handler.OnWindowOpen();
    handler.OnRealtimeUpdate();
    EXPECT_EQ(recorder.Messages(),
              (std::vector<std::string>{
                  "kfInternalError: Game Application has not been set before OnWindowOpen().",
                  "kfInternalError: Game Application has not been set before OnRealtimeUpdate()."}));
}
