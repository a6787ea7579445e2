#include "kelp_forge/graphics/implementation/kfi_true_type_validator.hpp"

#include "kelp_forge/graphics/implementation/kfi_built_in_font.hpp"
#include "kelp_forge/graphics/kf_true_type_builder.hpp"

#include <gtest/gtest.h>

namespace
{

using KelpForge::Testing::Contour;
using KelpForge::Testing::TrueTypeBuilder;
using kfImplementation::TrueType::ValidateTrueTypeFont;

std::vector<unsigned char> BuiltInFont()
{
    return {kfImplementation::Text::kBuiltInFont,
            kfImplementation::Text::kBuiltInFont + kfImplementation::Text::kBuiltInFontSize};
}

bool IsAccepted(const std::vector<unsigned char>& font)
{
    return ValidateTrueTypeFont(font).has_value();
}

TrueTypeBuilder OneSquareFont()
{
    TrueTypeBuilder builder;
    builder.MapCharacter('A', builder.AddGlyph(600, {TrueTypeBuilder::Rectangle(100, 0, 500, 700)}));
    return builder;
}

TEST(TrueTypeValidatorTest, AcceptsTheBuiltInFont)
{
    const std::optional<kfImplementation::TrueType::FontSummary> summary =
        ValidateTrueTypeFont(BuiltInFont());
    ASSERT_TRUE(summary.has_value());
    EXPECT_EQ(summary->unitsPerEm, 2048);
    EXPECT_TRUE(summary->hasKernTable);
    EXPECT_EQ(summary->outlineSpans.size(), summary->numberOfGlyphs);
}

TEST(TrueTypeValidatorTest, SummarisesABuiltFont)
{
    TrueTypeBuilder builder = OneSquareFont();
    const std::uint16_t moved = builder.AddCompositeGlyph(600, {{1, 1000, -50}});
    const std::optional<kfImplementation::TrueType::FontSummary> summary =
        ValidateTrueTypeFont(builder.Build());
    ASSERT_TRUE(summary.has_value());
    EXPECT_EQ(summary->numberOfGlyphs, 3);
    EXPECT_EQ(summary->unitsPerEm, 1000);
    EXPECT_FALSE(summary->hasKernTable);
    EXPECT_EQ(summary->outlineSpans[0], 0u);
    // The box holds (0, 0): from 0 to 500 across, 0 to 700 up.
    EXPECT_EQ(summary->outlineSpans[1], 700u);
    // Moved by (1000, -50), with a unit of rounding margin: x from 0 (the origin) to 1501.
    EXPECT_EQ(summary->outlineSpans[moved], 1501u);
}

TEST(TrueTypeValidatorTest, RefusesWhatIsNoTrueTypeFont)
{
    EXPECT_FALSE(IsAccepted({}));
    EXPECT_FALSE(IsAccepted({0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    std::vector<unsigned char> font = BuiltInFont();
    for (const char* version : {"OTTO", "ttcf", "typ1"})
    {
        std::copy(version, version + 4, font.begin());
        EXPECT_FALSE(IsAccepted(font)) << version;
    }
}

TEST(TrueTypeValidatorTest, RefusesTruncatedFonts)
{
    const std::vector<unsigned char> font = BuiltInFont();
    // The last cut leaves one byte short of the glyph count in 'maxp'.
    const std::size_t maxp = TrueTypeBuilder::TableOffset(font, "maxp");
    for (const std::size_t size :
         {std::size_t{12}, std::size_t{100}, std::size_t{1000}, font.size() / 2, maxp + 5})
    {
        EXPECT_FALSE(IsAccepted({font.begin(), font.begin() + static_cast<std::ptrdiff_t>(size)})) << size;
    }
}

TEST(TrueTypeValidatorTest, RefusesATableRecordPastTheEndOfTheFile)
{
    std::vector<unsigned char> font = OneSquareFont().Build();
    ASSERT_TRUE(IsAccepted(font));
    // The first record's length.
    TrueTypeBuilder::Put32(font, 12 + 12, static_cast<std::uint32_t>(font.size()));
    EXPECT_FALSE(IsAccepted(font));
}

TEST(TrueTypeValidatorTest, RefusesAFontWithoutGlyphOutlines)
{
    std::vector<unsigned char> font = OneSquareFont().Build();
    const std::uint32_t glyf = TrueTypeBuilder::TableOffset(font, "glyf");
    // Rename the table: a font without 'glyf' would be read as CFF.
    for (std::size_t record = 12; record < 12 + 16 * 8; record += 16)
    {
        if (font[record] == 'g' && font[record + 1] == 'l')
        {
            font[record] = 'x';
        }
    }
    ASSERT_NE(glyf, 0u);
    EXPECT_FALSE(IsAccepted(font));
}

TEST(TrueTypeValidatorTest, RefusesUnitsPerEmOutsideTheTrueTypeRange)
{
    EXPECT_FALSE(IsAccepted(OneSquareFont().SetUnitsPerEm(0).Build()));
    EXPECT_FALSE(IsAccepted(OneSquareFont().SetUnitsPerEm(15).Build()));
    EXPECT_TRUE(IsAccepted(OneSquareFont().SetUnitsPerEm(16).Build()));
    EXPECT_TRUE(IsAccepted(OneSquareFont().SetUnitsPerEm(16384).Build()));
    EXPECT_FALSE(IsAccepted(OneSquareFont().SetUnitsPerEm(16385).Build()));
}

TEST(TrueTypeValidatorTest, RefusesAGlyphLocationPastTheGlyphTable)
{
    std::vector<unsigned char> font = OneSquareFont().Build();
    const std::uint32_t loca = TrueTypeBuilder::TableOffset(font, "loca");
    // The end of the last glyph (glyph 1 of 2).
    TrueTypeBuilder::Put32(font, loca + 8, 0x10000);
    EXPECT_FALSE(IsAccepted(font));
}

TEST(TrueTypeValidatorTest, RefusesGlyphDataThatEndsEarly)
{
    std::vector<unsigned char> font = OneSquareFont().Build();
    const std::uint32_t loca = TrueTypeBuilder::TableOffset(font, "loca");
    // Glyph 1 holds 4 points of 5 bytes each after its header: cut its coordinates short.
    TrueTypeBuilder::Put32(font, loca + 8, 10 + 2 + 2 + 4 + 8);
    EXPECT_FALSE(IsAccepted(font));
}

TEST(TrueTypeValidatorTest, RefusesContourEndsThatDoNotIncrease)
{
    TrueTypeBuilder builder;
    builder.AddGlyph(600,
                     {TrueTypeBuilder::Rectangle(0, 0, 10, 10), TrueTypeBuilder::Rectangle(20, 0, 30, 10)});
    std::vector<unsigned char> font = builder.Build();
    ASSERT_TRUE(IsAccepted(font));
    const std::uint32_t glyf = TrueTypeBuilder::TableOffset(font, "glyf");
    TrueTypeBuilder::Put16(font, glyf + 12, 3); // second contour ends where the first does
    EXPECT_FALSE(IsAccepted(font));
}

TEST(TrueTypeValidatorTest, RefusesALastContourOfOneOffCurvePoint)
{
    TrueTypeBuilder accepted;
    accepted.AddGlyph(600, {TrueTypeBuilder::Rectangle(0, 0, 10, 10), Contour{{5, 5, true}}});
    EXPECT_TRUE(IsAccepted(accepted.Build()));
    TrueTypeBuilder refused;
    refused.AddGlyph(600, {TrueTypeBuilder::Rectangle(0, 0, 10, 10), Contour{{5, 5, false}}});
    EXPECT_FALSE(IsAccepted(refused.Build()));
}

TEST(TrueTypeValidatorTest, RefusesCompositeGlyphsThatContainThemselves)
{
    TrueTypeBuilder builder = OneSquareFont();
    builder.AddCompositeGlyph(600, {{1, 0, 0}, {2, 10, 0}});
    EXPECT_FALSE(IsAccepted(builder.Build()));

    TrueTypeBuilder pair = OneSquareFont();
    pair.AddCompositeGlyph(600, {{3, 0, 0}});
    pair.AddCompositeGlyph(600, {{2, 0, 0}});
    EXPECT_FALSE(IsAccepted(pair.Build()));
}

TEST(TrueTypeValidatorTest, LimitsTheNestingOfCompositeGlyphs)
{
    const auto chain = [](int levels)
    {
        TrueTypeBuilder builder = OneSquareFont();
        for (int level = 0; level < levels; ++level)
        {
            builder.AddCompositeGlyph(600, {{static_cast<std::uint16_t>(level + 1), 1, 0}});
        }
        return builder.Build();
    };
    EXPECT_TRUE(IsAccepted(chain(kfImplementation::TrueType::kMaxComponentDepth)));
    EXPECT_FALSE(IsAccepted(chain(kfImplementation::TrueType::kMaxComponentDepth + 1)));
}

TEST(TrueTypeValidatorTest, RefusesCompositesPlacedByMatchingPoints)
{
    TrueTypeBuilder builder = OneSquareFont();
    builder.AddCompositeGlyph(600, {{1, 0, 0}});
    builder.SetCompositeFlags(0x0001); // word arguments that are point numbers
    EXPECT_FALSE(IsAccepted(builder.Build()));
}

TEST(TrueTypeValidatorTest, RefusesCompositesThatMoveOutlinesBeyond16Bits)
{
    TrueTypeBuilder accepted = OneSquareFont();
    accepted.AddCompositeGlyph(600, {{1, 32000, 0}});
    EXPECT_TRUE(IsAccepted(accepted.Build()));
    TrueTypeBuilder refused = OneSquareFont();
    refused.AddCompositeGlyph(600, {{1, 32700, 0}});
    EXPECT_FALSE(IsAccepted(refused.Build()));
}

TEST(TrueTypeValidatorTest, LimitsTheVerticesOfAGlyph)
{
    const auto withPoints = [](std::size_t pointCount)
    {
        Contour contour;
        for (std::size_t index = 0; index < pointCount; ++index)
        {
            contour.push_back(
                {static_cast<std::int16_t>(index % 100), static_cast<std::int16_t>(index / 100)});
        }
        TrueTypeBuilder builder;
        builder.AddGlyph(600, {contour});
        return builder.Build();
    };
    // stb_truetype makes one vertex per point and two more per contour.
    EXPECT_TRUE(IsAccepted(withPoints(kfImplementation::TrueType::kMaxGlyphVertices - 2)));
    EXPECT_FALSE(IsAccepted(withPoints(kfImplementation::TrueType::kMaxGlyphVertices - 1)));
}

TEST(TrueTypeValidatorTest, RefusesCharacterMapFormatsTheRasteriserDoesNotRead)
{
    std::vector<unsigned char> font = OneSquareFont().Build();
    const std::uint32_t cmap = TrueTypeBuilder::TableOffset(font, "cmap");
    TrueTypeBuilder::Put16(font, cmap + 12, 2);
    EXPECT_FALSE(IsAccepted(font));
    TrueTypeBuilder::Put16(font, cmap + 12, 14);
    EXPECT_FALSE(IsAccepted(font));
}

TEST(TrueTypeValidatorTest, RefusesASegmentSearchThatWouldLeaveTheArrays)
{
    std::vector<unsigned char> font = OneSquareFont().Build();
    const std::uint32_t cmap = TrueTypeBuilder::TableOffset(font, "cmap");
    // Two segments: searchRange 4, entrySelector 1, rangeShift 0.
    TrueTypeBuilder::Put16(font, cmap + 12 + 12, 0xFFFE);
    EXPECT_FALSE(IsAccepted(font));
}

TEST(TrueTypeValidatorTest, RefusesASubtableOffsetOutsideTheCharacterMap)
{
    std::vector<unsigned char> font = OneSquareFont().Build();
    const std::uint32_t cmap = TrueTypeBuilder::TableOffset(font, "cmap");
    TrueTypeBuilder::Put32(font, cmap + 8, 0xFFFFFF00u);
    EXPECT_FALSE(IsAccepted(font));
}

TEST(TrueTypeValidatorTest, RefusesKerningPairsPastTheKernTable)
{
    TrueTypeBuilder builder = OneSquareFont();
    builder.AddKerningPair(1, 1, -50);
    std::vector<unsigned char> font = builder.Build();
    ASSERT_TRUE(IsAccepted(font));
    const std::uint32_t kern = TrueTypeBuilder::TableOffset(font, "kern");
    TrueTypeBuilder::Put16(font, kern + 10, 1000);
    EXPECT_FALSE(IsAccepted(font));
}

TEST(TrueTypeValidatorTest, RefusesBrokenPairPositioningInGpos)
{
    // DejaVu's GPOS: find its first pair-adjustment subtable and point its coverage outside.
    std::vector<unsigned char> font = BuiltInFont();
    const std::uint32_t gpos = TrueTypeBuilder::TableOffset(font, "GPOS");
    ASSERT_NE(gpos, 0u);
    const auto read16 = [&](std::size_t offset)
    { return static_cast<std::uint16_t>(font[offset] << 8 | font[offset + 1]); };
    const std::size_t lookupList = gpos + read16(gpos + 8);
    bool isBroken = false;
    for (std::size_t index = 0; index < read16(lookupList) && !isBroken; ++index)
    {
        const std::size_t lookup = lookupList + read16(lookupList + 2 + 2 * index);
        if (read16(lookup) == 2 && read16(lookup + 4) > 0)
        {
            const std::size_t subtable = lookup + read16(lookup + 6);
            TrueTypeBuilder::Put16(font, subtable + 2, 0xFFFF);
            isBroken = true;
        }
    }
    ASSERT_TRUE(isBroken);
    EXPECT_FALSE(IsAccepted(font));
}

} // namespace
