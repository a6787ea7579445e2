#ifndef KELP_FORGE_GRAPHICS_IMPLEMENTATION_TRUE_TYPE_GLYPH_CHECK_HPP
#define KELP_FORGE_GRAPHICS_IMPLEMENTATION_TRUE_TYPE_GLYPH_CHECK_HPP

#include "kelp_forge/graphics/implementation/kfi_true_type_region.hpp"

#include <cstdint>
#include <optional>
#include <vector>

namespace kfImplementation::TrueType
{

// Checks every glyph the loca table locates, the way stb_truetype builds its outline: simple
// glyphs' contours, flags and coordinates, and composite glyphs' component records, nesting,
// transforms (whose results must fit 16 bits) and vertex counts (see kfi_true_type_validator.hpp
// for the limits). Gives, per glyph, the larger side of the box around every coordinate of its
// outline in font units (0 without an outline), or nothing when a glyph is refused.
[[nodiscard]] std::optional<std::vector<std::uint32_t>>
CheckGlyphOutlines(const Region& loca, const Region& glyf, bool isLongLoca, std::uint16_t numberOfGlyphs);

} // namespace kfImplementation::TrueType

#endif
