#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"

#include "kelp_forge/graphics/implementation/kfi_shader_program.hpp"
#include "support/kf_error_recorder.hpp"
#include "support/kf_test_window.hpp"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace Renderer = kfImplementation::Renderer;
using KelpForge::Math::Vector2;
using KelpForge::Testing::Pixel;
using KelpForge::Testing::RendererPath;
using KelpForge::Testing::TestWindow;

namespace
{

constexpr std::uint32_t kOpaqueRed = 0xFF0000FFu;
constexpr std::uint32_t kOpaqueGreen = 0xFF00FF00u;
constexpr std::uint32_t kOpaqueWhite = 0xFFFFFFFFu;
constexpr Pixel kBlack = {0, 0, 0};
constexpr Pixel kRed = {255, 0, 0};
constexpr Pixel kGreen = {0, 255, 0};

std::uint32_t ColorABGR(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha)
{
    return static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
           static_cast<std::uint32_t>(blue) << 16 | static_cast<std::uint32_t>(alpha) << 24;
}

void DrawRectangle(float left, float top, float right, float bottom, std::uint32_t colorABGR)
{
    Renderer::RenderQuad(Vector2(left, top), Vector2(right, bottom), colorABGR, 0.0f, 0.0f, 1.0f, 1.0f);
}

// The pixels of a rectangle of the window, row by row.
std::vector<Pixel> ReadRegion(const TestWindow& window, int left, int top, int width, int height)
{
    std::vector<Pixel> pixels;
    for (int y = top; y < top + height; ++y)
    {
        for (int x = left; x < left + width; ++x)
        {
            pixels.push_back(window.ReadPixel(x, y));
        }
    }
    return pixels;
}

// The texture every quad samples, bound for as long as it lives: 1 x 1 white until replaced, so
// untextured quads show their colour.
class BoundTexture
{
public:
    BoundTexture()
    {
        glGenTextures(1, &mTexture);
        Replace({255, 255, 255, 255}, 1, 1);
    }
    ~BoundTexture() { glDeleteTextures(1, &mTexture); }
    BoundTexture(const BoundTexture&) = delete;
    BoundTexture& operator=(const BoundTexture&) = delete;

    // Width x height RGBA pixels, sampled without filtering.
    void Replace(const std::vector<std::uint8_t>& rgbaPixels, int width, int height)
    {
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, mTexture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     rgbaPixels.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }

private:
    GLuint mTexture = 0;
};

class RendererTest : public ::testing::TestWithParam<RendererPath>
{
protected:
    RendererTest() : mWindow(GetParam()) {}

    static bool IsShaderPath() { return GetParam() != RendererPath::kLegacy; }

