#ifndef KELP_FORGE_APPLICATION_IMPLEMENTATION_LINUX_TEST_EVENTS_HPP
#define KELP_FORGE_APPLICATION_IMPLEMENTATION_LINUX_TEST_EVENTS_HPP

// Test support only: drives the Linux window layer with synthetic SDL events, which the frame's
// next message pump delivers as if they came from the user, and reads back what the window is.
// Nothing in the framework includes it.

#include "kelp_forge/application/implementation/linux/kfi_linux_window.hpp"

#include <SDL.h>

#include <utility>

namespace kfImplementation::Testing
{

inline Uint32 WindowId()
{
    return GetSDLWindow() != nullptr ? SDL_GetWindowID(GetSDLWindow()) : 0;
}

// The open window's client area as (width, height) in pixels; (0, 0) when no window is open.
inline std::pair<int, int> ClientAreaSize()
{
    std::pair<int, int> size(0, 0);
    if (GetSDLWindow() != nullptr)
    {
        SDL_GetWindowSize(GetSDLWindow(), &size.first, &size.second);
    }
    return size;
}

inline bool PushKeyEvent(SDL_Keycode keycode, bool isDown, bool isRepeat = false)
{
    SDL_Event event{};
    event.type = isDown ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = WindowId();
    event.key.state = isDown ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = isRepeat ? 1 : 0;
    event.key.keysym.sym = keycode;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(keycode);
    return SDL_PushEvent(&event) == 1;
}

inline bool PushMouseButtonEvent(Uint8 button, bool isDown)
{
    SDL_Event event{};
    event.type = isDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = WindowId();
    event.button.button = button;
    event.button.state = isDown ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    return SDL_PushEvent(&event) == 1;
}

inline bool PushWindowEvent(SDL_WindowEventID windowEvent)
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = WindowId();
    event.window.event = static_cast<Uint8>(windowEvent);
    return SDL_PushEvent(&event) == 1;
}

// Moves the real cursor to client pixels (x, y) of the window.
inline void WarpMouseInWindow(int x, int y)
{
    SDL_WarpMouseInWindow(GetSDLWindow(), x, y);
}

} // namespace kfImplementation::Testing

#endif
