#ifndef KELP_FORGE_AUDIO_IMPLEMENTATION_AUDIO_FORMAT_HPP
#define KELP_FORGE_AUDIO_IMPLEMENTATION_AUDIO_FORMAT_HPP

#include <cstdint>

namespace kfImplementation
{

// Highest sample rate a sound may have. A stream player holds three seconds of samples at the
// stream's rate, so an absurd rate in a broken file must not become an absurd allocation.
inline constexpr std::uint32_t kMaximumFrequency = 768000;

[[nodiscard]] constexpr bool IsSupportedFrequency(std::uint32_t frequency)
{
    return frequency > 0 && frequency <= kMaximumFrequency;
}

} // namespace kfImplementation

#endif
