#include "picture_drawing.hpp"

#include <algorithm>
#include <cmath>

namespace Gloamshot::Content
{

using KelpForge::Tools::Bounds;
using KelpForge::Tools::BoundsAround;

void FillDisc(Canvas& canvas, Point center, float radius, const Paint& paint)
{
    canvas.Fill(KelpForge::Tools::Disc(center[0], center[1], radius), paint,
                Bounds{center[0] - radius, center[1] - radius, center[0] + radius, center[1] + radius});
}

void FillEllipse(Canvas& canvas, Point center, float halfLength, float halfWidth, float angle,
                 const Paint& paint)
{
    const float reach = std::max(halfLength, halfWidth);
    canvas.Fill(KelpForge::Tools::Ellipse(center[0], center[1], halfLength, halfWidth, angle), paint,
                Bounds{center[0] - reach, center[1] - reach, center[0] + reach, center[1] + reach});
}

void FillCapsule(Canvas& canvas, Point from, Point to, float halfWidth, const Paint& paint)
{
    canvas.Fill(KelpForge::Tools::Capsule(from, to, halfWidth), paint, BoundsAround({from, to}, halfWidth));
}

void FillPolygon(Canvas& canvas, const std::vector<Point>& corners, const Paint& paint)
{
    canvas.Fill(KelpForge::Tools::Polygon(corners), paint, BoundsAround(corners, 0.0f));
}

Paint Solid(const Color& color)
{
    return [color](float, float) { return color; };
}

Paint Gradient(Point from, const Color& fromColor, Point to, const Color& toColor)
{
    const float alongX = to[0] - from[0];
    const float alongY = to[1] - from[1];
    const float lengthSquared = std::max(1.0e-6f, alongX * alongX + alongY * alongY);
    return [=](float x, float y)
    {
        const float t = ((x - from[0]) * alongX + (y - from[1]) * alongY) / lengthSquared;
        return KelpForge::Tools::Mix(fromColor, toColor, t);
    };
}

Point CenterOf(const Canvas& canvas)
{
    return {static_cast<float>(canvas.GetWidth()) / 2.0f, static_cast<float>(canvas.GetHeight()) / 2.0f};
}

SpritePicture Finish(const std::string& name, const Canvas& canvas)
{
    return {name, canvas.GetWidth(), canvas.GetHeight(), canvas.Resolve()};
}

} // namespace Gloamshot::Content
