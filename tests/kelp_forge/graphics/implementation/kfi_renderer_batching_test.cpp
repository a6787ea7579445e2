// The shader path collects draws into batches; these cases would show a batch drawn with the wrong
// state, in the wrong order, too late for a read-back, or with its vertices joined wrongly.

#include "kelp_forge/graphics/implementation/kfi_opengl_texture.hpp"
#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"

#include "support/kf_test_window.hpp"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdint>

namespace Renderer = kfImplementation::Renderer;
namespace OpenGLTexture = kfImplementation::OpenGLTexture;
using KelpForge::Math::Vector2;
using KelpForge::Testing::kBlackPixel;
using KelpForge::Testing::kBluePixel;
using KelpForge::Testing::kGreenPixel;
using KelpForge::Testing::kRedPixel;
using KelpForge::Testing::kWhitePixel;
using KelpForge::Testing::RendererPath;
using KelpForge::Testing::TestWindow;

namespace
{

constexpr std::uint32_t kOpaqueWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kOpaqueRed = 0xFF0000FFu;
constexpr std::uint32_t kOpaqueGreen = 0xFF00FF00u;
constexpr std::uint32_t kOpaqueBlue = 0xFFFF0000u;

void DrawRectangle(float left, float top, float right, float bottom, std::uint32_t colorABGR)
{
    Renderer::RenderQuad(Vector2(left, top), Vector2(right, bottom), colorABGR, 0.0f, 0.0f, 1.0f, 1.0f);
}

// A 1 x 1 texture of one colour, made through the texture upload every sprite goes through.
class SolidTexture
{
public:
    SolidTexture(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
    {
        const unsigned char pixel[4] = {red, green, blue, 255};
        mName = OpenGLTexture::GenerateTextureFromOpenGL(pixel, 1, 1, 4);
    }
    ~SolidTexture() { OpenGLTexture::DeleteTexture(mName); }
    SolidTexture(const SolidTexture&) = delete;
    SolidTexture& operator=(const SolidTexture&) = delete;

    void Bind() const { OpenGLTexture::BindTexture(mName); }

private:
    std::uint32_t mName = 0;
};

class RendererBatchingTest : public ::testing::TestWithParam<RendererPath>
{
protected:
    RendererBatchingTest() : mWindow(GetParam()) { mWhite.Bind(); }

    static bool IsShaderPath() { return GetParam() != RendererPath::kLegacy; }

