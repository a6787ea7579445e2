#ifndef KELP_FORGE_GAME_IMPLEMENTATION_FRAMEWORK_LOGO_HPP
#define KELP_FORGE_GAME_IMPLEMENTATION_FRAMEWORK_LOGO_HPP

// The framework's logo, a 256 x 256 RGBA PNG with a transparent surround that tools/make_logo.cpp
// draws at build time and the build embeds here.

#include <cstddef>

namespace kfImplementation
{

extern const unsigned char theFrameworkLogoPng[];
extern const std::size_t theFrameworkLogoPngSize;

} // namespace kfImplementation

#endif