    TestWindow mWindow;
    BoundTexture mTexture;
};

INSTANTIATE_TEST_SUITE_P(BothPaths, RendererTest,
                         ::testing::Values(RendererPath::kShader, RendererPath::kShaderGLSL100,
                                           RendererPath::kLegacy),
                         ::testing::PrintToStringParamName());

TEST_P(RendererTest, RunsOnThePathItWasAskedFor)
{
    EXPECT_TRUE(Renderer::IsRendererReady());
    EXPECT_EQ(Renderer::IsLegacyOpenGL(), GetParam() == RendererPath::kLegacy);
    EXPECT_EQ(Renderer::IsGLSL100(), GetParam() == RendererPath::kShaderGLSL100);
}

TEST_P(RendererTest, ProjectionMapsPixelCornersToTheWindowCorners)
{
    mWindow.BeginFrame();
    DrawRectangle(0.0f, 0.0f, 1.0f, 1.0f, kOpaqueRed);
    DrawRectangle(1279.0f, 719.0f, 1280.0f, 720.0f, kOpaqueGreen);
    mWindow.EndFrame();

    EXPECT_EQ(mWindow.ReadPixel(0, 0), kRed);
    EXPECT_EQ(mWindow.ReadPixel(1, 0), kBlack);
    EXPECT_EQ(mWindow.ReadPixel(0, 1), kBlack);
    EXPECT_EQ(mWindow.ReadPixel(1279, 719), kGreen);
    EXPECT_EQ(mWindow.ReadPixel(1278, 719), kBlack);
    EXPECT_EQ(mWindow.ReadPixel(1279, 718), kBlack);
}

TEST_P(RendererTest, PositiveRotationTurnsClockwiseOnScreen)
{
    mWindow.BeginFrame();
    Renderer::Translate(640.0f, 360.0f, 0.0f);
    Renderer::Rotate(90.0f, 0.0f, 0.0f, 1.0f);
    // A bar pointing right from the origin ends up pointing down the screen.
    DrawRectangle(0.0f, -4.0f, 100.0f, 4.0f, kOpaqueRed);
    mWindow.EndFrame();

    EXPECT_EQ(mWindow.ReadPixel(640, 450), kRed);
    EXPECT_EQ(mWindow.ReadPixel(640, 270), kBlack);
    EXPECT_EQ(mWindow.ReadPixel(730, 360), kBlack);
    EXPECT_EQ(mWindow.ReadPixel(550, 360), kBlack);
}

TEST_P(RendererTest, LastOperationAppliesFirstToTheVertices)
{
    mWindow.BeginFrame();
    // Scaled by 2 first, then moved by (100, 100): covers 100..120, not 200..220.
    Renderer::Translate(100.0f, 100.0f, 0.0f);
    Renderer::Scale(2.0f, 2.0f, 1.0f);
    DrawRectangle(0.0f, 0.0f, 10.0f, 10.0f, kOpaqueRed);
    mWindow.EndFrame();

    EXPECT_EQ(mWindow.ReadPixel(100, 100), kRed);
    EXPECT_EQ(mWindow.ReadPixel(119, 119), kRed);
    EXPECT_EQ(mWindow.ReadPixel(120, 120), kBlack);
    EXPECT_EQ(mWindow.ReadPixel(99, 99), kBlack);
}

TEST_P(RendererTest, PopRestoresTheMatrixSavedByPush)
{
    mWindow.BeginFrame();
    Renderer::Translate(10.0f, 10.0f, 0.0f);
    Renderer::PushMatrix();
    Renderer::Translate(300.0f, 0.0f, 0.0f);
    DrawRectangle(0.0f, 0.0f, 10.0f, 10.0f, kOpaqueGreen);
    Renderer::PopMatrix();
    DrawRectangle(0.0f, 0.0f, 10.0f, 10.0f, kOpaqueRed);
    mWindow.EndFrame();

    EXPECT_EQ(mWindow.ReadPixel(315, 15), kGreen);
    EXPECT_EQ(mWindow.ReadPixel(15, 15), kRed);
}

TEST_P(RendererTest, BlendsPremultipliedOnTheShaderPathAndStraightOnTheLegacyPath)
{
    mWindow.BeginFrame(0.0f, 0.0f, 1.0f);
    DrawRectangle(10.0f, 10.0f, 20.0f, 20.0f, ColorABGR(255, 0, 0, 128));
    mWindow.EndFrame();

    // Source factor GL_ONE and destination factor 1 - alpha on both paths; only the shader path
    // multiplies the vertex colour by its alpha first.
    const Pixel blended = mWindow.ReadPixel(15, 15);
    const int expectedRed = IsShaderPath() ? 128 : 255;
    EXPECT_NEAR(blended.red, expectedRed, 2);
    EXPECT_EQ(blended.green, 0);
    EXPECT_NEAR(blended.blue, 127, 2);
}

// A fragment that survives the alpha stage writes depth, so an opaque quad drawn behind it
// afterwards stays hidden; a discarded one leaves the opaque quad visible.
bool SurvivesAlphaStage(TestWindow& window, std::uint8_t alpha)
{
    window.BeginFrame();
    Renderer::PushMatrix();
    Renderer::Translate(0.0f, 0.0f, 0.5f);
    DrawRectangle(10.0f, 10.0f, 20.0f, 20.0f, ColorABGR(0, 0, 0, alpha));
    Renderer::PopMatrix();
    DrawRectangle(10.0f, 10.0f, 20.0f, 20.0f, kOpaqueRed);
    window.EndFrame();
    return window.ReadPixel(15, 15) != kRed;
}

TEST_P(RendererTest, DiscardsFragmentsBelowThePathsAlphaThreshold)
{
    if (IsShaderPath())
    {
        // Kept from alpha 0.01 up: 2/255 is below, 3/255 above.
        EXPECT_FALSE(SurvivesAlphaStage(mWindow, 2));
        EXPECT_TRUE(SurvivesAlphaStage(mWindow, 3));
        EXPECT_TRUE(SurvivesAlphaStage(mWindow, 25));
    }
    else
    {
        // Kept only above alpha 0.1: 25/255 is below, 27/255 above. (26/255 is left out: drivers may
        // round the reference 0.1 to 26/255 for an 8-bit colour buffer.)
        EXPECT_FALSE(SurvivesAlphaStage(mWindow, 3));
        EXPECT_FALSE(SurvivesAlphaStage(mWindow, 25));
        EXPECT_TRUE(SurvivesAlphaStage(mWindow, 27));
    }
}

// Plain colours drawn without reading a texture must give what the white texel times the colour
// gives: the same blend over the background, and the same discard below the alpha threshold, which
// leaves the quad behind visible where no depth was written.
TEST_P(RendererTest, UntexturedDrawsGiveThePixelsOfAWhiteTexel)
{
    const auto drawTurnedQuad = [this](std::uint32_t colorABGR, bool isUntextured)
    {
        mWindow.BeginFrame(0.0f, 0.0f, 1.0f);
        Renderer::PushMatrix();
        Renderer::Translate(40.3f, 30.6f, 0.5f);
        Renderer::Rotate(21.0f, 0.0f, 0.0f, 1.0f);
        const Renderer::Vertex quad[4] = {{-20.5f, 15.2f, colorABGR, 0.0f, 1.0f},
                                          {-20.5f, -15.2f, colorABGR, 0.0f, 0.0f},
                                          {20.5f, 15.2f, colorABGR, 1.0f, 1.0f},
                                          {20.5f, -15.2f, colorABGR, 1.0f, 0.0f}};
        const auto render = isUntextured ? Renderer::RenderUntexturedPrimitive : Renderer::RenderPrimitive;
        render(Renderer::PrimitiveType::kTriangleStrip, quad, 4);
        Renderer::PopMatrix();
        DrawRectangle(30.0f, 0.0f, 50.0f, 60.0f, kOpaqueRed);
        mWindow.EndFrame();
        return ReadRegion(mWindow, 0, 0, 80, 60);
    };
    for (const std::uint32_t colorABGR :
         {ColorABGR(255, 255, 255, 2), ColorABGR(255, 255, 255, 5), ColorABGR(0, 255, 0, 3),
          ColorABGR(10, 200, 30, 128), ColorABGR(0, 0, 0, 255), kOpaqueWhite})
    {
        SCOPED_TRACE(colorABGR);
        const std::vector<Pixel> withTexel = drawTurnedQuad(colorABGR, false);
        EXPECT_TRUE(drawTurnedQuad(colorABGR, true) == withTexel);
        EXPECT_NE(std::count(withTexel.begin(), withTexel.end(), Pixel{0, 0, 255}), 60 * 80);
    }
}

TEST_P(RendererTest, CullsAQuadThatATransformMirrors)
{
    mWindow.BeginFrame();
    Renderer::PushMatrix();
    Renderer::Translate(200.0f, 100.0f, 0.0f);
    Renderer::Scale(-1.0f, 1.0f, 1.0f);
    DrawRectangle(0.0f, 0.0f, 50.0f, 50.0f, kOpaqueRed);
    Renderer::PopMatrix();

    // Mirrored twice is a half turn, which keeps the winding.
    Renderer::PushMatrix();
    Renderer::Translate(400.0f, 100.0f, 0.0f);
    Renderer::Scale(-1.0f, -1.0f, 1.0f);
    DrawRectangle(0.0f, 0.0f, 50.0f, 50.0f, kOpaqueGreen);
    Renderer::PopMatrix();
    mWindow.EndFrame();

    EXPECT_EQ(mWindow.ReadPixel(175, 125), kBlack);
    EXPECT_EQ(mWindow.ReadPixel(375, 75), kGreen);
}

TEST_P(RendererTest, LaterDrawWinsAtEqualDepthAndNearerDrawWinsOtherwise)
{
    mWindow.BeginFrame();
    DrawRectangle(10.0f, 10.0f, 20.0f, 20.0f, kOpaqueRed);
    DrawRectangle(10.0f, 10.0f, 20.0f, 20.0f, kOpaqueGreen);

    Renderer::PushMatrix();
    Renderer::Translate(100.0f, 0.0f, 0.25f);
    DrawRectangle(10.0f, 10.0f, 20.0f, 20.0f, kOpaqueRed);
    Renderer::Translate(0.0f, 0.0f, -0.5f);
    DrawRectangle(10.0f, 10.0f, 20.0f, 20.0f, kOpaqueGreen);
    Renderer::PopMatrix();
    mWindow.EndFrame();

    EXPECT_EQ(mWindow.ReadPixel(15, 15), kGreen);
    EXPECT_EQ(mWindow.ReadPixel(115, 15), kRed);
}

TEST_P(RendererTest, ClipsGraphicsWhoseDepthLeavesMinusOneToOne)
{
    mWindow.BeginFrame();
    Renderer::PushMatrix();
    Renderer::Translate(0.0f, 0.0f, 1.0f);
    DrawRectangle(10.0f, 10.0f, 20.0f, 20.0f, kOpaqueGreen);
    Renderer::Translate(0.0f, 0.0f, 0.5f);
    DrawRectangle(100.0f, 10.0f, 110.0f, 20.0f, kOpaqueRed);
    Renderer::Translate(0.0f, 0.0f, -3.0f);
    DrawRectangle(200.0f, 10.0f, 210.0f, 20.0f, kOpaqueRed);
    Renderer::PopMatrix();
    mWindow.EndFrame();

    EXPECT_EQ(mWindow.ReadPixel(15, 15), kGreen);
    EXPECT_EQ(mWindow.ReadPixel(105, 15), kBlack);
    EXPECT_EQ(mWindow.ReadPixel(205, 15), kBlack);
}

TEST_P(RendererTest, DrawsEachPrimitiveTypeWithItsOwnMode)
{
    const Renderer::Vertex triangle[3] = {
        {10.0f, 10.0f, kOpaqueRed, 0.0f, 0.0f},
        {50.0f, 10.0f, kOpaqueRed, 0.0f, 0.0f},
        {10.0f, 50.0f, kOpaqueRed, 0.0f, 0.0f},
    };
    const Renderer::Vertex line[2] = {
        {100.0f, 30.5f, kOpaqueGreen, 0.0f, 0.0f},
        {200.0f, 30.5f, kOpaqueGreen, 0.0f, 0.0f},
    };
    mWindow.BeginFrame();
    Renderer::RenderPrimitive(Renderer::PrimitiveType::kTriangles, triangle, 3);
    Renderer::RenderPrimitive(Renderer::PrimitiveType::kLines, line, 2);
    mWindow.EndFrame();

    EXPECT_EQ(mWindow.ReadPixel(15, 15), kRed);
    EXPECT_EQ(mWindow.ReadPixel(45, 45), kBlack);
    EXPECT_EQ(mWindow.ReadPixel(150, 30), kGreen);
    EXPECT_EQ(mWindow.ReadPixel(150, 32), kBlack);
}

TEST_P(RendererTest, RenderPrimitiveWithoutVerticesDrawsNothing)
{
    KelpForge::Testing::ErrorRecorder recorder;
    mWindow.BeginFrame();
    Renderer::RenderPrimitive(Renderer::PrimitiveType::kTriangles, nullptr, 0);
    mWindow.EndFrame();

    EXPECT_EQ(mWindow.ReadPixel(0, 0), kBlack);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST_P(RendererTest, DrawsEveryQuadOfAFrameLargerThanTheReusedBuffer)
{
    // 20,000 quads of 80 bytes overrun the reused vertex buffer more than once, and a single
    // primitive larger than the buffer makes it grow.
    mWindow.BeginFrame();
    for (int quad = 0; quad < 20000; ++quad)
    {
        const float left = static_cast<float>(quad % 100);
        const float top = static_cast<float>(quad / 100);
        DrawRectangle(left, top, left + 1.0f, top + 1.0f, quad % 2 == 0 ? kOpaqueRed : kOpaqueGreen);
    }
    std::vector<Renderer::Vertex> strip;
    for (int index = 0; index < 60000; ++index)
    {
        const float x = 300.0f + static_cast<float>(index / 2) * 0.01f;
        strip.push_back({x, index % 2 == 0 ? 300.0f : 250.0f, kOpaqueWhite, 0.0f, 0.0f});
    }
    Renderer::RenderPrimitive(Renderer::PrimitiveType::kTriangleStrip, strip.data(),
                              static_cast<unsigned int>(strip.size()));
    mWindow.EndFrame();

    EXPECT_EQ(mWindow.ReadPixel(0, 0), kRed);
    EXPECT_EQ(mWindow.ReadPixel(1, 0), kGreen);
    EXPECT_EQ(mWindow.ReadPixel(98, 199), kRed);
    EXPECT_EQ(mWindow.ReadPixel(99, 199), kGreen);
    EXPECT_EQ(mWindow.ReadPixel(100, 100), kBlack);
    EXPECT_EQ(mWindow.ReadPixel(450, 275), (Pixel{255, 255, 255}));
}

TEST_P(RendererTest, TextModeTurnsTheCoverageChannelIntoAlpha)
{
    // Coverage 1 draws in the vertex colour, coverage 0 draws nothing. The coverage channel is
    // red on OpenGL 3.2 and alpha on ES 2.0; the legacy path ignores the mode and modulates by the
    // texel.
    if (GetParam() == RendererPath::kShaderGLSL100)
    {
        mTexture.Replace({0, 0, 0, 255, 0, 0, 0, 0}, 2, 1);
    }
    else
    {
        mTexture.Replace({255, 0, 0, 0, 0, 0, 0, 0}, 2, 1);
    }
    mWindow.BeginFrame();
    Renderer::SetColorMatrixForText(true);
    Renderer::RenderQuad(Vector2(10.0f, 10.0f), Vector2(20.0f, 20.0f), kOpaqueGreen, 0.0f, 0.0f, 0.5f, 1.0f);
    Renderer::RenderQuad(Vector2(30.0f, 10.0f), Vector2(40.0f, 20.0f), kOpaqueGreen, 0.5f, 0.0f, 1.0f, 1.0f);
    Renderer::SetColorMatrixForText(false);
    Renderer::RenderQuad(Vector2(50.0f, 10.0f), Vector2(60.0f, 20.0f), kOpaqueGreen, 0.0f, 0.0f, 0.5f, 1.0f);
    mWindow.EndFrame();

    if (IsShaderPath())
    {
        EXPECT_EQ(mWindow.ReadPixel(15, 15), kGreen);
        EXPECT_EQ(mWindow.ReadPixel(35, 15), kBlack);
        // Sprite mode: the texel itself, red with alpha 0 (discarded) or opaque black.
        EXPECT_EQ(mWindow.ReadPixel(55, 15), kBlack);
    }
    else
    {
        // Texel alpha 0 fails the alpha test whatever the mode.
        EXPECT_EQ(mWindow.ReadPixel(15, 15), kBlack);
        EXPECT_EQ(mWindow.ReadPixel(35, 15), kBlack);
        EXPECT_EQ(mWindow.ReadPixel(55, 15), kBlack);
    }
}

TEST_P(RendererTest, MatrixChangesReachSpriteAndTextDrawsAlike)
{
    // Coverage and colour both full: text mode and sprite mode draw the same opaque white.
    mWindow.BeginFrame();
    DrawRectangle(0.0f, 0.0f, 10.0f, 10.0f, kOpaqueWhite);
    Renderer::Translate(20.0f, 0.0f, 0.0f);
    Renderer::SetColorMatrixForText(true);
    DrawRectangle(0.0f, 0.0f, 10.0f, 10.0f, kOpaqueWhite);
    Renderer::SetColorMatrixForText(false);
    Renderer::Translate(20.0f, 0.0f, 0.0f);
    DrawRectangle(0.0f, 0.0f, 10.0f, 10.0f, kOpaqueWhite);
    mWindow.EndFrame();

    const Pixel white = {255, 255, 255};
    for (int left : {0, 20, 40})
    {
        EXPECT_EQ(mWindow.ReadPixel(left + 5, 5), white) << left;
        EXPECT_EQ(mWindow.ReadPixel(left + 15, 5), kBlack) << left;
    }
}

TEST_P(RendererTest, SpriteAndTextModeCoverTheSamePixelsOfATurnedScaledQuad)
{
    // A white texture reads as full coverage in text mode, so both modes draw opaque white; sprite
    // mode transforms its vertices differently on the shader path, and must land on the same pixels.
    const auto drawTurnedQuad = [this](bool forText)
    {
        mWindow.BeginFrame();
        Renderer::SetColorMatrixForText(forText);
        Renderer::Translate(200.3f, 150.6f, 0.25f);
        Renderer::Rotate(33.0f, 0.0f, 0.0f, 1.0f);
        Renderer::Scale(1.7f, -2.3f, 1.0f);
        Renderer::Translate(-20.5f, -10.2f, 0.0f);
        // Drawn both ways round, as the negative scale mirrors it and culls one of them.
        DrawRectangle(0.4f, 0.8f, 41.6f, 20.3f, kOpaqueWhite);
        DrawRectangle(41.6f, 0.8f, 0.4f, 20.3f, kOpaqueWhite);
        Renderer::SetColorMatrixForText(false);
        mWindow.EndFrame();
        return ReadRegion(mWindow, 150, 100, 100, 100);
    };
    const std::vector<Pixel> spritePixels = drawTurnedQuad(false);
    const std::vector<Pixel> textPixels = drawTurnedQuad(true);
    EXPECT_EQ(std::count(spritePixels.begin(), spritePixels.end(), Pixel{255, 255, 255}),
              std::count(textPixels.begin(), textPixels.end(), Pixel{255, 255, 255}));
    EXPECT_TRUE(spritePixels == textPixels);
    EXPECT_GT(std::count(spritePixels.begin(), spritePixels.end(), Pixel{255, 255, 255}), 2000);
}

TEST_P(RendererTest, ABeginDrawAfterSpritesFindsTheRenderersOwnProgram)
{
    GLint programBefore = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &programBefore);

    KelpForge::Testing::ErrorRecorder recorder;
    mWindow.BeginFrame();
    DrawRectangle(0.0f, 0.0f, 10.0f, 10.0f, kOpaqueRed);
    // As the gameplay scene does around drawing into a render target.
    Renderer::BeginDraw();
    DrawRectangle(20.0f, 0.0f, 30.0f, 10.0f, kOpaqueGreen);
    Renderer::EndDraw();
    mWindow.EndFrame();

    EXPECT_TRUE(recorder.Messages().empty());
    EXPECT_EQ(mWindow.ReadPixel(5, 5), kRed);
    EXPECT_EQ(mWindow.ReadPixel(25, 5), kGreen);
    GLint programAfter = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &programAfter);
    EXPECT_EQ(programAfter, programBefore);
}

