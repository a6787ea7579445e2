#include "kelp_forge/graphics/kf_texture_manager.hpp"

#include "kelp_forge/graphics/kf_sprite.hpp"
#include "support/kf_error_recorder.hpp"
#include "support/kf_test_files.hpp"
#include "support/kf_test_images.hpp"
#include "support/kf_test_window.hpp"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

using KelpForge::Graphics::kInvalidTexture;
using KelpForge::Graphics::Sprite;
using KelpForge::Graphics::TextureHandle;
using KelpForge::Graphics::theTextureManager;
using KelpForge::Testing::CorpusFolder;
using KelpForge::Testing::EncodePng;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::MakeQuadrantImage;
using KelpForge::Testing::TemporaryFolder;
using KelpForge::Testing::TestImage;
using KelpForge::Testing::TestWindow;
using KelpForge::Testing::WritePng;
using Messages = std::vector<std::string>;

namespace
{

const std::string kInvalidHandleMessage =
    "kfError: Attempting to get a texture that does not exist! Invalid Handle.";

class TextureManagerTest : public ::testing::Test
{
protected:
    TestWindow mWindow;
    TemporaryFolder mFolder;
    ErrorRecorder mRecorder;

    std::string WriteImage(const std::string& name, const TestImage& image)
    {
        const std::string path = mFolder.PathOf(name);
        WritePng(path, image);
        return path;
    }
};

std::array<int, 4> ReadFirstTexel(TextureHandle handle)
{
    theTextureManager.BindTexture(handle);
    std::vector<GLubyte> texels(static_cast<std::size_t>(theTextureManager.GetTextureWidth(handle)) *
                                theTextureManager.GetTextureHeight(handle) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    return {texels[0], texels[1], texels[2], texels[3]};
}

GLint BoundOpenGLTexture()
{
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    return bound;
}

} // namespace

TEST_F(TextureManagerTest, FirstContextMakesTheBlankTextureInSlotZero)
{
    EXPECT_EQ(theTextureManager.GetBlankTexture(), 0u);
    EXPECT_EQ(theTextureManager.GetTextureWidth(0), 16);
    EXPECT_EQ(theTextureManager.GetTextureHeight(0), 16);
    EXPECT_EQ(ReadFirstTexel(0), (std::array<int, 4>{255, 255, 255, 255}));

    theTextureManager.ReloadAllTextures();
    EXPECT_EQ(theTextureManager.GetBlankTexture(), 0u);
    EXPECT_NE(theTextureManager.GetOpenGLTextureName(0), 0u);
    EXPECT_TRUE(glIsTexture(theTextureManager.GetOpenGLTextureName(0)));
    EXPECT_EQ(ReadFirstTexel(0), (std::array<int, 4>{255, 255, 255, 255}));
    EXPECT_EQ(mRecorder.Messages(), Messages{});
}

TEST_F(TextureManagerTest, OnePixelIsStoredPremultiplied)
{
    const std::string path = WriteImage("pixel.png", TestImage(1, 1, 0xFF800080u));
    const TextureHandle handle = theTextureManager.CreateTextureFromFile(path);
    ASSERT_NE(handle, kInvalidTexture);
    EXPECT_EQ(ReadFirstTexel(handle), (std::array<int, 4>{128, 64, 0, 128}));
}

TEST_F(TextureManagerTest, MipmapsAverageThePremultipliedPixels)
{
    TestImage image(2, 2);
    image.Fill(0, 0, 1, 1, 0xFF0000FFu);
    image.Fill(1, 0, 2, 1, 0x00FF00FFu);
    image.Fill(0, 1, 1, 2, 0x0000FFFFu);
    image.Fill(1, 1, 2, 2, 0xFFFFFF00u);
    const TextureHandle handle = theTextureManager.CreateTextureFromFile(WriteImage("mipmapped.png", image));
    theTextureManager.BindTexture(handle);
    GLint levelWidth = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &levelWidth);
    EXPECT_EQ(levelWidth, 1);
    std::array<GLubyte, 4> average = {};
    glGetTexImage(GL_TEXTURE_2D, 1, GL_RGBA, GL_UNSIGNED_BYTE, average.data());
    // The transparent white pixel counts as black: (255 + 0 + 0 + 0) / 4 rounds to 64.
    EXPECT_EQ(average, (std::array<GLubyte, 4>{64, 64, 64, 191}));
}

