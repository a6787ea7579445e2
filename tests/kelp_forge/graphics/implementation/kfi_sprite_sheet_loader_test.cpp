#include "kelp_forge/graphics/implementation/kfi_sprite_sheet_loader.hpp"

#include "kelp_forge/graphics/kf_texture_manager.hpp"
#include "support/kf_error_recorder.hpp"
#include "support/kf_sprite_sheet_files.hpp"
#include "support/kf_test_window.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using KelpForge::Graphics::AnimationSequence;
using KelpForge::Graphics::SpriteFrame;
using KelpForge::Graphics::SpriteSheet;
using KelpForge::Graphics::TextureHandle;
using KelpForge::Graphics::theTextureManager;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::SpriteSheetFiles;
using KelpForge::Testing::TestWindow;
using kfImplementation::SpriteSheetLoader;
using Messages = std::vector<std::string>;

namespace
{

struct Rectangle
{
    int x;
    int y;
    int width;
    int height;

    bool operator==(const Rectangle&) const = default;
};

std::ostream& operator<<(std::ostream& stream, const Rectangle& rectangle)
{
    return stream << "(" << rectangle.x << ", " << rectangle.y << ", " << rectangle.width << ", "
                  << rectangle.height << ")";
}

Rectangle RectangleOf(const SpriteFrame& frame)
{
    return {frame.GetPixelX(), frame.GetPixelY(), frame.GetPixelWidth(), frame.GetPixelHeight()};
}

std::vector<Rectangle> RectanglesOf(const AnimationSequence* sequence)
{
    std::vector<Rectangle> rectangles;
    for (std::size_t index = 0; sequence != nullptr && index < sequence->GetFrameCount(); ++index)
    {
        rectangles.push_back(RectangleOf(sequence->GetFrame(index)));
    }
    return rectangles;
}

// The report of a value above maximum, after errorMessage.
std::string AboveRange(const std::string& errorMessage, long long value, unsigned long long maximum)
{
    return errorMessage + " (Expected: 0 <= _value(" + std::to_string(value) +
           ")_ <= " + std::to_string(maximum);
}

// The two reports of a negative value, after errorMessage.
Messages Negative(const std::string& errorMessage, long long value, unsigned long long maximum)
{
    return {errorMessage + " (Expected _value(" + std::to_string(value) +
                ") to be greater than 0 for unsigned ranges.",
            AboveRange(errorMessage, value, maximum)};
}

class SpriteSheetLoaderTest : public ::testing::Test
{
protected:
    // Loads json as the sheet "sheet" from the file mPath.
    std::optional<SpriteSheet> Load(const std::string& json)
    {
        static_cast<void>(mFiles.Write("sheet.json", json));
        return SpriteSheetLoader("sheet", mPath).Load();
    }

    void ExpectRefused(const std::string& json, const Messages& expected)
    {
        EXPECT_FALSE(Load(json).has_value());
        EXPECT_EQ(mRecorder.Messages(), expected);
    }

    // The file path in double quotes, as most messages print it.
    [[nodiscard]] std::string QuotedPath() const { return "\"" + mPath + "\""; }

    TestWindow mWindow;
    SpriteSheetFiles mFiles;
    ErrorRecorder mRecorder;
    const std::string mPath = mFiles.PathOf("sheet.json");
};

// [SECTION] The sheet and its sprites

TEST_F(SpriteSheetLoaderTest, ATextureAndNoSpritesMakeAnEmptySheet)
{
    const std::optional<SpriteSheet> sheet = Load(R"({"texture": "@TEXTURE@", "sprites": []})");

    ASSERT_TRUE(sheet.has_value());
    EXPECT_EQ(sheet->GetSpriteFrameCount(), 0u);
    EXPECT_EQ(sheet->GetName(), "sheet");
    EXPECT_EQ(theTextureManager.GetTextureWidth(sheet->GetTexture()), 100);
    EXPECT_EQ(theTextureManager.GetReferenceCount(sheet->GetTexture()), 1u);
    EXPECT_TRUE(mRecorder.Messages().empty());
}

TEST_F(SpriteSheetLoaderTest, ASpriteWithOnlyANameCoversTheWholeTextureByDefault)
{
    const std::optional<SpriteSheet> sheet =
        Load(R"({"texture": "@TEXTURE@", "sprites": [{"name": "all"}]})");

    ASSERT_TRUE(sheet.has_value());
    EXPECT_EQ(RectangleOf(sheet->GetSpriteFrame("all")), (Rectangle{0, 0, 100, 64}));
}

TEST_F(SpriteSheetLoaderTest, ASpriteWithOnlyANameCoversTheDefaultSpriteSize)
{
    const std::optional<SpriteSheet> sheet = Load(R"({"texture": "@TEXTURE@", "sprite_width": 40,
        "sprite_height": 20, "version": 3, "sprites": [{"name": "corner"}]})");

