#ifndef KELP_FORGE_GRAPHICS_IMPLEMENTATION_UTF8_DECODER_HPP
#define KELP_FORGE_GRAPHICS_IMPLEMENTATION_UTF8_DECODER_HPP

#include <cstdint>
#include <string_view>
#include <vector>

namespace kfImplementation::Text
{

// Splits UTF-8 text into code points the way text has always been drawn here, leniently: the lead
// byte's high four bits choose the length and continuation bytes are taken without being checked.
//   - A lead byte below 0xC0 is a code point by itself, read as a signed byte, so the stray
//     continuation bytes 0x80 to 0xBF give negative code points (drawn as the missing glyph).
//   - 0xC0 to 0xDF: the low 5 bits and one continuation byte; 0xE0 to 0xEF: the low 4 bits and
//     two; 0xF0 to 0xFF: the low 3 bits and three. Each continuation byte adds its low 6 bits.
// A zero byte ends the text, also inside a sequence, which then keeps the bits read so far; the
// end of the view does the same.
[[nodiscard]] std::vector<std::int32_t> DecodeUtf8(std::string_view text);

} // namespace kfImplementation::Text

#endif
