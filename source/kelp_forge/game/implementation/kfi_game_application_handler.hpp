#ifndef KELP_FORGE_GAME_IMPLEMENTATION_GAME_APPLICATION_HANDLER_HPP
#define KELP_FORGE_GAME_IMPLEMENTATION_GAME_APPLICATION_HANDLER_HPP

#include "kelp_forge/application/kf_application_handler_interface.hpp"
#include "kelp_forge/game/kf_frame_clock.hpp"

namespace KelpForge::Game
{
class GameApplication;
}

namespace kfImplementation
{

// Receives the application frame's notifications for the game application and runs one frame of
// the game loop per iteration. One instance lives for the whole process (GetGameApplicationHandler).
class GameApplicationHandler : public KelpForge::Application::ApplicationHandlerInterface
{
public:
    // Not owned; the game application sets itself here while it exists.
    [[nodiscard]] KelpForge::Game::GameApplication* GetGameApplication() const { return mGameApplication; }
    void SetGameApplication(KelpForge::Game::GameApplication* gameApplication);
    // What the frame opens with; read once in Open through CollectWindowProperties.
    void SetWindowProperties(const KelpForge::Application::WindowProperties& properties);

    // The game closes the frame at the end of the current frame.
    void RequestQuit() { mIsQuitRequested = true; }

    void OnWindowOpen() override;
    void OnRealtimeUpdate() override;
    void CollectWindowProperties(KelpForge::Application::WindowProperties& properties) const override;
    // Textures and text images live in the OpenGL context: they are rebuilt when a context is made
    // and given up before it goes, so that handles and texts stay valid across contexts.
    void OnGraphicsContextCreated() override;
    void OnGraphicsContextDestroyed() override;

private:
    KelpForge::Game::GameApplication* mGameApplication = nullptr;
    KelpForge::Game::FrameClock mFrameClock;
    KelpForge::Application::WindowProperties mWindowProperties;
    bool mIsQuitRequested = false;
};

[[nodiscard]] GameApplicationHandler& GetGameApplicationHandler();

} // namespace kfImplementation

#endif
