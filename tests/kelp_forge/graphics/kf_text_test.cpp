#include "kelp_forge/graphics/kf_text.hpp"

#include "kelp_forge/graphics/kf_sprite.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"
#include "kelp_forge/graphics/kf_true_type_builder.hpp"
#include "support/kf_error_recorder.hpp"
#include "support/kf_test_files.hpp"
#include "support/kf_test_images.hpp"
#include "support/kf_test_window.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <type_traits>

namespace
{

using KelpForge::Graphics::Color;
using KelpForge::Graphics::ColorPreset;
using KelpForge::Graphics::kDefaultFont;
using KelpForge::Graphics::ReleaseAllTexts;
using KelpForge::Graphics::Sprite;
using KelpForge::Graphics::Text;
using KelpForge::Graphics::TextureHandle;
using KelpForge::Graphics::theTextureManager;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::kBlackPixel;
using KelpForge::Testing::kRedPixel;
using KelpForge::Testing::kWhitePixel;
using KelpForge::Testing::Pixel;
using KelpForge::Testing::TestWindow;
using KelpForge::Testing::TrueTypeBuilder;

static_assert(!std::is_copy_constructible_v<Text> && !std::is_copy_assignable_v<Text>);

class TextTest : public ::testing::Test
{
protected:
    // 100 units per em, ascent 39: at size 100 a unit is a pixel and a line is 40 pixels tall.
    // 'A' advances 25 and covers x 5 to 20, y 0 to 30, so on screen rows 10 to 39.
    void SetUp() override
    {
        TrueTypeBuilder builder;
        builder.SetUnitsPerEm(100).SetVerticalMetrics(39, 0, 0);
        builder.MapCharacter('A', builder.AddGlyph(25, {TrueTypeBuilder::Rectangle(5, 0, 20, 30)}));
        KelpForge::Testing::WriteFile(mSquareFont, builder.Build());
    }

    void Draw(Text& text)
    {
        mWindow.BeginFrame();
        text.Render();
        mWindow.EndFrame();
    }