TEST_P(RendererTest, ModulatesTheTexelByTheVertexColour)
{
    mTexture.Replace({255, 255, 0, 255, 0, 255, 255, 255}, 2, 1);
    mWindow.BeginFrame();
    Renderer::RenderQuad(Vector2(10.0f, 10.0f), Vector2(20.0f, 20.0f), ColorABGR(255, 128, 255, 255), 0.0f,
                         0.0f, 0.5f, 1.0f);
    Renderer::RenderQuad(Vector2(30.0f, 10.0f), Vector2(40.0f, 20.0f), kOpaqueWhite, 0.5f, 0.0f, 1.0f, 1.0f);
    mWindow.EndFrame();

    const Pixel yellowHalfGreen = mWindow.ReadPixel(15, 15);
    EXPECT_EQ(yellowHalfGreen.red, 255);
    EXPECT_NEAR(yellowHalfGreen.green, 128, 1);
    EXPECT_EQ(yellowHalfGreen.blue, 0);
    EXPECT_EQ(mWindow.ReadPixel(35, 15), (Pixel{0, 255, 255}));
}

TEST_P(RendererTest, KeepsTheAlphaStageAndTheTintAfterALongRunOfWhiteDraws)
{
    // Texels: opaque white, alpha 2/255 (below every path's threshold), opaque cyan.
    mTexture.Replace({255, 255, 255, 255, 2, 2, 2, 2, 0, 255, 255, 255}, 3, 1);
    const auto drawTexel = [](float left, int texel, std::uint32_t colorABGR)
    {
        const float u = (static_cast<float>(texel) + 0.5f) / 3.0f;
        Renderer::RenderQuad(Vector2(left, 10.0f), Vector2(left + 10.0f, 20.0f), colorABGR, u, 0.0f, u, 1.0f);
    };
    mWindow.BeginFrame();
    // Long enough a run for the renderer to leave the colour product out.
    for (int quad = 0; quad < 1000; ++quad)
    {
        Renderer::RenderQuad(Vector2(600.0f, 600.0f), Vector2(601.0f, 601.0f), kOpaqueWhite, 0.0f, 0.0f, 0.0f,
                             0.0f);
    }
    drawTexel(10.0f, 2, kOpaqueWhite);
    // As the gameplay scene does around drawing into a render target.
    Renderer::BeginDraw();
    // Discarded, so it writes no depth and the red quad behind it shows.
    Renderer::PushMatrix();
    Renderer::Translate(0.0f, 0.0f, 0.5f);
    drawTexel(30.0f, 1, kOpaqueWhite);
    Renderer::PopMatrix();
    drawTexel(30.0f, 0, kOpaqueRed);
    drawTexel(50.0f, 2, ColorABGR(255, 0, 255, 255));
    drawTexel(70.0f, 0, kOpaqueWhite);
    Renderer::EndDraw();
    mWindow.EndFrame();

    EXPECT_EQ(mWindow.ReadPixel(15, 15), (Pixel{0, 255, 255}));
    EXPECT_EQ(mWindow.ReadPixel(35, 15), kRed);
    EXPECT_EQ(mWindow.ReadPixel(55, 15), (Pixel{0, 0, 255}));
    EXPECT_EQ(mWindow.ReadPixel(75, 15), (Pixel{255, 255, 255}));
}

