#ifndef KELP_FORGE_TOOLS_ASSET_KIT_WAVE_ENCODING_HPP
#define KELP_FORGE_TOOLS_ASSET_KIT_WAVE_ENCODING_HPP

// Sound files written by the project's asset tools.

#include <cstdint>
#include <string>
#include <vector>

namespace KelpForge::Tools
{

// A mono 16-bit PCM WAV file: a "fmt " chunk of 16 bytes, then the "data" chunk. Samples run from
// -1 to 1 and are clamped there.
[[nodiscard]] std::vector<unsigned char> EncodeWave(const std::vector<double>& samples,
                                                    std::uint32_t frequency);

// Writes the whole file, replacing what was there; false when it cannot be written.
[[nodiscard]] bool WriteWholeFile(const std::string& path, const std::vector<unsigned char>& bytes);

} // namespace KelpForge::Tools

#endif