    ASSERT_TRUE(sheet.has_value());
    EXPECT_EQ(RectangleOf(sheet->GetSpriteFrame("corner")), (Rectangle{0, 0, 40, 20}));
}

TEST_F(SpriteSheetLoaderTest, ASpriteWidthOfZeroStandsForTheWholeTextureWidth)
{
    const std::optional<SpriteSheet> sheet = Load(
        R"({"texture": "@TEXTURE@", "sprite_width": 0, "sprite_height": 8, "sprites": [{"name": "band"}]})");

    ASSERT_TRUE(sheet.has_value());
    EXPECT_EQ(RectangleOf(sheet->GetSpriteFrame("band")), (Rectangle{0, 0, 100, 8}));
}

TEST_F(SpriteSheetLoaderTest, RectangleMembersMayBeGivenAsText)
{
    const std::optional<SpriteSheet> sheet = Load(R"({"texture": "@TEXTURE@", "version": "2", "sprites": [
        {"name": "green", "x": "16", "y": 0, "width": 16, "height": "16"}, {"name": 7, "y": 48, "height": 16}]})");

    ASSERT_TRUE(sheet.has_value());
    EXPECT_EQ(RectangleOf(sheet->GetSpriteFrame("green")), (Rectangle{16, 0, 16, 16}));
    EXPECT_EQ(RectangleOf(sheet->GetSpriteFrame("7")), (Rectangle{0, 48, 100, 16}));
    EXPECT_TRUE(mRecorder.Messages().empty());
}

TEST_F(SpriteSheetLoaderTest, SpritesMayBeCellsOfASpriteMap)
{
    const std::optional<SpriteSheet> sheet = Load(R"({"texture": "@TEXTURE@",
        "sprite_maps": [{"name": "grid", "width": 32, "height": 20, "x": 4, "y": 3}],
        "sprites": [{"name": "byIndex", "sprite_map": "grid", "map_index": 4},
                    {"name": "byCell", "sprite_map": "grid", "map_column": 2, "map_row": 1},
                    {"name": "both", "sprite_map": "grid", "map_index": 0, "map_column": 1, "map_row": 1}]})");

    ASSERT_TRUE(sheet.has_value());
    // 3 columns fit in (100 - 4) / 32, so cell 4 is column 1 of row 1.
    EXPECT_EQ(RectangleOf(sheet->GetSpriteFrame("byIndex")), (Rectangle{36, 23, 32, 20}));
    EXPECT_EQ(RectangleOf(sheet->GetSpriteFrame("byCell")), (Rectangle{68, 23, 32, 20}));
    EXPECT_EQ(RectangleOf(sheet->GetSpriteFrame("both")), (Rectangle{4, 3, 32, 20}));
    EXPECT_TRUE(mRecorder.Messages().empty());
}

TEST_F(SpriteSheetLoaderTest, ASpriteMapThatIsNoStringLeavesTheRectangleForm)
{
    const std::optional<SpriteSheet> sheet = Load(R"({"texture": "@TEXTURE@",
        "sprites": [{"name": "plain", "sprite_map": 5, "map_index": 1, "x": 16, "width": 16, "height": 16}]})");

    ASSERT_TRUE(sheet.has_value());
    EXPECT_EQ(RectangleOf(sheet->GetSpriteFrame("plain")), (Rectangle{16, 0, 16, 16}));
    EXPECT_TRUE(mRecorder.Messages().empty());
}

// [SECTION] Animations

