// Feeds arbitrary bytes to the WAV reader and to AudioData's memory constructor, which the built-in
// sound uses. Nothing opens an audio device here, so the OpenAL calls report and do nothing; what
// is searched is the chunk walk and the sizes it trusts.

#include "kelp_forge/audio/implementation/kfi_audio_data.hpp"
#include "kelp_forge/audio/implementation/kfi_wave_reader.hpp"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::optional<kfImplementation::WaveContents> contents =
        kfImplementation::ReadWave({data, size}, "fuzz.wav");
    if (contents.has_value() && !contents->samples.empty())
    {
        // Read both ends of the samples, so a view reaching past the input would show.
        volatile unsigned char ends = contents->samples.front() ^ contents->samples.back();
        (void)ends;
    }
    const kfImplementation::AudioData audioData(data, size);
    return 0;
}
