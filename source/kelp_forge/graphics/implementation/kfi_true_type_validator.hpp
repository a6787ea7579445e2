#ifndef KELP_FORGE_GRAPHICS_IMPLEMENTATION_TRUE_TYPE_VALIDATOR_HPP
#define KELP_FORGE_GRAPHICS_IMPLEMENTATION_TRUE_TYPE_VALIDATOR_HPP

// stb_truetype reads a font's tables wherever their offsets point, without looking at the size of
// the file, and aborts on formats it does not know. Before a font is handed to it, this checks
// every read that the framework's use of it (cmap lookups, horizontal metrics, kerning through
// 'kern' or GPOS, glyph boxes and outlines, rasterising) can make, and refuses anything else:
//   - only TrueType outlines (sfnt version 0x00010000 or "true" with a 'glyf' table); OpenType
//     CFF fonts and font collections are refused;
//   - every table record, loca entry, glyph, cmap subtable (formats 0, 4, 6, 12, 13), 'kern' pair
//     and GPOS pair-positioning lookup lies within its table;
//   - outlines stb_truetype builds stay within 16-bit coordinates, composite glyphs nest at most
//     kMaxComponentDepth deep without cycles, and no glyph has more than kMaxGlyphVertices
//     vertices.
// Glyph indices are not checked against the cmap: callers map any index outside
// [0, numberOfGlyphs) to glyph 0 before using it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kfImplementation::TrueType
{

inline constexpr std::size_t kMaxFontFileSize = std::size_t{256} << 20;
inline constexpr int kMaxComponentDepth = 16;
inline constexpr std::uint32_t kMaxGlyphVertices = 16384;

// What a font's tables say, read once they are known to be safe.
struct FontSummary
{
    std::uint16_t numberOfGlyphs = 0;
    std::uint16_t unitsPerEm = 0;
    bool hasKernTable = false;
    // Per glyph, the larger side of the box around every coordinate of its outline (components
    // included), in font units; 0 for glyphs without an outline.
    std::vector<std::uint32_t> outlineSpans;
};

// The summary of a font that stb_truetype can read safely, or nothing. fontData is read during
// the call only.
[[nodiscard]] std::optional<FontSummary> ValidateTrueTypeFont(std::span<const unsigned char> fontData);

} // namespace kfImplementation::TrueType

#endif
