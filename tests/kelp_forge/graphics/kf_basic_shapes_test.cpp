#include "kelp_forge/graphics/kf_basic_shapes.hpp"

#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"
#include "support/kf_error_recorder.hpp"
#include "support/kf_test_window.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

using KelpForge::Graphics::BoxShape;
using KelpForge::Graphics::CircleShape;
using KelpForge::Graphics::Color;
using KelpForge::Graphics::ColorPreset;
using KelpForge::Graphics::PolygonShape;
using KelpForge::Math::Vector2;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::kBlackPixel;
using KelpForge::Testing::kRedPixel;
using KelpForge::Testing::TestWindow;
using PrimitiveType = kfImplementation::Renderer::PrimitiveType;

constexpr std::uint32_t kRedABGR = 0xFF0000FFu;

Vector2 PositionOf(const PolygonShape::Vertex& vertex)
{
    return {vertex.x, vertex.y};
}

PolygonShape ShapeWithVertices(PrimitiveType type, const std::vector<Vector2>& positions)
{
    PolygonShape shape(type);
    shape.SetColor(Color(ColorPreset::kRed));
    for (const Vector2& position : positions)
    {
        shape.AddVertex(position);
    }
    return shape;
}

// Draws the shape alone and returns the messages that drawing raised.
std::vector<std::string> DrawAlone(TestWindow& window, PolygonShape& shape)
{
    ErrorRecorder errors;
    window.BeginFrame();
    shape.Render();
    window.EndFrame();
    return errors.Messages();
}

TEST(BasicShapesTest, ABoxIsAStripInTheRenderersQuadLayout)
{
    const BoxShape box(1280.0f, 720.0f, Color(ColorPreset::kRed), Vector2(3.0f, 4.0f));
    EXPECT_EQ(box.GetPrimitiveType(), PrimitiveType::kTriangleStrip);
    ASSERT_EQ(box.GetVertices().size(), 4u);
    EXPECT_EQ(PositionOf(box.GetVertices()[0]), Vector2(0.0f, 720.0f));
    EXPECT_EQ(PositionOf(box.GetVertices()[1]), Vector2(0.0f, 0.0f));
    EXPECT_EQ(PositionOf(box.GetVertices()[2]), Vector2(1280.0f, 720.0f));
    EXPECT_EQ(PositionOf(box.GetVertices()[3]), Vector2(1280.0f, 0.0f));
    for (const PolygonShape::Vertex& vertex : box.GetVertices())
    {
        EXPECT_EQ(vertex.colorABGR, kRedABGR);
        EXPECT_EQ(vertex.u, 0.0f);
        EXPECT_EQ(vertex.v, 0.0f);
    }
    EXPECT_EQ(box.GetPixelWidth(), 1280);
    EXPECT_EQ(box.GetPixelHeight(), 720);
    EXPECT_EQ(box.GetPosition(), Vector2(3.0f, 4.0f));
}

TEST(BasicShapesTest, ACircleOf30SegmentsHasACentreAnd31RimPoints)
{
    const CircleShape circle(10.0f, Color(ColorPreset::kRed), Vector2(), 30);
    EXPECT_EQ(circle.GetPrimitiveType(), PrimitiveType::kTriangleFan);
    const std::vector<PolygonShape::Vertex>& vertices = circle.GetVertices();
    ASSERT_EQ(vertices.size(), 32u);
    EXPECT_EQ(PositionOf(vertices[0]), Vector2(10.0f, 10.0f));
    EXPECT_EQ(PositionOf(vertices[1]), Vector2(20.0f, 10.0f));
    EXPECT_NEAR(vertices[31].x, 20.0f, 1e-4f);
    EXPECT_NEAR(vertices[31].y, 10.0f, 1e-4f);
    // 7/30 of a turn on, the fan has turned clockwise on the y-down screen: to below the centre.
    EXPECT_GT(vertices[8].y, 19.0f);
    // Rim points at 0 and half a turn span the width; 30 segments put none exactly at the top or
    // bottom, and the truncated height falls just short.
    EXPECT_EQ(circle.GetPixelWidth(), 20);
    EXPECT_EQ(circle.GetPixelHeight(), 19);
}

