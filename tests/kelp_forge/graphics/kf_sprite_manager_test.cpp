#include "kelp_forge/graphics/kf_sprite_manager.hpp"

#include "kelp_forge/graphics/kf_sprite.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"
#include "support/kf_error_recorder.hpp"
#include "support/kf_sprite_sheet_files.hpp"
#include "support/kf_test_window.hpp"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

using KelpForge::Graphics::AnimationSequence;
using KelpForge::Graphics::kInvalidTexture;
using KelpForge::Graphics::Sprite;
using KelpForge::Graphics::SpriteFrame;
using KelpForge::Graphics::SpriteManager;
using KelpForge::Graphics::SpriteSheet;
using KelpForge::Graphics::TextureHandle;
using KelpForge::Graphics::theSpriteManager;
using KelpForge::Graphics::theTextureManager;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::kBlackPixel;
using KelpForge::Testing::kBluePixel;
using KelpForge::Testing::kGreenPixel;
using KelpForge::Testing::SpriteSheetFiles;
using KelpForge::Testing::TestWindow;
using Messages = std::vector<std::string>;

namespace
{

static_assert(!std::is_copy_constructible_v<SpriteManager>);

// A red and a green 16-pixel square side by side, a blue one below them, and a sheet-level
// animation through all three.
const std::string kSheet = R"({"texture": "@TEXTURE@", "sprite_width": 16, "sprite_height": 16,
    "sprites": [{"name": "red", "animations": ["cycle"]}, {"name": "green", "x": 16}, {"name": "blue", "y": 16}],
    "animations": [{"name": "cycle", "sequence": ["red", "green", "blue"]}]})";

class SpriteManagerTest : public ::testing::Test
{
protected:
    TestWindow mWindow;
    SpriteSheetFiles mFiles;
    ErrorRecorder mRecorder;
    const std::string mPath = mFiles.Write("sheet.json", kSheet);
};

TEST_F(SpriteManagerTest, ALoadedSheetGivesFramesBySheetAndSpriteName)
{
    ASSERT_TRUE(theSpriteManager.LoadSpriteSheet("gloam_sheet", mPath));

    const SpriteFrame green = theSpriteManager.GetSpriteFrame("gloam_sheet", "green");
    EXPECT_EQ(green.GetPixelX(), 16);
    EXPECT_EQ(green.GetPixelWidth(), 16);
    EXPECT_EQ(theTextureManager.GetReferenceCount(green.GetTexture()), 1u);
    EXPECT_TRUE(mRecorder.Messages().empty());
}

TEST_F(SpriteManagerTest, ALoadedSheetGivesAnimationsBySheetAndName)
{
    ASSERT_TRUE(theSpriteManager.LoadSpriteSheet("gloam_sheet", mPath));

    const SpriteSheet* const sheet = theSpriteManager.FindSpriteSheet("gloam_sheet");
    ASSERT_NE(sheet, nullptr);
    const AnimationSequence* const cycle = sheet->FindAnimationSequence("red", "cycle");
    ASSERT_NE(cycle, nullptr);
    ASSERT_EQ(cycle->GetFrameCount(), 3u);
    EXPECT_EQ(cycle->GetFrame(2).GetPixelY(), 16);
    EXPECT_NE(sheet->FindAnimationSequence("", "cycle"), nullptr);
    EXPECT_EQ(theSpriteManager.FindSpriteSheet("other_sheet"), nullptr);
}

TEST_F(SpriteManagerTest, ASpriteFromASheetDrawsItsOwnPartOfTheTexture)
{
    ASSERT_TRUE(theSpriteManager.LoadSpriteSheet("gloam_sheet", mPath));
    Sprite green("gloam_sheet", "green");
    Sprite blue("gloam_sheet", "blue");
    green.SetPosition(100.0f, 100.0f);
    blue.SetPosition(200.0f, 100.0f);

    mWindow.BeginFrame();
    green.Render();
    blue.Render();
    mWindow.EndFrame();

    EXPECT_EQ(mWindow.ReadPixel(101, 101), kGreenPixel);
    EXPECT_EQ(mWindow.ReadPixel(114, 114), kGreenPixel);
    EXPECT_EQ(mWindow.ReadPixel(118, 108), kBlackPixel);
    EXPECT_EQ(mWindow.ReadPixel(208, 108), kBluePixel);
}

