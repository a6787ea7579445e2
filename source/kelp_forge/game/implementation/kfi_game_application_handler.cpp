#include "kelp_forge/game/implementation/kfi_game_application_handler.hpp"

#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/game/implementation/kfi_fixed_step_accumulator.hpp"
#include "kelp_forge/game/implementation/kfi_scene_director.hpp"
#include "kelp_forge/game/implementation/kfi_scene_frame.hpp"
#include "kelp_forge/game/kf_game_application.hpp"
#include "kelp_forge/graphics/kf_gif_exporter.hpp"
#include "kelp_forge/graphics/kf_text.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"

namespace kfImplementation
{

void GameApplicationHandler::SetGameApplication(KelpForge::Game::GameApplication* gameApplication)
{
    mGameApplication = gameApplication;
}

void GameApplicationHandler::SetWindowProperties(const KelpForge::Application::WindowProperties& properties)
{
    mWindowProperties = properties;
}

void GameApplicationHandler::OnWindowOpen()
{
    kf_error_if(mGameApplication == nullptr,
                "kfInternalError: Game Application has not been set before OnWindowOpen().");
    KelpForge::Game::FrameClock::InitializeTimer();
    mFrameClock.Start();
}

void GameApplicationHandler::OnRealtimeUpdate()
{
    kf_error_if(mGameApplication == nullptr,
                "kfInternalError: Game Application has not been set before OnRealtimeUpdate().");
    if (mGameApplication == nullptr)
    {
        return;
    }
    mFrameClock.Update();
    RunSceneFrame(FixedStepAccumulator::CapFrameTime(mFrameClock.GetDeltaTime()));
    if (mIsQuitRequested)
    {
        // Acted on once: a game application opened later starts without a pending quit.
        mIsQuitRequested = false;
        SceneDirector::CloseRunningScene();
        mGameApplication->Close();
    }
}

void GameApplicationHandler::CollectWindowProperties(
    KelpForge::Application::WindowProperties& properties) const
{
    properties = mWindowProperties;
}

void GameApplicationHandler::OnGraphicsContextCreated()
{
    KelpForge::Graphics::theTextureManager.ReloadAllTextures();
    KelpForge::Graphics::RebuildAllTexts();
}

void GameApplicationHandler::OnGraphicsContextDestroyed()
{
    // The window is closing: a recording in progress is completed now rather than cut off at exit.
    KelpForge::Graphics::FinishGifCapture();
    KelpForge::Graphics::theTextureManager.ReleaseOpenGLTextures();
    KelpForge::Graphics::ReleaseAllTexts();
}

GameApplicationHandler& GetGameApplicationHandler()
{
    static GameApplicationHandler handler;
    return handler;
}

} // namespace kfImplementation
