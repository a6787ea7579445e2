#ifndef GLOAMSHOT_CONTENT_CAVE_BACKDROP_HPP
#define GLOAMSHOT_CONTENT_CAVE_BACKDROP_HPP

// The picture of the cave behind the game, drawn from the cave's wall chains.

#include "cave_layout.hpp"

#include <vector>

namespace Gloamshot::Content
{

// kWorldWidth x kWorldHeight opaque RGB pixels, row by row from the top-left.
[[nodiscard]] std::vector<unsigned char> PaintCaveBackdrop(const CaveLayout& layout);

} // namespace Gloamshot::Content

#endif