    TestWindow mWindow;
    SolidTexture mWhite{255, 255, 255};
};

INSTANTIATE_TEST_SUITE_P(AllPaths, RendererBatchingTest,
                         ::testing::Values(RendererPath::kShader, RendererPath::kShaderGLSL100,
                                           RendererPath::kLegacy),
                         ::testing::PrintToStringParamName());

TEST_P(RendererBatchingTest, EachQuadKeepsTheTextureBoundWhenItWasDrawn)
{
    const SolidTexture red(255, 0, 0);
    const SolidTexture green(0, 255, 0);
    mWindow.BeginFrame();
    red.Bind();
    DrawRectangle(10.0f, 10.0f, 30.0f, 30.0f, kOpaqueWhite);
    green.Bind();
    DrawRectangle(20.0f, 20.0f, 40.0f, 40.0f, kOpaqueWhite);
    red.Bind();
    DrawRectangle(30.0f, 30.0f, 50.0f, 50.0f, kOpaqueWhite);
    mWindow.EndFrame();

    EXPECT_EQ(mWindow.ReadPixel(15, 15), kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(25, 25), kGreenPixel);
    EXPECT_EQ(mWindow.ReadPixel(35, 35), kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(45, 45), kRedPixel);
}

TEST_P(RendererBatchingTest, ABlendChangeAfterAFlushLeavesEarlierQuadsAsTheyWereBlended)
{
    mWindow.BeginFrame();
    DrawRectangle(10.0f, 10.0f, 30.0f, 30.0f, kOpaqueRed);
    Renderer::FlushBatch();
    // Keeps the destination: whatever is drawn now leaves no colour.
    glBlendFunc(GL_ZERO, GL_ONE);
    DrawRectangle(20.0f, 10.0f, 40.0f, 30.0f, kOpaqueGreen);
    Renderer::FlushBatch();
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    DrawRectangle(50.0f, 10.0f, 60.0f, 30.0f, kOpaqueBlue);
    mWindow.EndFrame();

    EXPECT_EQ(mWindow.ReadPixel(15, 15), kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(25, 15), kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(35, 15), kBlackPixel);
    EXPECT_EQ(mWindow.ReadPixel(55, 15), kBluePixel);
}

TEST_P(RendererBatchingTest, AColourMatrixChangeDoesNotReachQuadsDrawnBeforeIt)
{
    const SolidTexture green(0, 255, 0);
    green.Bind();
    mWindow.BeginFrame();
    DrawRectangle(10.0f, 10.0f, 20.0f, 20.0f, kOpaqueWhite);
    // Text mode reads a green texel's red (3.2) or alpha (ES 2.0) channel as coverage.
    Renderer::SetColorMatrixForText(true);
    DrawRectangle(30.0f, 10.0f, 40.0f, 20.0f, kOpaqueWhite);
    Renderer::SetColorMatrixForText(false);
    DrawRectangle(50.0f, 10.0f, 60.0f, 20.0f, kOpaqueWhite);
    mWindow.EndFrame();

    EXPECT_EQ(mWindow.ReadPixel(15, 15), kGreenPixel);
    const bool isCoverageInAlpha = GetParam() == RendererPath::kShaderGLSL100;
    EXPECT_EQ(mWindow.ReadPixel(35, 15), !IsShaderPath()     ? kGreenPixel
                                         : isCoverageInAlpha ? kWhitePixel
                                                             : kBlackPixel);
    EXPECT_EQ(mWindow.ReadPixel(55, 15), kGreenPixel);
}

TEST_P(RendererBatchingTest, PixelsReadMidFrameAfterAFlushShowTheQuadsDrawnSoFar)
{
    mWindow.BeginFrame();
    DrawRectangle(10.0f, 10.0f, 20.0f, 20.0f, kOpaqueRed);
    Renderer::FlushBatch();
    EXPECT_EQ(mWindow.ReadPixel(15, 15), kRedPixel);

    DrawRectangle(10.0f, 10.0f, 20.0f, 20.0f, kOpaqueGreen);
    Renderer::FlushBatch();
    EXPECT_EQ(mWindow.ReadPixel(15, 15), kGreenPixel);
    mWindow.EndFrame();
}

TEST_P(RendererBatchingTest, DepthOrderHoldsWithinOneBatch)
{
    mWindow.BeginFrame();
    // Nearer first: the farther quad drawn after it, in the same batch, stays hidden.
    Renderer::PushMatrix();
    Renderer::Translate(0.0f, 0.0f, 0.5f);
    DrawRectangle(10.0f, 10.0f, 30.0f, 30.0f, kOpaqueRed);
    Renderer::PopMatrix();
    Renderer::PushMatrix();
    Renderer::Translate(10.0f, 10.0f, -0.5f);
    Renderer::Rotate(90.0f, 0.0f, 0.0f, 1.0f);
    Renderer::Translate(0.0f, -30.0f, 0.0f);
    DrawRectangle(0.0f, 0.0f, 30.0f, 30.0f, kOpaqueGreen);
    Renderer::PopMatrix();
    mWindow.EndFrame();

    EXPECT_EQ(mWindow.ReadPixel(15, 15), kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(35, 35), kGreenPixel);
}

TEST_P(RendererBatchingTest, StripsAndFansKeepTheirPlaceBetweenQuads)
{
    const Renderer::Vertex strip[4] = {
        {20.0f, 40.0f, kOpaqueGreen, 0.0f, 0.0f},
        {20.0f, 20.0f, kOpaqueGreen, 0.0f, 0.0f},
        {40.0f, 40.0f, kOpaqueGreen, 0.0f, 0.0f},
        {40.0f, 20.0f, kOpaqueGreen, 0.0f, 0.0f},
    };
    const Renderer::Vertex fan[4] = {
        {60.0f, 20.0f, kOpaqueGreen, 0.0f, 0.0f},
        {80.0f, 20.0f, kOpaqueGreen, 0.0f, 0.0f},
        {80.0f, 40.0f, kOpaqueGreen, 0.0f, 0.0f},
        {60.0f, 40.0f, kOpaqueGreen, 0.0f, 0.0f},
    };
    mWindow.BeginFrame();
    DrawRectangle(10.0f, 10.0f, 30.0f, 30.0f, kOpaqueRed);
    Renderer::RenderPrimitive(Renderer::PrimitiveType::kTriangleStrip, strip, 4);
    DrawRectangle(35.0f, 35.0f, 65.0f, 50.0f, kOpaqueBlue);
    Renderer::RenderPrimitive(Renderer::PrimitiveType::kTriangleFan, fan, 4);
    DrawRectangle(75.0f, 35.0f, 90.0f, 50.0f, kOpaqueRed);
    mWindow.EndFrame();

    EXPECT_EQ(mWindow.ReadPixel(15, 15), kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(25, 25), kGreenPixel);
    EXPECT_EQ(mWindow.ReadPixel(37, 37), kBluePixel);
    EXPECT_EQ(mWindow.ReadPixel(62, 37), kGreenPixel);
    EXPECT_EQ(mWindow.ReadPixel(77, 37), kRedPixel);
    // Nothing joins the strip's last vertex to the fan's first.
    EXPECT_EQ(mWindow.ReadPixel(50, 25), kBlackPixel);
}

TEST_P(RendererBatchingTest, AnIncompleteTriangleIsLeftOutAndTheNextListDrawsWhole)
{
    const Renderer::Vertex triangleAndStray[4] = {
        {10.0f, 10.0f, kOpaqueRed, 0.0f, 0.0f},
        {50.0f, 10.0f, kOpaqueRed, 0.0f, 0.0f},
        {10.0f, 50.0f, kOpaqueRed, 0.0f, 0.0f},
        {300.0f, 300.0f, kOpaqueRed, 0.0f, 0.0f},
    };
    const Renderer::Vertex triangle[3] = {
        {100.0f, 10.0f, kOpaqueGreen, 0.0f, 0.0f},
        {140.0f, 10.0f, kOpaqueGreen, 0.0f, 0.0f},
        {100.0f, 50.0f, kOpaqueGreen, 0.0f, 0.0f},
    };
    mWindow.BeginFrame();
    Renderer::RenderPrimitive(Renderer::PrimitiveType::kTriangles, triangleAndStray, 4);
    Renderer::RenderPrimitive(Renderer::PrimitiveType::kTriangles, triangle, 3);
    mWindow.EndFrame();

    EXPECT_EQ(mWindow.ReadPixel(15, 15), kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(105, 15), kGreenPixel);
    EXPECT_EQ(mWindow.ReadPixel(200, 150), kBlackPixel);
    EXPECT_EQ(mWindow.ReadPixel(110, 60), kBlackPixel);
}

TEST_P(RendererBatchingTest, PositionsAreFlooredInTheDrawablesOwnPixelsBeforeTheTransform)
{
    if (!IsShaderPath())
    {
        GTEST_SKIP() << "the legacy path draws positions as they are";
    }
    mWindow.BeginFrame();
    Renderer::Translate(100.25f, 0.0f, 0.0f);
    Renderer::Scale(2.0f, 2.0f, 1.0f);
    // Floored to 0..10 first, then doubled and moved: 100.25 to 120.25, not 101.75 to 121.75.
    DrawRectangle(0.75f, 0.75f, 10.75f, 10.75f, kOpaqueRed);
    mWindow.EndFrame();

    EXPECT_EQ(mWindow.ReadPixel(100, 0), kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(119, 19), kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(120, 10), kBlackPixel);
    EXPECT_EQ(mWindow.ReadPixel(99, 10), kBlackPixel);
}

} // namespace
