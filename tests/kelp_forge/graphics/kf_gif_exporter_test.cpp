// GIF capture: the palette, the LZW coder, the file writer and the recording state, checked by
// decoding the files with giflib (an independent decoder) and the LZW data with a strict decoder
// that reads every code up to the end code.
//
// [SECTION] Helpers: pictures, a picture source in memory, strict LZW decoding
// [SECTION] Palette
// [SECTION] LZW coder
// [SECTION] File writer
// [SECTION] Recording

#include "kelp_forge/graphics/implementation/kfi_gif_capture.hpp"
#include "kelp_forge/graphics/implementation/kfi_gif_lzw.hpp"
#include "kelp_forge/graphics/implementation/kfi_gif_palette.hpp"
#include "kelp_forge/graphics/implementation/kfi_gif_picture_queue.hpp"
#include "kelp_forge/graphics/implementation/kfi_gif_writer.hpp"
#include "kf_gif_test_files.hpp"
#include "support/kf_error_recorder.hpp"
#include "support/kf_test_files.hpp"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

using KelpForge::Graphics::GifCaptureSize;
using KelpForge::Graphics::kGifCaptureFullSize;
using KelpForge::Graphics::kGifCaptureHalfSize;
using KelpForge::Testing::DecodedFrame;
using KelpForge::Testing::DecodedGif;
using KelpForge::Testing::DecodeGifFile;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::Picture;
using KelpForge::Testing::ReadFile;
using KelpForge::Testing::Rgb;
using KelpForge::Testing::ScratchWorkingDirectory;
using KelpForge::Testing::ToRgba;
using KelpForge::Testing::WriteFile;
using kfImplementation::GifCapture;
using kfImplementation::GifColor;
using kfImplementation::GifFile;
using kfImplementation::GifLzwEncoder;
using kfImplementation::GifPalette;
using kfImplementation::GifPictureQueue;
using kfImplementation::GifPictureSource;
using kfImplementation::GifWriter;

namespace
{

// [SECTION] Helpers: pictures, a picture source in memory, strict LZW decoding

// A picture of the given size whose pixels take colours from a fixed list of at most 255, the
// first colour far more often than the others.
Picture MakeFewColorPicture(int width, int height, int colorCount, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<std::uint32_t> colors;
    std::set<std::uint32_t> used;
    while (static_cast<int>(colors.size()) < colorCount)
    {
        const std::uint32_t color = random() & 0xFFFFFF;
        if (used.insert(color).second)
        {
            colors.push_back(color);
        }
    }
    Picture picture{width, height, {}};
    for (int pixel = 0; pixel < width * height; ++pixel)
    {
        const bool common = random() % 4 != 0;
        picture.pixels.push_back(colors[common ? 0 : random() % colors.size()]);
    }
    return picture;
}

// Gives the pictures of a list in turn, bottom row first as the window's read-back does.
class MemoryPictureSource : public GifPictureSource
{
public:
    MemoryPictureSource(int width, int height) : mWidth(width), mHeight(height) {}

    void AddPicture(const Picture& picture) { mPictures.push_back(picture); }
    int GetReadCount() const { return mReadCount; }

