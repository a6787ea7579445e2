#include "kelp_forge/graphics/implementation/kfi_image_decoder.hpp"

#include "support/kf_error_recorder.hpp"
#include "support/kf_test_files.hpp"
#include "support/kf_test_images.hpp"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

using KelpForge::Testing::CorpusFolder;
using KelpForge::Testing::EncodePng;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::ReadFile;
using KelpForge::Testing::TemporaryFolder;
using KelpForge::Testing::TestImage;
using KelpForge::Testing::WritePng;
using kfImplementation::DecodedImage;
using kfImplementation::DecodeImageData;
using kfImplementation::DecodeImageFile;
using kfImplementation::PremultiplyAlpha;

namespace
{

constexpr int kAnySide = 65535;
const std::string kCastingMessage = "kfCastingError: Value is outside the range of the following cast.";

std::array<int, 4> PixelAt(const DecodedImage& image, int x, int y)
{
    const unsigned char* const pixel =
        image.pixels.get() + (static_cast<std::size_t>(y) * image.width + x) * 4;
    return {pixel[0], pixel[1], pixel[2], pixel[3]};
}

} // namespace

TEST(ImageDecoderTest, OnePixelIsPremultipliedByItsAlpha)
{
    TestImage source(1, 1, 0xFF800080u);
    const std::vector<std::uint8_t> png = EncodePng(source);
    const DecodedImage image = DecodeImageData(png.data(), png.size(), kAnySide);
    ASSERT_TRUE(image.IsValid());
    EXPECT_EQ(image.width, 1);
    EXPECT_EQ(image.height, 1);
    EXPECT_EQ(PixelAt(image, 0, 0), (std::array<int, 4>{128, 64, 0, 128}));
}

TEST(ImageDecoderTest, PremultiplyTruncatesChannelTimesAlphaOver255ForEveryPair)
{
    std::vector<unsigned char> pixels;
    for (int channel = 0; channel < 256; ++channel)
    {
        for (int alpha = 0; alpha < 256; ++alpha)
        {
            pixels.insert(pixels.end(),
                          {static_cast<unsigned char>(channel), static_cast<unsigned char>(channel),
                           static_cast<unsigned char>(255 - channel), static_cast<unsigned char>(alpha)});
        }
    }
    PremultiplyAlpha(pixels.data(), pixels.size() / 4);
    std::size_t pixel = 0;
    for (int channel = 0; channel < 256; ++channel)
    {
        for (int alpha = 0; alpha < 256; ++alpha, ++pixel)
        {
            const float a = static_cast<float>(alpha) / 255.0f;
            ASSERT_EQ(pixels[pixel * 4], static_cast<int>(static_cast<float>(channel) * a))
                << channel << " " << alpha;
            ASSERT_EQ(pixels[pixel * 4 + 2], static_cast<int>(static_cast<float>(255 - channel) * a));
            ASSERT_EQ(pixels[pixel * 4 + 3], alpha);
        }
    }
}