TEST_P(RendererTest, LeavesTheFixedFunctionTextureEnvironmentAsItFoundIt)
{
    if (IsShaderPath())
    {
        GTEST_SKIP() << "the texture environment belongs to the fixed-function path";
    }
    const auto modeAfterARunOfWhiteDraws = [this](GLint modeBefore)
    {
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, modeBefore);
        mWindow.BeginFrame();
        for (int quad = 0; quad < 1000; ++quad)
        {
            DrawRectangle(0.0f, 0.0f, 10.0f, 10.0f, kOpaqueWhite);
        }
        mWindow.EndFrame();
        GLint modeAfter = 0;
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &modeAfter);
        return modeAfter;
    };
    EXPECT_EQ(modeAfterARunOfWhiteDraws(GL_MODULATE), GL_MODULATE);
    EXPECT_EQ(modeAfterARunOfWhiteDraws(GL_ADD), GL_ADD);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

TEST_P(RendererTest, PoppingMoreThanWasPushedIsReportedOnTheShaderPath)
{
    KelpForge::Testing::ErrorRecorder recorder;
    mWindow.BeginFrame();
    Renderer::PushMatrix();
    Renderer::Translate(100.0f, 0.0f, 0.0f);
    Renderer::PopMatrix();
    Renderer::Translate(10.0f, 10.0f, 0.0f);
    Renderer::PopMatrix();
    // The failed pop leaves the current matrix as it was.
    DrawRectangle(0.0f, 0.0f, 10.0f, 10.0f, kOpaqueRed);
    mWindow.EndFrame();

    if (IsShaderPath())
    {
        EXPECT_EQ(recorder.Messages(),
                  std::vector<std::string>{"kfExternalError: Can't pop matrix, there is no matrix to pop."});
        EXPECT_EQ(mWindow.ReadPixel(15, 15), kRed);
        EXPECT_EQ(mWindow.ReadPixel(5, 5), kBlack);
    }
    else
    {
        // OpenGL keeps the underflow to itself; checked builds report it.
#ifndef NDEBUG
        EXPECT_EQ(recorder.Messages(),
                  std::vector<std::string>{
                      "kfInternalError: OpenGL reported GL_STACK_UNDERFLOW after glPopMatrix()."});
#endif
    }
}