    std::uint16_t GetPictureWidth() const override { return static_cast<std::uint16_t>(mWidth); }
    std::uint16_t GetPictureHeight() const override { return static_cast<std::uint16_t>(mHeight); }
    void ReadPicture(std::span<std::uint8_t> pixels, std::uint16_t width, std::uint16_t height) override
    {
        EXPECT_EQ(width, mWidth);
        EXPECT_EQ(height, mHeight);
        ASSERT_EQ(pixels.size(), static_cast<std::size_t>(width) * height * 4);
        const Picture& picture = mPictures[static_cast<std::size_t>(mReadCount) % mPictures.size()];
        const std::vector<std::uint8_t> topDown = ToRgba(picture);
        const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
        for (int row = 0; row < height; ++row)
        {
            std::copy_n(topDown.begin() + static_cast<std::ptrdiff_t>((height - 1 - row) * rowBytes),
                        rowBytes, pixels.begin() + static_cast<std::ptrdiff_t>(row * rowBytes));
        }
        ++mReadCount;
    }

private:
    int mWidth;
    int mHeight;
    std::vector<Picture> mPictures;
    int mReadCount = 0;
};

// What a strict LZW decoder makes of GIF image data: the indexes, and the codes that come after
// the last index (a well-formed stream has exactly a clear code and the end code there).
struct StrictLzwResult
{
    bool isWellFormed = false;
    std::string fault;
    std::vector<std::uint8_t> indexes;
    int clearCodeCount = 0;
    std::vector<std::size_t> subBlockSizes;
    std::vector<std::uint32_t> trailingCodes;
};

StrictLzwResult DecodeLzwStrictly(const std::vector<std::uint8_t>& data, std::size_t pixelCount)
{
    StrictLzwResult result;
    if (data.empty() || data[0] != 8)
    {
        result.fault = "minimum code size is not 8";
        return result;
    }
    std::vector<std::uint8_t> stream;
    std::size_t position = 1;
    while (true)
    {
        if (position >= data.size())
        {
            result.fault = "sub-blocks run past the data";
            return result;
        }
        const std::size_t length = data[position++];
        if (length == 0)
        {
            break;
        }
        result.subBlockSizes.push_back(length);
        if (position + length > data.size())
        {
            result.fault = "sub-block runs past the data";
            return result;
        }
        stream.insert(stream.end(), data.begin() + static_cast<std::ptrdiff_t>(position),
                      data.begin() + static_cast<std::ptrdiff_t>(position + length));
        position += length;
    }
    if (position != data.size())
    {
        result.fault = "bytes after the terminator";
        return result;
    }

    std::size_t bitPosition = 0;
    const auto readCode = [&](std::uint32_t size, std::uint32_t& code)
    {
        if (bitPosition + size > stream.size() * 8)
        {
            return false;
        }
        code = 0;
        for (std::uint32_t bit = 0; bit < size; ++bit, ++bitPosition)
        {
            code |= static_cast<std::uint32_t>(stream[bitPosition / 8] >> (bitPosition % 8) & 1) << bit;
        }
        return true;
    };
    // Each code is a prefix code plus one index; a string is read by walking its prefixes back.
    std::vector<std::uint32_t> prefix(4096, 0);
    std::vector<std::uint8_t> suffix(4096, 0);
    std::vector<std::uint8_t> first(4096, 0);
    std::vector<std::size_t> length(4096, 1);
    for (std::uint32_t code = 0; code < 256; ++code)
    {
        suffix[code] = static_cast<std::uint8_t>(code);
        first[code] = static_cast<std::uint8_t>(code);
    }
    const auto appendString = [&](std::uint32_t code)
    {
        const std::size_t start = result.indexes.size();
        result.indexes.resize(start + length[code]);
        for (std::size_t at = result.indexes.size(); at-- > start;)
        {
            result.indexes[at] = suffix[code];
            code = prefix[code];
        }
    };
    std::uint32_t codeSize = 9;
    std::uint32_t nextCode = 258;
    bool hasPrevious = false;
    std::uint32_t previous = 0;
    while (true)
    {
        std::uint32_t code = 0;
        if (!readCode(codeSize, code))
        {
            result.fault = "data ends before the end code";
            return result;
        }
        if (result.indexes.size() >= pixelCount)
        {
            result.trailingCodes.push_back(code);
        }
        if (code == 256)
        {
            ++result.clearCodeCount;
            codeSize = 9;
            nextCode = 258;
            hasPrevious = false;
            continue;
        }
        if (code == 257)
        {
            break;
        }
        if (!hasPrevious && code >= 256)
        {
            result.fault = "first code after a clear code is not an index";
            return result;
        }
        if (hasPrevious)
        {
            if (code > nextCode || (code >= 256 && code < 258))
            {
                result.fault = "code " + std::to_string(code) + " beyond the dictionary";
                return result;
            }
            if (nextCode < 4096)
            {
                prefix[nextCode] = previous;
                first[nextCode] = first[previous];
                // A code that is being defined right now ends with its own first index.
                suffix[nextCode] = code == nextCode ? first[previous] : first[code];
                length[nextCode] = length[previous] + 1;
                ++nextCode;
                if (nextCode == (1u << codeSize) && codeSize < 12)
                {
                    ++codeSize;
                }
            }
        }
        appendString(code);
        previous = code;
        hasPrevious = true;
    }
    if (stream.size() * 8 - bitPosition >= 8)
    {
        result.fault = "whole bytes after the end code";
        return result;
    }
    for (std::size_t bit = bitPosition; bit < stream.size() * 8; ++bit)
    {
        if ((stream[bit / 8] >> (bit % 8) & 1) != 0)
        {
            result.fault = "padding bits are not zero";
            return result;
        }
    }
    result.isWellFormed = true;
    return result;
}

// Runs each test in a scratch working directory, where captures are written.
class GifCaptureTest : public ::testing::Test
{
protected:
    std::vector<std::string> GifFileNames() const { return mDirectory.FileNames(".gif"); }

    // Writes pictures straight through a writer, as the capture's worker does.
    std::string WritePictures(const std::vector<Picture>& pictures, std::uint16_t delay = 6)
    {
        const std::string fileName = "written.gif";
        GifWriter writer;
        writer.Begin(GifFile(std::fopen(fileName.c_str(), "wb")),
                     static_cast<std::uint16_t>(pictures[0].width),
                     static_cast<std::uint16_t>(pictures[0].height), delay);
        for (const Picture& picture : pictures)
        {
            writer.WriteFrame(ToRgba(picture));
        }
        writer.End();
        return fileName;
    }

