#include "kelp_forge/graphics/implementation/kfi_transformed_vertex.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace Renderer = kfImplementation::Renderer;
using KelpForge::Math::Matrix4;

namespace
{

TEST(TransformVerticesTest, FloorsEachCoordinateBeforeTheModelView)
{
    Matrix4 modelView;
    KelpForge::Math::MultiplyMatrix(modelView, Matrix4::Translation(0.5f, 0.25f, 0.5f),
                                    Matrix4::Scaling(2.0f, 3.0f, 1.0f));
    const Renderer::Vertex vertices[] = {{10.7f, -3.2f, 0x80402010u, 0.25f, 0.75f},
                                         {1.0f, 2.0f, 0u, 0.0f, 1.0f}};
    std::vector<Renderer::TransformedVertex> transformed;
    Renderer::TransformVertices(vertices, 2, modelView, transformed);

    ASSERT_EQ(transformed.size(), 2u);
    // (10, -4) scaled, then moved; the depth comes from the translation.
    EXPECT_EQ(transformed[0].x, 20.5f);
    EXPECT_EQ(transformed[0].y, -11.75f);
    EXPECT_EQ(transformed[0].z, 0.5f);
    EXPECT_EQ(transformed[0].w, 1.0f);
    EXPECT_EQ(transformed[0].colorABGR, 0x80402010u);
    EXPECT_EQ(transformed[0].u, 0.25f);
    EXPECT_EQ(transformed[0].v, 0.75f);
    EXPECT_EQ(transformed[1].x, 2.5f);
    EXPECT_EQ(transformed[1].y, 6.25f);
}

TEST(TransformVerticesTest, KeepsAProjectiveBottomRowInW)
{
    Matrix4 modelView;
    modelView[12] = 0.5f;
    const Renderer::Vertex vertex = {4.9f, 0.0f, 0u, 0.0f, 0.0f};
    std::vector<Renderer::TransformedVertex> transformed;
    Renderer::TransformVertices(&vertex, 1, modelView, transformed);
    EXPECT_EQ(transformed[0].w, 3.0f);
}

TEST(TransformVerticesTest, TheOutputHoldsExactlyTheLatestVertices)
{
    const Renderer::Vertex vertices[3] = {};
    std::vector<Renderer::TransformedVertex> transformed;
    Renderer::TransformVertices(vertices, 3, Matrix4(), transformed);
    Renderer::TransformVertices(vertices, 1, Matrix4(), transformed);
    EXPECT_EQ(transformed.size(), 1u);
}

} // namespace
