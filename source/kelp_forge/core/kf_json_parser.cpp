#include "kelp_forge/core/kf_json_parser.hpp"

#include "kelp_forge/core/implementation/kfi_json_value.hpp"
#include "kelp_forge/core/kf_whole_file_reader.hpp"

#include <cstdint>
#include <utility>

using kfImplementation::JsonValue;

namespace KelpForge::Core
{

namespace
{

// Takes value over and frees each part as soon as it is converted, so that the new tree is built
// in memory the old one has just given back.
DynamicStructure ToDynamicStructure(JsonValue value)
{
    DynamicStructure result;
    switch (value.GetValueType())
    {
    case JsonValue::StringVal:
        result.SetValue(value.AsString(), true);
        break;
    case JsonValue::IntVal:
        result.SetValue(static_cast<int>(value.AsInteger()), true);
        break;
    case JsonValue::FloatVal:
    case JsonValue::DoubleVal:
        result.SetValue(value.AsFloat(), true);
        break;
    case JsonValue::BoolVal:
        result.SetValue(value.AsBool(), true);
        break;
    case JsonValue::ObjectVal:
        for (auto& [key, member] : value.AsObject())
        {
            result.AddMember(key, ToDynamicStructure(std::move(member)));
        }
        break;
    case JsonValue::ArrayVal:
        for (JsonValue& element : value.AsArray())
        {
            // An empty object or array converts to nil, which an array cannot hold.
            DynamicStructure converted = ToDynamicStructure(std::move(element));
            if (!converted.IsNil())
            {
                result.PushValue(std::move(converted));
            }
        }
        break;
    default:
        break;
    }
    return result;
}

// Far beyond any data file; the text of a larger one and the tree made from it would take memory
// the game needs.
constexpr std::uintmax_t kLargestJsonFile = std::uintmax_t{256} << 20;

} // namespace

DynamicStructure LoadJsonFile(const std::string& filepath)
{
    const WholeFile file = ReadWholeFile(filepath, kLargestJsonFile);
    if (file.failure == WholeFileFailure::kTooLarge || file.failure == WholeFileFailure::kOutOfMemory)
    {
        kf_error("Was unable to allocate memory to load json file: %s", filepath.c_str());
        return kNullValue;
    }
    if (!file.IsRead())
    {
        kf_error("Was unable to load json file: %s\n", filepath.c_str());
        return kNullValue;
    }
    const std::string_view text(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size());
    return ParseJson(text.substr(0, text.find('\0')));
}

DynamicStructure ParseJson(std::string_view jsonText)
{
    return ToDynamicStructure(kfImplementation::Deserialize(jsonText));
}

} // namespace KelpForge::Core
