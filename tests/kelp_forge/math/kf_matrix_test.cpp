#include "kelp_forge/math/kf_matrix.hpp"
#include "support/kf_error_recorder.hpp"

#include <gtest/gtest.h>

#include <cmath>

using KelpForge::Math::Matrix4;
using KelpForge::Math::MultiplyMatrix;
using KelpForge::Math::TransposeMatrix;
using KelpForge::Testing::ErrorRecorder;

namespace
{
struct Point
{
    float x, y, z;
};

Point Transform(const Matrix4& matrix, Point point)
{
    return {
        matrix.At(0, 0) * point.x + matrix.At(0, 1) * point.y + matrix.At(0, 2) * point.z + matrix.At(0, 3),
        matrix.At(1, 0) * point.x + matrix.At(1, 1) * point.y + matrix.At(1, 2) * point.z + matrix.At(1, 3),
        matrix.At(2, 0) * point.x + matrix.At(2, 1) * point.y + matrix.At(2, 2) * point.z + matrix.At(2, 3)};
}

Matrix4 Product(const Matrix4& left, const Matrix4& right)
{
    Matrix4 result;
    MultiplyMatrix(result, left, right);
    return result;
}

const Matrix4 kCounting({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
} // namespace

TEST(Matrix4Test, DefaultIsTheIdentityAndTranslationSitsInTheLastColumn)
{
    const Matrix4 identity;
    for (unsigned int i = 0; i < Matrix4::kElementCount; ++i)
    {
        EXPECT_EQ(identity[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
    }
    const Matrix4 translation = Matrix4::Translation(3.0f, 4.0f, 5.0f);
    EXPECT_EQ(translation[3], 3.0f);
    EXPECT_EQ(translation[7], 4.0f);
    EXPECT_EQ(translation[11], 5.0f);
}

TEST(Matrix4Test, ProductIsRowByColumn)
{
    const Matrix4 squared = Product(kCounting, kCounting);
    EXPECT_EQ(squared.At(0, 0), 90.0f);  // 1*1 + 2*5 + 3*9 + 4*13
    EXPECT_EQ(squared.At(0, 3), 120.0f); // 1*4 + 2*8 + 3*12 + 4*16
    EXPECT_EQ(squared.At(3, 0), 426.0f); // 13*1 + 14*5 + 15*9 + 16*13
    EXPECT_EQ(Product(kCounting, Matrix4()), kCounting);
    EXPECT_EQ(Product(Matrix4(), kCounting), kCounting);
}

TEST(Matrix4Test, TheLastOperationAppliesFirst)
{
    // Translate then scale: the point is scaled first, then moved.
    const Matrix4 combined =
        Product(Matrix4::Translation(10.0f, 20.0f, 0.0f), Matrix4::Scaling(2.0f, 3.0f, 1.0f));
    const Point moved = Transform(combined, {1.0f, 1.0f, 0.0f});
    EXPECT_FLOAT_EQ(moved.x, 12.0f);
    EXPECT_FLOAT_EQ(moved.y, 23.0f);
}

TEST(Matrix4Test, PositiveRotationAboutZTurnsClockwiseOnAYDownScreen)
{
    // The axis need not have length 1.
    const Point turned = Transform(Matrix4::Rotation(90.0f, 0.0f, 0.0f, 7.0f), {1.0f, 0.0f, 0.0f});
    EXPECT_NEAR(turned.x, 0.0f, 1e-6f);
    EXPECT_NEAR(turned.y, 1.0f, 1e-6f); // right turns to down
    EXPECT_NEAR(turned.z, 0.0f, 1e-6f);
}

TEST(Matrix4Test, RotationAboutADegenerateAxisCountsAsTheZeroAxis)
{
    const Matrix4 rotation = Matrix4::Rotation(90.0f, 0.0f, 0.0f, 1e-6f);
    const float c = std::cos(90.0f * 3.1415927f / 180.0f);
    EXPECT_EQ(rotation, Matrix4({c, 0, 0, 0, 0, c, 0, 0, 0, 0, c, 0, 0, 0, 0, 1}));
}

TEST(Matrix4Test, OrthographicMapsTheViewportCornersToClipSpace)
{
    const Matrix4 projection = Matrix4::Orthographic(0.0f, 1280.0f, 0.0f, 720.0f, -1.0f, 1.0f);
    const Point topLeft = Transform(projection, {0.0f, 0.0f, 0.0f});
    const Point bottomRight = Transform(projection, {1280.0f, 720.0f, 0.0f});
    EXPECT_FLOAT_EQ(topLeft.x, -1.0f);
    EXPECT_FLOAT_EQ(topLeft.y, 1.0f);
    EXPECT_FLOAT_EQ(bottomRight.x, 1.0f);
    EXPECT_FLOAT_EQ(bottomRight.y, -1.0f);
    EXPECT_EQ(projection.At(2, 2), -1.0f);
    EXPECT_EQ(projection.At(2, 3), 0.0f);
}

TEST(Matrix4Test, TransposeSwapsRowsAndColumns)
{
    Matrix4 transposed;
    TransposeMatrix(transposed, kCounting);
    EXPECT_EQ(transposed, Matrix4({1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 4, 8, 12, 16}));
}

TEST(Matrix4Test, WritingIntoAnOperandIsRefusedAndLeavesItUntouched)
{
    ErrorRecorder recorder;
    Matrix4 operand = kCounting;
    MultiplyMatrix(operand, operand, Matrix4::Scaling(2.0f, 2.0f, 2.0f));
    MultiplyMatrix(operand, Matrix4(), operand);
    TransposeMatrix(operand, operand);
    EXPECT_EQ(operand, kCounting);
    EXPECT_EQ(
        recorder.Messages(),
        (std::vector<std::string>{
            "kfExternalError: Invalid parameter; expected result to be different than leftSide and rightSide",
            "kfExternalError: Invalid parameter; expected result to be different than leftSide and rightSide",
            "kfExternalError: Invalid parameter; expected result to be different than input"}));
}
