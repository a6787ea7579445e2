#include "kelp_forge/math/kf_matrix.hpp"

#include "kelp_forge/core/kf_error.hpp"

#include <cmath>

namespace KelpForge::Math
{

Matrix4::Matrix4() : mElements{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1} {}

Matrix4::Matrix4(const std::array<float, kElementCount>& rowByRowElements) : mElements(rowByRowElements) {}

Matrix4 Matrix4::Translation(float x, float y, float z)
{
    return Matrix4({1, 0, 0, x, 0, 1, 0, y, 0, 0, 1, z, 0, 0, 0, 1});
}

Matrix4 Matrix4::Rotation(float degrees, float x, float y, float z)
{
    const float axisLength = std::sqrt(x * x + y * y + z * z);
    if (axisLength > 1e-5f)
    {
        x /= axisLength;
        y /= axisLength;
        z /= axisLength;
    }
    else
    {
        x = y = z = 0.0f;
    }
    const float angle = degrees * 3.1415927f / 180.0f;
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float t = 1.0f - c;
    return Matrix4({t * x * x + c, t * x * y - s * z, t * x * z + s * y, 0, //
                    t * x * y + s * z, t * y * y + c, t * y * z - s * x, 0, //
                    t * x * z - s * y, t * y * z + s * x, t * z * z + c, 0, //
                    0, 0, 0, 1});
}

Matrix4 Matrix4::Scaling(float x, float y, float z)
{
    return Matrix4({x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1});
}

Matrix4 Matrix4::Orthographic(float left, float right, float top, float bottom, float nearPlane,
                              float farPlane)
{
    return Matrix4({2.0f / (right - left), 0, 0, -(right + left) / (right - left),                          //
                    0, 2.0f / (top - bottom), 0, -(top + bottom) / (top - bottom),                          //
                    0, 0, -2.0f / (farPlane - nearPlane), -(farPlane + nearPlane) / (farPlane - nearPlane), //
                    0, 0, 0, 1});
}

void MultiplyMatrix(Matrix4& result, const Matrix4& leftSide, const Matrix4& rightSide)
{
    if (&result == &leftSide || &result == &rightSide)
    {
        kf_error("kfExternalError: Invalid parameter; expected result to be different than leftSide and "
                 "rightSide");
        return;
    }
    for (unsigned int row = 0; row < 4; ++row)
    {
        for (unsigned int column = 0; column < 4; ++column)
        {
            float sum = 0.0f;
            for (unsigned int k = 0; k < 4; ++k)
            {
                sum += leftSide.At(row, k) * rightSide.At(k, column);
            }
            result[row * 4 + column] = sum;
        }
    }
}

void TransposeMatrix(Matrix4& result, const Matrix4& input)
{
    if (&result == &input)
    {
        kf_error("kfExternalError: Invalid parameter; expected result to be different than input");
        return;
    }
    for (unsigned int row = 0; row < 4; ++row)
    {
        for (unsigned int column = 0; column < 4; ++column)
        {
            result[column * 4 + row] = input.At(row, column);
        }
    }
}

} // namespace KelpForge::Math
