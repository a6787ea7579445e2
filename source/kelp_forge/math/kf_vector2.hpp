#ifndef KELP_FORGE_MATH_VECTOR2_HPP
#define KELP_FORGE_MATH_VECTOR2_HPP

#include <cmath>

namespace KelpForge::Math
{

// A plain 2-D value. World and screen coordinates are pixels with x to the right and y downwards.
struct Vector2
{
    float x = 0.0f;
    float y = 0.0f;

    constexpr Vector2() = default;
    constexpr Vector2(float xValue, float yValue) : x(xValue), y(yValue) {}

    constexpr Vector2 operator+(const Vector2& other) const { return Vector2(x + other.x, y + other.y); }
    constexpr Vector2 operator-(const Vector2& other) const { return Vector2(x - other.x, y - other.y); }
    constexpr Vector2 operator-() const { return Vector2(-x, -y); }
    constexpr Vector2 operator*(float scale) const { return Vector2(x * scale, y * scale); }
    constexpr Vector2 operator/(float divisor) const { return Vector2(x / divisor, y / divisor); }

    constexpr Vector2& operator+=(const Vector2& other) { return *this = *this + other; }
    constexpr Vector2& operator-=(const Vector2& other) { return *this = *this - other; }
    constexpr Vector2& operator*=(float scale) { return *this = *this * scale; }

    constexpr bool operator==(const Vector2&) const = default;

    [[nodiscard]] constexpr float Dot(const Vector2& other) const { return x * other.x + y * other.y; }
    [[nodiscard]] constexpr float LengthSquared() const { return Dot(*this); }
    [[nodiscard]] float Length() const { return std::sqrt(LengthSquared()); }

    // The same direction with length 1; the zero vector stays zero rather than becoming NaN.
    [[nodiscard]] Vector2 Normalized() const
    {
        const float length = Length();
        return length > 0.0f ? *this / length : Vector2();
    }
};

constexpr Vector2 operator*(float scale, const Vector2& vector)
{
    return vector * scale;
}

} // namespace KelpForge::Math

#endif
