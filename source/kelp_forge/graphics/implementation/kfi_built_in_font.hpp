#ifndef KELP_FORGE_GRAPHICS_IMPLEMENTATION_BUILT_IN_FONT_HPP
#define KELP_FORGE_GRAPHICS_IMPLEMENTATION_BUILT_IN_FONT_HPP

// The display font carried by the program: DejaVu Sans Bold from Debian's fonts-dejavu-core,
// built into a byte array by the build (see the graphics CMakeLists.txt).

#include <cstddef>

namespace kfImplementation::Text
{

extern const unsigned char kBuiltInFont[];
extern const std::size_t kBuiltInFontSize;

} // namespace kfImplementation::Text

#endif
