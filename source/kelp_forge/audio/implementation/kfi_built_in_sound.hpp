#ifndef KELP_FORGE_AUDIO_IMPLEMENTATION_BUILT_IN_SOUND_HPP
#define KELP_FORGE_AUDIO_IMPLEMENTATION_BUILT_IN_SOUND_HPP

// The framework's start-up chime, a mono 16-bit 44,100 Hz WAV file of 167,500 bytes that
// tools/make_startup_chime.cpp synthesises at build time and the build embeds here.

#include <cstddef>

namespace kfImplementation
{

extern const unsigned char theBuiltInSoundWav[];
extern const std::size_t theBuiltInSoundWavSize;

} // namespace kfImplementation

#endif
