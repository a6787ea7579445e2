#ifndef KELP_FORGE_GRAPHICS_IMPLEMENTATION_TRUE_TYPE_GPOS_CHECK_HPP
#define KELP_FORGE_GRAPHICS_IMPLEMENTATION_TRUE_TYPE_GPOS_CHECK_HPP

#include "kelp_forge/graphics/implementation/kfi_true_type_region.hpp"

#include <cstdint>

namespace kfImplementation::TrueType
{

// Whether stb_truetype's kerning lookup stays inside this GPOS table for every pair of glyphs
// below numberOfGlyphs: the header, the lookup list, and every pair-adjustment lookup with its
// coverage, pair sets and class definitions. The work is bounded; a table that would need more
// than real fonts do is refused.
[[nodiscard]] bool CheckGlyphPositioning(const Region& gpos, std::uint16_t numberOfGlyphs);

} // namespace kfImplementation::TrueType

#endif
