#include "kelp_forge/math/kf_random_numbers.hpp"

#include "kelp_forge/core/kf_error.hpp"

#include <cstdint>

namespace KelpForge::Math
{

namespace
{
// The classic 15-bit linear congruential generator; unsigned arithmetic wraps modulo 2^32.
thread_local std::uint32_t sRandomState = 1;
} // namespace

unsigned int RandomInt()
{
    sRandomState = sRandomState * 214013u + 2531011u;
    return (sRandomState >> 16) & kRandomIntMaximum;
}

float RandomFloat()
{
    return static_cast<float>(RandomInt()) * (1.0f / 32768.0f);
}

float RandomFloat(float minimumValue, float maximumValue)
{
    kf_error_if(minimumValue > maximumValue,
                "kfExternalError: Expected minimumValue to be less than maximumValue.");
    return RandomFloat() * (maximumValue - minimumValue) + minimumValue;
}

} // namespace KelpForge::Math
