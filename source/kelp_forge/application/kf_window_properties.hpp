#ifndef KELP_FORGE_APPLICATION_WINDOW_PROPERTIES_HPP
#define KELP_FORGE_APPLICATION_WINDOW_PROPERTIES_HPP

#include <cstdint>

namespace KelpForge::Application
{

enum WindowMode : std::int32_t
{
    // A framed window of fixed size.
    kWindowed = 0,
    // A borderless window of the given size; the display mode is left alone.
    kFullScreenWindow = 1,
    // A borderless window, and the display mode is changed to the window size.
    kFullScreen = 2,
};

// How the application frame opens its window. With either full-screen mode and both sizes 0 the
// window takes the current desktop size at (0, 0).
struct WindowProperties
{
    std::uint16_t windowWidth = 1280; // client-area pixels
    std::uint16_t windowHeight = 720; // client-area pixels
    std::uint16_t windowPositionX = 100;
    std::uint16_t windowPositionY = 100;
    WindowMode windowMode = kWindowed;
    bool vsync = true; // synchronise buffer swaps with the display
};

} // namespace KelpForge::Application

#endif