TEST_F(SpriteSheetLoaderTest, AListedSequencePlaysSpritesInOrderWithRepeats)
{
    const std::optional<SpriteSheet> sheet = Load(R"({"texture": "@TEXTURE@", "sprite_width": 16,
        "sprite_height": 16, "sprites": [{"name": "red"}, {"name": "green", "x": 16}],
        "animations": [{"name": "blink", "sequence": ["red", "green", "red"]}]})");

    ASSERT_TRUE(sheet.has_value());
    EXPECT_EQ(RectanglesOf(sheet->FindAnimationSequence("", "blink")),
              (std::vector<Rectangle>{{0, 0, 16, 16}, {16, 0, 16, 16}, {0, 0, 16, 16}}));
}

TEST_F(SpriteSheetLoaderTest, AMappedSequenceWithStartAndCountTakesConsecutiveCells)
{
    const std::optional<SpriteSheet> sheet = Load(R"({"texture": "@TEXTURE@", "sprites": [],
        "animations": [{"name": "run", "sequence": {"width": 25, "height": 32, "start": 2, "count": "3"}},
                       {"name": "still", "sequence": {"width": 25, "height": 32, "start": 0, "count": 0}}]})");

    ASSERT_TRUE(sheet.has_value());
    EXPECT_EQ(RectanglesOf(sheet->FindAnimationSequence("", "run")),
              (std::vector<Rectangle>{{50, 0, 25, 32}, {75, 0, 25, 32}, {0, 32, 25, 32}}));
    ASSERT_NE(sheet->FindAnimationSequence("", "still"), nullptr);
    EXPECT_EQ(sheet->FindAnimationSequence("", "still")->GetFrameCount(), 0u);
}

TEST_F(SpriteSheetLoaderTest, AMappedSequenceWithFramesTakesThoseCellsOfAFileMap)
{
    const std::optional<SpriteSheet> sheet = Load(R"({"texture": "@TEXTURE@", "sprites": [],
        "sprite_maps": [{"name": "grid", "width": 50, "height": 32}],
        "animations": [{"name": "hop", "sequence": {"sprite_map": "grid", "width": 1, "frames": [3, 0, 3]}}]})");

    ASSERT_TRUE(sheet.has_value());
    EXPECT_EQ(RectanglesOf(sheet->FindAnimationSequence("", "hop")),
              (std::vector<Rectangle>{{50, 32, 50, 32}, {0, 0, 50, 32}, {50, 32, 50, 32}}));
}

TEST_F(SpriteSheetLoaderTest, EmptyListsGiveEmptySequences)
{
    const std::optional<SpriteSheet> sheet = Load(R"({"texture": "@TEXTURE@", "sprites": [],
        "animations": [{"name": "none", "sequence": []},
                       {"name": "noCells", "sequence": {"width": 10, "height": 10, "frames": []}}]})");

    ASSERT_TRUE(sheet.has_value());
    ASSERT_NE(sheet->FindAnimationSequence("", "none"), nullptr);
    EXPECT_EQ(sheet->FindAnimationSequence("", "none")->GetFrameCount(), 0u);
    ASSERT_NE(sheet->FindAnimationSequence("", "noCells"), nullptr);
    EXPECT_EQ(sheet->FindAnimationSequence("", "noCells")->GetFrameCount(), 0u);
    EXPECT_TRUE(mRecorder.Messages().empty());
}

TEST_F(SpriteSheetLoaderTest, ASheetLevelGridStartsAtTheGivenOffset)
{
    const std::optional<SpriteSheet> sheet = Load(R"({"texture": "@TEXTURE@", "sprites": [],
        "animations": [{"name": "row", "sequence": {"width": 20, "height": 10, "x": 10, "y": 5, "frames": [1, 4]}}]})");

    ASSERT_TRUE(sheet.has_value());
    // (100 - 10) / 20 = 4 columns.
    EXPECT_EQ(RectanglesOf(sheet->FindAnimationSequence("", "row")),
              (std::vector<Rectangle>{{30, 5, 20, 10}, {10, 15, 20, 10}}));
}

