#include "kelp_forge/core/kf_json_parser.hpp"

#include "kelp_forge/core/implementation/kfi_json_value.hpp"

#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <new>
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

struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

DynamicStructure LoadJsonFile(const std::string& filepath)
{
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(filepath.c_str(), "r"));
    struct stat status = {};
    // A directory or a device opens too, but has no size to read.
    if (file == nullptr || fstat(fileno(file.get()), &status) != 0 || !S_ISREG(status.st_mode))
    {
        kf_error("Was unable to load json file: %s\n", filepath.c_str());
        return kNullValue;
    }
    std::string text;
    try
    {
        text.assign(static_cast<std::size_t>(status.st_size), '\0');
    }
    catch (const std::bad_alloc&)
    {
        kf_error("Was unable to allocate memory to load json file: %s", filepath.c_str());
        return kNullValue;
    }
    const std::size_t bytesRead = std::fread(text.data(), 1, text.size(), file.get());
    text.resize(bytesRead);
    const std::size_t firstZero = text.find('\0');
    if (firstZero != std::string::npos)
    {
        text.resize(firstZero);
    }
    return ParseJson(text);
}

DynamicStructure ParseJson(std::string_view jsonText)
{
    return ToDynamicStructure(kfImplementation::Deserialize(jsonText));
}

} // namespace KelpForge::Core
