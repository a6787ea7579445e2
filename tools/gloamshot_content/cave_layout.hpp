#ifndef GLOAMSHOT_CONTENT_CAVE_LAYOUT_HPP
#define GLOAMSHOT_CONTENT_CAVE_LAYOUT_HPP

// The one description of the cave that both the backdrop picture and the level file are made
// from, so that the invisible walls lie exactly where rock is drawn. World units are the window's
// pixels (1280 x 720, y downwards).

#include "asset_kit/shapes.hpp"

#include <vector>

namespace Gloamshot::Content
{

using KelpForge::Tools::Point;

constexpr int kWorldWidth = 1280;
constexpr int kWorldHeight = 720;

// A spider or lantern; one that hangs shows a silk thread or a chain up to the rock above it.
struct CaveTarget
{
    Point position;
    bool isHanging;
};

struct CaveLayout
{
    // Closed chains of whole-unit points, the first point repeated at the end. The first chain
    // outlines the open cave; the others are rocks standing free inside it. Rock is everything
    // outside the outline or inside a rock.
    std::vector<std::vector<Point>> walls;
    std::vector<CaveTarget> spiders;
    std::vector<CaveTarget> lanterns;
};

[[nodiscard]] CaveLayout MakeCaveLayout();

} // namespace Gloamshot::Content

#endif
