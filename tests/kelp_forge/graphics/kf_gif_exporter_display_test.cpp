// GIF capture of a real window: pictures read back from OpenGL under Xvfb and decoded with giflib.

#include "kelp_forge/graphics/kf_gif_exporter.hpp"
#include "kf_gif_test_files.hpp"
#include "support/kf_test_files.hpp"
#include "support/kf_test_window.hpp"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using KelpForge::Graphics::FinishGifCapture;
using KelpForge::Graphics::kGifCaptureFullSize;
using KelpForge::Graphics::kGifCaptureHalfSize;
using KelpForge::Graphics::UpdateGifCapture;
using KelpForge::Testing::DecodedGif;
using KelpForge::Testing::DecodeGifFile;
using KelpForge::Testing::Rgb;
using KelpForge::Testing::ScratchWorkingDirectory;
using KelpForge::Testing::TestWindow;

namespace
{

constexpr int kWindowWidth = 322;
constexpr int kWindowHeight = 182;

// Clears the window to black with a band of colour across the top quarter and another across
// the bottom quarter.
void Paint(float topRed, float topGreen, float topBlue, float bottomRed, float bottomGreen, float bottomBlue)
{
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, kWindowHeight - kWindowHeight / 4, kWindowWidth, kWindowHeight / 4);
    glClearColor(topRed, topGreen, topBlue, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glScissor(0, 0, kWindowWidth, kWindowHeight / 4);
    glClearColor(bottomRed, bottomGreen, bottomBlue, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glFinish();
}

TEST(GifExporterDisplayTest, RecordsTheWindowTopRowFirstAtFullSize)
{
    ScratchWorkingDirectory directory;
    {
        // A window of an unusual size, so that the capture must take its size from the screen.
        const TestWindow window(kWindowWidth, kWindowHeight);
        glReadBuffer(GL_BACK);
        Paint(0.0f, 1.0f, 0.0f, 1.0f, 0.0f, 0.0f);
        UpdateGifCapture(0.1f, true, kGifCaptureFullSize);
        Paint(0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 0.0f);
        UpdateGifCapture(0.1f, false, kGifCaptureFullSize);
        UpdateGifCapture(0.1f, true, kGifCaptureFullSize);
    }
    FinishGifCapture();

    const std::vector<std::string> names = directory.FileNames(".gif");
    ASSERT_EQ(names.size(), 1u);
    const DecodedGif decoded = DecodeGifFile(names[0]);
    EXPECT_EQ(decoded.width, kWindowWidth);
    EXPECT_EQ(decoded.height, kWindowHeight);
    ASSERT_EQ(decoded.frames.size(), 2u);
    EXPECT_EQ(decoded.frames[0].canvas.At(5, 2), Rgb(0, 255, 0));
    EXPECT_EQ(decoded.frames[0].canvas.At(5, kWindowHeight / 2), Rgb(0, 0, 0));
    EXPECT_EQ(decoded.frames[0].canvas.At(kWindowWidth - 1, kWindowHeight - 1), Rgb(255, 0, 0));
    EXPECT_EQ(decoded.frames[1].canvas.At(5, 2), Rgb(0, 0, 255));
    EXPECT_EQ(decoded.frames[1].canvas.At(kWindowWidth - 1, kWindowHeight - 1), Rgb(255, 0, 0));
    // Only the top band changed between the pictures.
    EXPECT_EQ(decoded.frames[1].indexes.back(), 0);
}

TEST(GifExporterDisplayTest, HalfSizeHalvesTheWindowAndFinishingCompletesARecordingInProgress)
{
    ScratchWorkingDirectory directory;
    {
        // A window of an unusual size, so that the capture must take its size from the screen.
        const TestWindow window(kWindowWidth, kWindowHeight);
        glReadBuffer(GL_BACK);
        Paint(1.0f, 1.0f, 1.0f, 0.0f, 0.0f, 1.0f);
        UpdateGifCapture(0.1f, true, kGifCaptureHalfSize);
        UpdateGifCapture(0.1f, false, kGifCaptureHalfSize);
        UpdateGifCapture(0.1f, false, kGifCaptureHalfSize);
        // The game quits while recording.
    }
    FinishGifCapture();

    const std::vector<std::string> names = directory.FileNames(".gif");
    ASSERT_EQ(names.size(), 1u);
    const DecodedGif decoded = DecodeGifFile(names[0]);
    EXPECT_EQ(decoded.width, kWindowWidth / 2);
    EXPECT_EQ(decoded.height, kWindowHeight / 2);
    ASSERT_EQ(decoded.frames.size(), 3u);
    EXPECT_EQ(decoded.frames[2].canvas.At(0, 0), Rgb(255, 255, 255));
    EXPECT_EQ(decoded.frames[2].canvas.At(kWindowWidth / 4, kWindowHeight / 4), Rgb(0, 0, 0));
    EXPECT_EQ(decoded.frames[2].canvas.At(kWindowWidth / 2 - 1, kWindowHeight / 2 - 1), Rgb(0, 0, 255));
}

} // namespace
