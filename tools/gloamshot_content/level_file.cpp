#include "level_file.hpp"

#include <cmath>
#include <cstddef>

namespace Gloamshot::Content
{
namespace
{

constexpr std::size_t kPointsPerLine = 6;

// Every coordinate of the layout is a whole number of world units.
std::string Number(float value)
{
    return std::to_string(std::lround(value));
}

std::string PointObject(const std::string& name, const std::string& type, const Point& position)
{
    return "{\"name\": \"" + name + "\", \"type\": \"" + type + "\", \"x\": " + Number(position[0]) +
           ", \"y\": " + Number(position[1]) + "}";
}

std::string TargetObjects(const std::vector<CaveTarget>& targets, const std::string& type)
{
    std::string text;
    for (std::size_t index = 0; index < targets.size(); ++index)
    {
        text += "                " +
                PointObject(type + "_" + std::to_string(index + 1), type, targets[index].position) + ",\n";
    }
    return text;
}

// A wall chain with its points relative to the object's position, the chain's first point.
std::string CaveObject(const std::vector<Point>& chain, std::size_t number)
{
    const Point& origin = chain.front();
    std::string text = "                {\"name\": \"cave_" + std::to_string(number) +
                       "\", \"type\": \"cave\", \"x\": " + Number(origin[0]) +
                       ", \"y\": " + Number(origin[1]) + ", \"polygon\": [";
    for (std::size_t index = 0; index < chain.size(); ++index)
    {
        text += index % kPointsPerLine == 0 ? "\n                    " : " ";
        text += "{\"x\": " + Number(chain[index][0] - origin[0]) +
                ", \"y\": " + Number(chain[index][1] - origin[1]) + "}" +
                (index + 1 < chain.size() ? "," : "");
    }
    return text + "\n                ]}";
}

} // namespace

std::string MakeLevelJson(const CaveLayout& layout, const std::string& backdropImage)
{
    std::string text = "{\n    \"layers\": [\n";
    text +=
        "        {\"name\": \"backdrop\", \"type\": \"imagelayer\", \"image\": \"" + backdropImage + "\"},\n";
    text += "        {\"name\": \"level_objects\", \"type\": \"objectgroup\", \"objects\": [\n";
    text += TargetObjects(layout.spiders, "spider");
    text += TargetObjects(layout.lanterns, "lantern");
    for (std::size_t index = 0; index < layout.walls.size(); ++index)
    {
        text += CaveObject(layout.walls[index], index + 1) + (index + 1 < layout.walls.size() ? ",\n" : "\n");
    }
    return text + "        ]}\n    ]\n}\n";
}

} // namespace Gloamshot::Content