TEST_F(SpriteSheetLoaderTest, ASpritesMappedSequenceCutsCellsOfItsOwnSizeFromItsOwnPlace)
{
    const std::optional<SpriteSheet> sheet = Load(R"({"texture": "@TEXTURE@", "sprites": [
        {"name": "hero", "x": 16, "y": 16, "width": 16, "height": 16,
         "animations": [{"name": "walk", "sequence": {"start": 0, "count": 3}},
                        {"name": "tall", "sequence": {"height": 32, "y": 0, "frames": [5]}}]}]})");

    ASSERT_TRUE(sheet.has_value());
    EXPECT_EQ(RectanglesOf(sheet->FindAnimationSequence("hero", "walk")),
              (std::vector<Rectangle>{{16, 16, 16, 16}, {32, 16, 16, 16}, {48, 16, 16, 16}}));
    // (100 - 16) / 16 = 5 columns, so cell 5 opens the second row.
    EXPECT_EQ(RectanglesOf(sheet->FindAnimationSequence("hero", "tall")),
              (std::vector<Rectangle>{{16, 32, 16, 32}}));
    EXPECT_EQ(sheet->FindAnimationSequence("", "walk"), nullptr);
}

TEST_F(SpriteSheetLoaderTest, ANameInASpritesAnimationsCopiesTheSheetLevelAnimation)
{
    const std::optional<SpriteSheet> sheet = Load(R"({"texture": "@TEXTURE@", "sprite_width": 16,
        "sprite_height": 16, "animations": [{"name": "blink", "sequence": ["red", "green"]}],
        "sprites": [{"name": "red", "animations": ["blink", {"name": "own", "sequence": ["green"]}]},
                    {"name": "green", "x": 16, "animations": []}]})");

    ASSERT_TRUE(sheet.has_value());
    EXPECT_EQ(RectanglesOf(sheet->FindAnimationSequence("red", "blink")),
              (std::vector<Rectangle>{{0, 0, 16, 16}, {16, 0, 16, 16}}));
    EXPECT_EQ(RectanglesOf(sheet->FindAnimationSequence("red", "own")),
              (std::vector<Rectangle>{{16, 0, 16, 16}}));
    EXPECT_NE(sheet->FindAnimationSequence("", "blink"), nullptr);
    EXPECT_EQ(sheet->FindAnimationSequence("green", "blink"), nullptr);
    EXPECT_TRUE(mRecorder.Messages().empty());
}

// [SECTION] The sheet's refusals

TEST_F(SpriteSheetLoaderTest, DataThatIsNoStructureIsRefused)
{
    ExpectRefused(
        R"([{"texture": "@TEXTURE@", "sprites": []}])",
        {"kfDataError: Expected sprite sheet data to be a structure of information.  Sheet: sheet"});
}

TEST_F(SpriteSheetLoaderTest, AMissingFileIsRefused)
{
    EXPECT_FALSE(SpriteSheetLoader("sheet", mPath).Load().has_value());

    EXPECT_EQ(
        mRecorder.Messages(),
        (Messages{
            "Was unable to load json file: " + mPath + "\n",
            "kfDataError: Expected sprite sheet data to be a structure of information.  Sheet: sheet"}));
}

TEST_F(SpriteSheetLoaderTest, AVersionOutOfRangeIsRefused)
{
    ExpectRefused(R"({"version": 70000, "texture": "@TEXTURE@", "sprites": []})",
                  {AboveRange("kfDataError: SpriteSheet " + QuotedPath() + "version\"", 70000, 65535)});
}

TEST_F(SpriteSheetLoaderTest, ATextureThatCannotBeLoadedIsRefused)
{
    EXPECT_FALSE(Load(R"({"texture": "@TEXTURE@.missing", "sprites": []})").has_value());

    ASSERT_FALSE(mRecorder.Messages().empty());
    EXPECT_EQ(mRecorder.Messages().back(),
              "Was unable to load texture: " + mFiles.TexturePath() + ".missing\n");
}

TEST_F(SpriteSheetLoaderTest, DefaultSpriteSizesOutOfRangeAreRefused)
{
    ExpectRefused(R"({"texture": "@TEXTURE@", "sprite_width": 65536, "sprites": []})",
                  {AboveRange("kfDataError: \"sprite_width\" out of range.", 65536, 65535)});
    mRecorder.Clear();
    ExpectRefused(R"({"texture": "@TEXTURE@", "sprite_height": -1, "sprites": []})",
                  Negative("kfDataError: \"sprite_height\" out of range.", -1, 65535));
}

