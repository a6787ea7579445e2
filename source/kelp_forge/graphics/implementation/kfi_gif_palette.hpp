#ifndef KELP_FORGE_GRAPHICS_GIF_PALETTE_HPP
#define KELP_FORGE_GRAPHICS_GIF_PALETTE_HPP

#include <array>
#include <cstdint>
#include <span>

namespace kfImplementation
{

// One pixel as the palette builder sorts it: channels 0 red, 1 green, 2 blue; the fourth byte is
// ignored.
using GifColor = std::array<std::uint8_t, 4>;

// The 256-entry local colour table of one GIF frame and the binary tree that finds the nearest
// entry to a colour. Entry 0 is the transparent entry and is never chosen. The tree is kept in heap
// order: inner node n (1 to 255) splits on one channel at one value, its children are 2n and 2n + 1,
// and node 256 + i is the leaf of entry i.
class GifPalette
{
public:
    static constexpr int kEntryCount = 256;
    static constexpr int kTransparentEntry = 0;

    // Rebuilds the palette from the pixels that take part in a frame. The pixels are reordered.
    // Entries and nodes that no pixel reaches are zero, so they are black.
    void Build(std::span<GifColor> pixels);

    // The entry other than the transparent one whose colour is nearest to (red, green, blue) in the
    // sum of the channel differences.
    [[nodiscard]] int FindNearestEntry(int red, int green, int blue) const;

    [[nodiscard]] std::uint8_t GetRed(int entry) const { return mRed[entry]; }
    [[nodiscard]] std::uint8_t GetGreen(int entry) const { return mGreen[entry]; }
    [[nodiscard]] std::uint8_t GetBlue(int entry) const { return mBlue[entry]; }

private:
    void Split(std::span<GifColor> pixels, int start, int end, int splitPoint, int splitDistance, int node);
    void SetEntryToAverage(std::span<const GifColor> pixels, int entry);
    void Search(int node, const GifColor& color, int& bestDistance, int& bestEntry) const;

    std::array<std::uint8_t, kEntryCount> mRed{};
    std::array<std::uint8_t, kEntryCount> mGreen{};
    std::array<std::uint8_t, kEntryCount> mBlue{};
    // Indexed by inner node; index 0 is unused.
    std::array<std::uint8_t, kEntryCount> mSplitChannel{};
    std::array<std::uint8_t, kEntryCount> mSplitValue{};
};

} // namespace kfImplementation

#endif
