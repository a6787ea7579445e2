#include "kelp_forge/application/implementation/linux/kfi_linux_window.hpp"

#include "kelp_forge/application/implementation/kfi_platform.hpp"
#include "kelp_forge/core/kf_error.hpp"

using KelpForge::Application::WindowProperties;

namespace kfImplementation
{
namespace
{

SDL_Window* gWindow = nullptr;
bool gIsVideoStarted = false;
// SDL's reason, kept from the moment of failure: later SDL calls overwrite SDL_GetError.
std::string gVideoStartFailure;
std::string gWindowFailure;

// Returns 0 or the failing SDL result.
int EnterFullScreenDisplayMode(SDL_Window* window, int width, int height)
{
    SDL_DisplayMode wanted{};
    wanted.w = width;
    wanted.h = height;
    SDL_DisplayMode closest{};
    if (SDL_GetClosestDisplayMode(0, &wanted, &closest) == nullptr)
    {
        return -1;
    }
    const int modeResult = SDL_SetWindowDisplayMode(window, &closest);
    if (modeResult != 0)
    {
        return modeResult;
    }
    // SDL restores the desktop mode itself when the window leaves full screen or is destroyed.
    return SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN);
}

void ApplyWindowMode(SDL_Window* window, const WindowProperties& properties)
{
    if (properties.windowMode == KelpForge::Application::kWindowed)
    {
        return; // SDL's default window is framed and of fixed size.
    }
    if (properties.windowMode == KelpForge::Application::kFullScreen)
    {
        const int result =
            EnterFullScreenDisplayMode(window, properties.windowWidth, properties.windowHeight);
        kf_error_if(result != 0,
                    "kfInternalError: The display settings did not change successfully. Error: %d", result);
        if (result != 0)
        {
            return;
        }
    }
    SDL_SetWindowBordered(window, SDL_FALSE);
    SDL_SetWindowPosition(window, 0, 0);
}

} // namespace

const std::string& GetPlatformWindowFailure()
{
    return gWindowFailure;
}

SDL_Window* GetSDLWindow()
{
    return gWindow;
}

void SetPixelFormatAttributes()
{
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

void StartPlatform()
{
    if (!gIsVideoStarted)
    {
        // GLEW loads its entry points through GLX, so only SDL's X11 driver gives a usable context.
        // When no X display answers, SDL's own order would go on to Wayland and then to its
        // off-screen driver: a window nobody sees or can close, on EGL. Without X there is no
        // window instead. A user's SDL_VIDEODRIVER still takes precedence over this default.
        SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "x11", SDL_HINT_DEFAULT);
        gIsVideoStarted = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
        gVideoStartFailure = gIsVideoStarted ? "" : SDL_GetError();
    }
}

void StopPlatform()
{
    if (gIsVideoStarted)
    {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        gIsVideoStarted = false;
    }
}

DesktopSize ReadDesktopSize()
{
    SDL_DisplayMode mode{};
    if (!gIsVideoStarted || SDL_GetDesktopDisplayMode(0, &mode) != 0 || mode.w <= 0 || mode.h <= 0 ||
        mode.w > 0xFFFF || mode.h > 0xFFFF)
    {
        return DesktopSize{1280, 720};
    }
    return DesktopSize{static_cast<std::uint16_t>(mode.w), static_cast<std::uint16_t>(mode.h)};
}

bool CreatePlatformWindow(const WindowProperties& properties)
{
    kf_error_if(gWindow != nullptr, "kfInternalError: Expected window handle to be unused at this moment.");
    if (gWindow != nullptr)
    {
        return false;
    }

    SetPixelFormatAttributes();
    // Hidden until the end of Open, so the first picture the user sees is a finished one.
    SDL_Window* window =
        gIsVideoStarted ? SDL_CreateWindow("KelpForge Project", properties.windowPositionX,
                                           properties.windowPositionY, properties.windowWidth,
                                           properties.windowHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN)
                        : nullptr;
    kf_error_if(window == nullptr, "kfInternalError, Expected window handle to be valid.");
    if (window == nullptr)
    {
        gWindowFailure = gIsVideoStarted ? SDL_GetError() : gVideoStartFailure;
        return false;
    }
    gWindow = window;
    gWindowFailure.clear();

    ApplyWindowMode(window, properties);
    // SDL sizes are client-area sizes, whatever the decoration.
    SDL_SetWindowSize(window, properties.windowWidth, properties.windowHeight);
    SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED_DISPLAY(0), SDL_WINDOWPOS_CENTERED_DISPLAY(0));
    return true;
}

void ShowPlatformWindow()
{
    if (gWindow != nullptr)
    {
        SDL_ShowWindow(gWindow);
    }
}

void DestroyPlatformWindow()
{
    if (gWindow != nullptr)
    {
        SDL_DestroyWindow(gWindow);
        gWindow = nullptr;
    }
}

bool HasPlatformWindow()
{
    return gWindow != nullptr;
}

void SetPlatformWindowTitle(const std::string& title)
{
    if (gWindow != nullptr)
    {
        SDL_SetWindowTitle(gWindow, title.c_str());
    }
}

} // namespace kfImplementation
