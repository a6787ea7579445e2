#ifndef KELP_FORGE_CORE_STRING_HPP
#define KELP_FORGE_CORE_STRING_HPP

#include <concepts>
#include <cstdint>
#include <sstream>
#include <string>
#include <type_traits>

namespace KelpForge::Core
{

template <typename NumberType>
concept FromStringNumber = std::same_as<NumberType, std::int64_t> || std::same_as<NumberType, float>;

// Reads one number from the front of input the way a default input stream does: leading white
// space is skipped, an optional sign is taken, and reading stops at the first character that cannot
// continue the number ("12abc" gives 12). Integers take decimal digits only; floats also take a
// point and an exponent. An empty input is reported and gives 0; text with no number at all gives 0,
// and a number beyond the type's range gives the nearest limit.
template <FromStringNumber NumberType> [[nodiscard]] NumberType FromString(const std::string& input);

// The text a default output stream writes: integers in decimal with a "-" for negatives and no
// grouping; floats with 6 significant digits in the shorter of fixed and exponent form without
// trailing zeros (1.0f gives "1", 1e7f gives "1e+07").
template <typename NumberType>
requires std::is_arithmetic_v<NumberType> &&(!std::same_as<NumberType, bool>) [[nodiscard]] std::string
    ToString(NumberType value)
{
    std::ostringstream stream;
    stream << value;
    return stream.str();
}

} // namespace KelpForge::Core

#endif
