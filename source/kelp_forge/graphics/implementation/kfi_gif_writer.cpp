#include "kelp_forge/graphics/implementation/kfi_gif_writer.hpp"

#include <bit>
#include <cstring>
#include <initializer_list>
#include <utility>

namespace kfImplementation
{

namespace
{

constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
// Global colour table present, 8-bit colour resolution, 2 entries.
constexpr std::uint8_t kLogicalScreenFlags = 0xF0;
// Keep the previous picture underneath, transparency on.
constexpr std::uint8_t kGraphicControlFlags = 0x05;
// Local colour table of 256 entries.
constexpr std::uint8_t kImageDescriptorFlags = 0x87;

void AppendBytes(std::vector<std::uint8_t>& bytes, std::initializer_list<std::uint8_t> values)
{
    for (const std::uint8_t value : values)
    {
        bytes.push_back(value);
    }
}

void AppendNumber(std::vector<std::uint8_t>& bytes, std::uint16_t value)
{
    AppendBytes(bytes, {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>(value >> 8)});
}

// Red in the low byte, alpha left out.
std::uint32_t ReadColor(std::span<const std::uint8_t> picture, std::size_t pixel)
{
    static_assert(std::endian::native == std::endian::little, "pixels are read as little-endian words");
    std::uint32_t color = 0;
    std::memcpy(&color, picture.data() + pixel * 4, sizeof(color));
    return color & 0x00FFFFFF;
}

// Whether the pixels at pixel and pixel + 1 have the colours that previous holds for them.
bool AreTwoColorsEqual(std::span<const std::uint8_t> picture, const std::vector<std::uint32_t>& previous,
                       std::size_t pixel)
{
    std::uint64_t colors = 0;
    std::uint64_t previousColors = 0;
    std::memcpy(&colors, picture.data() + pixel * 4, sizeof(colors));
    std::memcpy(&previousColors, previous.data() + pixel, sizeof(previousColors));
    return (colors & 0x00FFFFFF00FFFFFFull) == previousColors;
}

} // namespace

void GifWriter::Begin(GifFile file, std::uint16_t width, std::uint16_t height, std::uint16_t delay)
{
    mFile = std::move(file);
    if (!mFile)
    {
        return;
    }
    mWidth = width;
    mHeight = height;
    mDelay = delay;
    mIsFirstPicture = true;
    mPrevious.assign(static_cast<std::size_t>(width) * height, 0);

    mBytes.clear();
    AppendBytes(mBytes, {'G', 'I', 'F', '8', '9', 'a'});
    AppendNumber(mBytes, width);
    AppendNumber(mBytes, height);
    AppendBytes(mBytes, {kLogicalScreenFlags, 0, 0});
    // The global table of two black entries is never used: every frame brings its own.
    AppendBytes(mBytes, {0, 0, 0, 0, 0, 0});
    if (delay != 0)
    {
        AppendBytes(mBytes, {kExtensionIntroducer, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2',
                             '.', '0', 0x03, 0x01, 0x00, 0x00, 0x00});
    }
    std::fwrite(mBytes.data(), 1, mBytes.size(), mFile.get());
}

void GifWriter::WriteFrame(std::span<const std::uint8_t> picture)
{
    if (!mFile)
    {
        return;
    }
    const bool hasPrevious = !mIsFirstPicture;
    mIsFirstPicture = false;
    const std::size_t pixelCount = mPrevious.size();

    // Only the pixels that differ from what is already on screen take part in the palette and
    // are written; the rest become transparent.
    mChangedPositions.clear();
    mChangedPixels.clear();
    for (std::size_t pixel = 0; pixel < pixelCount; ++pixel)
    {
        // Most of a picture is as before: step over unchanged pixels two at a time.
        if (hasPrevious && pixel + 1 < pixelCount && AreTwoColorsEqual(picture, mPrevious, pixel))
        {
            ++pixel;
            continue;
        }
        const std::uint32_t color = ReadColor(picture, pixel);
        if (!hasPrevious || color != mPrevious[pixel])
        {
            mChangedPositions.push_back(static_cast<std::uint32_t>(pixel));
            mChangedPixels.push_back({static_cast<std::uint8_t>(color), static_cast<std::uint8_t>(color >> 8),
                                      static_cast<std::uint8_t>(color >> 16), 0});
        }
    }
    mPalette.Build(mChangedPixels);

    mIndexes.assign(pixelCount, GifPalette::kTransparentEntry);
    mNearestEntries.fill(0);
    for (const std::uint32_t pixel : mChangedPositions)
    {
        const std::uint32_t color = ReadColor(picture, pixel);
        const int entry = FindNearestEntry(color);
        mPrevious[pixel] = static_cast<std::uint32_t>(mPalette.GetRed(entry)) |
                           static_cast<std::uint32_t>(mPalette.GetGreen(entry)) << 8 |
                           static_cast<std::uint32_t>(mPalette.GetBlue(entry)) << 16;
        mIndexes[pixel] = static_cast<std::uint8_t>(entry);
    }

    mBytes.clear();
    AppendFrameHeader();
    mLzwEncoder.Encode(mIndexes, mBytes);
    std::fwrite(mBytes.data(), 1, mBytes.size(), mFile.get());
}

int GifWriter::FindNearestEntry(std::uint32_t color)
{
    // Lit areas repeat their colours often: remember the answers of this frame's palette.
    const std::uint32_t key = color | kNearestEntryKeyMarker;
    std::uint64_t& slot = mNearestEntries[(key * 2654435761u) >> (32 - kNearestEntryHashBits)];
    if (static_cast<std::uint32_t>(slot) == key)
    {
        return static_cast<int>(slot >> 32);
    }
    const int entry =
        mPalette.FindNearestEntry(static_cast<int>(color & 0xFF), static_cast<int>(color >> 8 & 0xFF),
                                  static_cast<int>(color >> 16 & 0xFF));
    slot = static_cast<std::uint64_t>(entry) << 32 | key;
    return entry;
}

void GifWriter::AppendFrameHeader()
{
    AppendBytes(mBytes, {kExtensionIntroducer, 0xF9, 0x04, kGraphicControlFlags});
    AppendNumber(mBytes, mDelay);
    AppendBytes(mBytes, {GifPalette::kTransparentEntry, 0x00});

    AppendBytes(mBytes, {kImageSeparator});
    AppendNumber(mBytes, 0);
    AppendNumber(mBytes, 0);
    AppendNumber(mBytes, mWidth);
    AppendNumber(mBytes, mHeight);
    AppendBytes(mBytes, {kImageDescriptorFlags});

    AppendBytes(mBytes, {0, 0, 0});
    for (int entry = 1; entry < GifPalette::kEntryCount; ++entry)
    {
        AppendBytes(mBytes, {mPalette.GetRed(entry), mPalette.GetGreen(entry), mPalette.GetBlue(entry)});
    }
}

void GifWriter::End()
{
    if (!mFile)
    {
        return;
    }
    std::fputc(kTrailer, mFile.get());
    mFile.reset();
    // A writer can sit idle for a long time after a recording: give its picture memory back.
    mPrevious = {};
    mIndexes = {};
    mChangedPixels = {};
    mChangedPositions = {};
    mBytes = {};
}

} // namespace kfImplementation
