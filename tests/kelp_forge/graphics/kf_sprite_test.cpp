#include "kelp_forge/graphics/kf_sprite.hpp"

#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"
#include "kelp_forge/graphics/kf_sprite_manager.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"
#include "support/kf_error_recorder.hpp"
#include "support/kf_test_files.hpp"
#include "support/kf_test_images.hpp"
#include "support/kf_test_window.hpp"

#include <gtest/gtest.h>

#include <type_traits>

using KelpForge::Graphics::AnchorLocation;
using KelpForge::Graphics::Color;
using KelpForge::Graphics::kInvalidTexture;
using KelpForge::Graphics::Sprite;
using KelpForge::Graphics::TextureHandle;
using KelpForge::Graphics::theTextureManager;
using KelpForge::Math::Vector2;
using KelpForge::Testing::EncodePng;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::kBlackPixel;
using KelpForge::Testing::kBluePixel;
using KelpForge::Testing::kGreenPixel;
using KelpForge::Testing::kRedPixel;
using KelpForge::Testing::kWhitePixel;
using KelpForge::Testing::MakeQuadrantImage;
using KelpForge::Testing::Pixel;
using KelpForge::Testing::TemporaryFolder;
using KelpForge::Testing::TestImage;
using KelpForge::Testing::TestWindow;
using KelpForge::Testing::WritePng;

namespace
{

// The four quadrants of a sprite drawn with its centre at (100, 100), sampled 8 pixels from the
// centre, which is well inside every quadrant at any scale of 1 or more.
struct Quadrants
{
    Pixel topLeft;
    Pixel topRight;
    Pixel bottomLeft;
    Pixel bottomRight;

    bool operator==(const Quadrants&) const = default;
};

std::ostream& operator<<(std::ostream& stream, const Quadrants& quadrants)
{
    return stream << quadrants.topLeft << " " << quadrants.topRight << " / " << quadrants.bottomLeft << " "
                  << quadrants.bottomRight;
}

class SpriteTest : public ::testing::Test
{
protected:
    SpriteTest()
    {
        const std::vector<std::uint8_t> png = EncodePng(MakeQuadrantImage(32));
        mTexture = theTextureManager.CreateTextureFromFileData(png.data(), png.size());
    }

    Quadrants DrawCentredAt100(Sprite& sprite)
    {
        sprite.SetPosition(100.0f, 100.0f);
        mWindow.BeginFrame();
        sprite.Render();
        mWindow.EndFrame();
        return {mWindow.ReadPixel(92, 92), mWindow.ReadPixel(108, 92), mWindow.ReadPixel(92, 108),
                mWindow.ReadPixel(108, 108)};
    }

    TestWindow mWindow;
    TextureHandle mTexture = kInvalidTexture;
};

const Quadrants kUpright = {kRedPixel, kGreenPixel, kBluePixel, kWhitePixel};

} // namespace

TEST_F(SpriteTest, WholeTextureDrawsFromTheOriginDownAndRight)
{
    Sprite sprite(mTexture);
    EXPECT_EQ(sprite.GetPixelWidth(), 32);
    EXPECT_EQ(sprite.GetPixelHeight(), 32);
    sprite.SetPosition(10.0f, 20.0f);
    mWindow.BeginFrame();
    sprite.Render();
    mWindow.EndFrame();
    EXPECT_EQ(mWindow.ReadPixel(10, 20), kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(41, 51), kWhitePixel);
    EXPECT_EQ(mWindow.ReadPixel(9, 20), kBlackPixel);
    EXPECT_EQ(mWindow.ReadPixel(10, 19), kBlackPixel);
    EXPECT_EQ(mWindow.ReadPixel(42, 51), kBlackPixel);
    EXPECT_EQ(mWindow.ReadPixel(41, 52), kBlackPixel);
}

TEST_F(SpriteTest, CentreAnchorPlacesTheMiddleAtThePosition)
{
    Sprite sprite(mTexture);
    sprite.SetOrigin(AnchorLocation::kAnchorCenter);
    EXPECT_EQ(sprite.GetOrigin(), Vector2(16.0f, 16.0f));
    EXPECT_EQ(DrawCentredAt100(sprite), kUpright);
    EXPECT_EQ(mWindow.ReadPixel(84, 84), kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(83, 84), kBlackPixel);
    EXPECT_EQ(mWindow.ReadPixel(115, 115), kWhitePixel);
    EXPECT_EQ(mWindow.ReadPixel(116, 115), kBlackPixel);
}