    ScratchWorkingDirectory mDirectory;
};

std::string CaptureName(std::time_t time, const std::string& suffix = "")
{
    std::tm localTime{};
    localtime_r(&time, &localTime);
    char name[64];
    std::strftime(name, sizeof(name), "%Y%m%d_%H%M%S_screencap", &localTime);
    return std::string(name) + suffix + ".gif";
}

// [SECTION] Palette

TEST(GifPaletteTest, EveryColourOfAFewColourPictureGetsAnEntryOfItsOwn)
{
    // One pixel of each rare colour among thousands of a common one: splitting by pixel count
    // alone would average the rare colours into the common one's entries.
    std::vector<GifColor> pixels(5000, GifColor{200, 10, 10, 0});
    std::vector<GifColor> colors;
    for (int color = 0; color < 254; ++color)
    {
        colors.push_back({static_cast<std::uint8_t>(color), static_cast<std::uint8_t>(color * 7),
                          static_cast<std::uint8_t>(255 - color), 0});
        pixels.push_back(colors.back());
    }
    colors.push_back({200, 10, 10, 0});

    GifPalette palette;
    palette.Build(pixels);
    std::set<int> entries;
    for (const GifColor& color : colors)
    {
        const int entry = palette.FindNearestEntry(color[0], color[1], color[2]);
        EXPECT_NE(entry, GifPalette::kTransparentEntry);
        EXPECT_EQ(palette.GetRed(entry), color[0]);
        EXPECT_EQ(palette.GetGreen(entry), color[1]);
        EXPECT_EQ(palette.GetBlue(entry), color[2]);
        entries.insert(entry);
    }
    EXPECT_EQ(entries.size(), colors.size());
}

TEST(GifPaletteTest, SearchFindsTheNearestEntryOfAManyColourPalette)
{
    std::mt19937 random(7);
    std::vector<GifColor> pixels;
    for (int pixel = 0; pixel < 20000; ++pixel)
    {
        pixels.push_back({static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
                          static_cast<std::uint8_t>(random() % 64), 0});
    }
    GifPalette palette;
    palette.Build(pixels);

    for (int probe = 0; probe < 3000; ++probe)
    {
        const int red = static_cast<int>(random() % 256);
        const int green = static_cast<int>(random() % 256);
        const int blue = static_cast<int>(random() % 256);
        int bestDistance = 1 << 30;
        for (int entry = 1; entry < GifPalette::kEntryCount; ++entry)
        {
            bestDistance = std::min(bestDistance, std::abs(red - palette.GetRed(entry)) +
                                                      std::abs(green - palette.GetGreen(entry)) +
                                                      std::abs(blue - palette.GetBlue(entry)));
        }
        const int entry = palette.FindNearestEntry(red, green, blue);
        ASSERT_NE(entry, GifPalette::kTransparentEntry);
        EXPECT_EQ(std::abs(red - palette.GetRed(entry)) + std::abs(green - palette.GetGreen(entry)) +
                      std::abs(blue - palette.GetBlue(entry)),
                  bestDistance)
            << "probe " << red << "," << green << "," << blue;
    }
}

TEST(GifPaletteTest, TheTransparentEntryIsNeverChosenEvenForBlack)
{
    std::vector<GifColor> pixels(100, GifColor{90, 90, 90, 0});
    GifPalette palette;
    palette.Build(pixels);
    const int entry = palette.FindNearestEntry(0, 0, 0);
    EXPECT_NE(entry, GifPalette::kTransparentEntry);
}

TEST(GifPaletteTest, AnEmptyPixelSetLeavesEveryEntryBlack)
{
    std::vector<GifColor> pixels;
    GifPalette palette;
    palette.Build(pixels);
    for (int entry = 0; entry < GifPalette::kEntryCount; ++entry)
    {
        EXPECT_EQ(palette.GetRed(entry) + palette.GetGreen(entry) + palette.GetBlue(entry), 0);
    }
}

// [SECTION] LZW coder

std::vector<std::uint8_t> EncodeIndexes(GifLzwEncoder& encoder, const std::vector<std::uint8_t>& indexes)
{
    std::vector<std::uint8_t> data;
    encoder.Encode(indexes, data);
    return data;
}

// The encoder is used again and again, as for the frames of a file: nothing of one call may leak
// into the next.
void ExpectStrictRoundTrip(GifLzwEncoder& encoder, const std::vector<std::uint8_t>& indexes)
{
    const StrictLzwResult result = DecodeLzwStrictly(EncodeIndexes(encoder, indexes), indexes.size());
    ASSERT_TRUE(result.isWellFormed) << result.fault << " (" << indexes.size() << " indexes)";
    ASSERT_EQ(result.indexes, indexes) << indexes.size() << " indexes";
    // Once every index is out, the stream ends with a clear code and the end code, and nothing else
    // (with no index at all, the opening clear code counts as well).
    const std::vector<std::uint32_t> expectedTrailing =
        indexes.empty() ? std::vector<std::uint32_t>{256, 256, 257} : std::vector<std::uint32_t>{256, 257};
    ASSERT_EQ(result.trailingCodes, expectedTrailing) << indexes.size() << " indexes";
    for (std::size_t block = 0; block + 1 < result.subBlockSizes.size(); ++block)
    {
        ASSERT_EQ(result.subBlockSizes[block], 255u);
    }
}

TEST(GifLzwTest, EveryLengthDecodesThroughTheEndCodeAcrossCodeWidthChanges)
{
    // Random indexes make about one code per index, so these lengths end on every code count that
    // widens the codes to 10, 11 and 12 bits, and on the ones around them.
    std::mt19937 random(3);
    GifLzwEncoder encoder;
    std::vector<std::size_t> lengths{0, 1, 2, 3};
    for (const std::size_t widening : {255u, 767u, 1791u})
    {
        for (std::size_t length = widening - 50; length < widening + 70; ++length)
        {
            lengths.push_back(length);
        }
    }
    for (const std::size_t length : lengths)
    {
        std::vector<std::uint8_t> indexes(length);
        for (std::uint8_t& index : indexes)
        {
            index = static_cast<std::uint8_t>(random());
        }
        ExpectStrictRoundTrip(encoder, indexes);
    }
}

TEST(GifLzwTest, LongDataPassesTheDictionaryResetAtCode4095)
{
    std::mt19937 random(11);
    GifLzwEncoder encoder;
    std::vector<std::uint8_t> indexes(150000);
    for (std::size_t index = 0; index < indexes.size(); ++index)
    {
        // Runs of a few values, like a picture, mixed with noise.
        indexes[index] = static_cast<std::uint8_t>(index % 97 < 60 ? (index / 13) % 5 : random());
    }
    ExpectStrictRoundTrip(encoder, indexes);
    const StrictLzwResult result = DecodeLzwStrictly(EncodeIndexes(encoder, indexes), indexes.size());
    EXPECT_GE(result.clearCodeCount, 5);

    // Every code count from just before to just after the first reset.
    for (std::size_t length = 3700; length < 4200; ++length)
    {
        std::vector<std::uint8_t> noise(length);
        for (std::uint8_t& index : noise)
        {
            index = static_cast<std::uint8_t>(random());
        }
        ExpectStrictRoundTrip(encoder, noise);
    }
}

TEST(GifLzwTest, LayoutOfASinglePixel)
{
    // Clear (9 bits), index 5 (9 bits), clear (9 bits), end (9 bits) = 36 bits in 5 bytes.
    GifLzwEncoder encoder;
    const std::vector<std::uint8_t> data = EncodeIndexes(encoder, {5});
    const std::vector<std::uint8_t> expected{8, 5, 0x00, 0x0B, 0x00, 0x0C, 0x08, 0x00};
    EXPECT_EQ(data, expected);
}

TEST(GifLzwTest, RunsOfOneIndexCompressAndSubBlocksAreFull)
{
    GifLzwEncoder encoder;
    const std::vector<std::uint8_t> indexes(1280 * 720, 0);
    const std::vector<std::uint8_t> data = EncodeIndexes(encoder, indexes);
    EXPECT_LT(data.size(), 20000u);
    ExpectStrictRoundTrip(encoder, indexes);
}

// [SECTION] File writer

TEST_F(GifCaptureTest, FileLayoutBeginsWithHeaderScreenTableAndLoopingExtension)
{
    const Picture picture = MakeFewColorPicture(300, 2, 3, 1);
    const std::vector<std::uint8_t> bytes = ReadFile(WritePictures({picture}));
    const std::vector<std::uint8_t> head{'G', 'I', 'F', '8', '9', 'a', 0x2C, 0x01, 0x02, 0x00, 0xF0, 0, 0, 0,
                                         0, 0, 0, 0, 0, 0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P',
                                         'E', '2', '.', '0', 0x03, 0x01, 0x00, 0x00, 0x00,
                                         // graphic control extension
                                         0x21, 0xF9, 0x04, 0x05, 6, 0, 0, 0x00,
                                         // image descriptor
                                         0x2C, 0, 0, 0, 0, 0x2C, 0x01, 0x02, 0x00, 0x87,
                                         // entry 0 of the local table
                                         0, 0, 0};
    ASSERT_GT(bytes.size(), head.size() + 255 * 3 + 1);
    EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes.begin()));
    EXPECT_EQ(bytes[head.size() + 255 * 3], 8) << "minimum code size after the local table";
    EXPECT_EQ(bytes.back(), 0x3B);

    const DecodedGif decoded = DecodeGifFile("written.gif");
    EXPECT_TRUE(decoded.loopsForever);
    ASSERT_EQ(decoded.frames.size(), 1u);
    EXPECT_EQ(decoded.frames[0].colorCount, 256);
}

