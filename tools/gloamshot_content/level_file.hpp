#ifndef GLOAMSHOT_CONTENT_LEVEL_FILE_HPP
#define GLOAMSHOT_CONTENT_LEVEL_FILE_HPP

// The level file: a backdrop layer naming the cave picture, and the spiders, lanterns and cave
// walls of the layout as level objects.

#include "cave_layout.hpp"

#include <string>

namespace Gloamshot::Content
{

// backdropImage is the picture's name relative to the data folder.
[[nodiscard]] std::string MakeLevelJson(const CaveLayout& layout, const std::string& backdropImage);

} // namespace Gloamshot::Content

#endif
