#include "kelp_forge/graphics/kf_sprite_frame.hpp"

#include "support/kf_error_recorder.hpp"
#include "support/kf_test_window.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using KelpForge::Graphics::CreateSpriteFrame;
using KelpForge::Graphics::kInvalidTexture;
using KelpForge::Graphics::SpriteFrame;
using KelpForge::Graphics::TextureHandle;
using KelpForge::Graphics::theTextureManager;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::TestWindow;
using Messages = std::vector<std::string>;

namespace
{

const std::string kFrameXMessage =
    "kfExternalError: Expected frameX location to allow frame (width) to fit on texture.";
const std::string kFrameYMessage =
    "kfExternalError: Expected frameY location to allow frame (height) to fit on texture.";
const std::string kInvalidTextureMessage =
    "kfExternalError: Expected texture handle to be valid when creating SpriteFrame.";

class SpriteFrameTest : public ::testing::Test
{
protected:
    TestWindow mWindow;
    const TextureHandle mTexture = theTextureManager.CreateBlankTexture(64, 32);
    ErrorRecorder mRecorder;
};

bool IsEmpty(const SpriteFrame& frame)
{
    return frame.GetTexture() == kInvalidTexture && frame.GetPixelWidth() == 0 && frame.GetPixelHeight() == 0;
}

} // namespace

TEST_F(SpriteFrameTest, ZeroSizesStandForTheWholeTexture)
{
    const SpriteFrame frame = CreateSpriteFrame(mTexture, 0, 0, 0, 0);
    EXPECT_EQ(frame.GetPixelWidth(), 64);
    EXPECT_EQ(frame.GetPixelHeight(), 32);
    EXPECT_EQ(frame.GetU(), 0.0f);
    EXPECT_EQ(frame.GetV(), 0.0f);
    EXPECT_EQ(frame.GetUExtent(), 1.0f);
    EXPECT_EQ(frame.GetVExtent(), 1.0f);
    EXPECT_EQ(frame.GetTexture(), mTexture);
    EXPECT_TRUE(mRecorder.Messages().empty());
}

TEST_F(SpriteFrameTest, TextureCoordinatesAreFractionsOfTheTextureSize)
{
    const SpriteFrame frame = CreateSpriteFrame(mTexture, 16, 0, 16, 16);
    EXPECT_EQ(frame.GetPixelX(), 16);
    EXPECT_EQ(frame.GetPixelY(), 0);
    EXPECT_EQ(frame.GetU(), 0.25f);
    EXPECT_EQ(frame.GetV(), 0.0f);
    EXPECT_EQ(frame.GetUExtent(), 0.25f);
    EXPECT_EQ(frame.GetVExtent(), 0.5f);
}

TEST_F(SpriteFrameTest, AFrameMustFitOnTheTextureToTheLastPixel)
{
    EXPECT_EQ(CreateSpriteFrame(mTexture, 48, 0, 16, 16).GetPixelX(), 48);
    EXPECT_EQ(CreateSpriteFrame(mTexture, 0, 16, 16, 16).GetPixelY(), 16);
    EXPECT_TRUE(mRecorder.Messages().empty());

    EXPECT_TRUE(IsEmpty(CreateSpriteFrame(mTexture, 49, 0, 16, 16)));
    EXPECT_TRUE(IsEmpty(CreateSpriteFrame(mTexture, 0, 17, 16, 16)));
    EXPECT_TRUE(IsEmpty(CreateSpriteFrame(mTexture, 1, 0, 0, 0)));
    EXPECT_EQ(mRecorder.Messages(), (Messages{kFrameXMessage, kFrameYMessage, kFrameXMessage}));
}

TEST_F(SpriteFrameTest, FramesLargerThanTheTextureAreRefused)
{
    EXPECT_TRUE(IsEmpty(CreateSpriteFrame(mTexture, 0, 0, 65, 0)));
    EXPECT_TRUE(IsEmpty(CreateSpriteFrame(mTexture, 0, 0, 0, 33)));
    EXPECT_EQ(mRecorder.Messages(),
              (Messages{"kfExternalError: Expected frameWidth to be less than or equal to textureWidth",
                        kFrameXMessage,
                        "kfExternalError: Expected frameHeight to be less than or equal to textureHeight",
                        kFrameYMessage}));
}

TEST_F(SpriteFrameTest, FramesNeedALoadedTexture)
{
    EXPECT_TRUE(IsEmpty(CreateSpriteFrame(kInvalidTexture, 0, 0, 0, 0)));
    EXPECT_EQ(mRecorder.Messages(), (Messages{kInvalidTextureMessage}));
    mRecorder.Clear();
    EXPECT_TRUE(IsEmpty(CreateSpriteFrame(500, 0, 0, 0, 0)));
    EXPECT_EQ(mRecorder.Messages(),
              (Messages{"kfError: Attempting to get a texture that does not exist! Invalid Handle.",
                        "kfError: Attempting to get a texture that does not exist! Invalid Handle.",
                        kInvalidTextureMessage}));
}