TEST_F(GifCaptureTest, ADelayOfZeroWritesNoLoopingExtension)
{
    const Picture picture = MakeFewColorPicture(4, 4, 2, 1);
    const std::vector<std::uint8_t> bytes = ReadFile(WritePictures({picture}, 0));
    ASSERT_GT(bytes.size(), 20u);
    EXPECT_EQ(bytes[19], 0x21);
    EXPECT_EQ(bytes[20], 0xF9) << "the graphic control extension follows the global table";
    const DecodedGif decoded = DecodeGifFile("written.gif");
    EXPECT_FALSE(decoded.loopsForever);
    ASSERT_EQ(decoded.frames.size(), 1u);
    EXPECT_EQ(decoded.frames[0].delay, 0);
}

TEST_F(GifCaptureTest, PicturesOfFewColoursDecodeExactlyFrameAfterFrame)
{
    // Each picture changes part of the last one, with up to 255 colours among the changed pixels.
    std::vector<Picture> pictures{MakeFewColorPicture(97, 61, 255, 1)};
    for (unsigned seed = 2; seed < 7; ++seed)
    {
        Picture next = pictures.back();
        const Picture patch = MakeFewColorPicture(40, 30, 200, seed);
        for (int y = 0; y < 30; ++y)
        {
            for (int x = 0; x < 40; ++x)
            {
                next.pixels[static_cast<std::size_t>(y + static_cast<int>(seed) * 3) * 97 + x +
                            static_cast<int>(seed) * 9] = patch.At(x, y);
            }
        }
        pictures.push_back(next);
    }

    const DecodedGif decoded = DecodeGifFile(WritePictures(pictures));
    ASSERT_TRUE(decoded.isOpened);
    EXPECT_EQ(decoded.width, 97);
    EXPECT_EQ(decoded.height, 61);
    ASSERT_EQ(decoded.frames.size(), pictures.size());
    for (std::size_t frame = 0; frame < pictures.size(); ++frame)
    {
        const DecodedFrame& decodedFrame = decoded.frames[frame];
        EXPECT_EQ(decodedFrame.left, 0);
        EXPECT_EQ(decodedFrame.top, 0);
        EXPECT_EQ(decodedFrame.width, 97);
        EXPECT_EQ(decodedFrame.height, 61);
        EXPECT_EQ(decodedFrame.delay, 6);
        EXPECT_EQ(decodedFrame.disposal, DISPOSE_DO_NOT);
        EXPECT_EQ(decodedFrame.transparentIndex, 0);
        EXPECT_EQ(decodedFrame.canvas.pixels, pictures[frame].pixels) << "frame " << frame;
        const long transparentCount = std::count(decodedFrame.indexes.begin(), decodedFrame.indexes.end(), 0);
        if (frame == 0)
        {
            EXPECT_EQ(transparentCount, 0) << "the first frame has nothing to show through";
        }
        else
        {
            EXPECT_GE(transparentCount, 97 * 61 - 40 * 30) << "unchanged pixels are transparent";
        }
    }
}

