#include "kelp_forge/graphics/kf_font.hpp"

#include "kelp_forge/graphics/implementation/kfi_built_in_font.hpp"
#include "kelp_forge/graphics/kf_true_type_builder.hpp"
#include "support/kf_error_recorder.hpp"
#include "support/kf_test_files.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <span>

namespace
{

using KelpForge::Graphics::Font;
using KelpForge::Graphics::TextImage;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::TemporaryFolder;
using KelpForge::Testing::TrueTypeBuilder;
using KelpForge::Testing::WriteFile;

constexpr std::uint16_t kSquareAdvance = 25;
constexpr std::uint16_t kMissingGlyphAdvance = 10;

// 100 units per em, ascent 39: at pixel size 100 a font unit is a pixel and a line is 40 pixels
// tall. 'A' advances 25 and covers x 5 to 20, y 0 to 30.
TrueTypeBuilder SquareFontBuilder()
{
    TrueTypeBuilder builder;
    builder.SetUnitsPerEm(100).SetVerticalMetrics(39, 0, 0).SetMissingGlyphAdvance(kMissingGlyphAdvance);
    builder.MapCharacter('A', builder.AddGlyph(kSquareAdvance, {TrueTypeBuilder::Rectangle(5, 0, 20, 30)}));
    return builder;
}

std::unique_ptr<Font> LoadFont(const std::vector<unsigned char>& bytes)
{
    return Font::LoadFromData(bytes.data(), bytes.size());
}

std::unique_ptr<Font> SquareFont(float pixelSize = 100.0f)
{
    std::unique_ptr<Font> font = LoadFont(SquareFontBuilder().Build());
    if (font != nullptr)
    {
        font->SetPixelSize(pixelSize);
    }
    return font;
}

unsigned char PixelAt(const TextImage& image, int x, int y)
{
    return image.pixels[static_cast<std::size_t>(y) * image.textureWidth + static_cast<std::size_t>(x)];
}

TEST(FontTest, StartsAtPixelSize25)
{
    const std::unique_ptr<Font> font = LoadFont(SquareFontBuilder().Build());
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->GetPixelSize(), 25.0f);
    EXPECT_FLOAT_EQ(font->GetScale(), 0.25f);
    // truncation of 39 x 0.25 + 1.0
    EXPECT_EQ(font->GetBaseline(), 10);
}

TEST(FontTest, A100By40TextGetsA128By64Image)
{
    const std::unique_ptr<Font> font = SquareFont();
    const std::optional<TextImage> image = font->Rasterize("AAAA");
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->textWidth, 100);
    EXPECT_EQ(image->textHeight, 40);
    EXPECT_EQ(image->textureWidth, 128);
    EXPECT_EQ(image->textureHeight, 64);
}

TEST(FontTest, ImageSidesArePowersOfTwoCoveringTheText)
{
    const std::unique_ptr<Font> font = SquareFont();
    for (const auto& [text, textureWidth] :
         {std::pair<const char*, int>{"A", 32}, {"AAAAA", 128}, {"AAAAAAAAAAAAAAAAAAAAA", 1024}})
    {
        const std::optional<TextImage> image = font->Rasterize(text);
        ASSERT_TRUE(image.has_value());
        EXPECT_EQ(image->textureWidth, textureWidth) << text;
    }
}

TEST(FontTest, GlyphsLandOnTheBaselineAtTheirPen)
{
    const std::unique_ptr<Font> font = SquareFont();
    const std::optional<TextImage> image = font->Rasterize("AA");
    ASSERT_TRUE(image.has_value());
    // Baseline 40; the square spans x 5 to 20 and rises 30 pixels: rows 10 to 39.
    EXPECT_EQ(PixelAt(*image, 12, 20), 255);
    EXPECT_EQ(PixelAt(*image, 5, 10), 255);
    EXPECT_EQ(PixelAt(*image, 19, 39), 255);
    EXPECT_EQ(PixelAt(*image, 4, 20), 0);
    EXPECT_EQ(PixelAt(*image, 20, 20), 0);
    EXPECT_EQ(PixelAt(*image, 12, 9), 0);
    // The second square, one advance on.
    EXPECT_EQ(PixelAt(*image, 30, 20), 255);
    EXPECT_EQ(PixelAt(*image, 44, 20), 255);
    EXPECT_EQ(PixelAt(*image, 45, 20), 0);
    // Nothing outside the text.
    EXPECT_EQ(PixelAt(*image, 60, 20), 0);
    EXPECT_EQ(PixelAt(*image, 12, 50), 0);
}