TEST(BasicShapesTest, FewSegmentsGiveFewRimPoints)
{
    const CircleShape none(10.0f, Color(), Vector2(), 0);
    ASSERT_EQ(none.GetVertices().size(), 2u);
    EXPECT_EQ(PositionOf(none.GetVertices()[1]), Vector2(20.0f, 10.0f));
    EXPECT_EQ(CircleShape(10.0f, Color(), Vector2(), 1).GetVertices().size(), 3u);
    EXPECT_EQ(CircleShape(10.0f, Color(), Vector2(), -4).GetVertices().size(), 1u);
}

TEST(BasicShapesTest, RecolouringRecoloursEveryVertex)
{
    BoxShape box(10.0f, 10.0f, Color(ColorPreset::kWhite), Vector2());
    box.SetColor(Color(ColorPreset::kRed));
    EXPECT_EQ(box.GetColor().GetColorARGB(), 0xFFFF0000u);
    for (const PolygonShape::Vertex& vertex : box.GetVertices())
    {
        EXPECT_EQ(vertex.colorABGR, kRedABGR);
    }
}

TEST(BasicShapesTest, VerticesWidenTheBoundsAndClearingResetsThem)
{
    PolygonShape shape(PrimitiveType::kLines);
    EXPECT_EQ(shape.GetPixelWidth(), 0);
    shape.AddVertex(Vector2(-5.5f, 2.0f));
    shape.AddVertex(Vector2(7.0f, -1.0f));
    EXPECT_EQ(shape.GetPixelWidth(), 12);
    EXPECT_EQ(shape.GetPixelHeight(), 3);
    shape.ClearVertices();
    EXPECT_TRUE(shape.GetVertices().empty());
    EXPECT_EQ(shape.GetPixelWidth(), 0);
    EXPECT_EQ(shape.GetPixelHeight(), 0);
    shape.AddVertex(Vector2(100.0f, 100.0f));
    shape.AddVertex(Vector2(101.0f, 104.0f));
    EXPECT_EQ(shape.GetPixelWidth(), 1);
    EXPECT_EQ(shape.GetPixelHeight(), 4);
}

TEST(BasicShapesTest, CopiesKeepTheirOwnVertices)
{
    BoxShape box(10.0f, 20.0f, Color(ColorPreset::kRed), Vector2());
    PolygonShape copy = box;
    box.ClearVertices();
    EXPECT_EQ(copy.GetVertices().size(), 4u);
    EXPECT_EQ(copy.GetPixelHeight(), 20);
}

TEST(BasicShapesTest, AScreenSizedBoxCoversTheScreen)
{
    TestWindow window;
    BoxShape box(1280.0f, 720.0f, Color(ColorPreset::kRed), Vector2());
    EXPECT_TRUE(DrawAlone(window, box).empty());
    for (const auto& [x, y] : {std::pair{0, 0}, {1279, 0}, {0, 719}, {1279, 719}, {640, 360}})
    {
        EXPECT_EQ(window.ReadPixel(x, y), kRedPixel) << x << ", " << y;
    }
}

TEST(BasicShapesTest, ABoxIsDrawnAtItsPosition)
{
    TestWindow window;
    BoxShape box(20.0f, 10.0f, Color(ColorPreset::kRed), Vector2(100.0f, 50.0f));
    EXPECT_TRUE(DrawAlone(window, box).empty());
    EXPECT_EQ(window.ReadPixel(100, 50), kRedPixel);
    EXPECT_EQ(window.ReadPixel(119, 59), kRedPixel);
    EXPECT_EQ(window.ReadPixel(99, 55), kBlackPixel);
    EXPECT_EQ(window.ReadPixel(120, 55), kBlackPixel);
    EXPECT_EQ(window.ReadPixel(110, 60), kBlackPixel);
}

