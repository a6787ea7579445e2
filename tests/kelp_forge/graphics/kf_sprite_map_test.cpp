#include "kelp_forge/graphics/kf_sprite_map.hpp"

#include "kelp_forge/graphics/kf_texture_manager.hpp"
#include "support/kf_error_recorder.hpp"
#include "support/kf_test_window.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using KelpForge::Graphics::kInvalidTexture;
using KelpForge::Graphics::SpriteFrame;
using KelpForge::Graphics::SpriteMap;
using KelpForge::Graphics::TextureHandle;
using KelpForge::Graphics::theTextureManager;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::TestWindow;
using Messages = std::vector<std::string>;

namespace
{

const std::string kSpacingMessage =
    "kfInternalError: Currently SpriteMap does not support spacing between the "
    "SpriteFrames.";
const std::string kNoColumnMessage = "kfInternalError: Expected GetColumnCount() to return at least 1.";
const std::string kNoRowMessage = "kfInternalError: Expected GetRowCount() to return at least 1.";
const std::string kNoIndexMessage = "kfInternalError: Expected GetIndexCount() to return at least 1.";

class SpriteMapTest : public ::testing::Test
{
protected:
    TestWindow mWindow;
    TextureHandle mTexture = theTextureManager.CreateBlankTexture(100, 64);
    ErrorRecorder mRecorder;
};

TEST_F(SpriteMapTest, CountsWholeCellsRightOfAndBelowTheOffset)
{
    const SpriteMap map(mTexture, 32, 20, 0, 0, 4, 3);

    EXPECT_EQ(map.GetColumnCount(), 3u);
    EXPECT_EQ(map.GetRowCount(), 3u);
    EXPECT_EQ(map.GetIndexCount(), 9u);
    EXPECT_EQ(map.GetTexture(), mTexture);
    EXPECT_TRUE(mRecorder.Messages().empty());
}

TEST_F(SpriteMapTest, CellsAreNumberedRowByRowFromTheTopLeft)
{
    const SpriteMap map(mTexture, 32, 20, 0, 0, 4, 3);

    const SpriteFrame cell = map.GetSpriteFrameAtIndex(4);

    EXPECT_EQ(cell.GetPixelX(), 36);
    EXPECT_EQ(cell.GetPixelY(), 23);
    EXPECT_EQ(cell.GetPixelWidth(), 32);
    EXPECT_EQ(cell.GetPixelHeight(), 20);
    EXPECT_EQ(cell.GetTexture(), mTexture);
    const SpriteFrame same = map.GetSpriteFrameAt(1, 1);
    EXPECT_EQ(same.GetPixelX(), cell.GetPixelX());
    EXPECT_EQ(same.GetPixelY(), cell.GetPixelY());
}

TEST_F(SpriteMapTest, ACellAsLargeAsTheTextureIsTheOnlyCell)
{
    const SpriteMap map(mTexture, 100, 64, 0, 0, 0, 0);

    EXPECT_EQ(map.GetIndexCount(), 1u);
    EXPECT_EQ(map.GetSpriteFrameAtIndex(0).GetPixelWidth(), 100);
    EXPECT_TRUE(mRecorder.Messages().empty());
}

TEST_F(SpriteMapTest, ACellPastTheLastRowIsRefusedByTheFrameCheck)
{
    const SpriteMap map(mTexture, 50, 32, 0, 0, 0, 0);

    const SpriteFrame cell = map.GetSpriteFrameAtIndex(4);

    EXPECT_EQ(cell.GetTexture(), kInvalidTexture);
    EXPECT_EQ(
        mRecorder.Messages(),
        Messages{"kfExternalError: Expected frameY location to allow frame (height) to fit on texture."});
}

TEST_F(SpriteMapTest, ACellBeyondPixelRangeIsRefusedBeforeAFrameIsMade)
{
    const SpriteMap map(mTexture, 50, 32, 0, 0, 0, 0);

    EXPECT_EQ(map.GetSpriteFrameAt(1311, 0).GetTexture(), kInvalidTexture);
    EXPECT_EQ(map.GetSpriteFrameAt(0, 2048).GetTexture(), kInvalidTexture);
    // A column whose edge wraps past 32 bits must not come back as a small position.
    EXPECT_EQ(map.GetSpriteFrameAt(85899346, 0).GetTexture(), kInvalidTexture);

    EXPECT_EQ(mRecorder.Messages(),
              (Messages{"kfInternalError: Expected frameX value to fall within PixelSpace range.",
                        "kfInternalError: Expected frameY value to fall within PixelSpace range.",
                        "kfInternalError: Expected frameX value to fall within PixelSpace range."}));
}

TEST_F(SpriteMapTest, AnInvalidTextureHasNoCells)
{
    const SpriteMap map(kInvalidTexture, 16, 16, 0, 0, 0, 0);

    const std::string noTexture =
        "kfInternalError: Expected parameter texture to be a valid texture at this point.";
    EXPECT_EQ(
        mRecorder.Messages(),
        (Messages{"kfExternalError: Expected parameter texture to be a valid texture.",
                  "kfExternalError: Expected texture width to be greater than frameWidth",
                  "kfExternalError: Expected texture height to be greater than frameHeight",
                  "kfExternalError: Expected parameter frameWidth to be within range: (1 <= frameWidth <= "
                  "textureWidth).",
                  "kfExternalError: Expected parameter frameHeight to be within range: (1 <= frameHeight <= "
                  "textureHeight).",
                  "kfExternalError: Expected parameter offsetX to allow enough room for at least one column "
                  "of frames.",
                  "kfExternalError: Expected parameter offsetY to allow enough room for at least one row of "
                  "frames.",
                  noTexture, kNoColumnMessage, noTexture, kNoRowMessage, noTexture, noTexture,
                  kNoIndexMessage}));
}

TEST_F(SpriteMapTest, ACellWiderThanTheTextureLeavesNoColumns)
{
    const SpriteMap map(mTexture, 101, 64, 0, 0, 0, 0);

    EXPECT_EQ(map.GetColumnCount(), 0u);
    EXPECT_EQ(
        mRecorder.Messages(),
        (Messages{"kfExternalError: Expected texture width to be greater than frameWidth",
                  "kfExternalError: Expected parameter frameWidth to be within range: (1 <= frameWidth <= "
                  "textureWidth).",
                  "kfExternalError: Expected parameter offsetX to allow enough room for at least one column "
                  "of frames.",
                  kNoColumnMessage, kNoIndexMessage}));
}

TEST_F(SpriteMapTest, ACellOfNoWidthLeavesNoColumnsInsteadOfDividingByZero)
{
    const SpriteMap map(mTexture, 0, 16, 0, 0, 0, 0);
    mRecorder.Clear();

    EXPECT_EQ(map.GetColumnCount(), 0u);
    EXPECT_EQ(map.GetSpriteFrameAtIndex(3).GetTexture(), kInvalidTexture);
    EXPECT_EQ(mRecorder.Messages(), Messages{kNoColumnMessage});
}

TEST_F(SpriteMapTest, AnOffsetMustLeaveRoomForOneCell)
{
    const SpriteMap fitting(mTexture, 32, 16, 0, 0, 68, 48);
    EXPECT_EQ(fitting.GetIndexCount(), 1u);
    EXPECT_TRUE(mRecorder.Messages().empty());

    const SpriteMap tooFarRight(mTexture, 32, 16, 0, 0, 69, 0);
    EXPECT_EQ(
        mRecorder.Messages(),
        (Messages{"kfExternalError: Expected parameter offsetX to allow enough room for at least one column "
                  "of frames.",
                  kNoColumnMessage, kNoIndexMessage}));
    mRecorder.Clear();

    const SpriteMap tooLow(mTexture, 32, 16, 0, 0, 0, 49);
    EXPECT_EQ(
        mRecorder.Messages(),
        (Messages{"kfExternalError: Expected parameter offsetY to allow enough room for at least one row of "
                  "frames.",
                  kNoRowMessage, kNoIndexMessage}));
}

TEST_F(SpriteMapTest, AnOffsetPastTheTextureEdgeLeavesNoCells)
{
    const SpriteMap map(mTexture, 16, 16, 0, 0, 200, 0);

    EXPECT_EQ(map.GetColumnCount(), 0u);
    EXPECT_EQ(map.GetIndexCount(), 0u);
}

TEST_F(SpriteMapTest, SpacingBetweenCellsIsRefused)
{
    const SpriteMap horizontal(mTexture, 16, 16, 1, 0, 0, 0);
    const SpriteMap vertical(mTexture, 16, 16, 0, 2, 0, 0);

    EXPECT_EQ(mRecorder.Messages(), (Messages{kSpacingMessage, kSpacingMessage}));
}

TEST_F(SpriteMapTest, CopiesCutTheSameCells)
{
    const SpriteMap original(mTexture, 25, 32, 0, 0, 0, 0);
    SpriteMap copy(mTexture, 100, 64, 0, 0, 0, 0);
    copy = original;

    EXPECT_EQ(copy.GetIndexCount(), 8u);
    EXPECT_EQ(copy.GetSpriteFrameAtIndex(5).GetPixelX(), 25);
    EXPECT_EQ(copy.GetSpriteFrameAtIndex(5).GetPixelY(), 32);
}

} // namespace
