#ifndef KELP_FORGE_MATH_MATRIX_HPP
#define KELP_FORGE_MATH_MATRIX_HPP

#include <array>

namespace KelpForge::Math
{

// A 4x4 float matrix stored row by row: element (row, column) sits at index row * 4 + column, so a
// translation occupies elements 3, 7 and 11 and a point transforms as matrix x column vector.
// OpenGL reads matrices column by column, so hand it the transpose.
class Matrix4
{
public:
    static constexpr unsigned int kElementCount = 16;

    // The identity.
    Matrix4();
    explicit Matrix4(const std::array<float, kElementCount>& rowByRowElements);

    static Matrix4 Translation(float x, float y, float z);
    // A turn of degrees about the axis (x, y, z), which need not have length 1; an axis of length
    // 1e-5 or less counts as (0, 0, 0). About (0, 0, 1) a positive angle turns clockwise on a
    // y-down screen.
    static Matrix4 Rotation(float degrees, float x, float y, float z);
    static Matrix4 Scaling(float x, float y, float z);
    // Maps left..right and top..bottom onto -1..1; with top above bottom numerically smaller,
    // y grows downward on screen.
    static Matrix4 Orthographic(float left, float right, float top, float bottom, float nearPlane,
                                float farPlane);

    [[nodiscard]] float& operator[](unsigned int index) { return mElements[index]; }
    [[nodiscard]] float operator[](unsigned int index) const { return mElements[index]; }
    [[nodiscard]] float At(unsigned int row, unsigned int column) const
    {
        return mElements[row * 4 + column];
    }
    // The 16 elements row by row, valid as long as this matrix.
    [[nodiscard]] const float* GetElements() const { return mElements.data(); }

    bool operator==(const Matrix4&) const = default;

private:
    std::array<float, kElementCount> mElements;
};

// result = leftSide x rightSide. Reports and leaves result untouched when result is either operand.
void MultiplyMatrix(Matrix4& result, const Matrix4& leftSide, const Matrix4& rightSide);

// result = the transpose of input. Reports and leaves result untouched when result is input.
void TransposeMatrix(Matrix4& result, const Matrix4& input);

} // namespace KelpForge::Math

#endif
