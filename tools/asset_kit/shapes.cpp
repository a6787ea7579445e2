#include "asset_kit/shapes.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <utility>

namespace KelpForge::Tools
{

Region Disc(float centerX, float centerY, float radius)
{
    return [=](float x, float y) { return std::hypot(x - centerX, y - centerY) < radius; };
}

Region Ring(float centerX, float centerY, float innerRadius, float outerRadius)
{
    return [=](float x, float y)
    {
        const float distance = std::hypot(x - centerX, y - centerY);
        return distance >= innerRadius && distance < outerRadius;
    };
}

Region Ellipse(float centerX, float centerY, float halfLength, float halfWidth, float angle)
{
    const float radians = angle * std::numbers::pi_v<float> / 180.0f;
    const float cosine = std::cos(radians);
    const float sine = std::sin(radians);
    return [=](float x, float y)
    {
        const float along = (x - centerX) * cosine + (y - centerY) * sine;
        const float across = -(x - centerX) * sine + (y - centerY) * cosine;
        return (along * along) / (halfLength * halfLength) + (across * across) / (halfWidth * halfWidth) <
               1.0f;
    };
}

Region ConvexPolygon(std::vector<Point> corners)
{
    return [corners = std::move(corners)](float x, float y)
    {
        for (std::size_t index = 0; index < corners.size(); ++index)
        {
            const Point& from = corners[index];
            const Point& to = corners[(index + 1) % corners.size()];
            const float cross = (to[0] - from[0]) * (y - from[1]) - (to[1] - from[1]) * (x - from[0]);
            if (cross < 0.0f)
            {
                return false;
            }
        }
        return true;
    };
}

Region Polygon(std::vector<Point> corners)
{
    return [corners = std::move(corners)](float x, float y)
    {
        bool isInside = false;
        for (std::size_t index = 0, previous = corners.size() - 1; index < corners.size(); previous = index++)
        {
            const Point& from = corners[previous];
            const Point& to = corners[index];
            if ((from[1] > y) != (to[1] > y) &&
                x < from[0] + (y - from[1]) * (to[0] - from[0]) / (to[1] - from[1]))
            {
                isInside = !isInside;
            }
        }
        return isInside;
    };
}

Region Capsule(Point from, Point to, float halfWidth)
{
    return [=](float x, float y)
    {
        const float alongX = to[0] - from[0];
        const float alongY = to[1] - from[1];
        const float lengthSquared = alongX * alongX + alongY * alongY;
        float t =
            lengthSquared > 0.0f ? ((x - from[0]) * alongX + (y - from[1]) * alongY) / lengthSquared : 0.0f;
        t = std::clamp(t, 0.0f, 1.0f);
        return std::hypot(x - (from[0] + alongX * t), y - (from[1] + alongY * t)) < halfWidth;
    };
}

Region Intersection(Region first, Region second)
{
    return [first = std::move(first), second = std::move(second)](float x, float y)
    { return first(x, y) && second(x, y); };
}

Region Offset(Region region, float offsetX, float offsetY)
{
    return [region = std::move(region), offsetX, offsetY](float x, float y)
    { return region(x - offsetX, y - offsetY); };
}

Bounds BoundsAround(const std::vector<Point>& corners, float margin)
{
    Bounds bounds{corners.front()[0], corners.front()[1], corners.front()[0], corners.front()[1]};
    for (const Point& corner : corners)
    {
        bounds.left = std::min(bounds.left, corner[0]);
        bounds.top = std::min(bounds.top, corner[1]);
        bounds.right = std::max(bounds.right, corner[0]);
        bounds.bottom = std::max(bounds.bottom, corner[1]);
    }
    return {bounds.left - margin, bounds.top - margin, bounds.right + margin, bounds.bottom + margin};
}

} // namespace KelpForge::Tools