TEST_F(GifCaptureTest, AnUnchangedPictureIsWrittenAllTransparent)
{
    const Picture picture = MakeFewColorPicture(33, 17, 40, 5);
    const DecodedGif decoded = DecodeGifFile(WritePictures({picture, picture}));
    ASSERT_EQ(decoded.frames.size(), 2u);
    EXPECT_TRUE(std::all_of(decoded.frames[1].indexes.begin(), decoded.frames[1].indexes.end(),
                            [](std::uint8_t index) { return index == 0; }));
    EXPECT_EQ(decoded.frames[1].canvas.pixels, picture.pixels);
}

TEST_F(GifCaptureTest, ManyColourPicturesDecodeCloseToTheOriginal)
{
    // A smooth gradient of 4096 colours: no exact palette, but the nearest entries are close. Pixels
    // shown in a colour other than their own take part again in the next frame.
    Picture first{128, 64, {}};
    for (int y = 0; y < 64; ++y)
    {
        for (int x = 0; x < 128; ++x)
        {
            first.pixels.push_back(Rgb(x * 2, y * 4, 128));
        }
    }
    Picture second = first;
    for (int x = 0; x < 128; ++x)
    {
        second.pixels[static_cast<std::size_t>(10) * 128 + x] = Rgb(255 - x, 30, x);
    }
    const DecodedGif decoded = DecodeGifFile(WritePictures({first, second}));
    ASSERT_EQ(decoded.frames.size(), 2u);
    for (std::size_t frame = 0; frame < 2; ++frame)
    {
        const Picture& original = frame == 0 ? first : second;
        double totalError = 0;
        for (std::size_t pixel = 0; pixel < original.pixels.size(); ++pixel)
        {
            const std::uint32_t got = decoded.frames[frame].canvas.pixels[pixel];
            const std::uint32_t want = original.pixels[pixel];
            for (int shift = 0; shift < 24; shift += 8)
            {
                totalError +=
                    std::abs(static_cast<int>(got >> shift & 0xFF) - static_cast<int>(want >> shift & 0xFF));
            }
        }
        EXPECT_LT(totalError / static_cast<double>(original.pixels.size() * 3), 3.0) << "frame " << frame;
    }
}

TEST_F(GifCaptureTest, LzwResetInsideAFileDecodesWithGiflib)
{
    // 256 by 256 pixels of 200 colours in noise: several dictionary resets per frame.
    const Picture noise = MakeFewColorPicture(256, 256, 200, 9);
    Picture other = MakeFewColorPicture(256, 256, 150, 10);
    const DecodedGif decoded = DecodeGifFile(WritePictures({noise, other, noise}));
    ASSERT_EQ(decoded.frames.size(), 3u);
    EXPECT_EQ(decoded.frames[0].canvas.pixels, noise.pixels);
    EXPECT_EQ(decoded.frames[1].canvas.pixels, other.pixels);
    EXPECT_EQ(decoded.frames[2].canvas.pixels, noise.pixels);
}

TEST_F(GifCaptureTest, AWriterWithoutAFileSkipsEverything)
{
    GifWriter writer;
    writer.Begin(nullptr, 8, 8, 6);
    EXPECT_FALSE(writer.IsOpen());
    writer.WriteFrame(ToRgba(MakeFewColorPicture(8, 8, 3, 1)));
    writer.End();
    EXPECT_TRUE(GifFileNames().empty());
}

