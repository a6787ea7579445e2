#include "backdrop_shading.hpp"

#include <algorithm>
#include <cmath>

namespace Gloamshot::Content
{
namespace
{

constexpr std::array<float, 3> kLightDirection{-0.42f, -0.62f, 0.66f};

} // namespace

Rgb Mix(const Rgb& from, const Rgb& to, float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    return {from[0] + (to[0] - from[0]) * t, from[1] + (to[1] - from[1]) * t,
            from[2] + (to[2] - from[2]) * t};
}

Rgb Scale(const Rgb& color, float factor)
{
    return {color[0] * factor, color[1] * factor, color[2] * factor};
}

float SmoothStep(float from, float to, float value)
{
    const float t = std::clamp((value - from) / (to - from), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

float Diffuse(float slopeX, float slopeY)
{
    const float length = std::sqrt(slopeX * slopeX + slopeY * slopeY + 1.0f);
    const float lit =
        (-slopeX * kLightDirection[0] - slopeY * kLightDirection[1] + kLightDirection[2]) / length;
    return std::max(0.0f, lit);
}

} // namespace Gloamshot::Content
