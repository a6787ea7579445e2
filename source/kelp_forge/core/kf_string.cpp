#include "kelp_forge/core/kf_string.hpp"

#include "kelp_forge/core/kf_error.hpp"

#include <sstream>

namespace KelpForge::Core
{

template <FromStringNumber NumberType> NumberType FromString(const std::string& input)
{
    if (input.empty())
    {
        kf_error("Invalid value for parameter: input, expected valid, non-empty, string.");
        return 0;
    }
    // A failed read leaves 0, and an out-of-range one the nearest limit, in the value.
    NumberType value = 0;
    std::istringstream stream(input);
    stream >> value;
    return value;
}

template std::int64_t FromString<std::int64_t>(const std::string& input);
template float FromString<float>(const std::string& input);

} // namespace KelpForge::Core
