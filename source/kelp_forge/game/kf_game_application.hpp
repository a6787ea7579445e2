#ifndef KELP_FORGE_GAME_GAME_APPLICATION_HPP
#define KELP_FORGE_GAME_GAME_APPLICATION_HPP

#include "kelp_forge/application/kf_realtime_application.hpp"
#include "kelp_forge/application/kf_window_properties.hpp"
#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/graphics/kf_screen.hpp"

#include <string>

namespace KelpForge::Game
{

class GameScene;

// The application frame run as a game loop: every frame measures real time, runs up to five fixed
// simulation steps of 10 ms for it and then draws. Create exactly one, on the main thread. While it
// exists it is the error handler that shows any fired check in a box and ends the process.
class GameApplication : public Application::RealtimeApplication, public Core::Error::ErrorHandlerInterface
{
public:
    // Opens the window (client area windowWidth by windowHeight pixels; 1280 by 720 for a windowed
    // mode with both sizes 0), then registers as the error handler, so failures while opening are
    // not shown. A window that could not be opened at all is then reported ("kfError: Could not
    // open the game window: " and the window system's reason), which ends the process.
    GameApplication(const Application::WindowMode& windowMode, const Graphics::PixelSpace& windowWidth,
                    const Graphics::PixelSpace& windowHeight, bool vsync);
    // Unregisters the error handler; does not close the frame.
    ~GameApplication() override;

    // Shows the framework's start-up scene (its logo and start-up sound, for 2.5 s of simulated time),
    // then makes initialScene current, and runs frames until the window closes or the game quits.
    // initialScene is not owned and must outlive the call.
    void RunGame(GameScene& initialScene);

    // Ends the game at the end of the current frame: the frame still finishes, then the window
    // closes and Run returns.
    static void QuitGame();

    // Shows "Error Condition Triggered" with the message and the file and line of the check, then
    // terminates the process without cleaning up.
    [[noreturn]] void OnErrorFired(const std::string& errorMessage) override;
};

} // namespace KelpForge::Game

#endif
