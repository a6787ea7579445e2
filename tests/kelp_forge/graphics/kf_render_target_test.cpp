#include "kelp_forge/graphics/kf_render_target.hpp"

#include "kelp_forge/graphics/implementation/kfi_image_decoder.hpp"
#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"
#include "kelp_forge/graphics/kf_sprite.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"
#include "support/kf_error_recorder.hpp"
#include "support/kf_opengl_call_log.hpp"
#include "support/kf_test_images.hpp"
#include "support/kf_test_window.hpp"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

using KelpForge::Graphics::Color;
using KelpForge::Graphics::kInvalidTexture;
using KelpForge::Graphics::PixelSpace;
using KelpForge::Graphics::RenderTarget;
using KelpForge::Graphics::Sprite;
using KelpForge::Graphics::TextureHandle;
using KelpForge::Graphics::theTextureManager;
using KelpForge::Testing::EncodePng;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::kBlackPixel;
using KelpForge::Testing::kBluePixel;
using KelpForge::Testing::kGreenPixel;
using KelpForge::Testing::kRedPixel;
using KelpForge::Testing::kWhitePixel;
using KelpForge::Testing::MakeQuadrantImage;
using KelpForge::Testing::OpenGLCallLog;
using KelpForge::Testing::Pixel;
using KelpForge::Testing::TestImage;
using KelpForge::Testing::TestWindow;
using Messages = std::vector<std::string>;
using Texel = std::array<int, 4>;

namespace Renderer = kfImplementation::Renderer;

namespace
{

const std::string kLegacyMessage =
    "kfInternalError: RenderTarget not supported or implemented in Legacy OpenGL.";
const std::string kWidthMessage = "kfExternalError: Expected width to be less than max render buffer size.";
const std::string kHeightMessage = "kfExternalError: Expected height to be less than max render buffer size.";

static_assert(!std::is_copy_constructible_v<RenderTarget>, "a target owns OpenGL objects");

class RenderTargetTest : public ::testing::Test
{
protected:
    static TextureHandle MakeTexture(const TestImage& image)
    {
        const std::vector<std::uint8_t> png = EncodePng(image);
        return theTextureManager.CreateTextureFromFileData(png.data(), png.size());
    }

    // Binds the target, clears it to the colour (0xRRGGBBAA) and begins drawing.
    static void BeginTarget(RenderTarget& target, std::uint32_t clearRGBA)
    {
        target.BindRenderTarget();
        Renderer::BeginDraw();
        Renderer::Clear(Color((clearRGBA >> 8) | (clearRGBA << 24)));
    }

    static void FinishTarget(RenderTarget& target)
    {
        Renderer::EndDraw();
        target.FinishRenderTarget();
    }

    static void FillTarget(RenderTarget& target, std::uint32_t clearRGBA)
    {
        BeginTarget(target, clearRGBA);
        FinishTarget(target);
    }

    // The pixel at (x, y) of the window after drawing the target's picture upright at (left, top).
    Pixel ShowTarget(const RenderTarget& target, float left, float top, int x, int y)
    {
        Sprite sprite(target.GetTextureHandle());
        sprite.SetFlippedVertical(true);
        sprite.SetPosition(left, top);
        mWindow.BeginFrame();
        sprite.Render();
        mWindow.EndFrame();
        return mWindow.ReadPixel(x, y);
    }

    TestWindow mWindow;
    ErrorRecorder mRecorder;
};

// Level 0 of a texture, as stored: rows bottom to top for a render target.
std::vector<Texel> ReadTexels(TextureHandle handle)
{
    const std::size_t count =
        std::size_t{theTextureManager.GetTextureWidth(handle)} * theTextureManager.GetTextureHeight(handle);
    std::vector<GLubyte> bytes(count * 4);
    theTextureManager.BindTexture(handle);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    theTextureManager.BindTexture(kInvalidTexture);
    std::vector<Texel> texels(count);
    for (std::size_t index = 0; index < count; ++index)
    {
        texels[index] = {bytes[index * 4], bytes[index * 4 + 1], bytes[index * 4 + 2], bytes[index * 4 + 3]};
    }
    return texels;
}

GLint BoundFrameBuffer()
{
    GLint bound = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    return bound;
}

std::array<GLint, 4> Viewport()
{
    std::array<GLint, 4> viewport = {};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    return viewport;
}

int LargestRenderBufferSize()
{
    GLint largest = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
    return largest;
}

} // namespace

// [SECTION] drawing and read-back

