#ifndef KELP_FORGE_GRAPHICS_IMPLEMENTATION_SCREEN_SIZE_HPP
#define KELP_FORGE_GRAPHICS_IMPLEMENTATION_SCREEN_SIZE_HPP

// The application frame tells graphics the client-area size of the window it opens, so that
// ScreenWidth, ScreenHeight and ScreenCenter need not know about windows.

#include "kelp_forge/graphics/kf_screen.hpp"

namespace kfImplementation
{

void SetScreenSize(KelpForge::Graphics::PixelSpace width, KelpForge::Graphics::PixelSpace height);

} // namespace kfImplementation

#endif