TEST(BasicShapesTest, ACircleIsAFilledDisc)
{
    TestWindow window;
    CircleShape circle(50.0f, Color(ColorPreset::kRed), Vector2(200.0f, 200.0f), 30);
    EXPECT_TRUE(DrawAlone(window, circle).empty());
    EXPECT_EQ(window.ReadPixel(250, 250), kRedPixel);
    EXPECT_EQ(window.ReadPixel(250, 205), kRedPixel);
    EXPECT_EQ(window.ReadPixel(295, 250), kRedPixel);
    // The corners of its box lie outside the disc.
    EXPECT_EQ(window.ReadPixel(205, 205), kBlackPixel);
    EXPECT_EQ(window.ReadPixel(295, 295), kBlackPixel);
}

TEST(BasicShapesTest, SixTriangleVerticesDrawTwoTriangles)
{
    TestWindow window;
    // Two right triangles, clockwise on screen, meeting in a 40 x 40 square.
    PolygonShape shape = ShapeWithVertices(
        PrimitiveType::kTriangles, {{300, 300}, {340, 300}, {300, 340}, {340, 300}, {340, 340}, {300, 340}});
    EXPECT_TRUE(DrawAlone(window, shape).empty());
    EXPECT_EQ(window.ReadPixel(305, 305), kRedPixel);
    EXPECT_EQ(window.ReadPixel(335, 335), kRedPixel);
    EXPECT_EQ(window.ReadPixel(345, 320), kBlackPixel);
}

TEST(BasicShapesTest, VertexCountsTooSmallForTheTypeAreRefusedWhenDrawn)
{
    TestWindow window;
    PolygonShape five = ShapeWithVertices(PrimitiveType::kTriangles,
                                          {{300, 300}, {340, 300}, {300, 340}, {340, 300}, {340, 340}});
    EXPECT_EQ(DrawAlone(window, five),
              std::vector<std::string>{
                  "kfExternalError: Expected at least vertices to contain a multiple of 3 for a "
                  "PolygonContainer with type Triangles"});
    EXPECT_EQ(window.ReadPixel(305, 305), kBlackPixel);

    PolygonShape two = ShapeWithVertices(PrimitiveType::kTriangles, {{0, 0}, {1, 1}});
    EXPECT_EQ(DrawAlone(window, two),
              (std::vector<std::string>{"kfExternalError: Expected at least 3 vertices to be added to a "
                                        "PolygonContainer with type Triangles",
                                        "kfExternalError: Expected at least vertices to contain a multiple "
                                        "of 3 for a PolygonContainer with "
                                        "type Triangles"}));

    CircleShape circle(10.0f, Color(ColorPreset::kRed), Vector2(400.0f, 400.0f), 0);
    EXPECT_EQ(DrawAlone(window, circle),
              std::vector<std::string>{"kfExternalError: Expected at least 3 vertices to be "
                                       "added to a PolygonContainer with type TriangleFan"});

    const std::vector<std::pair<PrimitiveType, std::string>> cases = {
        {PrimitiveType::kTriangleStrip,
         "3 vertices to be added to a PolygonContainer with type TriangleStrip"},
        {PrimitiveType::kLines, "2 vertices to be added to a PolygonContainer with type Lines"},
        {PrimitiveType::kLineStrip, "2 vertices to be added to a PolygonContainer with type LineStrip"},
        {PrimitiveType::kLineLoop, "3 vertices to be added to a PolygonContainer with type LineLoop"},
    };
    for (const auto& [type, message] : cases)
    {
        const std::vector<Vector2> tooFew = type == PrimitiveType::kLines || type == PrimitiveType::kLineStrip
                                                ? std::vector<Vector2>{{0, 0}}
                                                : std::vector<Vector2>{{0, 0}, {9, 9}};
        PolygonShape shape = ShapeWithVertices(type, tooFew);
        EXPECT_EQ(DrawAlone(window, shape),
                  std::vector<std::string>{"kfExternalError: Expected at least " + message});
    }
}

TEST(BasicShapesTest, AShapeWithoutVerticesDrawsNothingAndRaisesNothing)
{
    TestWindow window;
    PolygonShape shape(PrimitiveType::kTriangles);
    EXPECT_TRUE(DrawAlone(window, shape).empty());
}

} // namespace