    KelpForge::Testing::TemporaryFolder mFolder;
    const std::string mSquareFont = mFolder.PathOf("square.ttf");
    TestWindow mWindow;
};

TEST_F(TextTest, AnEmptyTextHasNoImageUntilTextIsSet)
{
    Text text("", 100.0f, mSquareFont);
    EXPECT_EQ(text.GetPixelWidth(), 0);
    EXPECT_EQ(text.GetPixelHeight(), 0);
    EXPECT_EQ(theTextureManager.GetUsedMemory(), 0u);
    Draw(text);
    EXPECT_EQ(mWindow.ReadPixel(12, 20), kBlackPixel);

    text.SetText("A");
    EXPECT_EQ(text.GetPixelWidth(), 25);
    EXPECT_EQ(text.GetPixelHeight(), 40);
}

TEST_F(TextTest, SettingEmptyTextKeepsTheFontAndSize)
{
    Text text("AA", 100.0f, mSquareFont);
    text.SetText("", 0.0f, "");
    EXPECT_EQ(text.GetText(), "");
    EXPECT_EQ(text.GetSize(), 100.0f);
    EXPECT_EQ(text.GetFontName(), mSquareFont);
    EXPECT_EQ(text.GetPixelWidth(), 0);
    EXPECT_EQ(theTextureManager.GetUsedMemory(), 0u);
}

TEST_F(TextTest, A100By40TextShowsTheTopLeftOfA128By64Image)
{
    Text text("AAAA", 100.0f, mSquareFont);
    EXPECT_EQ(text.GetPixelWidth(), 100);
    EXPECT_EQ(text.GetPixelHeight(), 40);
    EXPECT_EQ(theTextureManager.GetUsedMemory(), 128u * 64u);
    Draw(text);
    // Sampled up to (0.78125, 0.625), each image pixel lands on one screen pixel: squares at
    // x 5 to 19, 30 to 44, ... and rows 10 to 39.
    EXPECT_EQ(mWindow.ReadPixel(12, 20), kWhitePixel);
    EXPECT_EQ(mWindow.ReadPixel(40, 36), kWhitePixel);
    EXPECT_EQ(mWindow.ReadPixel(94, 11), kWhitePixel);
    EXPECT_EQ(mWindow.ReadPixel(25, 20), kBlackPixel);
    EXPECT_EQ(mWindow.ReadPixel(12, 5), kBlackPixel);
    EXPECT_EQ(mWindow.ReadPixel(12, 45), kBlackPixel);
    EXPECT_EQ(mWindow.ReadPixel(110, 20), kBlackPixel);
}

TEST_F(TextTest, TextIsTintedByItsColourAndDrawnAtItsPosition)
{
    Text text("A", 100.0f, mSquareFont);
    text.SetColor(Color(ColorPreset::kRed));
    text.SetPosition(200.0f, 100.0f);
    Draw(text);
    EXPECT_EQ(mWindow.ReadPixel(212, 120), kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(12, 20), kBlackPixel);
}

TEST_F(TextTest, AMissingFontFileIsReportedAndLeavesNoImage)
{
    ErrorRecorder errors;
    Text text("A", 20.0f, "data/no such font.ttf");
    EXPECT_EQ(errors.Messages(),
              (std::vector<std::string>{
                  "kfExternalError: Was unable to load font from file: \"data/no such font.ttf\"",
                  "kfError: Failed to create image for TextObject."}));
    EXPECT_EQ(text.GetPixelWidth(), 0);
    EXPECT_EQ(theTextureManager.GetUsedMemory(), 0u);
}

TEST_F(TextTest, DrawingTextRestoresSpriteBlendingAndColour)
{
    KelpForge::Testing::TestImage green(16, 16, 0x00FF00FFu);
    const std::vector<std::uint8_t> png = KelpForge::Testing::EncodePng(green);
    const TextureHandle texture = theTextureManager.CreateTextureFromFileData(png.data(), png.size());
    Color halfVisible;
    halfVisible.SetColor(0.5f, 1.0f, 1.0f, 1.0f);
    Sprite before(texture);
    before.SetColor(halfVisible);
    before.SetPosition(300.0f, 300.0f);
    Sprite after(texture);
    after.SetColor(halfVisible);
    after.SetPosition(400.0f, 300.0f);
    Text text("AAAA", 100.0f, mSquareFont);

    mWindow.BeginFrame();
    before.Render();
    text.Render();
    after.Render();
    mWindow.EndFrame();

    // Premultiplied, blended with (1, 1 - alpha): half of full green over black.
    const Pixel expected = {0, 128, 0};
    const Pixel drawnBefore = mWindow.ReadPixel(308, 308);
    const Pixel drawnAfter = mWindow.ReadPixel(408, 308);
    EXPECT_NEAR(drawnBefore.green, expected.green, 1);
    EXPECT_EQ(drawnAfter, drawnBefore);
    EXPECT_EQ(mWindow.ReadPixel(12, 20), kWhitePixel);
}

TEST_F(TextTest, TextSurvivesTheContextClosingAndOpeningAgain)
{
    Text text("Gloamshot", 85.0f, kDefaultFont);
    const std::uint64_t memory = theTextureManager.GetUsedMemory();
    Draw(text);
    std::vector<Pixel> drawn;
    for (int x = 0; x < text.GetPixelWidth(); x += 3)
    {
        drawn.push_back(mWindow.ReadPixel(x, text.GetPixelHeight() / 2));
    }
    ASSERT_NE(std::count(drawn.begin(), drawn.end(), kWhitePixel), 0);

    ReleaseAllTexts();
    EXPECT_EQ(text.GetPixelWidth(), 0);
    EXPECT_EQ(theTextureManager.GetUsedMemory(), 0u);
    // The window's handler releases the texts again and rebuilds them, as the game's does.
    mWindow.Close();
    mWindow.Open();
    EXPECT_EQ(theTextureManager.GetUsedMemory(), memory);

    Draw(text);
    std::vector<Pixel> redrawn;
    for (int x = 0; x < text.GetPixelWidth(); x += 3)
    {
        redrawn.push_back(mWindow.ReadPixel(x, text.GetPixelHeight() / 2));
    }
    EXPECT_EQ(redrawn, drawn);
}

TEST_F(TextTest, TextsOfOneFontKeepTheirOwnSizes)
{
    Text small("Gloamshot", 20.0f, kDefaultFont);
    Text large("Gloamshot", 40.0f, kDefaultFont);
    EXPECT_NEAR(large.GetPixelWidth(), 2 * small.GetPixelWidth(), 2);
    mWindow.Close();
    mWindow.Open();
    EXPECT_NEAR(large.GetPixelWidth(), 2 * small.GetPixelWidth(), 2);
    const int smallWidth = small.GetPixelWidth();
    small.SetText("Gloamshot");
    EXPECT_EQ(small.GetPixelWidth(), smallWidth);
}

TEST_F(TextTest, DestroyingATextGivesBackItsMemory)
{
    {
        Text text("AAAA", 100.0f, mSquareFont);
        EXPECT_EQ(theTextureManager.GetUsedMemory(), 128u * 64u);
    }
    EXPECT_EQ(theTextureManager.GetUsedMemory(), 0u);
}

TEST_F(TextTest, TextThatNoImageCanHoldIsReported)
{
    ErrorRecorder errors;
    // Each 'A' is 25 units, 2500 pixels at this size: 14 of them pass 32768.
    Text text("AAAAAAAAAAAAAA", 10000.0f, mSquareFont);
    EXPECT_EQ(errors.Messages(), std::vector<std::string>{"kfError: Failed to create image for TextObject."});
    EXPECT_EQ(text.GetPixelWidth(), 0);
}

TEST(TextWithoutContextTest, ATextMadeBeforeTheContextGetsItsImageWhenTextsAreRebuilt)
{
    Text text("Gloamshot", 30.0f, kDefaultFont);
    EXPECT_EQ(text.GetPixelWidth(), 0);
    // Opening the window rebuilds every text.
    TestWindow window;
    EXPECT_GT(text.GetPixelWidth(), 0);
}

} // namespace
