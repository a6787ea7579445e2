#ifndef GLOAMSHOT_CONTENT_PICTURE_DRAWING_HPP
#define GLOAMSHOT_CONTENT_PICTURE_DRAWING_HPP

// Drawing the game's sprites and logo: filled shapes that only visit the samples around
// themselves, and the finished picture of one sprite.

#include "asset_kit/canvas.hpp"
#include "asset_kit/shapes.hpp"

#include <string>
#include <vector>

namespace Gloamshot::Content
{

using KelpForge::Tools::Canvas;
using KelpForge::Tools::Color;
using KelpForge::Tools::Paint;
using KelpForge::Tools::Point;

constexpr int kSpriteSubsamples = 4;

struct SpritePicture
{
    std::string name;
    int width;
    int height;
    std::vector<unsigned char> rgba;
};

void FillDisc(Canvas& canvas, Point center, float radius, const Paint& paint);
void FillEllipse(Canvas& canvas, Point center, float halfLength, float halfWidth, float angle,
                 const Paint& paint);
void FillCapsule(Canvas& canvas, Point from, Point to, float halfWidth, const Paint& paint);
void FillPolygon(Canvas& canvas, const std::vector<Point>& corners, const Paint& paint);

// A paint of one colour.
[[nodiscard]] Paint Solid(const Color& color);
// A paint that goes from one colour at the first point to another at the second.
[[nodiscard]] Paint Gradient(Point from, const Color& fromColor, Point to, const Color& toColor);

// The middle of a sprite's frame, where the game centres most sprites.
[[nodiscard]] Point CenterOf(const Canvas& canvas);

[[nodiscard]] SpritePicture Finish(const std::string& name, const Canvas& canvas);

} // namespace Gloamshot::Content

#endif