// [SECTION] Recording

TEST_F(GifCaptureTest, FullSizeRecordingTurnsThePicturesTopRowFirst)
{
    MemoryPictureSource source(50, 40);
    std::vector<Picture> pictures;
    for (unsigned seed = 1; seed <= 3; ++seed)
    {
        pictures.push_back(MakeFewColorPicture(50, 40, 60, seed));
        source.AddPicture(pictures.back());
    }
    {
        GifCapture capture(source);
        capture.Update(1.0f, true, kGifCaptureFullSize);
        EXPECT_TRUE(capture.IsCapturing());
        capture.Update(1.0f, false, kGifCaptureFullSize);
        capture.Update(1.0f, false, kGifCaptureHalfSize);
        capture.Update(1.0f, true, kGifCaptureFullSize);
        EXPECT_FALSE(capture.IsCapturing());
        capture.Finish();
    }
    EXPECT_EQ(source.GetReadCount(), 3);

    const std::vector<std::string> names = GifFileNames();
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(names[0].ends_with("_screencap.gif")) << names[0];
    EXPECT_EQ(names[0].size(), std::string("20240101_120000_screencap.gif").size());
    const DecodedGif decoded = DecodeGifFile(names[0]);
    EXPECT_EQ(decoded.width, 50);
    EXPECT_EQ(decoded.height, 40);
    EXPECT_TRUE(decoded.loopsForever);
    ASSERT_EQ(decoded.frames.size(), 3u);
    for (std::size_t frame = 0; frame < 3; ++frame)
    {
        EXPECT_EQ(decoded.frames[frame].delay, 6);
        EXPECT_EQ(decoded.frames[frame].canvas.pixels, pictures[frame].pixels) << "frame " << frame;
    }
}

TEST_F(GifCaptureTest, HalfSizeOfAnOddWindowKeepsEverySecondPixelFromTheBottomRow)
{
    MemoryPictureSource source(1281, 721);
    Picture picture{1281, 721, {}};
    for (int y = 0; y < 721; ++y)
    {
        for (int x = 0; x < 1281; ++x)
        {
            // Few colours, so that the file holds them exactly, but different for odd rows and columns.
            picture.pixels.push_back(
                Rgb((x % 2) * 200 + (x / 2) % 7, (y % 2) * 200 + (y / 2) % 9, (x + y) % 3));
        }
    }
    source.AddPicture(picture);
    {
        GifCapture capture(source);
        capture.Update(0.5f, true, kGifCaptureHalfSize);
        capture.Update(0.5f, true, kGifCaptureHalfSize);
    }
    const std::vector<std::string> names = GifFileNames();
    ASSERT_EQ(names.size(), 1u);
    const DecodedGif decoded = DecodeGifFile(names[0]);
    EXPECT_EQ(decoded.width, 640);
    EXPECT_EQ(decoded.height, 360);
    ASSERT_EQ(decoded.frames.size(), 1u);
    // Output pixel (x, y) of the bottom-up picture comes from its pixel (2x, 2y): in top-down
    // rows, output row 359 - y from picture row 720 - 2y.
    for (int y = 0; y < 360; ++y)
    {
        for (int x = 0; x < 640; ++x)
        {
            ASSERT_EQ(decoded.frames[0].canvas.At(x, 359 - y), picture.At(2 * x, 720 - 2 * y))
                << x << "," << y;
        }
    }
}

TEST_F(GifCaptureTest, OnePicturePerCallAtMostAndNoneWhileTheTimerRuns)
{
    MemoryPictureSource source(8, 8);
    source.AddPicture(MakeFewColorPicture(8, 8, 4, 1));
    GifCapture capture(source);
    // Started with no time passed: the first picture waits for the next call.
    capture.Update(0.0f, true, kGifCaptureFullSize);
    EXPECT_EQ(source.GetReadCount(), 0);
    capture.Update(5.0f, false, kGifCaptureFullSize);
    EXPECT_EQ(source.GetReadCount(), 1) << "a long frame still takes one picture";
    // The timer is far below zero now and catches up one picture per call.
    capture.Update(0.0f, false, kGifCaptureFullSize);
    EXPECT_EQ(source.GetReadCount(), 2);
    capture.Update(0.01f, true, kGifCaptureFullSize);
    EXPECT_FALSE(capture.IsCapturing());
    capture.Update(1.0f, false, kGifCaptureFullSize);
    EXPECT_EQ(source.GetReadCount(), 2) << "no picture once stopped";
    capture.Finish();

    const DecodedGif decoded = DecodeGifFile(GifFileNames().at(0));
    EXPECT_EQ(decoded.frames.size(), 2u);
}

