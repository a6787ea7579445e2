// Drawing through Graphic::Render and GraphicList: transforms, camera, depth and visibility,
// read back from a real window.

#include "kelp_forge/graphics/kf_camera.hpp"
#include "kelp_forge/graphics/kf_graphic_list.hpp"
#include "kelp_forge/graphics/kf_sprite.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"

#include "support/kf_error_recorder.hpp"
#include "support/kf_test_window.hpp"

#include <gtest/gtest.h>

using KelpForge::Graphics::Camera;
using KelpForge::Graphics::Color;
using KelpForge::Graphics::ColorPreset;
using KelpForge::Graphics::GraphicList;
using KelpForge::Graphics::SetCamera;
using KelpForge::Graphics::Sprite;
using KelpForge::Graphics::theTextureManager;
using KelpForge::Math::Vector2;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::kBlackPixel;
using KelpForge::Testing::kGreenPixel;
using KelpForge::Testing::kRedPixel;
using KelpForge::Testing::TestWindow;

namespace
{

class GraphicRenderTest : public ::testing::Test
{
protected:
    // A 10 x 10 square of one colour at a position.
    Sprite* MakeSquare(ColorPreset color, float x, float y, float depth = 0.0f)
    {
        auto* const square = new Sprite(theTextureManager.CreateBlankTexture(10, 10));
        square->SetColor(Color(color));
        square->SetPosition(x, y);
        square->SetDepth(depth);
        return square;
    }

    void Draw(KelpForge::Graphics::Graphic& graphic)
    {
        mWindow.BeginFrame();
        graphic.Render();
        mWindow.EndFrame();
    }

    TestWindow mWindow;
    ErrorRecorder mRecorder;
};

} // namespace

TEST_F(GraphicRenderTest, ChildrenDrawInsideTheListsTransform)
{
    GraphicList list;
    list.AddGraphic(MakeSquare(ColorPreset::kRed, 10.0f, 0.0f));
    list.SetPosition(100.0f, 200.0f);
    Draw(list);
    EXPECT_EQ(mWindow.ReadPixel(110, 200), kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(109, 200), kBlackPixel);
    EXPECT_EQ(mWindow.ReadPixel(10, 0), kBlackPixel);
    EXPECT_TRUE(mRecorder.Messages().empty());
}

TEST_F(GraphicRenderTest, GreaterDepthDrawsLaterAndOnTop)
{
    GraphicList list;
    list.AddGraphic(MakeSquare(ColorPreset::kRed, 50.0f, 50.0f, 0.5f));
    list.AddGraphic(MakeSquare(ColorPreset::kGreen, 55.0f, 50.0f, 0.2f));
    Draw(list);
    EXPECT_EQ(mWindow.ReadPixel(57, 55), kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(62, 55), kGreenPixel);
}

TEST_F(GraphicRenderTest, EqualDepthsDrawInTheOrderAdded)
{
    GraphicList list;
    list.AddGraphic(MakeSquare(ColorPreset::kRed, 50.0f, 50.0f));
    list.AddGraphic(MakeSquare(ColorPreset::kGreen, 55.0f, 50.0f));
    Draw(list);
    EXPECT_EQ(mWindow.ReadPixel(57, 55), kGreenPixel);
    EXPECT_EQ(mWindow.ReadPixel(52, 55), kRedPixel);
}

TEST_F(GraphicRenderTest, AHiddenListHidesAllItsChildren)
{
    GraphicList list;
    list.AddGraphic(MakeSquare(ColorPreset::kRed, 50.0f, 50.0f));
    list.SetVisible(false);
    Draw(list);
    EXPECT_EQ(mWindow.ReadPixel(55, 55), kBlackPixel);
    list.SetVisible(true);
    Draw(list);
    EXPECT_EQ(mWindow.ReadPixel(55, 55), kRedPixel);
}

TEST_F(GraphicRenderTest, TheActiveCameraMovesGraphicsOncePerLevelOfNesting)
{
    Camera camera;
    camera.SetPosition(Vector2(20.0f, 10.0f));
    SetCamera(camera);

    std::unique_ptr<Sprite> alone(MakeSquare(ColorPreset::kRed, 100.0f, 100.0f));
    Draw(*alone);
    EXPECT_EQ(mWindow.ReadPixel(80, 90), kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(79, 90), kBlackPixel);

    GraphicList list;
    list.AddGraphic(MakeSquare(ColorPreset::kGreen, 100.0f, 100.0f));
    Draw(list);
    EXPECT_EQ(mWindow.ReadPixel(60, 80), kGreenPixel);
    EXPECT_EQ(mWindow.ReadPixel(59, 80), kBlackPixel);

    // A camera factor of zero keeps a graphic fixed on the screen.
    alone->SetCameraFactor(Vector2(0.0f, 0.0f));
    Draw(*alone);
    EXPECT_EQ(mWindow.ReadPixel(100, 100), kRedPixel);
    SetCamera(nullptr);
}

TEST_F(GraphicRenderTest, ADeeplyNestedListRendersEveryLevel)
{
    GraphicList root;
    GraphicList* parent = &root;
    for (int level = 0; level < 50; ++level)
    {
        auto* const child = new GraphicList();
        child->SetPosition(1.0f, 0.0f);
        parent->AddGraphic(child);
        parent = child;
    }
    parent->AddGraphic(MakeSquare(ColorPreset::kRed, 0.0f, 0.0f));
    Draw(root);
    EXPECT_EQ(mWindow.ReadPixel(50, 5), kRedPixel);
    EXPECT_EQ(mWindow.ReadPixel(49, 5), kBlackPixel);
    EXPECT_TRUE(mRecorder.Messages().empty());
}
