#include "asset_kit/wave_encoding.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace KelpForge::Tools
{
namespace
{

void PutUint16(std::vector<unsigned char>& bytes, std::uint16_t value)
{
    bytes.push_back(static_cast<unsigned char>(value & 0xFF));
    bytes.push_back(static_cast<unsigned char>(value >> 8));
}

void PutUint32(std::vector<unsigned char>& bytes, std::uint32_t value)
{
    PutUint16(bytes, static_cast<std::uint16_t>(value & 0xFFFF));
    PutUint16(bytes, static_cast<std::uint16_t>(value >> 16));
}

void PutIdentifier(std::vector<unsigned char>& bytes, const char* identifier)
{
    // One byte at a time: GCC 12 at -O2 takes an insert of a range into an empty vector for an
    // overflow.
    for (int index = 0; index < 4; ++index)
    {
        bytes.push_back(static_cast<unsigned char>(identifier[index]));
    }
}

} // namespace

std::vector<unsigned char> EncodeWave(const std::vector<double>& samples, std::uint32_t frequency)
{
    constexpr std::uint16_t kBytesPerSample = 2;
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * kBytesPerSample);
    std::vector<unsigned char> bytes;
    PutIdentifier(bytes, "RIFF");
    PutUint32(bytes, 36 + dataSize);
    PutIdentifier(bytes, "WAVE");
    PutIdentifier(bytes, "fmt ");
    PutUint32(bytes, 16);
    PutUint16(bytes, 1); // PCM
    PutUint16(bytes, 1); // mono
    PutUint32(bytes, frequency);
    PutUint32(bytes, frequency * kBytesPerSample);
    PutUint16(bytes, kBytesPerSample);
    PutUint16(bytes, 16);
    PutIdentifier(bytes, "data");
    PutUint32(bytes, dataSize);
    for (const double value : samples)
    {
        const double clamped = std::clamp(value, -1.0, 1.0);
        PutUint16(bytes,
                  static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(clamped * 32767.0))));
    }
    return bytes;
}

bool WriteWholeFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::FILE* output = std::fopen(path.c_str(), "wb");
    if (output == nullptr)
    {
        return false;
    }
    const bool isWritten = std::fwrite(bytes.data(), 1, bytes.size(), output) == bytes.size();
    return std::fclose(output) == 0 && isWritten;
}

} // namespace KelpForge::Tools
