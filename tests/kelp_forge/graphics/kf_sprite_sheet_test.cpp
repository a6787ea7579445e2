#include "kelp_forge/graphics/kf_sprite_sheet.hpp"

#include "kelp_forge/graphics/kf_sprite_frame.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"
#include "support/kf_error_recorder.hpp"
#include "support/kf_test_window.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using KelpForge::Graphics::AnimationSequence;
using KelpForge::Graphics::CreateSpriteFrame;
using KelpForge::Graphics::kInvalidTexture;
using KelpForge::Graphics::SpriteFrame;
using KelpForge::Graphics::SpriteSheet;
using KelpForge::Graphics::TextureHandle;
using KelpForge::Graphics::theTextureManager;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::TestWindow;
using Messages = std::vector<std::string>;

namespace
{

class SpriteSheetTest : public ::testing::Test
{
protected:
    // A two-frame sequence on the sheet's texture: x 0 then x 16.
    AnimationSequence MakeSequence() const
    {
        AnimationSequence sequence(mTexture);
        sequence.AddFrame(CreateSpriteFrame(mTexture, 0, 0, 16, 16));
        sequence.AddFrame(CreateSpriteFrame(mTexture, 16, 0, 16, 16));
        return sequence;
    }

    TestWindow mWindow;
    TextureHandle mTexture = theTextureManager.CreateBlankTexture(64, 32);
    SpriteSheet mSheet{mTexture, "heroes"};
    ErrorRecorder mRecorder;
};

TEST_F(SpriteSheetTest, KeepsFramesByName)
{
    mSheet.AddSpriteFrame("left", CreateSpriteFrame(mTexture, 0, 0, 16, 16));
    mSheet.AddSpriteFrame("right", CreateSpriteFrame(mTexture, 48, 16, 16, 16));

    const SpriteFrame right = mSheet.GetSpriteFrame("right");
    EXPECT_EQ(right.GetPixelX(), 48);
    EXPECT_EQ(right.GetPixelY(), 16);
    EXPECT_EQ(mSheet.GetSpriteFrameCount(), 2u);
    EXPECT_TRUE(mRecorder.Messages().empty());
}

TEST_F(SpriteSheetTest, ASecondFrameOfTheSameNameIsRefusedAndTheFirstKept)
{
    mSheet.AddSpriteFrame("hero", CreateSpriteFrame(mTexture, 0, 0, 16, 16));
    mSheet.AddSpriteFrame("hero", CreateSpriteFrame(mTexture, 32, 0, 16, 16));

    EXPECT_EQ(
        mRecorder.Messages(),
        Messages{
            "kfExternalError: Attempting to add sprite frame hero which already exists on sprite sheet."});
    EXPECT_EQ(mSheet.GetSpriteFrame("hero").GetPixelX(), 0);
}

TEST_F(SpriteSheetTest, FramesNeedTheSheetsOwnValidTexture)
{
    const TextureHandle other = theTextureManager.CreateBlankTexture(64, 32);
    mSheet.AddSpriteFrame("stranger", CreateSpriteFrame(other, 0, 0, 16, 16));
    SpriteSheet untextured(kInvalidTexture, "blank");
    untextured.AddSpriteFrame("lost", CreateSpriteFrame(mTexture, 0, 0, 16, 16));

    EXPECT_EQ(mRecorder.Messages(),
              (Messages{"kfExternalError: Cannot add sprite stranger with different texture than sheet.",
                        "kfExternalError: Cannot add sprite lost without setting a texture first.",
                        "kfExternalError: Cannot add sprite lost with different texture than sheet."}));
    EXPECT_EQ(mSheet.GetSpriteFrameCount(), 0u);
    EXPECT_EQ(untextured.GetSpriteFrameCount(), 0u);
}

TEST_F(SpriteSheetTest, AnUnknownSpriteGivesAnEmptyFrame)
{
    const SpriteFrame frame = mSheet.GetSpriteFrame("ghost");

    EXPECT_EQ(frame.GetTexture(), kInvalidTexture);
    EXPECT_EQ(mRecorder.Messages(),
              Messages{"kfExternalError: Sprite with name ghost does not exist on sprite sheet."});
}

TEST_F(SpriteSheetTest, AnimationsAreKeptWithTheSheetOrWithOneSprite)
{
    mSheet.AddAnimationSequence("", "walk", MakeSequence());
    mSheet.AddAnimationSequence("hero", "walk", AnimationSequence(mTexture));

    ASSERT_NE(mSheet.FindAnimationSequence("", "walk"), nullptr);
    EXPECT_EQ(mSheet.FindAnimationSequence("", "walk")->GetFrameCount(), 2u);
    ASSERT_NE(mSheet.FindAnimationSequence("hero", "walk"), nullptr);
    EXPECT_EQ(mSheet.FindAnimationSequence("hero", "walk")->GetFrameCount(), 0u);
    EXPECT_EQ(mSheet.FindAnimationSequence("villain", "walk"), nullptr);
    EXPECT_EQ(mSheet.FindAnimationSequence("hero", "run"), nullptr);
    EXPECT_TRUE(mRecorder.Messages().empty());
}

TEST_F(SpriteSheetTest, AnAnimationIsStoredAsACopy)
{
    AnimationSequence sequence = MakeSequence();
    mSheet.AddAnimationSequence("", "walk", sequence);
    sequence.AddFrame(CreateSpriteFrame(mTexture, 32, 0, 16, 16));

    EXPECT_EQ(mSheet.FindAnimationSequence("", "walk")->GetFrameCount(), 2u);
}

TEST_F(SpriteSheetTest, ASecondAnimationOfTheSameNameIsRefusedAndTheFirstKept)
{
    mSheet.AddAnimationSequence("", "walk", MakeSequence());
    mSheet.AddAnimationSequence("", "walk", AnimationSequence(mTexture));
    mSheet.AddAnimationSequence("hero", "jump", MakeSequence());
    mSheet.AddAnimationSequence("hero", "jump", AnimationSequence(mTexture));

    EXPECT_EQ(
        mRecorder.Messages(),
        (Messages{
            "kfExternalError: Attempting to add animation \"walk\" which already exists on SpriteSheet: "
            "\"heroes\".",
            "kfExternalError: Attempting to add animation \"jump\" which already exists in sprite "
            "\"hero\" on SpriteSheet: \"heroes\"."}));
    EXPECT_EQ(mSheet.FindAnimationSequence("", "walk")->GetFrameCount(), 2u);
    EXPECT_EQ(mSheet.FindAnimationSequence("hero", "jump")->GetFrameCount(), 2u);
}

TEST_F(SpriteSheetTest, SpritesTakeCopiesOfSheetLevelAnimations)
{
    mSheet.AddAnimationSequence("", "walk", MakeSequence());
    mSheet.AddAnimationSequence("", "idle", AnimationSequence(mTexture));

    EXPECT_TRUE(mSheet.AddAnimationsToSprite("hero", {"walk", "idle"}));

    ASSERT_NE(mSheet.FindAnimationSequence("hero", "walk"), nullptr);
    EXPECT_EQ(mSheet.FindAnimationSequence("hero", "walk")->GetFrame(1).GetPixelX(), 16);
    EXPECT_NE(mSheet.FindAnimationSequence("hero", "idle"), nullptr);
    EXPECT_NE(mSheet.FindAnimationSequence("", "walk"), nullptr);
    EXPECT_TRUE(mRecorder.Messages().empty());
}

TEST_F(SpriteSheetTest, MissingSheetLevelAnimationsAreListedTogether)
{
    mSheet.AddAnimationSequence("", "walk", MakeSequence());

    EXPECT_FALSE(mSheet.AddAnimationsToSprite("hero", {"swim", "walk", "fly"}));

    EXPECT_EQ(
        mRecorder.Messages(),
        Messages{"kfExternalError: Could not add animations to sprite with name \"hero\" because the "
                 "animation(s) with name(s): \"swim\" \"fly\" do not exist on SpriteSheet: \"heroes\""});
    EXPECT_NE(mSheet.FindAnimationSequence("hero", "walk"), nullptr);
}

TEST_F(SpriteSheetTest, NoAnimationsToAddSucceeds)
{
    EXPECT_TRUE(mSheet.AddAnimationsToSprite("hero", {}));
    EXPECT_TRUE(mRecorder.Messages().empty());
}

TEST_F(SpriteSheetTest, ASpriteTakingAnAnimationItAlreadyHasIsReported)
{
    mSheet.AddAnimationSequence("", "walk", MakeSequence());
    mSheet.AddAnimationSequence("hero", "walk", AnimationSequence(mTexture));

    EXPECT_TRUE(mSheet.AddAnimationsToSprite("hero", {"walk"}));

    EXPECT_EQ(mRecorder.Messages(),
              Messages{"kfExternalError: Attempting to add animation \"walk\" which already exists in sprite "
                       "\"hero\" on SpriteSheet: \"heroes\"."});
    EXPECT_EQ(mSheet.FindAnimationSequence("hero", "walk")->GetFrameCount(), 0u);
}

} // namespace