TEST_F(SpriteTest, RotationTurnsClockwiseAboutTheOrigin)
{
    Sprite sprite(mTexture);
    sprite.SetOrigin(AnchorLocation::kAnchorCenter);
    sprite.SetRotation(90.0f);
    EXPECT_EQ(DrawCentredAt100(sprite), (Quadrants{kBluePixel, kRedPixel, kWhitePixel, kGreenPixel}));
}

TEST_F(SpriteTest, ScaleGrowsAboutTheOrigin)
{
    Sprite sprite(mTexture);
    sprite.SetOrigin(AnchorLocation::kAnchorCenter);
    sprite.SetScale(2.0f);
    EXPECT_EQ(DrawCentredAt100(sprite), kUpright);
    EXPECT_EQ(mWindow.ReadPixel(69, 69), kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(130, 130), kWhitePixel);
    EXPECT_EQ(mWindow.ReadPixel(67, 100), kBlackPixel);
    EXPECT_EQ(mWindow.ReadPixel(132, 100), kBlackPixel);
}

TEST_F(SpriteTest, HorizontalFlipMirrorsInPlace)
{
    Sprite sprite(mTexture);
    sprite.SetOrigin(AnchorLocation::kAnchorCenter);
    sprite.SetFlippedHorizontal(true);
    EXPECT_EQ(DrawCentredAt100(sprite), (Quadrants{kGreenPixel, kRedPixel, kWhitePixel, kBluePixel}));
    EXPECT_EQ(mWindow.ReadPixel(84, 100), kWhitePixel);
    EXPECT_EQ(mWindow.ReadPixel(83, 100), kBlackPixel);
}

TEST_F(SpriteTest, VerticalFlipMirrorsInPlace)
{
    Sprite sprite(mTexture);
    sprite.SetOrigin(AnchorLocation::kAnchorCenter);
    sprite.SetFlippedVertical(true);
    EXPECT_EQ(DrawCentredAt100(sprite), (Quadrants{kBluePixel, kWhitePixel, kRedPixel, kGreenPixel}));
}

TEST_F(SpriteTest, BothFlipsEqualAHalfTurn)
{
    Sprite flipped(mTexture);
    flipped.SetOrigin(AnchorLocation::kAnchorCenter);
    flipped.SetFlippedHorizontal(true);
    flipped.SetFlippedVertical(true);
    const Quadrants flippedQuadrants = DrawCentredAt100(flipped);

    Sprite turned(mTexture);
    turned.SetOrigin(AnchorLocation::kAnchorCenter);
    turned.SetRotation(180.0f);
    EXPECT_EQ(DrawCentredAt100(turned), flippedQuadrants);
    EXPECT_EQ(flippedQuadrants, (Quadrants{kWhitePixel, kBluePixel, kGreenPixel, kRedPixel}));
}

TEST_F(SpriteTest, ColourTintsAndAlphaBlendsOverWhatIsBehind)
{
    Sprite sprite(mTexture);
    sprite.SetOrigin(AnchorLocation::kAnchorCenter);
    sprite.SetColor(Color(0xFF00FF00u));
    EXPECT_EQ(DrawCentredAt100(sprite), (Quadrants{kBlackPixel, kGreenPixel, kBlackPixel, kGreenPixel}));

    sprite.SetColor(Color(0x80FFFFFFu));
    const Quadrants halfVisible = DrawCentredAt100(sprite);
    EXPECT_NEAR(halfVisible.bottomRight.red, 128, 2);
    EXPECT_NEAR(halfVisible.topLeft.red, 128, 2);
    EXPECT_EQ(halfVisible.topLeft.green, 0);
}

TEST_F(SpriteTest, AFrameDrawsOnlyItsRectangle)
{
    Sprite sprite(mTexture, 16, 0, 16, 16);
    EXPECT_EQ(sprite.GetPixelWidth(), 16);
    EXPECT_EQ(sprite.GetPixelHeight(), 16);
    sprite.SetPosition(50.0f, 50.0f);
    mWindow.BeginFrame();
    sprite.Render();
    mWindow.EndFrame();
    EXPECT_EQ(mWindow.ReadPixel(50, 50), kGreenPixel);
    EXPECT_EQ(mWindow.ReadPixel(65, 65), kGreenPixel);
    EXPECT_EQ(mWindow.ReadPixel(66, 65), kBlackPixel);
    EXPECT_EQ(mWindow.ReadPixel(65, 66), kBlackPixel);
}