TEST_F(SpriteManagerTest, ASecondSheetUnderTheSameNameIsRefusedAndTheFirstKept)
{
    ASSERT_TRUE(theSpriteManager.LoadSpriteSheet("gloam_sheet", mPath));
    const std::string otherPath = mFiles.Write(
        "other.json", R"({"texture": "@TEXTURE@", "sprites": [{"name": "green", "x": 32, "width": 8}]})");

    EXPECT_FALSE(theSpriteManager.LoadSpriteSheet("gloam_sheet", otherPath));

    EXPECT_EQ(mRecorder.Messages(),
              Messages{"Attempting to add SpriteSheet \"gloam_sheet\" which already exists in manager."});
    const SpriteFrame green = theSpriteManager.GetSpriteFrame("gloam_sheet", "green");
    EXPECT_EQ(green.GetPixelX(), 16);
    // The refused sheet gave back the reference its load took on the shared texture.
    EXPECT_EQ(theTextureManager.GetReferenceCount(green.GetTexture()), 1u);
}

TEST_F(SpriteManagerTest, AFailedLoadAddsNothing)
{
    const std::string brokenPath = mFiles.Write("broken.json", R"({"texture": "@TEXTURE@"})");

    EXPECT_FALSE(theSpriteManager.LoadSpriteSheet("gloam_sheet", brokenPath));

    EXPECT_EQ(theSpriteManager.FindSpriteSheet("gloam_sheet"), nullptr);
    EXPECT_EQ(mRecorder.Messages().size(), 1u);
    // The name stays free for a good file.
    mRecorder.Clear();
    EXPECT_TRUE(theSpriteManager.LoadSpriteSheet("gloam_sheet", mPath));
    EXPECT_TRUE(mRecorder.Messages().empty());
}

TEST_F(SpriteManagerTest, SheetsAddedByHandAreStoredAsCopiesUnderNewNames)
{
    const TextureHandle texture = theTextureManager.CreateBlankTexture(32, 32);
    SpriteSheet sheet(texture, "made");
    sheet.AddSpriteFrame("whole", KelpForge::Graphics::CreateSpriteFrame(texture, 0, 0, 0, 0));

    EXPECT_TRUE(theSpriteManager.AddSpriteSheet("made", sheet));
    sheet.AddSpriteFrame("late", KelpForge::Graphics::CreateSpriteFrame(texture, 0, 0, 8, 8));
    EXPECT_FALSE(theSpriteManager.AddSpriteSheet("made", sheet));

    EXPECT_EQ(theSpriteManager.FindSpriteSheet("made")->GetSpriteFrameCount(), 1u);
    EXPECT_EQ(mRecorder.Messages(),
              Messages{"Attempting to add SpriteSheet \"made\" which already exists in manager."});
}

TEST_F(SpriteManagerTest, AnUnknownSheetOrSpriteGivesAnEmptyFrame)
{
    ASSERT_TRUE(theSpriteManager.LoadSpriteSheet("gloam_sheet", mPath));

    EXPECT_EQ(theSpriteManager.GetSpriteFrame("nowhere", "red").GetTexture(), kInvalidTexture);
    EXPECT_EQ(theSpriteManager.GetSpriteFrame("gloam_sheet", "purple").GetTexture(), kInvalidTexture);

    EXPECT_EQ(mRecorder.Messages(),
              (Messages{"SpriteSheet with name nowhere does not exist.",
                        "kfExternalError: Sprite with name purple does not exist on sprite sheet."}));
}

} // namespace