TEST_F(RenderTargetTest, DrawingShowsUprightThroughAFlippedSprite)
{
    RenderTarget target(64, 48);
    Sprite quadrants(MakeTexture(MakeQuadrantImage(32)));
    quadrants.SetPosition(16.0f, 8.0f);

    BeginTarget(target, 0x000000FFu);
    EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, 64, 48}));
    quadrants.Render();
    FinishTarget(target);
    EXPECT_EQ(BoundFrameBuffer(), 0);
    EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, 1280, 720}));

    // The quadrants lie at (116, 108) to (148, 140) of the window.
    EXPECT_EQ(ShowTarget(target, 100.0f, 100.0f, 124, 116), kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(140, 116), kGreenPixel);
    EXPECT_EQ(mWindow.ReadPixel(124, 132), kBluePixel);
    EXPECT_EQ(mWindow.ReadPixel(140, 132), kWhitePixel);
    EXPECT_EQ(mWindow.ReadPixel(115, 116), kBlackPixel);
    EXPECT_EQ(mWindow.ReadPixel(148, 139), kBlackPixel);
    EXPECT_EQ(mWindow.ReadPixel(116, 108), kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(147, 139), kWhitePixel);
    EXPECT_EQ(mRecorder.Messages(), Messages{});
}

TEST_F(RenderTargetTest, PictureIsStoredPremultipliedBottomRowFirst)
{
    RenderTarget target(4, 2);
    TestImage topRow(4, 1, 0x00FF00FFu);
    topRow.Fill(0, 0, 1, 1, 0xFF0000FFu);
    Sprite sprite(MakeTexture(topRow));

    BeginTarget(target, 0xFF800080u);
    sprite.Render();
    FinishTarget(target);

    const std::vector<Texel> texels = ReadTexels(target.GetTextureHandle());
    ASSERT_EQ(texels.size(), 8u);
    for (std::size_t x = 0; x < 4; ++x)
    {
        EXPECT_EQ(texels[x], (Texel{128, 64, 0, 128})) << "bottom row, x " << x;
    }
    // The sprite was drawn on the top row, which comes last.
    EXPECT_EQ(texels[4], (Texel{255, 0, 0, 255}));
    EXPECT_EQ(texels[5], (Texel{0, 255, 0, 255}));
    EXPECT_EQ(texels[7], (Texel{0, 255, 0, 255}));
    EXPECT_EQ(mRecorder.Messages(), Messages{});
}

TEST_F(RenderTargetTest, EveryChannelAndAlphaPairIsPremultipliedAsTheTextureManagerDoes)
{
    // Row y holds alpha y; red runs through every value along the row, green and blue the other way.
    RenderTarget target(256, 256);
    std::vector<std::uint8_t> picture(256 * 256 * 4);
    for (std::size_t y = 0; y < 256; ++y)
    {
        for (std::size_t x = 0; x < 256; ++x)
        {
            std::uint8_t* const pixel = &picture[(y * 256 + x) * 4];
            pixel[0] = static_cast<std::uint8_t>(x);
            pixel[1] = static_cast<std::uint8_t>(255 - x);
            pixel[2] = static_cast<std::uint8_t>(x * 7 + y * 13);
            pixel[3] = static_cast<std::uint8_t>(y);
        }
    }
    // The picture goes straight into what the target draws into, as if it had been drawn.
    target.BindRenderTarget();
    GLint drawnTexture = 0;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0,
                                          GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &drawnTexture);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(drawnTexture));
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 256, 256, GL_RGBA, GL_UNSIGNED_BYTE, picture.data());
    theTextureManager.BindTexture(kInvalidTexture);
    target.FinishRenderTarget();

    kfImplementation::PremultiplyAlpha(picture.data(), 256 * 256);
    const std::vector<Texel> texels = ReadTexels(target.GetTextureHandle());
    ASSERT_EQ(texels.size(), 256u * 256u);
    int mismatches = 0;
    for (std::size_t index = 0; index < texels.size(); ++index)
    {
        const Texel expected = {picture[index * 4], picture[index * 4 + 1], picture[index * 4 + 2],
                                picture[index * 4 + 3]};
        if (texels[index] != expected && ++mismatches <= 5)
        {
            ADD_FAILURE() << "pixel " << index % 256 << ", " << index / 256 << ": "
                          << ::testing::PrintToString(texels[index]) << " instead of "
                          << ::testing::PrintToString(expected);
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(mRecorder.Messages(), Messages{});
}

TEST_F(RenderTargetTest, TransparentPixelsLoseTheirColour)
{
    RenderTarget target(2, 2);
    FillTarget(target, 0xFFFFFF00u);
    for (const Texel& texel : ReadTexels(target.GetTextureHandle()))
    {
        EXPECT_EQ(texel, (Texel{0, 0, 0, 0}));
    }
}

TEST_F(RenderTargetTest, DepthBufferKeepsALaterDeeperDrawingOutOfTheLight)
{
    // The light map's recipe: faint white lights at depth 0, then opaque black behind them.
    RenderTarget target(64, 64);
    const TextureHandle white = MakeTexture(TestImage(16, 16, 0xFFFFFFFFu));
    Sprite light(white);
    light.SetColor(Color(0x05FFFFFFu));
    light.SetPosition(8.0f, 8.0f);
    Sprite darkness(MakeTexture(TestImage(64, 64)));
    darkness.SetDepth(-0.5f);

    BeginTarget(target, 0xFFFFFF00u);
    light.Render();
    darkness.Render();
    FinishTarget(target);

    const std::vector<Texel> texels = ReadTexels(target.GetTextureHandle());
    // Row 63 - 12 from the bottom is row 12 from the top.
    EXPECT_EQ(texels[(63 - 12) * 64 + 12], (Texel{5, 5, 5, 5}));
    EXPECT_EQ(texels[(63 - 30) * 64 + 30], (Texel{0, 0, 0, 255}));

    // Laid over a white scene, the light shows the scene and the rest is black.
    Sprite scene(white);
    scene.SetScale(8.0f);
    Sprite lightMap(target.GetTextureHandle());
    lightMap.SetFlippedVertical(true);
    mWindow.BeginFrame();
    scene.Render();
    lightMap.Render();
    mWindow.EndFrame();
    EXPECT_EQ(mWindow.ReadPixel(12, 12), kWhitePixel);
    EXPECT_EQ(mWindow.ReadPixel(30, 30), kBlackPixel);
    EXPECT_EQ(mRecorder.Messages(), Messages{});
}

// [SECTION] refused targets

TEST_F(RenderTargetTest, LegacyPathIsRefusedAndLeavesDrawingOnTheWindow)
{
    Renderer::SetLegacyOpenGL(true);
    RenderTarget target(16, 16);
    Renderer::SetLegacyOpenGL(false);
    EXPECT_EQ(mRecorder.Messages(), Messages{kLegacyMessage});
    EXPECT_EQ(target.GetTextureHandle(), kInvalidTexture);

    target.BindRenderTarget();
    EXPECT_EQ(BoundFrameBuffer(), 0);
    EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, 1280, 720}));
    target.FinishRenderTarget();
    EXPECT_EQ(mRecorder.Messages(), Messages{kLegacyMessage});
}

