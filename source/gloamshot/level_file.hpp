#ifndef GLOAMSHOT_LEVEL_FILE_HPP
#define GLOAMSHOT_LEVEL_FILE_HPP

// The level file read into plain values, before any entity or picture is made from it, so that the
// layout can be checked without a window.
//
// The file is JSON: { "layers": [ layer, ... ] }. A layer named "backdrop" names an image file
// under data/ in "image"; a layer named "level_objects" holds "objects", each with a "type"
// ("spider", "lantern" or "cave"), "x" and "y", and for a cave a "polygon" of points whose "x"
// and "y" count from the object's own. Names are exact and case-sensitive; other layers and types
// are skipped, numbers may be integers or floats, missing members read as empty or 0.

#include "kelp_forge/math/kf_vector2.hpp"

#include <string>
#include <vector>

namespace Gloamshot
{

enum class LevelObjectType
{
    kSpider,
    kLantern,
    kCave,
};

struct LevelObject
{
    LevelObjectType type = LevelObjectType::kSpider;
    KelpForge::Math::Vector2 position;            // world units
    std::vector<KelpForge::Math::Vector2> points; // a cave's wall, in world units
};

struct LevelDescription
{
    // The "image" of every backdrop layer in file order; each replaces the one before.
    std::vector<std::string> backdropImages;
    // The objects of every "level_objects" layer in file order.
    std::vector<LevelObject> objects;
};

// A file that cannot be opened is reported by the JSON loader, one that holds no JSON document
// with "kfDataError: Level file is not valid JSON: <path>"; both give an empty level.
[[nodiscard]] LevelDescription ReadLevelFile(const std::string& filepath);

} // namespace Gloamshot

#endif