TEST(FontTest, KerningMovesTheSecondGlyphOfThePair)
{
    TrueTypeBuilder builder = SquareFontBuilder();
    builder.AddKerningPair(1, 1, -10);
    const std::unique_ptr<Font> font = LoadFont(builder.Build());
    ASSERT_NE(font, nullptr);
    font->SetPixelSize(100.0f);
    EXPECT_FLOAT_EQ(font->MeasureWidth("AA"), 40.0f);
    const std::optional<TextImage> image = font->Rasterize("AA");
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->textWidth, 40);
    // The second square starts at 25 - 10 + 5.
    EXPECT_EQ(PixelAt(*image, 20, 20), 255);
    EXPECT_EQ(PixelAt(*image, 34, 20), 255);
    EXPECT_EQ(PixelAt(*image, 35, 20), 0);
}

TEST(FontTest, EachRasterisationUsesThePixelSizeSetLast)
{
    const std::unique_ptr<Font> font = SquareFont();
    font->SetPixelSize(50.0f);
    const std::optional<TextImage> small = font->Rasterize("AAAA");
    font->SetPixelSize(100.0f);
    const std::optional<TextImage> large = font->Rasterize("AAAA");
    ASSERT_TRUE(small.has_value() && large.has_value());
    EXPECT_EQ(small->textWidth, 50);
    // ceiling of 39 x 0.5, plus 1
    EXPECT_EQ(small->textHeight, 21);
    EXPECT_EQ(large->textWidth, 100);
    EXPECT_EQ(large->textHeight, 40);
}

TEST(FontTest, UnmappedAndStrayBytesAdvanceAsTheMissingGlyph)
{
    const std::unique_ptr<Font> font = SquareFont();
    EXPECT_FLOAT_EQ(font->MeasureWidth("\x80"), kMissingGlyphAdvance);
    EXPECT_FLOAT_EQ(font->MeasureWidth("A\nA"), 2 * kSquareAdvance + kMissingGlyphAdvance);
    EXPECT_FLOAT_EQ(font->MeasureWidth("\xE2\x82\xAC"), kMissingGlyphAdvance);
}

TEST(FontTest, AZeroByteEndsTheText)
{
    const std::unique_ptr<Font> font = SquareFont();
    EXPECT_FLOAT_EQ(font->MeasureWidth(std::string("A\0AAA", 5)), kSquareAdvance);
}

TEST(FontTest, TextWiderThan16BitsIsReportedAndHasNoImage)
{
    ErrorRecorder errors;
    TrueTypeBuilder builder = SquareFontBuilder().SetUnitsPerEm(16);
    builder.MapCharacter('W', builder.AddGlyph(32767, {TrueTypeBuilder::Rectangle(0, 0, 10, 10)}));
    const std::unique_ptr<Font> font = LoadFont(builder.Build());
    ASSERT_NE(font, nullptr);
    font->SetPixelSize(48.0f); // 3 pixels a unit
    EXPECT_FALSE(font->Rasterize("W").has_value());
    EXPECT_EQ(errors.Messages(),
              std::vector<std::string>{
                  "kfInternalError: Text width is out of range of PixelSpace value, cast below."});
}

TEST(FontTest, TextWiderThanTheLargestImageHasNoImage)
{
    ErrorRecorder errors;
    TrueTypeBuilder builder = SquareFontBuilder().SetUnitsPerEm(16);
    builder.MapCharacter('W', builder.AddGlyph(32767, {TrueTypeBuilder::Rectangle(0, 0, 10, 10)}));
    const std::unique_ptr<Font> font = LoadFont(builder.Build());
    font->SetPixelSize(24.0f); // 49151 pixels wide
    EXPECT_FALSE(font->Rasterize("W").has_value());
    font->SetPixelSize(16.0f); // 32767 pixels wide
    const std::optional<TextImage> image = font->Rasterize("W");
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->textureWidth, 32768);
    EXPECT_TRUE(errors.Messages().empty());
}

