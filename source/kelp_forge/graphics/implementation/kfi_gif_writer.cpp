#include "kelp_forge/graphics/implementation/kfi_gif_writer.hpp"

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
    bytes.insert(bytes.end(), values);
}

void AppendNumber(std::vector<std::uint8_t>& bytes, std::uint16_t value)
{
    AppendBytes(bytes, {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>(value >> 8)});
}

std::uint32_t ReadColor(std::span<const std::uint8_t> picture, std::size_t pixel)
{
    const std::uint8_t* bytes = picture.data() + pixel * 4;
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16;
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
    mIndexes.assign(pixelCount, GifPalette::kTransparentEntry);
    mChangedPixels.clear();
    for (std::size_t pixel = 0; pixel < pixelCount; ++pixel)
    {
        const std::uint32_t color = ReadColor(picture, pixel);
        if (!hasPrevious || color != mPrevious[pixel])
        {
            mChangedPixels.push_back({static_cast<std::uint8_t>(color), static_cast<std::uint8_t>(color >> 8),
                                      static_cast<std::uint8_t>(color >> 16), 0});
        }
    }
    mPalette.Build(mChangedPixels);

    // Neighbouring pixels often share a colour, so the last search is remembered.
    std::uint32_t lastColor = 0xFFFFFFFF;
    int lastEntry = 0;
    for (std::size_t pixel = 0; pixel < pixelCount; ++pixel)
    {
        const std::uint32_t color = ReadColor(picture, pixel);
        if (hasPrevious && color == mPrevious[pixel])
        {
            continue;
        }
        if (color != lastColor)
        {
            lastColor = color;
            lastEntry =
                mPalette.FindNearestEntry(static_cast<int>(color & 0xFF), static_cast<int>(color >> 8 & 0xFF),
                                          static_cast<int>(color >> 16 & 0xFF));
        }
        mPrevious[pixel] = static_cast<std::uint32_t>(mPalette.GetRed(lastEntry)) |
                           static_cast<std::uint32_t>(mPalette.GetGreen(lastEntry)) << 8 |
                           static_cast<std::uint32_t>(mPalette.GetBlue(lastEntry)) << 16;
        mIndexes[pixel] = static_cast<std::uint8_t>(lastEntry);
    }

    mBytes.clear();
    AppendFrameHeader();
    mLzwEncoder.Encode(mIndexes, mBytes);
    std::fwrite(mBytes.data(), 1, mBytes.size(), mFile.get());
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
    mBytes = {};
}

} // namespace kfImplementation
