#ifndef KELP_FORGE_GRAPHICS_SCREEN_HPP
#define KELP_FORGE_GRAPHICS_SCREEN_HPP

// The size of the window's client area, for placing things relative to the screen.

#include "kelp_forge/math/kf_vector2.hpp"

#include <cstdint>

namespace KelpForge::Graphics
{

// A pixel size or pixel position on a texture or the screen.
using PixelSpace = std::uint16_t;

// Client-area width and height in pixels: 1280 by 720 until the window opens, then the size it
// opened with.
[[nodiscard]] PixelSpace ScreenWidth();
[[nodiscard]] PixelSpace ScreenHeight();
// Half the client-area size.
[[nodiscard]] Math::Vector2 ScreenCenter();

} // namespace KelpForge::Graphics

#endif
