#include "kelp_forge/game/kf_game_application.hpp"

#include "kelp_forge/application/implementation/kfi_platform.hpp"
#include "kelp_forge/game/implementation/kfi_error_box.hpp"
#include "kelp_forge/game/implementation/kfi_game_application_handler.hpp"
#include "kelp_forge/game/implementation/kfi_scene_director.hpp"

#include <exception>

using KelpForge::Application::WindowProperties;

namespace KelpForge::Game
{

GameApplication::GameApplication(const Application::WindowMode& windowMode,
                                 const Graphics::PixelSpace& windowWidth,
                                 const Graphics::PixelSpace& windowHeight, bool vsync)
    : RealtimeApplication(kfImplementation::GetGameApplicationHandler())
{
    kfImplementation::GameApplicationHandler& handler = kfImplementation::GetGameApplicationHandler();
    kf_error_if(handler.GetGameApplication() != nullptr,
                "kfInternalError: GameApplication has already been set.");
    handler.SetGameApplication(this);

    WindowProperties properties;
    properties.windowMode = windowMode;
    properties.vsync = vsync;
    // A windowed mode without a size keeps the default size and position.
    if (windowMode != Application::kWindowed || windowWidth != 0 || windowHeight != 0)
    {
        properties.windowWidth = windowWidth;
        properties.windowHeight = windowHeight;
    }
    handler.SetWindowProperties(properties);

    Open();
    Core::Error::AddErrorHandler(this);
    // Without a window the game could show nothing and nothing could end it: rather than end
    // quietly as if it had run, say why.
    kf_error_if(!kfImplementation::HasPlatformWindow(), "kfError: Could not open the game window: %s",
                kfImplementation::GetPlatformWindowFailure().c_str());
}

GameApplication::~GameApplication()
{
    Core::Error::RemoveErrorHandler(this);
    // The handler must not reach a destroyed application from a later frame.
    kfImplementation::GameApplicationHandler& handler = kfImplementation::GetGameApplicationHandler();
    if (handler.GetGameApplication() == this)
    {
        handler.SetGameApplication(nullptr);
    }
}

void GameApplication::RunGame(GameScene& initialScene)
{
    kfImplementation::SceneDirector::StartGame(initialScene);
    Run();
}

void GameApplication::QuitGame()
{
    kfImplementation::GetGameApplicationHandler().RequestQuit();
}

void GameApplication::OnErrorFired(const std::string& errorMessage)
{
    ShowMessageBox(kfImplementation::kErrorBoxTitle, kfImplementation::BuildErrorBoxText(errorMessage));
    std::terminate();
}

} // namespace KelpForge::Game
