// Feeds arbitrary bytes to ParseJson and reads every value of the result back through the typed
// getters, so that a broken tree shows up as a sanitizer report rather than passing unnoticed.

#include "kelp_forge/core/kf_json_parser.hpp"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace
{

using KelpForge::Core::DynamicStructure;

std::size_t ReadEverything(const DynamicStructure& value)
{
    std::size_t seen = value.AsString(true).size();
    if (value.IsStructure())
    {
        for (const std::string& name : value.GetMemberNames())
        {
            seen += ReadEverything(value.GetMember(name));
        }
    }
    else if (value.IsArray())
    {
        for (std::uint32_t index = 0; index < value.Size(); ++index)
        {
            seen += ReadEverything(value.GetValue(index));
        }
    }
    else
    {
        seen += static_cast<std::size_t>(value.AsIntegerWithDefault(0, true) != 0);
        seen += static_cast<std::size_t>(value.AsBoolean(true));
        seen += static_cast<std::size_t>(value.AsFloat(true) > 0.0f);
    }
    return seen;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const DynamicStructure parsed = KelpForge::Core::ParseJson(text);
    // A copy must be as readable as the original and independent of it.
    const DynamicStructure copy = parsed;
    volatile std::size_t sink = ReadEverything(parsed) + ReadEverything(copy);
    static_cast<void>(sink);
    return 0;
}
