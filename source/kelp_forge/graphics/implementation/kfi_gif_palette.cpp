#include "kelp_forge/graphics/implementation/kfi_gif_palette.hpp"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace kfImplementation
{

namespace
{

constexpr int kFirstEntry = 1;
constexpr int kRootNode = 1;
constexpr int kRootSplitPoint = 128;
constexpr int kRootSplitDistance = 64;
// Parent of the transparent entry's leaf.
constexpr int kTransparentParentNode = (GifPalette::kEntryCount + GifPalette::kTransparentEntry) / 2;
constexpr int kDistinctColorLimit = GifPalette::kEntryCount - 1;

// Reorders pixels so that the position smallest on channel come first and pixels[position] is
// the smallest of the rest (a quickselect). Pixels equal to the pivot go to either side in turn, so
// that a picture that is mostly one colour still halves the window on every pass.
void SelectSmallest(std::span<GifColor> pixels, std::size_t position, int channel)
{
    std::size_t first = 0;
    std::size_t last = pixels.size();
    while (last - first > 1)
    {
        std::swap(pixels[first + (last - first) / 2], pixels[last - 1]);
        const std::uint8_t pivot = pixels[last - 1][channel];
        std::size_t store = first;
        bool equalGoesLeft = true;
        for (std::size_t i = first; i < last - 1; ++i)
        {
            const std::uint8_t value = pixels[i][channel];
            bool goesLeft = value < pivot;
            if (value == pivot)
            {
                goesLeft = equalGoesLeft;
                equalGoesLeft = !equalGoesLeft;
            }
            if (goesLeft)
            {
                std::swap(pixels[i], pixels[store]);
                ++store;
            }
        }
        std::swap(pixels[store], pixels[last - 1]);
        if (store == position)
        {
            return;
        }
        if (position < store)
        {
            last = store;
        }
        else
        {
            first = store + 1;
        }
    }
}

std::uint32_t PackColor(const GifColor& color)
{
    return static_cast<std::uint32_t>(color[0]) | static_cast<std::uint32_t>(color[1]) << 8 |
           static_cast<std::uint32_t>(color[2]) << 16;
}

// Collects the different colours among the pixels into distinct; false as soon as there are more
// than distinct can hold.
bool CollectDistinctColors(std::span<const GifColor> pixels, std::span<GifColor> distinct, std::size_t& count)
{
    // Open addressing with linear probing, at most half full; a key is never 0 because of its
    // marker bit.
    constexpr std::uint32_t kUsedMarker = 1u << 24;
    constexpr std::uint32_t kHashBits = 9;
    static_assert((1u << kHashBits) >= 2 * kDistinctColorLimit);
    std::array<std::uint32_t, 1u << kHashBits> slots{};
    count = 0;
    std::uint32_t previousKey = 0;
    for (const GifColor& pixel : pixels)
    {
        const std::uint32_t key = PackColor(pixel) | kUsedMarker;
        if (key == previousKey)
        {
            continue;
        }
        previousKey = key;
        std::uint32_t slot = (key * 2654435761u) >> (32 - kHashBits);
        while (slots[slot] != 0 && slots[slot] != key)
        {
            slot = (slot + 1) & ((1u << kHashBits) - 1);
        }
        if (slots[slot] == key)
        {
            continue;
        }
        if (count == distinct.size())
        {
            return false;
        }
        slots[slot] = key;
        distinct[count] = {pixel[0], pixel[1], pixel[2], 0};
        ++count;
    }
    return true;
}

} // namespace

void GifPalette::Build(std::span<GifColor> pixels)
{
    mRed.fill(0);
    mGreen.fill(0);
    mBlue.fill(0);
    mSplitChannel.fill(0);
    mSplitValue.fill(0);

    // NOTE: splitting by pixel count gives a rare colour no entry of its own (a lone blue pixel
    // among a thousand red ones ends up averaged with red ones), so a picture that has no more
    // colours than the palette has entries is split over its colours, one each: every colour then
    // gets an entry of its own and the picture is written exactly.
    std::array<GifColor, kDistinctColorLimit> distinct;
    std::size_t distinctCount = 0;
    if (CollectDistinctColors(pixels, distinct, distinctCount))
    {
        pixels = std::span<GifColor>(distinct.data(), distinctCount);
    }
    Split(pixels, kFirstEntry, kEntryCount, kRootSplitPoint, kRootSplitDistance, kRootNode);

    mRed[kTransparentEntry] = 0;
    mGreen[kTransparentEntry] = 0;
    mBlue[kTransparentEntry] = 0;
    // A split on red at 0 sends every search to the non-transparent sibling first.
    mSplitChannel[kTransparentParentNode] = 0;
    mSplitValue[kTransparentParentNode] = 0;
}

void GifPalette::Split(std::span<GifColor> pixels, int start, int end, int splitPoint, int splitDistance,
                       int node)
{
    if (pixels.empty() || end <= start)
    {
        return;
    }
    if (end == start + 1)
    {
        SetEntryToAverage(pixels, start);
        return;
    }

    std::array<int, 3> minimum{255, 255, 255};
    std::array<int, 3> maximum{0, 0, 0};
    for (const GifColor& pixel : pixels)
    {
        for (int channel = 0; channel < 3; ++channel)
        {
            minimum[channel] = std::min<int>(minimum[channel], pixel[channel]);
            maximum[channel] = std::max<int>(maximum[channel], pixel[channel]);
        }
    }
    const int redRange = maximum[0] - minimum[0];
    const int greenRange = maximum[1] - minimum[1];
    const int blueRange = maximum[2] - minimum[2];
    int splitChannel = 1;
    if (blueRange > greenRange)
    {
        splitChannel = 2;
    }
    if (redRange > blueRange && redRange > greenRange)
    {
        splitChannel = 0;
    }

    const std::size_t leftCount =
        pixels.size() * static_cast<std::size_t>(splitPoint - start) / static_cast<std::size_t>(end - start);
    SelectSmallest(pixels, leftCount, splitChannel);
    mSplitChannel[node] = static_cast<std::uint8_t>(splitChannel);
    mSplitValue[node] = pixels[leftCount][splitChannel];

    const int childDistance = splitDistance / 2;
    Split(pixels.first(leftCount), start, splitPoint, splitPoint - splitDistance, childDistance, 2 * node);
    Split(pixels.subspan(leftCount), splitPoint, end, splitPoint + splitDistance, childDistance,
          2 * node + 1);
}

void GifPalette::SetEntryToAverage(std::span<const GifColor> pixels, int entry)
{
    std::array<std::uint64_t, 3> sum{};
    for (const GifColor& pixel : pixels)
    {
        sum[0] += pixel[0];
        sum[1] += pixel[1];
        sum[2] += pixel[2];
    }
    const std::uint64_t count = pixels.size();
    mRed[entry] = static_cast<std::uint8_t>((sum[0] + count / 2) / count);
    mGreen[entry] = static_cast<std::uint8_t>((sum[1] + count / 2) / count);
    mBlue[entry] = static_cast<std::uint8_t>((sum[2] + count / 2) / count);
}

int GifPalette::FindNearestEntry(int red, int green, int blue) const
{
    const GifColor color{static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                         static_cast<std::uint8_t>(blue), 0};
    int bestDistance = 1000000;
    int bestEntry = kFirstEntry;
    Search(kRootNode, color, bestDistance, bestEntry);
    return bestEntry;
}

void GifPalette::Search(int node, const GifColor& color, int& bestDistance, int& bestEntry) const
{
    if (node >= kEntryCount)
    {
        const int entry = node - kEntryCount;
        if (entry == kTransparentEntry)
        {
            return;
        }
        const int distance = std::abs(color[0] - mRed[entry]) + std::abs(color[1] - mGreen[entry]) +
                             std::abs(color[2] - mBlue[entry]);
        if (distance < bestDistance)
        {
            bestDistance = distance;
            bestEntry = entry;
        }
        return;
    }

    const int splitValue = mSplitValue[node];
    const int value = color[mSplitChannel[node]];
    if (splitValue > value)
    {
        Search(2 * node, color, bestDistance, bestEntry);
        if (bestDistance > splitValue - value)
        {
            Search(2 * node + 1, color, bestDistance, bestEntry);
        }
    }
    else
    {
        Search(2 * node + 1, color, bestDistance, bestEntry);
        if (bestDistance > value - splitValue)
        {
            Search(2 * node, color, bestDistance, bestEntry);
        }
    }
}

} // namespace kfImplementation
