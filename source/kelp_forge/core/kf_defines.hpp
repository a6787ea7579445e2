#ifndef KELP_FORGE_CORE_DEFINES_HPP
#define KELP_FORGE_CORE_DEFINES_HPP

#include "kelp_forge/core/kf_error.hpp"

#include <concepts>
#include <limits>
#include <utility>

namespace KelpForge::Core
{

// Derive privately to forbid copies of objects that own process-wide or graphics resources.
class Noncopyable
{
protected:
    Noncopyable() = default;
    ~Noncopyable() = default;

public:
    Noncopyable(const Noncopyable&) = delete;
    Noncopyable& operator=(const Noncopyable&) = delete;
};

template <typename TargetType, typename SourceType> constexpr bool IsInRangeOf(const SourceType& value)
{
    if constexpr (std::integral<TargetType> && std::integral<SourceType>)
    {
        return std::in_range<TargetType>(value);
    }
    else if constexpr (std::integral<TargetType>)
    {
        // NOTE: the upper limit of a 64-bit integer is not exact as a float, so compare with a
        // half-open range whose bound (a power of two) is.
        const long double asWide = static_cast<long double>(value);
        return asWide >= static_cast<long double>(std::numeric_limits<TargetType>::lowest()) &&
               asWide < static_cast<long double>(std::numeric_limits<TargetType>::max()) + 1.0L;
    }
    else
    {
        const long double asWide = static_cast<long double>(value);
        return asWide >= static_cast<long double>(std::numeric_limits<TargetType>::lowest()) &&
               asWide <= static_cast<long double>(std::numeric_limits<TargetType>::max());
    }
}

// Narrowing conversion that reports a value outside the target range and then converts anyway.
template <typename TargetType, typename SourceType> TargetType RangedCast(const SourceType& value)
{
    const bool isInRange = IsInRangeOf<TargetType>(value);
    kf_error_if(!isInRange, "kfCastingError: Value is outside the range of the following cast.");
    if constexpr (std::integral<TargetType> && std::floating_point<SourceType>)
    {
        // Converting an out-of-range float to an integer is undefined; saturate instead.
        if (!isInRange)
        {
            return value < 0 ? std::numeric_limits<TargetType>::lowest() : std::numeric_limits<TargetType>::max();
        }
    }
    return static_cast<TargetType>(value);
}

} // namespace KelpForge::Core

#endif