TEST_P(RendererTest, ReportsNothingWhileDrawingAFrame)
{
    KelpForge::Testing::ErrorRecorder recorder;
    mWindow.BeginFrame();
    Renderer::PushMatrix();
    Renderer::Translate(640.0f, 360.0f, 0.0f);
    Renderer::Rotate(30.0f, 0.0f, 0.0f, 1.0f);
    Renderer::Scale(2.0f, 2.0f, 1.0f);
    DrawRectangle(-8.0f, -8.0f, 8.0f, 8.0f, kOpaqueWhite);
    Renderer::SetColorMatrixForText(true);
    DrawRectangle(0.0f, 0.0f, 8.0f, 8.0f, kOpaqueWhite);
    Renderer::SetColorMatrixForText(false);
    Renderer::PopMatrix();
    mWindow.EndFrame();

    EXPECT_TRUE(recorder.Messages().empty());
}

// A linked program with the renderer's attributes and none of its uniforms; the caller deletes it.
GLuint BuildProgramWithoutUniforms()
{
    const char* const vertexSource = R"glsl(#version 150
in vec2 vertexPosition;
void main()
{
    gl_Position = vec4(vertexPosition, 0.0, 1.0);
}
)glsl";
    const char* const fragmentSource = R"glsl(#version 150
