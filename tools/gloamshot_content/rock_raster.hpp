#ifndef GLOAMSHOT_CONTENT_ROCK_RASTER_HPP
#define GLOAMSHOT_CONTENT_ROCK_RASTER_HPP

// Per-pixel fields of the cave's rock, made from the very wall chains that the level file holds.

#include "asset_kit/shapes.hpp"

#include <vector>

namespace Gloamshot::Content
{

using KelpForge::Tools::Point;

// A value per pixel, row by row from the top-left.
struct PixelField
{
    int width;
    int height;
    std::vector<float> values;

    [[nodiscard]] float At(int x, int y) const;
};

// How much of each pixel is rock, 0 to 1, from 4 x 4 samples: rock is where a point lies inside
// an even number of the closed chains (outside the outline, or inside a rock standing in it).
[[nodiscard]] PixelField RockCoverage(const std::vector<std::vector<Point>>& chains, int width, int height);

// For each pixel, the distance in pixels to the nearest pixel whose value is on the other side of
// one half: inside rock the distance to open cave, in the open the distance to rock.
[[nodiscard]] PixelField DistanceAcrossEdge(const PixelField& coverage);

} // namespace Gloamshot::Content

#endif