TEST_F(GifCaptureTest, ARecordingStoppedBeforeItsFirstPictureHasNoFrames)
{
    MemoryPictureSource source(20, 10);
    source.AddPicture(MakeFewColorPicture(20, 10, 4, 1));
    {
        GifCapture capture(source);
        capture.Update(0.0f, true, kGifCaptureHalfSize);
        capture.Update(0.0f, true, kGifCaptureHalfSize);
    }
    const std::vector<std::string> names = GifFileNames();
    ASSERT_EQ(names.size(), 1u);
    const std::vector<std::uint8_t> expected{'G',  'I',  'F', '8',  '9',  'a',  10,   0,    5,   0,
                                             0xF0, 0,    0,   0,    0,    0,    0,    0,    0,   0x21,
                                             0xFF, 0x0B, 'N', 'E',  'T',  'S',  'C',  'A',  'P', 'E',
                                             '2',  '.',  '0', 0x03, 0x01, 0x00, 0x00, 0x00, 0x3B};
    EXPECT_EQ(ReadFile(names[0]), expected);
    EXPECT_EQ(source.GetReadCount(), 0);
}

TEST_F(GifCaptureTest, AnUnknownOutputSizeIsReportedAndTheEarlierSizeKept)
{
    ErrorRecorder recorder;
    MemoryPictureSource source(40, 20);
    source.AddPicture(MakeFewColorPicture(40, 20, 4, 1));
    GifCapture capture(source);
    capture.Update(1.0f, true, static_cast<GifCaptureSize>(7));
    capture.Update(1.0f, true, kGifCaptureFullSize);
    EXPECT_EQ(recorder.Messages(),
              std::vector<std::string>{"kfInternalError: Unknown GIF capture outputSize value."});
    capture.Finish();
    const DecodedGif unknownFirst = DecodeGifFile(GifFileNames().at(0));
    EXPECT_EQ(unknownFirst.width, 20) << "half size until a size is given";
    EXPECT_EQ(unknownFirst.height, 10);

    std::filesystem::remove(GifFileNames().at(0));
    capture.Update(1.0f, true, kGifCaptureFullSize);
    capture.Update(1.0f, true, kGifCaptureFullSize);
    capture.Finish();
    std::filesystem::remove(GifFileNames().at(0));
    capture.Update(1.0f, true, static_cast<GifCaptureSize>(-1));
    capture.Finish();
    const DecodedGif keptFull = DecodeGifFile(GifFileNames().at(0));
    EXPECT_EQ(keptFull.width, 40) << "the size of the previous recording";
    ASSERT_EQ(keptFull.frames.size(), 1u);
    EXPECT_EQ(recorder.Messages().size(), 2u);
}

TEST_F(GifCaptureTest, AnExistingCaptureIsNeverOverwritten)
{
    // Files of the names the next few seconds would take, so the recording below must add a suffix.
    const std::time_t now = std::time(nullptr);
    for (std::time_t second = now; second <= now + 3; ++second)
    {
        WriteFile(CaptureName(second), "keep");
        WriteFile(CaptureName(second, "_2"), "keep");
    }
    MemoryPictureSource source(16, 16);
    source.AddPicture(MakeFewColorPicture(16, 16, 5, 1));
    {
        GifCapture capture(source);
        capture.Update(1.0f, true, kGifCaptureFullSize);
        capture.Update(1.0f, true, kGifCaptureFullSize);
    }
    std::vector<std::string> written;
    for (const std::string& name : GifFileNames())
    {
        const std::vector<std::uint8_t> bytes = ReadFile(name);
        if (std::string(bytes.begin(), bytes.end()) != "keep")
        {
            written.push_back(name);
        }
    }
    ASSERT_EQ(written.size(), 1u);
    EXPECT_TRUE(written[0].ends_with("_screencap_3.gif")) << written[0];
    EXPECT_EQ(DecodeGifFile(written[0]).frames.size(), 1u);
    EXPECT_EQ(GifFileNames().size(), 9u);
}

TEST_F(GifCaptureTest, TwoRecordingsInOneSecondKeepBothFiles)
{
    MemoryPictureSource source(16, 16);
    source.AddPicture(MakeFewColorPicture(16, 16, 5, 1));
    source.AddPicture(MakeFewColorPicture(16, 16, 5, 2));
    GifCapture capture(source);
    capture.Update(1.0f, true, kGifCaptureFullSize);
    capture.Update(1.0f, true, kGifCaptureFullSize);
    capture.Update(1.0f, true, kGifCaptureFullSize);
    capture.Update(1.0f, false, kGifCaptureFullSize);
    capture.Update(1.0f, true, kGifCaptureFullSize);
    capture.Finish();

    const std::vector<std::string> names = GifFileNames();
    ASSERT_EQ(names.size(), 2u);
    std::multiset<std::size_t> frameCounts;
    for (const std::string& name : names)
    {
        frameCounts.insert(DecodeGifFile(name).frames.size());
    }
    EXPECT_EQ(frameCounts, (std::multiset<std::size_t>{1, 2}));
}

TEST_F(GifCaptureTest, ANewRecordingWaitsForThePreviousFileToBeComplete)
{
    MemoryPictureSource source(320, 240);
    for (unsigned seed = 1; seed <= 4; ++seed)
    {
        source.AddPicture(MakeFewColorPicture(320, 240, 250, seed));
    }
    GifCapture capture(source);
    capture.Update(1.0f, true, kGifCaptureFullSize);
    for (int call = 0; call < 29; ++call)
    {
        capture.Update(1.0f, false, kGifCaptureFullSize);
    }
    capture.Update(1.0f, true, kGifCaptureFullSize);
    const std::vector<std::string> firstNames = GifFileNames();
    ASSERT_EQ(firstNames.size(), 1u);

    // Starting again joins the first writer before the second file is begun.
    capture.Update(0.0f, true, kGifCaptureFullSize);
    const std::vector<std::uint8_t> firstBytes = ReadFile(firstNames[0]);
    ASSERT_FALSE(firstBytes.empty());
    EXPECT_EQ(firstBytes.back(), 0x3B);
    EXPECT_EQ(DecodeGifFile(firstNames[0]).frames.size(), 30u);
    EXPECT_EQ(GifFileNames().size(), 2u);
}