TEST_F(SpriteSheetLoaderTest, SpritesMustBeAnArray)
{
    const std::string message =
        "kfDataError: Expected sprite sheet to have an array named: sprites. Sheet: " + QuotedPath();
    ExpectRefused(R"({"texture": "@TEXTURE@", "sprites": {"name": "one"}})", {message});
    mRecorder.Clear();
    ExpectRefused(R"({"texture": "@TEXTURE@"})", {message});
}

TEST_F(SpriteSheetLoaderTest, SheetLevelAnimationsMustBeAnArray)
{
    ExpectRefused(R"({"texture": "@TEXTURE@", "sprites": [], "animations": "walk"})",
                  {"kfDataError: \"animations\" must be an array if included in sprite sheet. Sheet: " +
                   QuotedPath() + ","});
}

TEST_F(SpriteSheetLoaderTest, AFailedLoadGivesBackItsTextureReference)
{
    const TextureHandle texture = theTextureManager.CreateTextureFromFile(mFiles.TexturePath());

    EXPECT_FALSE(Load(R"({"texture": "@TEXTURE@", "sprites": 5})").has_value());

    EXPECT_EQ(theTextureManager.GetReferenceCount(texture), 1u);
}

TEST_F(SpriteSheetLoaderTest, TheLoadStopsAtTheFirstReport)
{
    ExpectRefused(R"({"texture": "@TEXTURE@", "sprites": [{"name": ""}, {"name": "far", "x": 99999}],
        "animations": [5]})",
                  {"kfDataError: Expected each sprite frame to have a name on SpriteSheet: " + QuotedPath()});
}

// [SECTION] Sprite map refusals

TEST_F(SpriteSheetLoaderTest, SpriteMapsMustBeAnArray)
{
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "sprites": [], "sprite_maps": {"name": "grid"}})",
        {"kfDataError: \"spriteMaps\" must be an array if included in the sprite sheet. SpriteSheet: " +
         QuotedPath() + "."});
}

TEST_F(SpriteSheetLoaderTest, ASpriteMapNeedsAStringName)
{
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "sprites": [], "sprite_maps": [{"name": 3, "width": 8, "height": 8}]})",
        {"kfDataError: Expected each sprite map object to have a string \"name\". SpriteSheet: " + mPath});
}

TEST_F(SpriteSheetLoaderTest, TwoSpriteMapsNamedAlikeAreRefusedOnTheSecond)
{
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "sprites": [], "sprite_maps": [
        {"name": "grid", "width": 8, "height": 8}, {"name": "grid", "width": 16, "height": 16}]})",
        {"kfDataError: Attempting to add SpriteMap \"grid\" which already exists. Make sure each map has "
         "a unique \"name\". SpriteSheet: " +
         QuotedPath() + "."});
}

TEST_F(SpriteSheetLoaderTest, ASpriteMapNeedsAWidthAndAHeight)
{
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "sprites": [], "sprite_maps": [{"name": "grid", "height": 8}]})",
        {"kfDataError: Expected SpriteMap object to have a \"width\". SpriteMap: \"grid\" on SpriteSheet: " +
         mPath});
    mRecorder.Clear();
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "sprites": [], "sprite_maps": [{"name": "grid", "width": 8}]})",
        {"kfDataError: Expected SpriteMap object to have a \"height\". SpriteMap: \"grid\" on SpriteSheet: " +
         mPath});
}

TEST_F(SpriteSheetLoaderTest, SpriteMapMembersOutOfRangeAreRefused)
{
    const std::string suffix = " is out of range for SpriteMap \"grid\" on SpriteSheet " + QuotedPath() + ".";
    ExpectRefused(R"({"texture": "@TEXTURE@", "sprites": [],
        "sprite_maps": [{"name": "grid", "width": 8, "height": 8, "x": 70000}]})",
                  {AboveRange("kfDataError: \"x\"" + suffix, 70000, 65535)});
    mRecorder.Clear();
    ExpectRefused(R"({"texture": "@TEXTURE@", "sprites": [],
        "sprite_maps": [{"name": "grid", "width": 8, "height": -8}]})",
                  Negative("kfDataError: \"height\"" + suffix, -8, 65535));
}

