#include "kelp_forge/graphics/kf_animated_sprite.hpp"

#include "support/kf_error_recorder.hpp"
#include "support/kf_test_window.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using KelpForge::Graphics::AnimationSequence;
using KelpForge::Graphics::CreateSpriteFrame;
using KelpForge::Graphics::FrameIndex;
using KelpForge::Graphics::kInvalidTexture;
using KelpForge::Graphics::SpriteMap;
using KelpForge::Graphics::TextureHandle;
using KelpForge::Graphics::theTextureManager;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::TestWindow;
using Messages = std::vector<std::string>;

namespace
{

class AnimationSequenceTest : public ::testing::Test
{
protected:
    TestWindow mWindow;
    const TextureHandle mTexture = theTextureManager.CreateBlankTexture(64, 16);
    ErrorRecorder mRecorder;
};

} // namespace

TEST_F(AnimationSequenceTest, FramesPlayInTheOrderAdded)
{
    AnimationSequence sequence(mTexture);
    EXPECT_EQ(sequence.GetFrameCount(), 0u);
    sequence.AddFrame(CreateSpriteFrame(mTexture, 32, 0, 16, 16));
    sequence.AddFrame(CreateSpriteFrame(mTexture, 0, 0, 16, 16));
    sequence.AddFrame(CreateSpriteFrame(mTexture, 32, 0, 16, 16));
    ASSERT_EQ(sequence.GetFrameCount(), 3u);
    EXPECT_EQ(sequence.GetFrame(0).GetPixelX(), 32);
    EXPECT_EQ(sequence.GetFrame(1).GetPixelX(), 0);
    EXPECT_EQ(sequence.GetFrame(2).GetPixelX(), 32);
    EXPECT_EQ(sequence.GetTexture(), mTexture);
    EXPECT_TRUE(mRecorder.Messages().empty());
}

TEST_F(AnimationSequenceTest, AFrameOfAnotherTextureIsLeftOut)
{
    const TextureHandle other = theTextureManager.CreateBlankTexture(16, 16);
    AnimationSequence sequence(mTexture);
    sequence.AddFrame(CreateSpriteFrame(other, 0, 0, 0, 0));
    EXPECT_EQ(sequence.GetFrameCount(), 0u);
    EXPECT_EQ(
        mRecorder.Messages(),
        (Messages{"kfExternalErro: Expected frame texture to be the same as the texture of sequence."}));
}

TEST_F(AnimationSequenceTest, ASequenceNeedsAValidTexture)
{
    AnimationSequence sequence(kInvalidTexture);
    sequence.AddFrame(CreateSpriteFrame(mTexture, 0, 0, 0, 0));
    EXPECT_EQ(sequence.GetFrameCount(), 0u);
    EXPECT_EQ(
        mRecorder.Messages(),
        (Messages{"kfExternalError: Expected parameter texture to be a valid texture.",
                  "kfExternalError: Expected texture handle to be valid before a frame is added.",
                  "kfExternalErro: Expected frame texture to be the same as the texture of sequence."}));
}

TEST_F(AnimationSequenceTest, AMapRunHoldsItsCellsInOrder)
{
    const SpriteMap map(mTexture, 16, 16, 0, 0, 0, 0);
    const AnimationSequence sequence(map, 1, 3);
    ASSERT_EQ(sequence.GetFrameCount(), 3u);
    EXPECT_EQ(sequence.GetFrame(0).GetPixelX(), 16);
    EXPECT_EQ(sequence.GetFrame(1).GetPixelX(), 32);
    EXPECT_EQ(sequence.GetFrame(2).GetPixelX(), 48);
    EXPECT_EQ(AnimationSequence(map, 2, 0).GetFrameCount(), 0u);
    EXPECT_TRUE(mRecorder.Messages().empty());
}

TEST_F(AnimationSequenceTest, AMapListMayRepeatCells)
{
    const SpriteMap map(mTexture, 16, 16, 0, 0, 0, 0);
    const AnimationSequence sequence(map, std::vector<FrameIndex>{3, 0, 3});
    ASSERT_EQ(sequence.GetFrameCount(), 3u);
    EXPECT_EQ(sequence.GetFrame(0).GetPixelX(), 48);
    EXPECT_EQ(sequence.GetFrame(1).GetPixelX(), 0);
    EXPECT_EQ(sequence.GetFrame(2).GetPixelX(), 48);
}

TEST_F(AnimationSequenceTest, AMapRunPastTheTextureStopsAtTheFirstCellOffIt)
{
    const SpriteMap map(mTexture, 16, 16, 0, 0, 0, 0);
    // Cell 4 is the first of a second row, below the 16-pixel-high texture.
    const AnimationSequence sequence(map, 2, 0xFFFFFFFFu);
    EXPECT_EQ(sequence.GetFrameCount(), 2u);
    EXPECT_EQ(
        mRecorder.Messages(),
        (Messages{"kfExternalError: Expected frameY location to allow frame (height) to fit on texture.",
                  "kfExternalErro: Expected frame texture to be the same as the texture of sequence."}));
}
