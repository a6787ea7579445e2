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
    // The dictionary: an open-addressing hash table from (string code, next index) to the code
    // of that longer string, small enough for the processor's first-level cache and never more
    // than half full. A slot holds the 20-bit key above the 12-bit code, or 0 when empty.
    static constexpr std::uint32_t kHashBits = 13;

    // The slot of (string code, next index), empty or holding that key.
    [[nodiscard]] std::uint32_t& FindSlot(std::uint32_t code, std::uint32_t index);
    void ClearDictionary();

    std::vector<std::uint32_t> mDictionary;
    // Strings followed by the transparent index 0, most of every frame after the first, have
    // their slots here, one per string code, found without hashing.
    std::vector<std::uint32_t> mTransparentSlots;
};

} // namespace kfImplementation

#endif