TEST_F(SpriteSheetLoaderTest, PaddingBetweenCellsIsRefused)
{
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "sprites": [],
        "sprite_maps": [{"name": "grid", "width": 8, "height": 8, "padding_x": 1}]})",
        {"kfInternalError: Currently SpriteMap does not support spacing between the SpriteFrames."});
}

TEST_F(SpriteSheetLoaderTest, ASpriteMapCellWiderThanTheTextureIsRefused)
{
    EXPECT_FALSE(Load(R"({"texture": "@TEXTURE@", "sprites": [],
        "sprite_maps": [{"name": "grid", "width": 101, "height": 8}]})")
                     .has_value());

    ASSERT_FALSE(mRecorder.Messages().empty());
    EXPECT_EQ(mRecorder.Messages().front(),
              "kfExternalError: Expected texture width to be greater than frameWidth");
}

// [SECTION] Sprite refusals

TEST_F(SpriteSheetLoaderTest, ASpriteNeedsAName)
{
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "sprites": [{"x": 1}]})",
        {"kfDataError: Expected each sprite frame object to have a string, \"name\". SpriteSheet: " +
         QuotedPath() + "."});
}

TEST_F(SpriteSheetLoaderTest, TwoSpritesNamedAlikeAreRefusedOnTheSecond)
{
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "sprites": [{"name": "hero"}, {"name": "hero", "x": 4, "width": 8}]})",
        {"kfExternalError: Attempting to add sprite frame hero which already exists on sprite sheet."});
}

TEST_F(SpriteSheetLoaderTest, ASpriteOnAnUnknownSpriteMapIsRefused)
{
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "sprites": [{"name": "hero", "sprite_map": "grid", "map_index": 0}]})",
        {"kfDataError: Could not find SpriteMap, \"grid\" for SpriteFrame \"hero\" on SpriteSheet " +
         QuotedPath() + "."});
}

TEST_F(SpriteSheetLoaderTest, ACellNeedsAnIndexOrAColumnAndARowAsIntegers)
{
    ExpectRefused(R"({"texture": "@TEXTURE@", "sprite_maps": [{"name": "grid", "width": 10, "height": 10}],
        "sprites": [{"name": "hero", "sprite_map": "grid", "map_index": "4", "map_column": 1}]})",
                  {"kfDataError: Could not create SpriteFrame, \"hero\" from SpriteMap, \"grid\" there was "
                   "\"map_index\" or \"map_column\"/\"map_row\" not specified as Integers. SpriteSheet: " +
                   QuotedPath() + "."});
}

TEST_F(SpriteSheetLoaderTest, SpriteMembersOutOfRangeAreRefused)
{
    const std::string suffix =
        " is out of range for SpriteFrame \"hero\" on SpriteSheet " + QuotedPath() + ".";
    const std::string grid = R"("sprite_maps": [{"name": "grid", "width": 10, "height": 10}], )";
    ExpectRefused(R"({"texture": "@TEXTURE@", "sprites": [{"name": "hero", "width": 65536}]})",
                  {AboveRange("kfDataError: \"width\"" + suffix, 65536, 65535)});
    mRecorder.Clear();
    ExpectRefused(R"({"texture": "@TEXTURE@", )" + grid +
                      R"("sprites": [{"name": "hero", "sprite_map": "grid", "map_index": -1}]})",
                  Negative("kfDataError: \"map_index\"" + suffix, -1, 4294967295));
    mRecorder.Clear();
    ExpectRefused(
        R"({"texture": "@TEXTURE@", )" + grid +
            R"("sprites": [{"name": "hero", "sprite_map": "grid", "map_column": -2, "map_row": 0}]})",
        Negative("kfDataError: \"map_column\"" + suffix, -2, 4294967295));
    mRecorder.Clear();
    ExpectRefused(
        R"({"texture": "@TEXTURE@", )" + grid +
            R"("sprites": [{"name": "hero", "sprite_map": "grid", "map_column": 0, "map_row": -3}]})",
        Negative("kfDataError: \"map_row\"" + suffix, -3, 4294967295));
}

