#include "gloamshot/level_file.hpp"

#include "kelp_forge/core/kf_dynamic_structure.hpp"
#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/core/kf_json_parser.hpp"

#include <filesystem>
#include <optional>
#include <system_error>

namespace Gloamshot
{

using KelpForge::Core::DynamicStructure;
using KelpForge::Math::Vector2;

namespace
{

Vector2 ReadPoint(const DynamicStructure& point)
{
    return Vector2(point.GetMember("x").AsFloat(true), point.GetMember("y").AsFloat(true));
}

std::optional<LevelObjectType> ObjectTypeFromName(const std::string& name)
{
    if (name == "spider")
    {
        return LevelObjectType::kSpider;
    }
    if (name == "lantern")
    {
        return LevelObjectType::kLantern;
    }
    if (name == "cave")
    {
        return LevelObjectType::kCave;
    }
    return std::nullopt;
}

void ReadObjects(const DynamicStructure& objects, std::vector<LevelObject>& level)
{
    for (std::uint32_t index = 0; index < objects.Size(); ++index)
    {
        const DynamicStructure& object = objects.GetValue(index);
        const std::optional<LevelObjectType> type =
            ObjectTypeFromName(object.GetMember("type").AsString(true));
        if (!type)
        {
            continue;
        }
        LevelObject& read = level.emplace_back(LevelObject{*type, ReadPoint(object), {}});
        if (read.type == LevelObjectType::kCave)
        {
            const DynamicStructure& polygon = object.GetMember("polygon");
            for (std::uint32_t point = 0; point < polygon.Size(); ++point)
            {
                read.points.push_back(ReadPoint(polygon.GetValue(point)) + read.position);
            }
        }
    }
}

} // namespace

LevelDescription ReadLevelFile(const std::string& filepath)
{
    LevelDescription level;
    const DynamicStructure document = KelpForge::Core::LoadJsonFile(filepath);
    // The JSON loader reports a file it cannot open, but gives malformed text back as nil without a
    // word; read as a level without layers, that would be won on every step.
    if (document.IsNil())
    {
        std::error_code unreadable;
        kf_error_if(std::filesystem::is_regular_file(filepath, unreadable),
                    "kfDataError: Level file is not valid JSON: %s", filepath.c_str());
        return level;
    }
    const DynamicStructure& layers = document.GetMember("layers");
    for (std::uint32_t index = 0; index < layers.Size(); ++index)
    {
        const DynamicStructure& layer = layers.GetValue(index);
        const std::string name = layer.GetMember("name").AsString(true);
        if (name == "backdrop")
        {
            level.backdropImages.push_back(layer.GetMember("image").AsString(true));
        }
        else if (name == "level_objects")
        {
            ReadObjects(layer.GetMember("objects"), level.objects);
        }
    }
    return level;
}

} // namespace Gloamshot