TEST_F(RenderTargetTest, SideOfTheLargestRenderBufferSizeIsRefused)
{
    const int largest = LargestRenderBufferSize();
    if (largest > 0xFFFF)
    {
        GTEST_SKIP() << "every PixelSpace is below this context's largest renderbuffer";
    }
    const auto side = static_cast<PixelSpace>(largest);
    {
        RenderTarget wide(side, 1);
        EXPECT_EQ(wide.GetTextureHandle(), kInvalidTexture);
        RenderTarget tall(1, side);
        EXPECT_EQ(tall.GetTextureHandle(), kInvalidTexture);
        RenderTarget both(side, side);
        tall.BindRenderTarget();
        EXPECT_EQ(BoundFrameBuffer(), 0);
    }
    EXPECT_EQ(mRecorder.Messages(), (Messages{kWidthMessage, kHeightMessage, kWidthMessage, kHeightMessage}));
}

TEST_F(RenderTargetTest, SideJustBelowTheLargestRenderBufferSizeIsAccepted)
{
    const int largest = LargestRenderBufferSize();
    if (largest > 0xFFFF)
    {
        GTEST_SKIP() << "the largest renderbuffer is wider than any PixelSpace";
    }
    RenderTarget target(static_cast<PixelSpace>(largest - 1), 1);
    ASSERT_NE(target.GetTextureHandle(), kInvalidTexture);
    EXPECT_EQ(theTextureManager.GetTextureWidth(target.GetTextureHandle()), largest - 1);
    FillTarget(target, 0x0000FFFFu);
    EXPECT_EQ(ReadTexels(target.GetTextureHandle()).back(), (Texel{0, 0, 255, 255}));
    EXPECT_EQ(mRecorder.Messages(), Messages{});
}

TEST_F(RenderTargetTest, ZeroSideIsReportedOnceByTheTextureManager)
{
    RenderTarget target(0, 16);
    EXPECT_EQ(target.GetTextureHandle(), kInvalidTexture);
    target.BindRenderTarget();
    EXPECT_EQ(BoundFrameBuffer(), 0);
    target.FinishRenderTarget();
    EXPECT_EQ(mRecorder.Messages(), Messages{"kfExternalError: The textureWidth must be greater than 0."});
}

// [SECTION] lifetime and lost contexts