TEST_F(SpriteSheetLoaderTest, ASpriteOffTheTextureIsRefused)
{
    ExpectRefused(R"({"texture": "@TEXTURE@", "sprites": [{"name": "hero", "x": 90, "width": 16}]})",
                  {"kfExternalError: Expected frameX location to allow frame (width) to fit on texture."});
}

TEST_F(SpriteSheetLoaderTest, ASpritesAnimationsMustBeAnArray)
{
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "sprites": [{"name": "hero", "animations": {"name": "walk"}}]})",
        {"kfDataError: \"animations\" must be an array if included in sprite object. SpriteSheet: "
         "\"sheet\""});
}

// [SECTION] Animation refusals

TEST_F(SpriteSheetLoaderTest, ANamedAnimationIsRefusedAtTheSheetLevel)
{
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "sprites": [], "animations": ["walk"]})",
        {"kfDataError: Expected named animationData only in a sprite frame animation array. SpriteSheet: " +
         QuotedPath() + "."});
}

TEST_F(SpriteSheetLoaderTest, AnAnimationNeedsANameAndASequence)
{
    ExpectRefused(R"({"texture": "@TEXTURE@", "sprites": [], "animations": [{"sequence": []}]})",
                  {"kfDataError: Expected each animation object to have a name. Sheet: " + mPath});
    mRecorder.Clear();
    ExpectRefused(R"({"texture": "@TEXTURE@", "sprites": [], "animations": [{"name": "walk"}]})",
                  {"kfDataError: Expected each animation object to have \"sequence\". Animation: \"walk\" on "
                   "SpriteSheet: " +
                   QuotedPath()});
}

TEST_F(SpriteSheetLoaderTest, ASequenceMustBeAnArrayOrAStructure)
{
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "sprites": [], "animations": [{"name": "walk", "sequence": 4}]})",
        {"kfDataError: Expected animation \"walk\" to have a \"sequence\" array or mapped structure. "
         "SpriteSheet: " +
         mPath});
}

TEST_F(SpriteSheetLoaderTest, AListedSequenceHoldsOnlyNamesOfSpritesOfTheSheet)
{
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "sprites": [{"name": "red"}],
        "animations": [{"name": "walk", "sequence": ["red", 2]}]})",
        {"kfDataError: Expected each item in Animation \"walk\" sequence array to be strings. SpriteSheet: "
         "\"sheet\""});
    mRecorder.Clear();
    ExpectRefused(R"({"texture": "@TEXTURE@", "sprites": [{"name": "red"}],
        "animations": [{"name": "walk", "sequence": ["red", "ghost"]}]})",
                  {"kfExternalError: Sprite with name ghost does not exist on sprite sheet."});
}

TEST_F(SpriteSheetLoaderTest, AMappedSequenceOnAnUnknownSpriteMapIsRefused)
{
    ExpectRefused(R"({"texture": "@TEXTURE@", "sprites": [],
        "animations": [{"name": "walk", "sequence": {"sprite_map": "grid", "frames": [0]}}]})",
                  {"kfDataError: Could not find sprite map, \"grid\" for animation \"walk\" on sheet " +
                   QuotedPath() + "."});
}

TEST_F(SpriteSheetLoaderTest, ASheetLevelMappedSequenceNeedsACellSize)
{
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "sprites": [],
        "animations": [{"name": "walk", "sequence": {"height": 8, "frames": [0]}}]})",
        {"kfDataError: Expected each global mapped animation object to have a width. Animation: \"walk\" on "
         "Sheet: " +
         mPath});
    mRecorder.Clear();
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "sprites": [],
        "animations": [{"name": "walk", "sequence": {"width": 8, "frames": [0]}}]})",
        {"kfDataError: Expected each global mapped animation object to have a height. Animation: \"walk\" "
         "on Sheet: " +
         mPath});
}

