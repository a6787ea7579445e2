#ifndef KELP_FORGE_AUDIO_IMPLEMENTATION_AUDIO_DATA_HPP
#define KELP_FORGE_AUDIO_IMPLEMENTATION_AUDIO_DATA_HPP

// One sound ready for OpenAL. Fully loaded data is decoded once into a single OpenAL buffer (the
// decoded host copy lives only during construction). Streaming data, for OGG files only, records
// the stream's format and nothing else: every player that plays it decodes the file itself.
// Needs a current OpenAL context from construction to destruction (the audio manager's).

#include "kelp_forge/core/kf_defines.hpp"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace kfImplementation
{

class AudioData : private KelpForge::Core::Noncopyable
{
public:
    // A regular WAV or OGG file (any path containing ".ogg" is read as OGG). A streaming request for an OGG
    // file only opens it to learn its format; for any other file it loads fully. Failures are
    // reported and leave data that plays nothing.
    AudioData(const std::string& filePath, bool streaming);
    // A WAV file held in memory; the bytes are only read during construction.
    AudioData(const unsigned char* fileData, std::size_t fileSize);
    ~AudioData();

    // AL_FORMAT_MONO8, _MONO16, _STEREO8 or _STEREO16 by channels and bits; 0 for other channels.
    [[nodiscard]] int GetFormat() const;
    [[nodiscard]] std::uint32_t GetFrequency() const { return mFrequency; }
    [[nodiscard]] std::uint16_t GetChannels() const { return mChannels; }
    [[nodiscard]] std::uint16_t GetBitsPerSample() const { return mBitsPerSample; }
    [[nodiscard]] const std::string& GetFilePath() const { return mFilePath; }
    // Bytes of samples in the OpenAL buffer (0 for streaming data).
    [[nodiscard]] std::size_t GetDataSize() const { return mDataSize; }
    // 0 for streaming data and for data that failed to load.
    [[nodiscard]] std::uint32_t GetBufferName() const { return mBufferName; }
    // True only for an OGG file opened for streaming: data that failed to load is not streamed.
    [[nodiscard]] bool IsStreaming() const { return mIsStreaming; }

private:
    [[nodiscard]] bool OpenStream();
    [[nodiscard]] bool LoadVorbis(std::span<const unsigned char> fileBytes);
    [[nodiscard]] bool LoadWave(std::span<const unsigned char> fileBytes);
    [[nodiscard]] bool SetVorbisFormat(int channels, std::uint32_t frequency);
    void Upload(const void* samples);

    std::string mFilePath;
    std::uint32_t mFrequency = 0;
    std::uint16_t mBitsPerSample = 0;
    std::uint16_t mChannels = 0;
    std::size_t mDataSize = 0;
    std::uint32_t mBufferName = 0;
    bool mIsStreaming = false;
};

} // namespace kfImplementation

#endif
