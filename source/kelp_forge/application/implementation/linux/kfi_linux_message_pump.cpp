#include "kelp_forge/application/implementation/kfi_frame.hpp"
#include "kelp_forge/application/implementation/kfi_input_state.hpp"
#include "kelp_forge/application/implementation/kfi_platform.hpp"
#include "kelp_forge/application/implementation/linux/kfi_linux_key_table.hpp"
#include "kelp_forge/application/implementation/linux/kfi_linux_window.hpp"
#include "kelp_forge/core/kf_error.hpp"

#include <SDL_syswm.h>

using KelpForge::Application::ApplicationHandlerInterface;

namespace kfImplementation
{
namespace
{

void DispatchWindowEvent(const SDL_WindowEvent& event, ApplicationHandlerInterface& handler)
{
    switch (event.event)
    {
    case SDL_WINDOWEVENT_CLOSE:
        CloseFrame(handler);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        handler.OnBecomeActive();
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        handler.OnBecomeInactive();
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        SwapPlatformBuffers();
        break;
    default:
        break;
    }
}

void DispatchEvent(const SDL_Event& event)
{
    ApplicationHandlerInterface* handler = GetFrameState().handler;
    kf_error_if(handler == nullptr,
                "kfInternalError: Expected to have a valid ApplicationHandler at this moment.");
    if (handler == nullptr)
    {
        return;
    }

    switch (event.type)
    {
    case SDL_QUIT: // a termination signal
        CloseFrame(*handler);
        break;
    case SDL_WINDOWEVENT:
        DispatchWindowEvent(event.window, *handler);
        break;
    case SDL_KEYDOWN:
        // A held key's auto-repeat is not a new press.
        if (event.key.repeat == 0)
        {
            if (const auto key = TranslateKey(event.key.keysym.sym))
            {
                OnKeyDown(*key);
            }
        }
        break;
    case SDL_KEYUP:
        if (const auto key = TranslateKey(event.key.keysym.sym))
        {
            OnKeyUp(*key);
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (const auto key = TranslateMouseButton(event.button.button))
        {
            OnKeyDown(*key);
            // Keeps the release and the cursor position coming when a drag leaves the window.
            SDL_CaptureMouse(SDL_TRUE);
        }
        break;
    case SDL_MOUSEBUTTONUP:
        if (const auto key = TranslateMouseButton(event.button.button))
        {
            OnKeyUp(*key);
            SDL_CaptureMouse(SDL_FALSE);
        }
        break;
    default:
        break;
    }
}

} // namespace

void PumpPlatformMessages()
{
    SDL_Event event;
    // A close destroys the window and stops the video subsystem; what is left belongs to no window.
    while (HasPlatformWindow() && SDL_PollEvent(&event) != 0)
    {
        DispatchEvent(event);
    }
}

void ReadMousePosition(int& x, int& y)
{
    SDL_Window* window = GetSDLWindow();
    if (window == nullptr)
    {
        return;
    }
    // Asked of the X server itself, relative to the window, wherever the cursor is. SDL's own global
    // position is refreshed only by XInput2 raw motion, which an X server driven through XTEST (a
    // virtual display under test) never sends, and its window position lags a frame behind.
    SDL_SysWMinfo windowSystem;
    SDL_VERSION(&windowSystem.version);
    if (SDL_GetWindowWMInfo(window, &windowSystem) == SDL_TRUE && windowSystem.subsystem == SDL_SYSWM_X11)
    {
        ::Window root = 0;
        ::Window child = 0;
        int rootX = 0;
        int rootY = 0;
        int windowX = 0;
        int windowY = 0;
        unsigned int buttons = 0;
        // False while the cursor is on another screen of the display.
        if (XQueryPointer(windowSystem.info.x11.display, windowSystem.info.x11.window, &root, &child, &rootX,
                          &rootY, &windowX, &windowY, &buttons) != 0)
        {
            x = windowX;
            y = windowY;
            return;
        }
    }
    int globalX = 0;
    int globalY = 0;
    SDL_GetGlobalMouseState(&globalX, &globalY);
    int windowX = 0;
    int windowY = 0;
    SDL_GetWindowPosition(window, &windowX, &windowY);
    x = globalX - windowX;
    y = globalY - windowY;
}

} // namespace kfImplementation
