#ifndef KELP_FORGE_GRAPHICS_FONT_CACHE_HPP
#define KELP_FORGE_GRAPHICS_FONT_CACHE_HPP

#include "kelp_forge/graphics/kf_font.hpp"

#include <string>

namespace KelpForge::Graphics
{

// The name of the display font built into the framework.
inline const std::string kDefaultFont;

// The font known by fontName: kDefaultFont is the built-in font, any other name the path of a
// TrueType file, loaded on first use. A file that cannot be loaded is reported when it is first
// asked for, and its name stands for no font (null) from then on. Fonts are shared by every
// caller and live until the program ends; one font has one pixel size at a time, so set it
// before each measure or rasterisation. Main thread only.
[[nodiscard]] Font* GetFont(const std::string& fontName);

} // namespace KelpForge::Graphics

#endif