TEST(FontTest, TextTallerThan16BitsIsReportedAndHasNoImage)
{
    ErrorRecorder errors;
    const std::unique_ptr<Font> font =
        LoadFont(SquareFontBuilder().SetUnitsPerEm(16).SetVerticalMetrics(32767, -32768, 0).Build());
    ASSERT_NE(font, nullptr);
    font->SetPixelSize(16.0f); // 65535 pixels a line, plus 1
    EXPECT_FALSE(font->Rasterize("A").has_value());
    EXPECT_EQ(errors.Messages(),
              std::vector<std::string>{
                  "kfInternalError: Text height is out of range of PixelSpace value, cast below."});
}

TEST(FontTest, ScalesBeyondTheRasteriserGiveNoImage)
{
    const std::unique_ptr<Font> font =
        LoadFont(SquareFontBuilder().SetUnitsPerEm(16).SetVerticalMetrics(1, 0, 0).Build());
    font->SetPixelSize(16.0f * Font::kLargestScale);
    EXPECT_FALSE(font->Rasterize("A").has_value());
    font->SetPixelSize(16.0f * 500.0f);
    EXPECT_TRUE(font->Rasterize("A").has_value());
    for (const float size :
         {0.0f, -5.0f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()})
    {
        font->SetPixelSize(size);
        EXPECT_FALSE(font->Rasterize("A").has_value()) << size;
    }
}

TEST(FontTest, TheBuiltInFontDrawsText)
{
    const std::unique_ptr<Font> font =
        Font::LoadFromData(kfImplementation::Text::kBuiltInFont, kfImplementation::Text::kBuiltInFontSize);
    ASSERT_NE(font, nullptr);
    font->SetPixelSize(85.0f);
    const std::optional<TextImage> image = font->Rasterize("Gloamshot");
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->textWidth, static_cast<int>(std::ceil(font->MeasureWidth("Gloamshot"))));
    int coveredPixels = 0;
    for (int y = 0; y < image->textureHeight; ++y)
    {
        for (int x = 0; x < image->textureWidth; ++x)
        {
            const bool isCovered = PixelAt(*image, x, y) > 128;
            coveredPixels += isCovered ? 1 : 0;
            ASSERT_FALSE(isCovered && (x >= image->textWidth || y >= image->textHeight)) << x << ", " << y;
        }
    }
    // Bold letters fill a fair part of their line.
    EXPECT_GT(coveredPixels, image->textWidth * image->textHeight / 8);
}

TEST(FontTest, LoadsATrueTypeFile)
{
    const TemporaryFolder folder;
    const std::string path = folder.PathOf("square.ttf");
    WriteFile(path, SquareFontBuilder().Build());
    const std::unique_ptr<Font> font = Font::LoadFromFile(path);
    ASSERT_NE(font, nullptr);
    font->SetPixelSize(100.0f);
    EXPECT_FLOAT_EQ(font->MeasureWidth("AA"), 50.0f);
}

TEST(FontTest, RefusesFilesThatAreNoReadableFont)
{
    EXPECT_EQ(Font::LoadFromFile("no/such/font.ttf"), nullptr);
    EXPECT_EQ(Font::LoadFromFile(std::filesystem::temp_directory_path().string()), nullptr);
    EXPECT_EQ(Font::LoadFromFile(""), nullptr);

    const TemporaryFolder folder;
    const std::string path = folder.PathOf("truncated.ttf");
    WriteFile(path,
              std::span(kfImplementation::Text::kBuiltInFont, kfImplementation::Text::kBuiltInFontSize / 2));
    EXPECT_EQ(Font::LoadFromFile(path), nullptr);

    EXPECT_EQ(Font::LoadFromData(nullptr, 100), nullptr);
}

} // namespace