out vec4 finalFragColor;
void main()
{
    finalFragColor = vec4(1.0);
}
)glsl";
    const Renderer::ShaderProgram built = Renderer::BuildShaderProgram(vertexSource, fragmentSource);
    // The program keeps its shaders alive for as long as they stay attached.
    glDeleteShader(built.vertexShader);
    glDeleteShader(built.fragmentShader);
    return built.program;
}

// Programs other than the renderer's: each call that needs a missing uniform reports it.
class RendererForeignProgramTest : public ::testing::Test
{
protected:
    RendererForeignProgramTest() : mWindow(RendererPath::kShader) {}

    TestWindow mWindow;
    BoundTexture mTexture;
};

TEST_F(RendererForeignProgramTest, ReportsEveryMissingRequiredUniformOnEachCallThatNeedsIt)
{
    const GLuint program = BuildProgramWithoutUniforms();
    glUseProgram(program);

    KelpForge::Testing::ErrorRecorder recorder;
    Renderer::BeginDraw();
    Renderer::Translate(1.0f, 0.0f, 0.0f);
    Renderer::SetColorMatrixForText(true);
    Renderer::EndDraw();

    const std::string mvp = "kfInternalError: GLSL Uniform \"mvpMatrix\" was not found in shader program.";
    const std::string colorMatrix =
        "kfInternalError: GLSL Uniform \"colorMatrix\" was not found in shader program.";
    const std::string colorTint =
        "kfInternalError: GLSL Uniform \"colorTint\" was not found in shader program.";
    // BeginDraw sets the projection and then the model-view matrix, and the colour matrix once.
    EXPECT_EQ(recorder.Messages(),
              (std::vector<std::string>{mvp, mvp, colorMatrix, colorTint, mvp, colorMatrix, colorTint}));
    glDeleteProgram(program);
}

