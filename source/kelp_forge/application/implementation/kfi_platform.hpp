#ifndef KELP_FORGE_APPLICATION_IMPLEMENTATION_PLATFORM_HPP
#define KELP_FORGE_APPLICATION_IMPLEMENTATION_PLATFORM_HPP

// What the application frame needs from a window layer. Each platform implements these under
// implementation/<platform>/ (implementation/linux/ on SDL2). All of them run on the main thread.

#include "kelp_forge/application/kf_window_properties.hpp"

#include <cstdint>
#include <string>

namespace kfImplementation
{

struct DesktopSize
{
    std::uint16_t width;
    std::uint16_t height;
};

// Brackets everything else: StartPlatform first thing in Open, StopPlatform last thing in Close.
// A window system that cannot start shows up as a window that cannot be created.
void StartPlatform();
void StopPlatform();

// The primary display's desktop size; 1280 by 720 when it cannot be read.
[[nodiscard]] DesktopSize ReadDesktopSize();

// Creates the hidden window, applies the window mode, makes the client area exactly the requested
// size and centres the window on the primary display. False, reported, when there is no window.
[[nodiscard]] bool CreatePlatformWindow(const KelpForge::Application::WindowProperties& properties);
void ShowPlatformWindow();
void DestroyPlatformWindow();
[[nodiscard]] bool HasPlatformWindow();
// Why the last CreatePlatformWindow made no window, in the window system's own words; empty after
// one that made a window.
[[nodiscard]] const std::string& GetPlatformWindowFailure();
void SetPlatformWindowTitle(const std::string& title);

// Fills the table that translates platform key codes into Key values.
void BuildKeyTable();

// Creates the OpenGL context on the window, loads the OpenGL entry points, tells the renderer which
// path applies and applies vsync. False, reported, when there is no usable context.
[[nodiscard]] bool CreateGraphicsContext(bool vsync);
void DestroyGraphicsContext();
[[nodiscard]] bool HasGraphicsContext();
void SwapPlatformBuffers();

// Dispatches every pending platform event: keys and buttons to the input state, focus changes and
// close requests to the registered handler. Stops early once the window is gone.
void PumpPlatformMessages();
// The cursor in client pixels, (0, 0) at the top left, also while it is outside the window.
void ReadMousePosition(int& x, int& y);

// Modal box owned by the window (when there is one) with an accept button and, when cancelLabel is
// not empty, a cancel button. Title and message also go to standard error. True only when accepted.
bool ShowPlatformMessageBox(const std::string& title, const std::string& message,
                            const std::string& acceptLabel, const std::string& cancelLabel);

} // namespace kfImplementation

#endif
