#ifndef KELP_FORGE_AUDIO_IMPLEMENTATION_WAVE_READER_HPP
#define KELP_FORGE_AUDIO_IMPLEMENTATION_WAVE_READER_HPP

// Reads the format and the sample bytes of a RIFF/WAVE file held in memory. Chunks before "fmt " and
// between "fmt " and "data" are skipped by exactly their stated size; the "fmt " chunk must be the
// 16-byte PCM form. Only mono or stereo, 8 or 16 bits per sample are accepted.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kfImplementation
{

struct WaveContents
{
    std::uint16_t channels = 0;
    std::uint32_t frequency = 0;
    std::uint16_t bitsPerSample = 0;
    // Points into the bytes given to ReadWave, so it lives only as long as they do. Holds whole
    // sample frames only: a "data" chunk that claims more bytes than the file holds is cut to the
    // frames actually present.
    std::span<const unsigned char> samples;
};

// Reports what is wrong (naming filePath where the message does) and returns nothing when the bytes
// are not a WAV file of a supported format.
[[nodiscard]] std::optional<WaveContents> ReadWave(std::span<const unsigned char> fileBytes,
                                                   const std::string& filePath);

} // namespace kfImplementation

#endif