TEST_F(RendererForeignProgramTest, GoesBackToItsOwnUniformsWhenItsProgramIsCurrentAgain)
{
    GLint ownProgram = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &ownProgram);
    const GLuint program = BuildProgramWithoutUniforms();
    glUseProgram(program);
    {
        KelpForge::Testing::ErrorRecorder recorder;
        Renderer::BeginDraw();
        Renderer::EndDraw();
    }
    glUseProgram(static_cast<GLuint>(ownProgram));
    glDeleteProgram(program);

    KelpForge::Testing::ErrorRecorder recorder;
    mWindow.BeginFrame();
    DrawRectangle(0.0f, 0.0f, 10.0f, 10.0f, kOpaqueRed);
    mWindow.EndFrame();
    EXPECT_TRUE(recorder.Messages().empty());
    EXPECT_EQ(mWindow.ReadPixel(5, 5), kRed);
}

TEST_F(RendererForeignProgramTest, CleanupClearsTheReadySwitch)
{
    Renderer::CleanupRenderer();
    EXPECT_FALSE(Renderer::IsRendererReady());
    GLint currentProgram = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &currentProgram);
    EXPECT_EQ(currentProgram, 0);
    Renderer::InitializeRenderer();
    EXPECT_TRUE(Renderer::IsRendererReady());
}

} // namespace
