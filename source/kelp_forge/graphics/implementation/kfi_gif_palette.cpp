#include "kelp_forge/graphics/implementation/kfi_gif_palette.hpp"

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

using ChannelHistogram = std::array<std::size_t, 256>;

// Reorders pixels so that the leftCount smallest on channel come first, and returns the value at
// which they split: the leftCount-th smallest value counted from 0, the value a full sort would put
// at position leftCount. Pixels of exactly that value go to either side in turn while both sides
// have room for them. Counting the values first (histogram) makes this one pass without recursion.
std::uint8_t PartitionByCount(std::span<GifColor> pixels, std::size_t leftCount, int channel,
                              const ChannelHistogram& histogram)
{
    std::size_t below = 0;
    int splitValue = 0;
    while (below + histogram[splitValue] <= leftCount)
    {
        below += histogram[splitValue];
        ++splitValue;
    }
    std::size_t equalLeftRoom = leftCount - below;
    std::size_t equalRightRoom = histogram[splitValue] - equalLeftRoom;

    // [0, store) holds the left pixels, [store, index) the right ones; swapping a right pixel with
    // the first right one changes nothing, so every pixel is swapped without a branch.
    std::size_t store = 0;
    bool equalGoesLeft = true;
    for (std::size_t index = 0; index < pixels.size(); ++index)
    {
        const int value = pixels[index][channel];
        bool goesLeft = value < splitValue;
        if (value == splitValue)
        {
            goesLeft = equalRightRoom == 0 || (equalGoesLeft && equalLeftRoom > 0);
            (goesLeft ? equalLeftRoom : equalRightRoom) -= 1;
            equalGoesLeft = !equalGoesLeft;
        }
        std::swap(pixels[index], pixels[store]);
        store += goesLeft ? 1 : 0;
    }
    return static_cast<std::uint8_t>(splitValue);
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

    std::array<ChannelHistogram, 3> histograms{};
    for (const GifColor& pixel : pixels)
    {
        ++histograms[0][pixel[0]];
        ++histograms[1][pixel[1]];
        ++histograms[2][pixel[2]];
    }
    std::array<int, 3> minimum{};
    std::array<int, 3> maximum{};
    for (int channel = 0; channel < 3; ++channel)
    {
        const ChannelHistogram& histogram = histograms[channel];
        while (histogram[minimum[channel]] == 0)
        {
            ++minimum[channel];
        }
        maximum[channel] = 255;
        while (histogram[maximum[channel]] == 0)
        {
            --maximum[channel];
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
    mSplitChannel[node] = static_cast<std::uint8_t>(splitChannel);
    mSplitValue[node] = PartitionByCount(pixels, leftCount, splitChannel, histograms[splitChannel]);

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
