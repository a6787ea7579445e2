#include "kelp_forge/audio/implementation/kfi_audio_data.hpp"

#include "kelp_forge/audio/implementation/kfi_audio_format.hpp"
#include "kelp_forge/audio/implementation/kfi_openal_check.hpp"
#include "kelp_forge/audio/implementation/kfi_vorbis.hpp"
#include "kelp_forge/audio/implementation/kfi_wave_reader.hpp"
#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/core/kf_whole_file_reader.hpp"

#include <AL/al.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <memory>

namespace
{

// stb_vorbis takes the size of data in memory as an int; a RIFF file's 32-bit size counts all but
// its first 8 bytes.
constexpr std::uintmax_t kLargestVorbisFile = std::numeric_limits<int>::max();
constexpr std::uintmax_t kLargestWaveFile = (std::uintmax_t{1} << 32) + 7;

// A stream is opened by name, and a pipe would block the opening for ever.
bool IsRegularFile(const std::string& filePath)
{
    std::error_code error;
    return std::filesystem::is_regular_file(filePath, error);
}

bool IsVorbisPath(const std::string& filePath)
{
    return filePath.find(".ogg") != std::string::npos;
}

struct FreeDeleter
{
    void operator()(void* memory) const { std::free(memory); }
};

} // namespace

namespace kfImplementation
{

AudioData::AudioData(const std::string& filePath, bool streaming) : mFilePath(filePath)
{
    if (streaming && IsVorbisPath(mFilePath))
    {
        mIsStreaming = IsRegularFile(mFilePath) && OpenStream();
        kf_error_if(!mIsStreaming, "kfError: Was unable to initialize audio file for streaming, \"%s\".",
                    mFilePath.c_str());
        return;
    }

    const bool isVorbis = IsVorbisPath(mFilePath);
    const KelpForge::Core::WholeFile file =
        KelpForge::Core::ReadWholeFile(mFilePath, isVorbis ? kLargestVorbisFile : kLargestWaveFile);
    if (!file.IsRead())
    {
        kf_error("kfExternalError: Failed to load audio file, \"%s\".", mFilePath.c_str());
        return;
    }
    const bool isLoaded = isVorbis ? LoadVorbis(file.bytes) : LoadWave(file.bytes);
    kf_error_if(!isLoaded, "kfError: Was unable to initialize audio data for file, \"%s\".",
                mFilePath.c_str());
}

AudioData::AudioData(const unsigned char* fileData, std::size_t fileSize)
{
    kf_error_if(fileData == nullptr,
                "kfExternalError: Invalid file data, expected valid memory buffer containing file.");
    kf_error_if(fileSize == 0, "kfExternalError: Invalid file size, 0 bytes.");
    if (fileData == nullptr || fileSize == 0)
    {
        return;
    }
    const bool isLoaded = LoadWave({fileData, fileSize});
    kf_error_if(!isLoaded, "kfError: Was unable to initialize audio data for file, \"%s\".",
                mFilePath.c_str());
}

AudioData::~AudioData()
{
    if (mBufferName != 0)
    {
        kf_al_check(alDeleteBuffers(1, &mBufferName));
    }
}

int AudioData::GetFormat() const
{
    const bool isEightBit = mBitsPerSample == 8;
    switch (mChannels)
    {
    case 1:
        return isEightBit ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16;
    case 2:
        return isEightBit ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16;
    default:
        return 0;
    }
}

bool AudioData::OpenStream()
{
    int error = 0;
    stb_vorbis* decoder = stb_vorbis_open_filename(mFilePath.c_str(), &error, nullptr);
    if (decoder == nullptr)
    {
        return false;
    }
    const stb_vorbis_info information = stb_vorbis_get_info(decoder);
    stb_vorbis_close(decoder);
    return SetVorbisFormat(information.channels, information.sample_rate);
}

bool AudioData::LoadVorbis(std::span<const unsigned char> fileBytes)
{
    int channels = 0;
    int frequency = 0;
    short* output = nullptr;
    const int samplesPerChannel = stb_vorbis_decode_memory(
        fileBytes.data(), static_cast<int>(fileBytes.size()), &channels, &frequency, &output);
    const std::unique_ptr<short, FreeDeleter> samples(output);
    if (samplesPerChannel <= 0 || samples == nullptr ||
        !SetVorbisFormat(channels, static_cast<std::uint32_t>(frequency)))
    {
        return false;
    }
    mDataSize = static_cast<std::size_t>(samplesPerChannel) * mChannels * sizeof(short);
    Upload(samples.get());
    return true;
}

bool AudioData::LoadWave(std::span<const unsigned char> fileBytes)
{
    const std::optional<WaveContents> contents = ReadWave(fileBytes, mFilePath);
    if (!contents)
    {
        return false;
    }
    mChannels = contents->channels;
    mFrequency = contents->frequency;
    mBitsPerSample = contents->bitsPerSample;
    mDataSize = contents->samples.size();
    Upload(contents->samples.data());
    return true;
}

bool AudioData::SetVorbisFormat(int channels, std::uint32_t frequency)
{
    mBitsPerSample = 16;
    if (channels != 1 && channels != 2)
    {
        kf_error("kfExternalError: Audio file \"%s\" is not a mono or stereo OGG file.", mFilePath.c_str());
        return false;
    }
    mChannels = static_cast<std::uint16_t>(channels);
    mFrequency = frequency;
    return IsSupportedFrequency(frequency);
}

void AudioData::Upload(const void* samples)
{
    kf_al_check(alGenBuffers(1, &mBufferName));
    // OpenAL counts buffer bytes in a signed 32-bit size.
    if (mDataSize > static_cast<std::size_t>(std::numeric_limits<ALsizei>::max()))
    {
        kf_error("kfError: Size of audio buffer is too large, audio larger than 4gb.");
        return;
    }
    kf_al_check(alBufferData(mBufferName, GetFormat(), samples, static_cast<ALsizei>(mDataSize),
                             static_cast<ALsizei>(mFrequency)));
}

} // namespace kfImplementation
