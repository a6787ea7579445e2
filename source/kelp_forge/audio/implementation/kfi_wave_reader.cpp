#include "kelp_forge/audio/implementation/kfi_wave_reader.hpp"

#include "kelp_forge/audio/implementation/kfi_audio_format.hpp"
#include "kelp_forge/core/kf_error.hpp"

#include <algorithm>
#include <cstring>

namespace
{

// A read position over the file's bytes. Moving past the end leaves it at the end, so the next read
// fails the way a file stream's read after a seek past its end does.
class ByteCursor
{
public:
    explicit ByteCursor(std::span<const unsigned char> bytes) : mBytes(bytes) {}

    [[nodiscard]] std::size_t Remaining() const { return mBytes.size() - mPosition; }
    [[nodiscard]] std::span<const unsigned char> Take(std::size_t count)
    {
        const std::span<const unsigned char> taken = mBytes.subspan(mPosition, std::min(count, Remaining()));
        mPosition += taken.size();
        return taken;
    }
    void Skip(std::uint32_t count) { mPosition += std::min<std::size_t>(count, Remaining()); }

private:
    std::span<const unsigned char> mBytes;
    std::size_t mPosition = 0;
};

std::uint16_t ReadUint16(std::span<const unsigned char> bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

std::uint32_t ReadUint32(std::span<const unsigned char> bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(ReadUint16(bytes, offset)) |
           (static_cast<std::uint32_t>(ReadUint16(bytes, offset + 2)) << 16);
}

bool HasIdentifier(std::span<const unsigned char> bytes, std::size_t offset, const char* identifier)
{
    return std::memcmp(bytes.data() + offset, identifier, 4) == 0;
}

// Skips chunks until one named identifier; nothing when the bytes end first.
std::optional<std::uint32_t> FindChunk(ByteCursor& cursor, const char* identifier)
{
    constexpr std::size_t kHeaderSize = 8;
    while (cursor.Remaining() >= kHeaderSize)
    {
        const std::span<const unsigned char> header = cursor.Take(kHeaderSize);
        const std::uint32_t size = ReadUint32(header, 4);
        if (HasIdentifier(header, 0, identifier))
        {
            return size;
        }
        cursor.Skip(size);
    }
    return std::nullopt;
}

} // namespace

std::optional<kfImplementation::WaveContents>
kfImplementation::ReadWave(std::span<const unsigned char> fileBytes, const std::string& filePath)
{
    ByteCursor cursor(fileBytes);
    const std::span<const unsigned char> riffHeader = cursor.Take(12);
    if (riffHeader.size() < 12 || !HasIdentifier(riffHeader, 0, "RIFF") ||
        !HasIdentifier(riffHeader, 8, "WAVE"))
    {
        kf_error(
            "kfExternalError: Failed to process audio file, \"%s\", audio file is not a supported WAV file.",
            filePath.c_str());
        return std::nullopt;
    }

    constexpr std::uint32_t kFormatChunkSize = 16;
    const std::optional<std::uint32_t> formatSize = FindChunk(cursor, "fmt ");
    // A "fmt " header whose body is cut off by the end of the file is no more found than a missing one.
    if (!formatSize || (*formatSize == kFormatChunkSize && cursor.Remaining() < kFormatChunkSize))
    {
        kf_error("kfExternalError: Was unable to find 'fmt ' chunk in wave file.");
        return std::nullopt;
    }
    if (*formatSize != kFormatChunkSize)
    {
        kf_error("Expected \"fmt \" sub-chunk size to be 16 bytes.");
        return std::nullopt;
    }
    const std::span<const unsigned char> format = cursor.Take(kFormatChunkSize);
    WaveContents contents;
    contents.channels = ReadUint16(format, 2);
    contents.frequency = ReadUint32(format, 4);
    contents.bitsPerSample = ReadUint16(format, 14);

    const std::optional<std::uint32_t> dataSize = FindChunk(cursor, "data");
    if (!dataSize)
    {
        kf_error("kfExternalError: Was unable to find data chunk in wave file.");
        return std::nullopt;
    }
    if (contents.channels != 1 && contents.channels != 2)
    {
        kf_error("kfExternalError: Audio file \"%s\" is not a mono or stereo WAV file.", filePath.c_str());
        return std::nullopt;
    }
    if (contents.bitsPerSample != 8 && contents.bitsPerSample != 16)
    {
        kf_error("kfExternalError: Audio file \"%s\" is not a 8bit or 16bit WAV file.", filePath.c_str());
        return std::nullopt;
    }
    if (!IsSupportedFrequency(contents.frequency))
    {
        kf_error(
            "kfExternalError: Failed to process audio file, \"%s\", audio file is not a supported WAV file.",
            filePath.c_str());
        return std::nullopt;
    }

    const std::size_t frameSize = std::size_t{contents.channels} * (contents.bitsPerSample / 8u);
    const std::size_t presentSize = std::min<std::size_t>(*dataSize, cursor.Remaining());
    contents.samples = cursor.Take(presentSize - presentSize % frameSize);
    return contents;
}