TEST_F(RenderTargetTest, DestroyingGivesTheTextureBackAndDeletesTheFrameBuffer)
{
    auto target = std::make_unique<RenderTarget>(8, 8);
    const TextureHandle handle = target->GetTextureHandle();
    ASSERT_NE(handle, kInvalidTexture);
    EXPECT_EQ(theTextureManager.GetReferenceCount(handle), 1u);
    target->BindRenderTarget();
    const GLint frameBuffer = BoundFrameBuffer();
    EXPECT_NE(frameBuffer, 0);
    target->FinishRenderTarget();

    target.reset();
    EXPECT_EQ(theTextureManager.GetReferenceCount(handle), 0u);
    EXPECT_FALSE(glIsFramebuffer(static_cast<GLuint>(frameBuffer)));
    EXPECT_EQ(mRecorder.Messages(), Messages{});
}

TEST_F(RenderTargetTest, DestroyingWhileTheWindowIsClosedStillGivesTheTextureBack)
{
    auto target = std::make_unique<RenderTarget>(8, 8);
    const TextureHandle handle = target->GetTextureHandle();
    mWindow.Close();
    target.reset();
    EXPECT_EQ(theTextureManager.GetReferenceCount(handle), 0u);
    EXPECT_EQ(mRecorder.Messages(), Messages{});
}

TEST_F(RenderTargetTest, NothingReachesOpenGLWhenATargetAndATextureGoAfterTheWindowClosed)
{
    auto target = std::make_unique<RenderTarget>(8, 8);
    FillTarget(*target, 0xFF0000FFu);
    TextureHandle texture = MakeTexture(MakeQuadrantImage(8));
    {
        // Drawn last, its texture is the bound one when the window closes.
        Sprite sprite(texture);
        mWindow.BeginFrame();
        sprite.Render();
        mWindow.EndFrame();
    }
    mWindow.Close();

    const OpenGLCallLog log;
    target.reset();
    theTextureManager.DestroyTexture(texture);
    EXPECT_EQ(log.Calls(), Messages{});
    EXPECT_EQ(mRecorder.Messages(), Messages{});
}

TEST_F(RenderTargetTest, MadeBeforeTheWindowOpensItIsBuiltByItsFirstBind)
{
    mWindow.Close();
    RenderTarget target(8, 8);
    EXPECT_EQ(target.GetTextureHandle(), kInvalidTexture);
    target.FinishRenderTarget();

    mWindow.Open();
    FillTarget(target, 0x00FF00FFu);
    ASSERT_NE(target.GetTextureHandle(), kInvalidTexture);
    EXPECT_EQ(ShowTarget(target, 0.0f, 0.0f, 4, 4), kGreenPixel);
    EXPECT_EQ(mRecorder.Messages(), Messages{});
}

TEST_F(RenderTargetTest, ReopenedWindowRebuildsTheTargetAtItsNextBind)
{
    RenderTarget target(8, 8);
    FillTarget(target, 0xFF0000FFu);
    const TextureHandle before = target.GetTextureHandle();

    mWindow.Close();
    mWindow.Open();
    // Nothing was drawn in the new context yet: finishing reads nothing and changes nothing.
    target.FinishRenderTarget();
    EXPECT_EQ(BoundFrameBuffer(), 0);

    FillTarget(target, 0x0000FFFFu);
    const TextureHandle after = target.GetTextureHandle();
    ASSERT_NE(after, kInvalidTexture);
    EXPECT_EQ(theTextureManager.GetReferenceCount(after), 1u);
    if (after != before)
    {
        EXPECT_EQ(theTextureManager.GetReferenceCount(before), 0u);
    }
    EXPECT_EQ(ShowTarget(target, 0.0f, 0.0f, 4, 4), kBluePixel);
    EXPECT_EQ(mRecorder.Messages(), Messages{});
}

TEST_F(RenderTargetTest, TargetOfAClosedContextLeavesTheObjectsOfTheNewOneAlone)
{
    auto old = std::make_unique<RenderTarget>(8, 8);
    FillTarget(*old, 0xFF0000FFu);

    mWindow.Close();
    mWindow.Open();
    // The new context hands out the same names again, so the old target's names now stand for
    // the new target's objects.
    RenderTarget current(8, 8);
    current.BindRenderTarget();
    const GLint frameBuffer = BoundFrameBuffer();
    current.FinishRenderTarget();

    old.reset();
    EXPECT_TRUE(glIsFramebuffer(static_cast<GLuint>(frameBuffer)));
    FillTarget(current, 0x00FF00FFu);
    EXPECT_EQ(ShowTarget(current, 0.0f, 0.0f, 4, 4), kGreenPixel);
    EXPECT_EQ(mRecorder.Messages(), Messages{});
}