TEST(ImageDecoderTest, GreyAndPalettedImagesBecomeFourChannels)
{
    KF_SKIP_WITHOUT_CORPORA();
    const std::string path = (CorpusFolder("png") / "basn0g08.png").string();
    ASSERT_TRUE(std::filesystem::exists(path));
    ErrorRecorder recorder;
    const DecodedImage image = DecodeImageFile(path, kAnySide);
    ASSERT_TRUE(image.IsValid());
    EXPECT_EQ(image.width, 32);
    EXPECT_EQ(image.height, 32);
    const std::array<int, 4> first = PixelAt(image, 0, 0);
    EXPECT_EQ(first[0], first[1]);
    EXPECT_EQ(first[1], first[2]);
    EXPECT_EQ(first[3], 255);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(ImageDecoderTest, MissingFileIsReportedWithItsName)
{
    ErrorRecorder recorder;
    const DecodedImage image = DecodeImageFile("no/such/image.png", kAnySide);
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(recorder.Messages(),
              (std::vector<std::string>{
                  "kfExternalError: Texture \"no/such/image.png\" could not be loaded from file."}));
}

TEST(ImageDecoderTest, TruncatedDataIsReportedAsCorrupt)
{
    ErrorRecorder recorder;
    const std::vector<std::uint8_t> png = EncodePng(TestImage(16, 16, 0x336699FFu));
    const DecodedImage image = DecodeImageData(png.data(), png.size() / 2, kAnySide);
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(recorder.Messages(),
              (std::vector<std::string>{"kfExternalError: Texture \"(file data in memory)\" could "
                                        "not be loaded from file data provided, corrupt?"}));
}

TEST(ImageDecoderTest, OtherFormatsThanPngAreRefused)
{
    // A valid 1 x 1 grey PGM and a BMP header: formats whose readers are not trusted with bad input.
    const std::string pgm = "P5 1 1 255\n\x80";
    const unsigned char bmp[] = {'B', 'M', 0x3A, 0, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0};
    ErrorRecorder recorder;
    EXPECT_FALSE(
        DecodeImageData(reinterpret_cast<const unsigned char*>(pgm.data()), pgm.size(), kAnySide).IsValid());
    EXPECT_FALSE(DecodeImageData(bmp, sizeof(bmp), kAnySide).IsValid());
    const std::string message = "kfExternalError: Texture \"(file data in memory)\" could not be loaded from "
                                "file data provided, corrupt?";
    EXPECT_EQ(recorder.Messages(), (std::vector<std::string>{message, message}));
}

TEST(ImageDecoderTest, AChunkClaimingMoreThanTheDataIsRefusedBeforeDecoding)
{
    std::vector<std::uint8_t> png = EncodePng(TestImage(4, 4));
    // The header chunk follows the 8-byte signature; claim 2 GB for it.
    png[8] = 0x7F;
    png[9] = 0xFF;
    ErrorRecorder recorder;
    EXPECT_FALSE(DecodeImageData(png.data(), png.size(), kAnySide).IsValid());
    EXPECT_EQ(recorder.Messages().size(), 1u);
}

TEST(ImageDecoderTest, NullDataAndSizesBeyondAnIntAreRefusedBeforeDecoding)
{
    ErrorRecorder recorder;
    EXPECT_FALSE(DecodeImageData(nullptr, 10, kAnySide).IsValid());
    const unsigned char byte = 0;
    EXPECT_FALSE(DecodeImageData(&byte, std::size_t{1} << 31, kAnySide).IsValid());
    EXPECT_FALSE(DecodeImageData(&byte, 0, kAnySide).IsValid());
    EXPECT_EQ(
        recorder.Messages(),
        (std::vector<std::string>{
            "kfExternalError: The fileDataInMemory parameter is expected to be a valid pointer.",
            "kfError: TextureData fileSizeInBytes too large for following cast into int, corrupt size?",
            "kfExternalError: Texture \"(file data in memory)\" could not be loaded from file data provided, "
            "corrupt?"}));
}

TEST(ImageDecoderTest, FileWiderThanPixelSpaceIsRefusedWithBothMessages)
{
    TemporaryFolder folder;
    const std::string path = folder.PathOf("wide.png");
    WritePng(path, TestImage(65536, 1));
    ErrorRecorder recorder;
    EXPECT_FALSE(DecodeImageFile(path, kAnySide).IsValid());
    EXPECT_EQ(recorder.Messages(), (std::vector<std::string>{
                                       "kfError: Expected imageWidth of texture \"" + path +
                                           "\" to be in range: (0 < imageWidth <= 65536), in-precise cast to "
                                           "PixelSpace.",
                                       kCastingMessage}));
}

TEST(ImageDecoderTest, FileTallerThanPixelSpaceIsRefusedWithBothMessages)
{
    TemporaryFolder folder;
    const std::string path = folder.PathOf("tall.png");
    WritePng(path, TestImage(1, 65536));
    ErrorRecorder recorder;
    EXPECT_FALSE(DecodeImageFile(path, kAnySide).IsValid());
    EXPECT_EQ(
        recorder.Messages(),
        (std::vector<std::string>{"kfError: Expected imageHeight of texture \"" + path +
                                      "\" to be in range: (0 < imageHeight <= 65536), in-precise cast to "
                                      "PixelSpace.",
                                  kCastingMessage}));
}

TEST(ImageDecoderTest, DataWiderThanPixelSpaceIsRefusedWithTheCastingMessage)
{
    const std::vector<std::uint8_t> png = EncodePng(TestImage(65536, 1));
    ErrorRecorder recorder;
    EXPECT_FALSE(DecodeImageData(png.data(), png.size(), kAnySide).IsValid());
    EXPECT_EQ(recorder.Messages(), (std::vector<std::string>{kCastingMessage}));
}

TEST(ImageDecoderTest, LargestPixelSpaceWidthIsAccepted)
{
    TemporaryFolder folder;
    const std::string path = folder.PathOf("widest.png");
    WritePng(path, TestImage(65535, 1, 0x10203040u));
    ErrorRecorder recorder;
    const DecodedImage image = DecodeImageFile(path, kAnySide);
    ASSERT_TRUE(image.IsValid());
    EXPECT_EQ(image.width, 65535);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(ImageDecoderTest, ImagesBeyondTheLargestSideAreRefusedBeforeDecoding)
{
    const std::vector<std::uint8_t> png = EncodePng(TestImage(40, 20));
    ErrorRecorder recorder;
    EXPECT_FALSE(DecodeImageData(png.data(), png.size(), 32).IsValid());
    EXPECT_TRUE(DecodeImageData(png.data(), png.size(), 40).IsValid());
    EXPECT_EQ(recorder.Messages(),
              (std::vector<std::string>{
                  "kfError: Texture \"(file data in memory)\" is 40 x 20 pixels, larger than the "
                  "32 pixels a side allowed."}));
}

TEST(ImageDecoderTest, EveryPngSuiteFileDecodesOrIsReported)
{
    KF_SKIP_WITHOUT_CORPORA();
    int decodedCount = 0;
    int refusedCount = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CorpusFolder("png")))
    {
        if (entry.path().extension() != ".png")
        {
            continue;
        }
        const std::vector<unsigned char> bytes = ReadFile(entry.path());
        ErrorRecorder recorder;
        const DecodedImage image = DecodeImageData(bytes.data(), bytes.size(), kAnySide);
        if (image.IsValid())
        {
            ++decodedCount;
            EXPECT_TRUE(recorder.Messages().empty()) << entry.path();
        }
        else
        {
            ++refusedCount;
            EXPECT_EQ(recorder.Messages().size(), 1u) << entry.path();
        }
    }
    EXPECT_GT(decodedCount, 100);
    EXPECT_GT(refusedCount, 0);
}
