#ifndef GLOAMSHOT_CONTENT_PINEWREN_LOGO_HPP
#define GLOAMSHOT_CONTENT_PINEWREN_LOGO_HPP

// The maker's logo for the splash screen: a wren perched on a pine bough inside a round badge,
// above the name "Pinewren". Shown at half size on black.

#include "asset_kit/lettering.hpp"

#include <vector>

namespace Gloamshot::Content
{

constexpr int kLogoSide = 512;

// kLogoSide x kLogoSide RGBA pixels, transparent around the emblem and the name.
[[nodiscard]] std::vector<unsigned char> DrawPinewrenLogo(const KelpForge::Tools::Lettering& lettering);

} // namespace Gloamshot::Content

#endif