TEST_F(SpriteSheetLoaderTest, AMappedSequenceWithoutFramesNeedsAStartAndACount)
{
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "sprites": [],
        "animations": [{"name": "walk", "sequence": {"width": 8, "height": 8, "count": 2}}]})",
        {"kfDataError: Expected each mapped animation object to have a start frame. Animation: \"walk\" on "
         "Sheet: " +
         QuotedPath()});
    mRecorder.Clear();
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "sprites": [],
        "animations": [{"name": "walk", "sequence": {"width": 8, "height": 8, "start": 2}}]})",
        {"kfDataError: Expected each mapped animation object to have a frame count. Animation: \"walk\" "
         "on Sheet: " +
         QuotedPath()});
}

TEST_F(SpriteSheetLoaderTest, MappedFramesMustBeAnArrayOfCellIndices)
{
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "sprites": [],
        "animations": [{"name": "walk", "sequence": {"width": 8, "height": 8, "frames": 3}}]})",
        {"kfDataError: Expected mapped animation object with frames item being an array: " + mPath});
    mRecorder.Clear();
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "sprites": [],
        "animations": [{"name": "walk", "sequence": {"width": 8, "height": 8, "frames": [0, -1]}}]})",
        Negative("kfDataError: \"frames\" array[1]  is out of range for animation \"walk\" on sheet " +
                     QuotedPath() + ".",
                 -1, 4294967295));
}

TEST_F(SpriteSheetLoaderTest, MappedSequenceNumbersOutOfRangeAreRefused)
{
    ExpectRefused(R"({"texture": "@TEXTURE@", "sprites": [],
        "animations": [{"name": "walk", "sequence": {"width": 8, "height": 8, "start": 65536, "count": 1}}]})",
                  {AboveRange("kfDataError: \"start\"", 65536, 65535)});
    mRecorder.Clear();
    ExpectRefused(R"({"texture": "@TEXTURE@", "sprites": [],
        "animations": [{"name": "walk", "sequence": {"width": 8, "height": 8, "start": 0, "count": -1}}]})",
                  Negative("kfDataError: \"count\"", -1, 65535));
    mRecorder.Clear();
    ExpectRefused(R"({"texture": "@TEXTURE@", "sprites": [],
        "animations": [{"name": "walk", "sequence": {"width": 8, "height": 8, "y": 65536, "frames": []}}]})",
                  {AboveRange("kfDataError: \"y\" is out of range for animation \"walk\" on sheet " +
                                  QuotedPath() + ".",
                              65536, 65535)});
}

TEST_F(SpriteSheetLoaderTest, CellsOffTheTextureStopTheLoadAtTheFirst)
{
    ExpectRefused(R"({"texture": "@TEXTURE@", "sprites": [],
        "animations": [{"name": "walk", "sequence": {"width": 25, "height": 32, "start": 0, "count": 65535}}]})",
                  {"kfExternalError: Expected frameY location to allow frame (height) to fit on texture.",
                   "kfExternalErro: Expected frame texture to be the same as the texture of sequence."});
}

TEST_F(SpriteSheetLoaderTest, AMissingSheetLevelAnimationNamedInASpriteIsRefused)
{
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "animations": [{"name": "walk", "sequence": []}],
        "sprites": [{"name": "hero", "animations": ["swim", "walk", "fly"]}]})",
        {"kfExternalError: Could not add animations to sprite with name \"hero\" because the animation(s) "
         "with name(s): \"swim\" \"fly\" do not exist on SpriteSheet: \"sheet\""});
}

TEST_F(SpriteSheetLoaderTest, TwoAnimationsNamedAlikeAreRefusedOnTheSecond)
{
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "sprites": [], "animations": [
        {"name": "walk", "sequence": []}, {"name": "walk", "sequence": []}]})",
        {"kfExternalError: Attempting to add animation \"walk\" which already exists on SpriteSheet: "
         "\"sheet\"."});
    mRecorder.Clear();
    ExpectRefused(
        R"({"texture": "@TEXTURE@", "animations": [{"name": "walk", "sequence": []}],
        "sprites": [{"name": "hero", "animations": [{"name": "walk", "sequence": []}, "walk"]}]})",
        {"kfExternalError: Attempting to add animation \"walk\" which already exists in sprite \"hero\" on "
         "SpriteSheet: \"sheet\"."});
}

} // namespace