TEST_F(TextureManagerTest, LoadingAFileTwiceSharesOneReferenceCountedTexture)
{
    const std::string path = WriteImage("shared.png", TestImage(4, 4));
    TextureHandle first = theTextureManager.CreateTextureFromFile(path);
    TextureHandle second = theTextureManager.CreateTextureFromFile(path);
    ASSERT_NE(first, kInvalidTexture);
    EXPECT_EQ(first, second);
    EXPECT_EQ(theTextureManager.GetReferenceCount(first), 2u);
    const TextureHandle kept = first;

    // While cached, the file is not read again: a changed file goes unnoticed.
    WritePng(path, TestImage(8, 8));
    TextureHandle third = theTextureManager.CreateTextureFromFile(path);
    EXPECT_EQ(third, kept);
    EXPECT_EQ(theTextureManager.GetTextureWidth(kept), 4);

    theTextureManager.DestroyTexture(first);
    EXPECT_EQ(first, kInvalidTexture);
    theTextureManager.DestroyTexture(third);
    EXPECT_EQ(theTextureManager.GetReferenceCount(kept), 1u);
    EXPECT_NE(theTextureManager.GetOpenGLTextureName(kept), 0u);

    theTextureManager.DestroyTexture(second);
    EXPECT_EQ(theTextureManager.GetReferenceCount(kept), 0u);
    EXPECT_EQ(theTextureManager.GetOpenGLTextureName(kept), 0u);

    // The cache entry went with the last reference, so the file is decoded again.
    TextureHandle reloaded = theTextureManager.CreateTextureFromFile(path);
    EXPECT_EQ(reloaded, kept);
    EXPECT_EQ(theTextureManager.GetTextureWidth(reloaded), 8);
    EXPECT_EQ(theTextureManager.GetReferenceCount(reloaded), 1u);
    EXPECT_EQ(mRecorder.Messages(), Messages{});
}

TEST_F(TextureManagerTest, AFreedSlotIsTakenByTheNextTextureOfAnyKind)
{
    const std::string path = WriteImage("first.png", TestImage(2, 2));
    TextureHandle fromFile = theTextureManager.CreateTextureFromFile(path);
    const std::vector<std::uint8_t> png = EncodePng(TestImage(3, 3));
    TextureHandle fromData = theTextureManager.CreateTextureFromFileData(png.data(), png.size());
    EXPECT_EQ(fromFile, 1u);
    EXPECT_EQ(fromData, 2u);

    theTextureManager.DestroyTexture(fromFile);
    TextureHandle blank = theTextureManager.CreateBlankTexture(5, 7);
    EXPECT_EQ(blank, 1u);
    EXPECT_EQ(theTextureManager.GetTextureWidth(blank), 5);
    EXPECT_EQ(theTextureManager.GetTextureHeight(blank), 7);
    EXPECT_EQ(ReadFirstTexel(blank), (std::array<int, 4>{255, 255, 255, 255}));

    TextureHandle next = theTextureManager.CreateTextureFromFileData(png.data(), png.size());
    EXPECT_EQ(next, 3u);
    EXPECT_EQ(mRecorder.Messages(), Messages{});
}

TEST_F(TextureManagerTest, AfterSlotZeroIsFreedTheNextTextureIsHandleZero)
{
    TextureHandle blank = theTextureManager.GetBlankTexture();
    ASSERT_EQ(blank, 0u);
    theTextureManager.DestroyTexture(blank);
    EXPECT_EQ(theTextureManager.GetBlankTexture(), kInvalidTexture);
    const std::vector<std::uint8_t> png = EncodePng(TestImage(3, 3));
    EXPECT_EQ(theTextureManager.CreateTextureFromFileData(png.data(), png.size()), 0u);
    // The next context makes a new blank texture in the next free slot.
    theTextureManager.ReloadAllTextures();
    EXPECT_EQ(theTextureManager.GetBlankTexture(), 1u);
    EXPECT_EQ(mRecorder.Messages(), Messages{});
}

TEST_F(TextureManagerTest, TwoSpellingsOfOnePathAreTwoTextures)
{
    const std::string path = WriteImage("spelled.png", TestImage(2, 2));
    const std::string doubled = std::filesystem::path(path).parent_path().string() + "//spelled.png";
    const TextureHandle first = theTextureManager.CreateTextureFromFile(path);
    const TextureHandle second = theTextureManager.CreateTextureFromFile(doubled);
    ASSERT_NE(first, kInvalidTexture);
    ASSERT_NE(second, kInvalidTexture);
    EXPECT_NE(first, second);
    EXPECT_EQ(theTextureManager.GetReferenceCount(first), 1u);
    EXPECT_EQ(theTextureManager.GetReferenceCount(second), 1u);
}