TEST_F(GifCaptureTest, FinishingWhileRecordingCompletesTheFile)
{
    MemoryPictureSource source(320, 240);
    std::vector<Picture> pictures;
    for (unsigned seed = 1; seed <= 5; ++seed)
    {
        pictures.push_back(MakeFewColorPicture(320, 240, 250, seed));
        source.AddPicture(pictures.back());
    }
    GifCapture capture(source);
    capture.Update(1.0f, true, kGifCaptureFullSize);
    for (int call = 0; call < 24; ++call)
    {
        capture.Update(1.0f, false, kGifCaptureFullSize);
    }
    // Shutdown with pictures still queued for the writer.
    capture.Finish();
    EXPECT_FALSE(capture.IsCapturing());

    const DecodedGif decoded = DecodeGifFile(GifFileNames().at(0));
    ASSERT_EQ(decoded.frames.size(), 25u);
    for (std::size_t frame = 0; frame < 25; ++frame)
    {
        ASSERT_EQ(decoded.frames[frame].canvas.pixels, pictures[frame % 5].pixels) << "frame " << frame;
    }
}

TEST_F(GifCaptureTest, DestroyingTheCaptureWhileRecordingCompletesTheFile)
{
    MemoryPictureSource source(200, 100);
    source.AddPicture(MakeFewColorPicture(200, 100, 100, 1));
    source.AddPicture(MakeFewColorPicture(200, 100, 100, 2));
    {
        GifCapture capture(source);
        capture.Update(1.0f, true, kGifCaptureHalfSize);
        for (int call = 0; call < 9; ++call)
        {
            capture.Update(1.0f, false, kGifCaptureHalfSize);
        }
    }
    const std::vector<std::uint8_t> bytes = ReadFile(GifFileNames().at(0));
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.back(), 0x3B);
    EXPECT_EQ(DecodeGifFile(GifFileNames().at(0)).frames.size(), 10u);
}

TEST_F(GifCaptureTest, PicturesAreStillTakenWhenNoFileCanBeMade)
{
    // A working directory that no longer exists: no file can be created in it.
    const std::filesystem::path gone = mDirectory.GetPath() / "gone";
    std::filesystem::create_directory(gone);
    std::filesystem::current_path(gone);
    std::filesystem::remove(gone);

    MemoryPictureSource source(16, 16);
    source.AddPicture(MakeFewColorPicture(16, 16, 5, 1));
    GifCapture capture(source);
    capture.Update(1.0f, true, kGifCaptureFullSize);
    for (int call = 0; call < 10; ++call)
    {
        capture.Update(1.0f, false, kGifCaptureFullSize);
    }
    capture.Update(1.0f, true, kGifCaptureFullSize);
    capture.Finish();
    EXPECT_EQ(source.GetReadCount(), 11);
    std::filesystem::current_path(mDirectory.GetPath());
    EXPECT_TRUE(GifFileNames().empty());
}

TEST_F(GifCaptureTest, HalfSizeOfAOnePixelWindowWritesEmptyFrames)
{
    MemoryPictureSource source(1, 1);
    source.AddPicture(Picture{1, 1, {Rgb(1, 2, 3)}});
    {
        GifCapture capture(source);
        capture.Update(1.0f, true, kGifCaptureHalfSize);
        capture.Update(1.0f, false, kGifCaptureHalfSize);
    }
    const std::vector<std::uint8_t> bytes = ReadFile(GifFileNames().at(0));
    ASSERT_GT(bytes.size(), 10u);
    EXPECT_EQ(bytes[6] + bytes[7] + bytes[8] + bytes[9], 0) << "a 0 by 0 picture";
    EXPECT_EQ(bytes.back(), 0x3B);
}

TEST(GifPictureQueueTest, AFullQueueMakesTheTakerWaitForTheWriter)
{
    GifPictureQueue queue(2);
    std::atomic<int> pushed = 0;
    std::thread taker(
        [&]
        {
            for (int picture = 0; picture < 3; ++picture)
            {
                queue.Push(GifPictureQueue::Picture(16, static_cast<std::uint8_t>(picture)));
                ++pushed;
            }
            queue.Close();
        });
    while (pushed.load() < 2)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(pushed.load(), 2) << "the third picture waits for room";

    GifPictureQueue::Picture picture;
    std::vector<int> order;
    while (queue.Pop(picture))
    {
        order.push_back(picture[0]);
        queue.ReturnSpareBuffer(std::move(picture));
    }
    taker.join();
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(queue.TakeSpareBuffer().size(), 16u) << "written pictures come back as spare buffers";
}

} // namespace
