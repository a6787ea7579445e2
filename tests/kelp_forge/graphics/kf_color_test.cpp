#include "kelp_forge/graphics/kf_color.hpp"

#include <gtest/gtest.h>

#include <array>
#include <limits>

using KelpForge::Graphics::Color;
using KelpForge::Graphics::ColorLerp;
using KelpForge::Graphics::ColorPreset;

TEST(ColorTest, DefaultIsOpaqueWhite)
{
    const Color color;
    EXPECT_EQ(color.GetColorARGB(), 0xFFFFFFFFu);
    EXPECT_EQ(color.GetAlpha(), 1.0f);
    EXPECT_EQ(color.GetRed(), 1.0f);
    EXPECT_EQ(color.GetGreen(), 1.0f);
    EXPECT_EQ(color.GetBlue(), 1.0f);
}

TEST(ColorTest, EveryPresetHasItsPackedValueAndUnknownPresetsAreWhite)
{
    constexpr std::array<std::uint32_t, 17> expected = {
        0xFFFFFFFF, 0x00FFFFFF, 0xFFFFFFFF, 0xFF000000, 0xFFFF0000, 0xFFFFFF00,
        0xFF00FF00, 0xFF00FFFF, 0xFF0000FF, 0xFFFF00FF, 0xFFC0C0C0, 0xFF808080,
        0xFF404040, 0xFF996633, 0xFFBB00FF, 0xFF2E9FFF, 0xFFFF9F2E};
    for (std::uint32_t preset = 0; preset < expected.size(); ++preset)
    {
        EXPECT_EQ(Color(static_cast<ColorPreset>(preset)).GetColorARGB(), expected[preset])
            << "preset " << preset;
    }
    EXPECT_EQ(Color(ColorPreset::kOrange).GetColorARGB(), 0xFFFF9F2Eu);
    EXPECT_EQ(Color(static_cast<ColorPreset>(17)).GetColorARGB(), 0xFFFFFFFFu);
    EXPECT_EQ(Color(static_cast<ColorPreset>(0xFFFFFFFF)).GetColorARGB(), 0xFFFFFFFFu);
}

TEST(ColorTest, PackedValueSplitsIntoChannelsInAlphaRedGreenBlueOrder)
{
    const Color color(0x80FF4000u);
    EXPECT_EQ(color.GetColorARGB(), 0x80FF4000u);
    EXPECT_FLOAT_EQ(color.GetAlpha(), 128.0f / 255.0f);
    EXPECT_FLOAT_EQ(color.GetRed(), 1.0f);
    EXPECT_FLOAT_EQ(color.GetGreen(), 64.0f / 255.0f);
    EXPECT_FLOAT_EQ(color.GetBlue(), 0.0f);
}

TEST(ColorTest, FourFloatsAreClampedAndPackedByTruncation)
{
    Color color;
    color.SetColor(0.5f, 2.0f, -1.0f, 0.999f);
    EXPECT_EQ(color.GetAlpha(), 0.5f);
    EXPECT_EQ(color.GetRed(), 1.0f);
    EXPECT_EQ(color.GetGreen(), 0.0f);
    // 127.5 and 254.745 truncate to 127 and 254.
    EXPECT_EQ(color.GetColorARGB(), 0x7FFF00FEu);

    color.SetColor(std::numeric_limits<float>::quiet_NaN(), 1.0f, 1.0f, 1.0f);
    EXPECT_EQ(color.GetColorARGB(), 0x00FFFFFFu);
    EXPECT_EQ(color.GetAlpha(), 0.0f);
}

TEST(ColorTest, VertexFormLiesInMemoryAsRedGreenBlueAlpha)
{
    const Color color(0x11223344u);
    EXPECT_EQ(color.GetColorABGR(), 0x11443322u);
    Color fromFloats;
    fromFloats.SetColor(1.0f, 1.0f, 0.5f, 0.0f);
    EXPECT_EQ(fromFloats.GetColorABGR(), 0xFF007FFFu);
}

TEST(ColorTest, EveryByteSurvivesTheRoundTripThroughFloats)
{
    for (std::uint32_t byte = 0; byte < 256; ++byte)
    {
        const Color packed((byte << 24) | (byte << 16) | (byte << 8) | byte);
        Color fromFloats;
        fromFloats.SetColor(packed.GetAlpha(), packed.GetRed(), packed.GetGreen(), packed.GetBlue());
        EXPECT_EQ(fromFloats.GetColorARGB(), packed.GetColorARGB()) << byte;
    }
}

TEST(ColorTest, LerpHalfwayFromTransparentToOpaqueWhite)
{
    const Color from(0x00FFFFFFu);
    const Color to(ColorPreset::kWhite);
    const Color halfway = ColorLerp(0.5f, from, to);
    EXPECT_EQ(halfway.GetAlpha(), 0.5f);
    EXPECT_EQ(halfway.GetColorARGB(), 0x7FFFFFFFu);
}

TEST(ColorTest, LerpOutsideZeroToOneGivesTheEndsExactly)
{
    const Color from(0x10203040u);
    const Color to(0xF0E0D0C0u);
    EXPECT_EQ(ColorLerp(1.5f, from, to).GetColorARGB(), to.GetColorARGB());
    EXPECT_EQ(ColorLerp(1.5f, from, to).GetRed(), to.GetRed());
    EXPECT_EQ(ColorLerp(-0.1f, from, to).GetColorARGB(), from.GetColorARGB());
    EXPECT_EQ(ColorLerp(1.0f, from, to).GetColorARGB(), to.GetColorARGB());
    EXPECT_EQ(ColorLerp(0.0f, from, to).GetColorARGB(), from.GetColorARGB());
}

TEST(ColorTest, LerpMovesEveryChannel)
{
    const Color lerped = ColorLerp(0.25f, Color(0x00000000u), Color(0xFFFF8000u));
    EXPECT_FLOAT_EQ(lerped.GetAlpha(), 0.25f);
    EXPECT_FLOAT_EQ(lerped.GetRed(), 0.25f);
    EXPECT_NEAR(lerped.GetGreen(), 0.125f, 0.001f);
    EXPECT_EQ(lerped.GetBlue(), 0.0f);
    EXPECT_EQ(lerped.GetColorARGB() >> 16, 0x3F3Fu);
    EXPECT_EQ(lerped.GetColorARGB() & 0xFFu, 0u);
}
