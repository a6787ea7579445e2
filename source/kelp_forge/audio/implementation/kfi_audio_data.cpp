#include "kelp_forge/audio/implementation/kfi_audio_data.hpp"

#include "kelp_forge/audio/implementation/kfi_audio_format.hpp"
#include "kelp_forge/audio/implementation/kfi_openal_check.hpp"
#include "kelp_forge/audio/implementation/kfi_vorbis.hpp"
#include "kelp_forge/audio/implementation/kfi_wave_reader.hpp"
#include "kelp_forge/core/kf_error.hpp"

#include <AL/al.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <vector>

namespace
{

// Device files and pipes could be read without end (or block forever), so only regular files load.
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

// Reads block by block, so the allocation never exceeds what the file really holds.
std::vector<unsigned char> ReadRemainingBytes(std::ifstream& file)
{
    std::vector<unsigned char> bytes;
    std::array<char, 64 * 1024> block;
    while (file.read(block.data(), block.size()) || file.gcount() > 0)
    {
        const auto* begin = reinterpret_cast<const unsigned char*>(block.data());
        bytes.insert(bytes.end(), begin, begin + file.gcount());
    }
    return bytes;
}

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

    std::ifstream file;
    if (IsRegularFile(mFilePath))
    {
        file.open(mFilePath, std::ios::binary);
    }
    if (!file.is_open())
    {
        kf_error("kfExternalError: Failed to load audio file, \"%s\".", mFilePath.c_str());
        return;
    }
    bool isLoaded = false;
    if (IsVorbisPath(mFilePath))
    {
        file.close();
        isLoaded = LoadVorbisFile();
    }
    else
    {
        isLoaded = LoadWave(ReadRemainingBytes(file));
    }
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

bool AudioData::LoadVorbisFile()
{
    int channels = 0;
    int frequency = 0;
    short* output = nullptr;
    const int samplesPerChannel =
        stb_vorbis_decode_filename(mFilePath.c_str(), &channels, &frequency, &output);
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