TEST_F(TextureManagerTest, InvalidTextureHasNoSizeAndUnknownHandlesAreReported)
{
    EXPECT_EQ(theTextureManager.GetTextureWidth(kInvalidTexture), 0);
    EXPECT_EQ(theTextureManager.GetTextureHeight(kInvalidTexture), 0);
    theTextureManager.BindTexture(kInvalidTexture);
    EXPECT_EQ(mRecorder.Messages(), Messages{});

    EXPECT_EQ(theTextureManager.GetTextureWidth(1000), 0);
    EXPECT_EQ(theTextureManager.GetOpenGLTextureName(kInvalidTexture), 0u);
    TextureHandle unknown = 1000;
    theTextureManager.DestroyTexture(unknown);
    EXPECT_EQ(mRecorder.Messages(),
              (Messages{kInvalidHandleMessage, kInvalidHandleMessage, kInvalidHandleMessage}));
}

TEST_F(TextureManagerTest, DestroyingTheBoundTextureLeavesNoTextureBound)
{
    TextureHandle blank = theTextureManager.CreateBlankTexture(2, 2);
    TextureHandle other = theTextureManager.CreateBlankTexture(2, 2);
    theTextureManager.BindTexture(blank);
    EXPECT_NE(BoundOpenGLTexture(), 0);
    theTextureManager.DestroyTexture(other);
    EXPECT_EQ(BoundOpenGLTexture(), static_cast<GLint>(theTextureManager.GetOpenGLTextureName(blank)));
    theTextureManager.DestroyTexture(blank);
    EXPECT_EQ(BoundOpenGLTexture(), 0);
}

TEST_F(TextureManagerTest, DestroyingMoreOftenThanCreatedIsReported)
{
    TextureHandle handle = theTextureManager.CreateBlankTexture(2, 2);
    TextureHandle copy = handle;
    theTextureManager.DestroyTexture(handle);
    theTextureManager.DestroyTexture(copy);
    EXPECT_EQ(mRecorder.Messages(),
              (Messages{"kfInternalError: Should never be 0 references to texture data."}));
}

TEST_F(TextureManagerTest, BlankTexturesOfZeroSizeAreRefused)
{
    EXPECT_EQ(theTextureManager.CreateBlankTexture(0, 4), kInvalidTexture);
    EXPECT_EQ(theTextureManager.CreateBlankTexture(4, 0), kInvalidTexture);
    EXPECT_EQ(mRecorder.Messages(), (Messages{"kfExternalError: The textureWidth must be greater than 0.",
                                              "kfExternalError: The textureHeight must be greater than 0."}));
}

TEST_F(TextureManagerTest, BadImagesAreReportedAndLeaveNoSlotBehind)
{
    const std::string missing = mFolder.PathOf("missing.png");
    EXPECT_EQ(theTextureManager.CreateTextureFromFile(missing), kInvalidTexture);
    const std::string garbage = mFolder.PathOf("garbage.png");
    std::vector<std::uint8_t> bytes = EncodePng(TestImage(8, 8));
    bytes.resize(bytes.size() / 2);
    KelpForge::Testing::WriteFile(garbage, bytes);
    EXPECT_EQ(theTextureManager.CreateTextureFromFile(garbage), kInvalidTexture);
    const unsigned char notAnImage[] = "not an image";
    EXPECT_EQ(theTextureManager.CreateTextureFromFileData(notAnImage, sizeof(notAnImage)), kInvalidTexture);
    EXPECT_EQ(
        mRecorder.Messages(),
        (Messages{"kfExternalError: Texture \"" + missing + "\" could not be loaded from file.",
                  "kfExternalError: Texture \"" + garbage + "\" could not be loaded from file.",
                  "kfExternalError: Texture \"(file data in memory)\" could not be loaded from file data "
                  "provided, corrupt?"}));

    // Nothing was cached and no slot was taken.
    EXPECT_EQ(theTextureManager.CreateBlankTexture(1, 1), 1u);
    EXPECT_EQ(theTextureManager.CreateTextureFromFile(missing), kInvalidTexture);
}

TEST_F(TextureManagerTest, ImagesBeyondWhatOpenGLAcceptsAreRefused)
{
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    const std::string path = WriteImage("widest.png", TestImage(65535, 1));
    const TextureHandle handle = theTextureManager.CreateTextureFromFile(path);
    if (largest >= 65535)
    {
        EXPECT_EQ(theTextureManager.GetTextureWidth(handle), 65535);
        EXPECT_EQ(mRecorder.Messages(), Messages{});
    }
    else
    {
        EXPECT_EQ(handle, kInvalidTexture);
        EXPECT_EQ(mRecorder.Messages(),
                  (Messages{"kfError: Texture \"" + path + "\" is 65535 x 1 pixels, larger than the " +
                            std::to_string(largest) + " pixels a side allowed."}));
    }
}

