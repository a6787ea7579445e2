#ifndef GLOAMSHOT_CONTENT_ROCK_RELIEF_HPP
#define GLOAMSHOT_CONTENT_ROCK_RELIEF_HPP

// The cave's stone, the same near and far: the walls show its relief as it is, the back wall
// behind the open space at a larger, softer scale.

#include "asset_kit/shapes.hpp"

namespace Gloamshot::Content
{

using KelpForge::Tools::Point;

// Rock texture coordinates, bent by noise so that no pattern runs straight.
[[nodiscard]] Point WarpRock(float x, float y);

// Where the rock is split by a crack, 0 to 1, at warped coordinates.
[[nodiscard]] float Crack(const Point& warped);

// The height of the rock's surface: crags, cracks and grit, in pixels.
[[nodiscard]] float RockRelief(float x, float y);

} // namespace Gloamshot::Content

#endif
