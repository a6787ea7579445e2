#ifndef KELP_FORGE_GRAPHICS_GIF_LZW_HPP
#define KELP_FORGE_GRAPHICS_GIF_LZW_HPP

#include <cstdint>
#include <span>
#include <vector>

namespace kfImplementation
{

// The LZW coder of GIF image data for 8-bit palette indexes: clear code 256, end code 257, codes
// of 9 to 12 bits packed least significant bit first, and a fresh dictionary (after a clear code)
// whenever code 4095 is reached. Keeps its dictionary between calls so that encoding many frames
// allocates nothing.
class GifLzwEncoder
{
public:
    GifLzwEncoder();

    // Appends the image data of one frame to output: the minimum code size 8, the codes in
    // sub-blocks of at most 255 bytes each preceded by its length, then the 0x00 terminator.
    void Encode(std::span<const std::uint8_t> indexes, std::vector<std::uint8_t>& output);

private:
    void ClearDictionary();

    // Code of (string code, next index), or 0 when the dictionary has no such string.
    std::vector<std::uint16_t> mDictionary;
    std::vector<std::uint32_t> mUsedSlots;
};

} // namespace kfImplementation

#endif
