#ifndef KELP_FORGE_APPLICATION_IMPLEMENTATION_LINUX_WINDOW_HPP
#define KELP_FORGE_APPLICATION_IMPLEMENTATION_LINUX_WINDOW_HPP

// The SDL2 window behind the platform operations, for the other files of the Linux layer.

#include <SDL.h>

namespace kfImplementation
{

// The open window, or null. Owned by the window layer; valid until DestroyPlatformWindow.
[[nodiscard]] SDL_Window* GetSDLWindow();

// Pixel format of every window: 8-bit RGBA, 24-bit depth, double buffered. On X11 the format is
// fixed when the window is created, so this runs before SDL_CreateWindow and before every context.
void SetPixelFormatAttributes();

} // namespace kfImplementation

#endif
