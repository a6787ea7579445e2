#include "kelp_forge/graphics/kf_graphic.hpp"
#include "kelp_forge/graphics/kf_graphic_list.hpp"

#include "support/kf_error_recorder.hpp"

#include <gtest/gtest.h>

using KelpForge::Graphics::AnchorLocation;
using KelpForge::Graphics::Color;
using KelpForge::Graphics::ColorPreset;
using KelpForge::Graphics::Graphic;
using KelpForge::Graphics::GraphicList;
using KelpForge::Graphics::PixelSpace;
using KelpForge::Math::Vector2;
using KelpForge::Testing::ErrorRecorder;

namespace
{

// A graphic of 64 x 32 pixels that counts its updates and draws.
class SizedGraphic : public Graphic
{
public:
    PixelSpace GetPixelWidth() const override { return 64; }
    PixelSpace GetPixelHeight() const override { return 32; }

    int updateCount = 0;
    float lastDeltaTime = 0.0f;
    int renderCount = 0;

protected:
    void OnUpdate(float deltaTime) override
    {
        ++updateCount;
        lastDeltaTime = deltaTime;
    }
    void OnRender() override { ++renderCount; }
};

} // namespace

TEST(GraphicTest, NeverChangedGraphicSitsAtTheOriginUnturnedUnscaledAndWhite)
{
    const SizedGraphic graphic;
    EXPECT_EQ(graphic.GetPosition(), Vector2(0.0f, 0.0f));
    EXPECT_EQ(graphic.GetOrigin(), Vector2(0.0f, 0.0f));
    EXPECT_EQ(graphic.GetScale(), Vector2(1.0f, 1.0f));
    EXPECT_EQ(graphic.GetCameraFactor(), Vector2(1.0f, 1.0f));
    EXPECT_EQ(graphic.GetRotation(), 0.0f);
    EXPECT_EQ(graphic.GetDepth(), 0.0f);
    EXPECT_EQ(graphic.GetColor().GetColorARGB(), 0xFFFFFFFFu);
    EXPECT_TRUE(graphic.IsVisible());
    EXPECT_TRUE(graphic.IsActive());
}

TEST(GraphicTest, EveryAnchorPlacesTheOriginOnThePixelSize)
{
    struct Case
    {
        AnchorLocation anchor;
        Vector2 origin;
    };
    const Case cases[] = {
        {AnchorLocation::kAnchorCenter, Vector2(32.0f, 16.0f)},
        {AnchorLocation::kAnchorTopLeft, Vector2(0.0f, 0.0f)},
        {AnchorLocation::kAnchorTopCenter, Vector2(32.0f, 0.0f)},
        {AnchorLocation::kAnchorTopRight, Vector2(64.0f, 0.0f)},
        {AnchorLocation::kAnchorCenterLeft, Vector2(0.0f, 16.0f)},
        {AnchorLocation::kAnchorCenterRight, Vector2(64.0f, 16.0f)},
        {AnchorLocation::kAnchorBottomLeft, Vector2(0.0f, 32.0f)},
        {AnchorLocation::kAnchorBottomCenter, Vector2(32.0f, 32.0f)},
        {AnchorLocation::kAnchorBottomRight, Vector2(64.0f, 32.0f)},
    };
    SizedGraphic graphic;
    for (const Case& anchorCase : cases)
    {
        graphic.SetOrigin(anchorCase.anchor);
        EXPECT_EQ(graphic.GetOrigin(), anchorCase.origin) << static_cast<int>(anchorCase.anchor);
    }
}