TEST_F(TextureManagerTest, UsedMemoryRefusesToGoBelowZero)
{
    theTextureManager.AddUsedMemory(100);
    theTextureManager.RemoveUsedMemory(40);
    EXPECT_EQ(theTextureManager.GetUsedMemory(), 60u);
    theTextureManager.RemoveUsedMemory(61);
    EXPECT_EQ(theTextureManager.GetUsedMemory(), 60u);
    EXPECT_EQ(mRecorder.Messages(),
              (Messages{"kfInteralError: Expected numberOfBytes to be <= currently used memory."}));
}

TEST_F(TextureManagerTest, EveryPngSuiteFileLoadsOrIsReported)
{
    KF_SKIP_WITHOUT_CORPORA();
    int loadedCount = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CorpusFolder("png")))
    {
        if (entry.path().extension() != ".png")
        {
            continue;
        }
        mRecorder.Clear();
        const std::string path = entry.path().string();
        TextureHandle handle = theTextureManager.CreateTextureFromFile(path);
        if (handle != kInvalidTexture)
        {
            ++loadedCount;
            EXPECT_GT(theTextureManager.GetTextureWidth(handle), 0) << path;
            EXPECT_TRUE(mRecorder.Messages().empty()) << path;
            theTextureManager.DestroyTexture(handle);
        }
        else
        {
            EXPECT_EQ(mRecorder.Messages(),
                      (Messages{"kfExternalError: Texture \"" + path + "\" could not be loaded from file."}));
        }
    }
    EXPECT_GT(loadedCount, 100);
}

TEST_F(TextureManagerTest, FileTexturesSurviveACloseAndReopenOfTheFrame)
{
    const std::string path = WriteImage("quadrants.png", MakeQuadrantImage(32));
    Sprite sprite(path);
    const TextureHandle handle = sprite.GetSpriteFrame().GetTexture();
    sprite.SetPosition(100.0f, 100.0f);

    mWindow.BeginFrame();
    sprite.Render();
    mWindow.EndFrame();
    EXPECT_EQ(mWindow.ReadPixel(105, 105), KelpForge::Testing::kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(125, 125), KelpForge::Testing::kWhitePixel);

    mWindow.Close();
    EXPECT_EQ(theTextureManager.GetOpenGLTextureName(handle), 0u);
    EXPECT_EQ(theTextureManager.GetReferenceCount(handle), 1u);
    mWindow.Open();
    EXPECT_NE(theTextureManager.GetOpenGLTextureName(handle), 0u);
    EXPECT_EQ(theTextureManager.GetBlankTexture(), 0u);

    mWindow.BeginFrame();
    sprite.Render();
    mWindow.EndFrame();
    EXPECT_EQ(mWindow.ReadPixel(105, 105), KelpForge::Testing::kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(125, 105), KelpForge::Testing::kGreenPixel);
    EXPECT_EQ(mWindow.ReadPixel(105, 125), KelpForge::Testing::kBluePixel);
    EXPECT_EQ(mWindow.ReadPixel(125, 125), KelpForge::Testing::kWhitePixel);
    EXPECT_EQ(mWindow.ReadPixel(95, 95), KelpForge::Testing::kBlackPixel);

    // A file texture is cached under the same handle after the reload.
    TextureHandle again = theTextureManager.CreateTextureFromFile(path);
    EXPECT_EQ(again, handle);
    EXPECT_EQ(mRecorder.Messages(), Messages{});
}

TEST_F(TextureManagerTest, TexturesMadeWhileTheContextIsGoneDoNotTakeLiveSlots)
{
    const std::string path = WriteImage("live.png", TestImage(2, 2));
    const TextureHandle live = theTextureManager.CreateTextureFromFile(path);
    theTextureManager.ReleaseOpenGLTextures();
    // Live textures have no OpenGL name now, but their slots are not free.
    const TextureHandle made = theTextureManager.CreateBlankTexture(2, 2);
    EXPECT_NE(made, live);
    EXPECT_NE(made, theTextureManager.GetBlankTexture());
    theTextureManager.ReloadAllTextures();
    EXPECT_NE(theTextureManager.GetOpenGLTextureName(live), 0u);
    EXPECT_EQ(theTextureManager.GetReferenceCount(live), 1u);
}