TEST_F(SpriteTest, ASpriteBySheetAndNameDrawsThatFrame)
{
    KelpForge::Graphics::SpriteSheet sheet(mTexture, "quadrants");
    sheet.AddSpriteFrame("blue", KelpForge::Graphics::CreateSpriteFrame(mTexture, 0, 16, 16, 16));
    ASSERT_TRUE(KelpForge::Graphics::theSpriteManager.AddSpriteSheet("quadrants", sheet));
    Sprite sprite("quadrants", "blue");
    EXPECT_EQ(sprite.GetPixelWidth(), 16);
    sprite.SetPosition(50.0f, 50.0f);
    mWindow.BeginFrame();
    sprite.Render();
    mWindow.EndFrame();
    EXPECT_EQ(mWindow.ReadPixel(50, 50), kBluePixel);
    EXPECT_EQ(mWindow.ReadPixel(65, 65), kBluePixel);
    EXPECT_EQ(mWindow.ReadPixel(66, 65), kBlackPixel);
}

TEST_F(SpriteTest, ASpriteFromAFileLeavesItsTextureLoadedAndCached)
{
    TemporaryFolder folder;
    const std::string path = folder.PathOf("sprite.png");
    WritePng(path, TestImage(8, 4));
    TextureHandle handle = kInvalidTexture;
    {
        const Sprite sprite(path);
        handle = sprite.GetSpriteFrame().GetTexture();
        EXPECT_EQ(sprite.GetPixelWidth(), 8);
        EXPECT_EQ(sprite.GetPixelHeight(), 4);
        const Sprite copy = sprite;
        EXPECT_EQ(copy.GetSpriteFrame().GetTexture(), handle);
    }
    EXPECT_EQ(theTextureManager.GetReferenceCount(handle), 1u);
    const Sprite again(path);
    EXPECT_EQ(again.GetSpriteFrame().GetTexture(), handle);
    EXPECT_EQ(theTextureManager.GetReferenceCount(handle), 2u);
}

TEST_F(SpriteTest, CopiesKeepTheFrameAndBothFlips)
{
    Sprite sprite(mTexture, 0, 16, 16, 16);
    sprite.SetFlippedHorizontal(true);
    sprite.SetFlippedVertical(true);
    sprite.SetOrigin(AnchorLocation::kAnchorCenter);
    const Sprite copy = sprite;
    EXPECT_TRUE(copy.IsFlippedHorizontal());
    EXPECT_TRUE(copy.IsFlippedVertical());
    EXPECT_EQ(copy.GetSpriteFrame().GetPixelY(), 16);
    EXPECT_EQ(copy.GetOrigin(), Vector2(8.0f, 8.0f));
}

TEST_F(SpriteTest, ASpriteOnAMissingFileIsReportedAndDrawsNothing)
{
    ErrorRecorder recorder;
    Sprite sprite(std::string("missing.png"));
    EXPECT_EQ(sprite.GetPixelWidth(), 0);
    EXPECT_EQ(
        recorder.Messages(),
        (std::vector<std::string>{"kfExternalError: Texture \"missing.png\" could not be loaded from file.",
                                  "kfExternalError: Expected texture handle to be valid when creating "
                                  "SpriteFrame."}));
    mWindow.BeginFrame();
    sprite.Render();
    mWindow.EndFrame();
    EXPECT_EQ(mWindow.ReadPixel(0, 0), kBlackPixel);
}

TEST(SpriteLegacyPathTest, DrawsTheSameOnAContextWithoutShaders)
{
    TestWindow window(KelpForge::Testing::RendererPath::kLegacy);
    ASSERT_TRUE(kfImplementation::Renderer::IsLegacyOpenGL());
    const std::vector<std::uint8_t> png = EncodePng(MakeQuadrantImage(32));
    Sprite sprite(theTextureManager.CreateTextureFromFileData(png.data(), png.size()));
    sprite.SetOrigin(AnchorLocation::kAnchorCenter);
    sprite.SetPosition(100.0f, 100.0f);
    sprite.SetRotation(90.0f);
    sprite.SetFlippedHorizontal(true);
    window.BeginFrame();
    sprite.Render();
    window.EndFrame();
    // Mirrored, then turned a quarter clockwise.
    EXPECT_EQ(window.ReadPixel(92, 92), kWhitePixel);
    EXPECT_EQ(window.ReadPixel(108, 92), kGreenPixel);
    EXPECT_EQ(window.ReadPixel(92, 108), kBluePixel);
    EXPECT_EQ(window.ReadPixel(108, 108), kRedPixel);
}