TEST(GraphicTest, AnchorOffsetIsAddedAndUnknownAnchorsActAsTopLeft)
{
    SizedGraphic graphic;
    graphic.SetOrigin(AnchorLocation::kAnchorCenter, Vector2(1.0f, 2.0f));
    EXPECT_EQ(graphic.GetOrigin(), Vector2(33.0f, 18.0f));
    graphic.SetOrigin(static_cast<AnchorLocation>(9), Vector2(5.0f, 6.0f));
    EXPECT_EQ(graphic.GetOrigin(), Vector2(5.0f, 6.0f));
    graphic.SetOrigin(Vector2(-3.0f, 4.5f));
    EXPECT_EQ(graphic.GetOrigin(), Vector2(-3.0f, 4.5f));
}

TEST(GraphicTest, AnchorOnAListGivesTheOffsetAlone)
{
    GraphicList list;
    list.SetOrigin(AnchorLocation::kAnchorBottomRight, Vector2(1.0f, 2.0f));
    EXPECT_EQ(list.GetOrigin(), Vector2(1.0f, 2.0f));
}

TEST(GraphicTest, NegativeScaleIsRefusedAndTheScaleKept)
{
    ErrorRecorder recorder;
    SizedGraphic graphic;
    graphic.SetScale(2.5f);
    EXPECT_EQ(graphic.GetScale(), Vector2(2.5f, 2.5f));
    graphic.SetScale(-1.0f);
    graphic.SetScale(3.0f, -0.5f);
    EXPECT_EQ(graphic.GetScale(), Vector2(2.5f, 2.5f));
    const std::string message =
        "kfExternalError: Cannot set negative scales, perhaps use SetFlipped on the Sprite?";
    EXPECT_EQ(recorder.Messages(), (std::vector<std::string>{message, message}));
    graphic.SetScale(0.0f, 4.0f);
    EXPECT_EQ(graphic.GetScale(), Vector2(0.0f, 4.0f));
}

TEST(GraphicTest, UpdateReachesOnUpdateOnlyWhileActive)
{
    SizedGraphic graphic;
    graphic.Update(0.25f);
    EXPECT_EQ(graphic.updateCount, 1);
    EXPECT_EQ(graphic.lastDeltaTime, 0.25f);
    graphic.SetActive(false);
    graphic.Update(0.5f);
    EXPECT_EQ(graphic.updateCount, 1);
}

TEST(GraphicTest, HiddenGraphicDoesNotDraw)
{
    // Render of a hidden graphic returns before the transform, so no context is needed here.
    SizedGraphic graphic;
    graphic.SetVisible(false);
    graphic.Render();
    EXPECT_EQ(graphic.renderCount, 0);
}

TEST(GraphicTest, CopyingCopiesEveryField)
{
    SizedGraphic graphic;
    graphic.SetPosition(3.0f, 4.0f);
    graphic.SetOrigin(AnchorLocation::kAnchorCenter);
    graphic.SetScale(2.0f, 3.0f);
    graphic.SetCameraFactor(Vector2(0.5f, 0.0f));
    graphic.SetRotation(45.0f);
    graphic.SetDepth(0.25f);
    graphic.SetColor(Color(ColorPreset::kRed));
    graphic.SetVisible(false);
    graphic.SetActive(false);

    const SizedGraphic copy = graphic;
    EXPECT_EQ(copy.GetPosition(), Vector2(3.0f, 4.0f));
    EXPECT_EQ(copy.GetOrigin(), Vector2(32.0f, 16.0f));
    EXPECT_EQ(copy.GetScale(), Vector2(2.0f, 3.0f));
    EXPECT_EQ(copy.GetCameraFactor(), Vector2(0.5f, 0.0f));
    EXPECT_EQ(copy.GetRotation(), 45.0f);
    EXPECT_EQ(copy.GetDepth(), 0.25f);
    EXPECT_EQ(copy.GetColor().GetColorARGB(), 0xFFFF0000u);
    EXPECT_FALSE(copy.IsVisible());
    EXPECT_FALSE(copy.IsActive());
}

static_assert(!std::is_copy_constructible_v<GraphicList>,
              "a copied list would delete its owned children twice");
static_assert(std::is_copy_constructible_v<SizedGraphic>);
