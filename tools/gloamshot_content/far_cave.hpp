#ifndef GLOAMSHOT_CONTENT_FAR_CAVE_HPP
#define GLOAMSHOT_CONTENT_FAR_CAVE_HPP

// The cave beyond the playable space, seen wherever the near rock leaves it open: a back wall of
// large, soft rock, distant columns, stalactites and stalagmites, and mist along the floor. None of
// it is anything an arrow could hit, so it is darker, cooler and softer than the near rock.

#include "backdrop_shading.hpp"
#include "rock_raster.hpp"

#include <vector>

namespace Gloamshot::Content
{

// One colour per pixel of the coverage's size, row by row; pixels that are wholly rock stay black.
// No dark shape of the far cave passes behind the points to keep clear.
[[nodiscard]] std::vector<Rgb> PaintFarCave(const PixelField& coverage, const std::vector<Point>& keepClear);

} // namespace Gloamshot::Content

#endif
