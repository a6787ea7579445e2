#ifndef KELP_FORGE_TOOLS_ASSET_KIT_SHAPES_HPP
#define KELP_FORGE_TOOLS_ASSET_KIT_SHAPES_HPP

// Regions for the canvas, in pixels; angles are degrees, clockwise on screen.

#include "asset_kit/canvas.hpp"

#include <array>
#include <vector>

namespace KelpForge::Tools
{

using Point = std::array<float, 2>;

[[nodiscard]] Region Disc(float centerX, float centerY, float radius);
[[nodiscard]] Region Ring(float centerX, float centerY, float innerRadius, float outerRadius);
// An ellipse turned by angle degrees.
[[nodiscard]] Region Ellipse(float centerX, float centerY, float halfLength, float halfWidth, float angle);
// A convex polygon given clockwise on screen.
[[nodiscard]] Region ConvexPolygon(std::vector<Point> corners);
// Any simple or self-touching polygon, inside by the even-odd rule.
[[nodiscard]] Region Polygon(std::vector<Point> corners);
// A stroke of round ends: every point closer than halfWidth to the segment.
[[nodiscard]] Region Capsule(Point from, Point to, float halfWidth);
[[nodiscard]] Region Intersection(Region first, Region second);
[[nodiscard]] Region Offset(Region region, float offsetX, float offsetY);

// The smallest bounds around the corners, widened by margin on every side.
[[nodiscard]] Bounds BoundsAround(const std::vector<Point>& corners, float margin);

} // namespace KelpForge::Tools

#endif
