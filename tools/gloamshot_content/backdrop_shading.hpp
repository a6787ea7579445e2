#ifndef GLOAMSHOT_CONTENT_BACKDROP_SHADING_HPP
#define GLOAMSHOT_CONTENT_BACKDROP_SHADING_HPP

// Colours and light shared by the near rock and the far cave behind it.

#include <array>

namespace Gloamshot::Content
{

// Linear red, green and blue from 0 to 1.
using Rgb = std::array<float, 3>;

// From one colour towards another; t is kept within 0 to 1.
[[nodiscard]] Rgb Mix(const Rgb& from, const Rgb& to, float t);
[[nodiscard]] Rgb Scale(const Rgb& color, float factor);

// 0 below from, 1 above to, and a smooth S between.
[[nodiscard]] float SmoothStep(float from, float to, float value);

// Diffuse light, from the upper left and towards the viewer, on a height field with the given
// slopes (height units per pixel).
[[nodiscard]] float Diffuse(float slopeX, float slopeY);

} // namespace Gloamshot::Content

#endif
