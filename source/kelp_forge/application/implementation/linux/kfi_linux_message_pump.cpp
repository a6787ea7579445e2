#include "kelp_forge/application/implementation/kfi_frame.hpp"
#include "kelp_forge/application/implementation/kfi_input_state.hpp"
#include "kelp_forge/application/implementation/kfi_platform.hpp"
#include "kelp_forge/application/implementation/linux/kfi_linux_key_table.hpp"
#include "kelp_forge/application/implementation/linux/kfi_linux_window.hpp"
#include "kelp_forge/core/kf_error.hpp"

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
    // Over the window, or held by it while a button is down (SDL captures the mouse then), the
    // window's own motion events tell where the cursor is. Only outside it is the global position
    // needed, which keeps counting there; SDL refreshes it from XInput2 raw motion, which an X
    // server driven through XTEST (a virtual display under test) never sends.
    if (SDL_GetMouseFocus() == window)
    {
        SDL_GetMouseState(&x, &y);
        return;
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
