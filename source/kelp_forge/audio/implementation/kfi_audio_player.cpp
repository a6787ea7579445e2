#include "kelp_forge/audio/implementation/kfi_audio_player.hpp"

#include "kelp_forge/audio/implementation/kfi_audio_data.hpp"
#include "kelp_forge/audio/implementation/kfi_openal_check.hpp"
#include "kelp_forge/audio/implementation/kfi_vorbis.hpp"
#include "kelp_forge/audio/kf_audio_manager.hpp"
#include "kelp_forge/core/kf_error.hpp"

#include <AL/al.h>

#include <array>
#include <vector>

namespace kfImplementation
{

// The decoder and the two buffers a stream plays from, alternating.
struct AudioPlayer::StreamState : private KelpForge::Core::Noncopyable
{
    StreamState(stb_vorbis* openDecoder, const AudioData& data)
        : decoder(openDecoder), samplesPerChunk(data.GetFrequency() * sStreamChunkSeconds),
          chunk(std::size_t{samplesPerChunk} * data.GetChannels())
    {
        kf_al_check(alGenBuffers(2, buffers.data()));
    }
    // The source is deleted first, so the buffers are no longer queued anywhere.
    ~StreamState()
    {
        stb_vorbis_close(decoder);
        kf_al_check(alDeleteBuffers(2, buffers.data()));
    }

    // Samples per channel decoded into chunk from offset (in 16-bit values) onwards.
    int Read(std::size_t offset, int channels)
    {
        return stb_vorbis_get_samples_short_interleaved(decoder, channels, chunk.data() + offset,
                                                        static_cast<int>(chunk.size() - offset));
    }

    stb_vorbis* decoder = nullptr;
    std::uint32_t samplesPerChunk = 0;
    std::vector<short> chunk;
    std::array<ALuint, 2> buffers{};
    std::size_t nextIndex = 0;
};

AudioPlayer::AudioPlayer(std::uint32_t channelIdentifier) : mChannelIdentifier(channelIdentifier)
{
    kf_al_check(alGenSources(1, &mSourceName));
    kf_al_check(alSourcei(mSourceName, AL_SOURCE_RELATIVE, AL_TRUE));
    kf_al_check(alSourcei(mSourceName, AL_ROLLOFF_FACTOR, 1));
    kf_al_check(alSourcef(mSourceName, AL_REFERENCE_DISTANCE, 100.0f));
    kf_al_check(alSourcef(mSourceName, AL_MAX_DISTANCE, 110.0f));
    kf_al_check(alSourcef(mSourceName, AL_PITCH, 1.0f));
    kf_al_check(alSourcef(mSourceName, AL_GAIN, GetMasterVolume()));
    kf_al_check(alSource3f(mSourceName, AL_POSITION, 0.0f, 0.1f, 0.0f));
    kf_al_check(alSource3f(mSourceName, AL_VELOCITY, 0.0f, 0.0f, 0.0f));
}

AudioPlayer::~AudioPlayer()
{
    kf_al_check(alDeleteSources(1, &mSourceName));
    mStream.reset();
    mAudioData.reset();
}

void AudioPlayer::SetAudioData(std::shared_ptr<AudioData> data, bool looping)
{
    kf_error_if(mAudioData != nullptr, "kfInternalError: This player already has valid audio data.");
    kf_error_if(data == nullptr, "kfInternalError: Expected valid AudioData in this AudioPlayer.");
    if (mAudioData != nullptr || data == nullptr)
    {
        return;
    }
    mAudioData = std::move(data);
    kf_al_check(alSourceRewind(mSourceName));
    kf_al_check(alSourcei(mSourceName, AL_BUFFER, 0));
    if (mAudioData->IsStreaming())
    {
        // Runs before Play stores looping, so the first two chunks never wrap around.
        FillStreamBuffer();
    }
    else if (mAudioData->GetBufferName() != 0)
    {
        const ALuint bufferName = mAudioData->GetBufferName();
        kf_al_check(alSourceQueueBuffers(mSourceName, 1, &bufferName));
    }
    // Data that failed to load queues nothing: the source stops at once and the player finishes.
    Play(looping);
}

void AudioPlayer::Play(bool looping)
{
    mLooping = looping;
    const bool isFullyLoaded = mAudioData != nullptr && !mAudioData->IsStreaming();
    kf_al_check(alSourcei(mSourceName, AL_LOOPING, looping && isFullyLoaded ? AL_TRUE : AL_FALSE));
    kf_al_check(alSourcePlay(mSourceName));
}

void AudioPlayer::SetPitch(float pitch)
{
    kf_error_if(pitch < 0.0f, "kfExternalError: Expected pitch to remain a positive value.");
    kf_al_check(alSourcef(mSourceName, AL_PITCH, pitch));
}

void AudioPlayer::SetVolume(float volume)
{
    kf_error_if(volume < 0.0f || volume > 1.0f,
                "kfExternalError: Expected volume to remain within range: (0.0f <= volume <= 1.0f).");
    kf_al_check(alSourcef(mSourceName, AL_GAIN, GetMasterVolume() * volume));
}

float AudioPlayer::GetGain() const
{
    ALfloat gain = 0.0f;
    kf_al_check(alGetSourcef(mSourceName, AL_GAIN, &gain));
    return gain;
}

float AudioPlayer::GetPitch() const
{
    ALfloat pitch = 0.0f;
    kf_al_check(alGetSourcef(mSourceName, AL_PITCH, &pitch));
    return pitch;
}

void AudioPlayer::Update()
{
    ALint processedCount = 0;
    kf_al_check(alGetSourcei(mSourceName, AL_BUFFERS_PROCESSED, &processedCount));
    // Both stream buffers played out before this step: the source ran dry and stopped.
    const bool isStarved = processedCount == 2;
    for (ALint processed = 0; processed < processedCount; ++processed)
    {
        const bool isStreaming = mAudioData != nullptr && mAudioData->IsStreaming();
        if (!isStreaming && mLooping)
        {
            continue;
        }
        ALuint bufferName = 0;
        kf_al_check(alSourceUnqueueBuffers(mSourceName, 1, &bufferName));
        if (isStreaming)
        {
            FillStreamBuffer();
        }
        else
        {
            mAudioData.reset();
        }
    }
    if (isStarved)
    {
        ALint state = AL_STOPPED;
        kf_al_check(alGetSourcei(mSourceName, AL_SOURCE_STATE, &state));
        if (state == AL_STOPPED)
        {
            kf_al_check(alSourcePlay(mSourceName));
        }
    }
}

bool AudioPlayer::IsFinished() const
{
    // Without a working source nothing plays, so the defaults read as finished.
    ALint state = AL_STOPPED;
    ALint queuedCount = 0;
    kf_al_check(alGetSourcei(mSourceName, AL_SOURCE_STATE, &state));
    kf_al_check(alGetSourcei(mSourceName, AL_BUFFERS_QUEUED, &queuedCount));
    return state == AL_STOPPED || (queuedCount == 0 && !mLooping);
}

void AudioPlayer::FillStreamBuffer()
{
    kf_error_if(mAudioData == nullptr, "kfInternalError: Expected valid AudioData in this AudioPlayer.");
    if (mAudioData == nullptr)
    {
        return;
    }
    kf_error_if(!mAudioData->IsStreaming(),
                "kfInternalError: Expected AudioData to be for a streaming audio.");
    if (!mAudioData->IsStreaming())
    {
        return;
    }
    if (mStream == nullptr)
    {
        int error = 0;
        stb_vorbis* decoder = stb_vorbis_open_filename(mAudioData->GetFilePath().c_str(), &error, nullptr);
        if (decoder == nullptr)
        {
            // The file was readable when the data was made; it may have gone since.
            kf_error("kfError: Was unable to initialize audio file for streaming, \"%s\".",
                     mAudioData->GetFilePath().c_str());
            return;
        }
        mStream = std::make_unique<StreamState>(decoder, *mAudioData);
        stb_vorbis_seek_start(mStream->decoder);
        FillStreamBuffer();
    }

    const int channels = mAudioData->GetChannels();
    int samplesRead = mStream->Read(0, channels);
    if (samplesRead == 0)
    {
        if (!mLooping)
        {
            return;
        }
        stb_vorbis_seek_start(mStream->decoder);
        samplesRead = mStream->Read(0, channels);
        // NOTE: a stream without any samples has nothing to loop; queuing nothing lets it finish.
        if (samplesRead == 0)
        {
            return;
        }
    }
    if (static_cast<std::uint32_t>(samplesRead) < mStream->samplesPerChunk && mLooping)
    {
        stb_vorbis_seek_start(mStream->decoder);
        const int wrappedRead = mStream->Read(static_cast<std::size_t>(samplesRead) * channels, channels);
        kf_error_if(static_cast<std::uint32_t>(samplesRead + wrappedRead) != mStream->samplesPerChunk,
                    "kfInternalError: Streaming and Looping Audio, perhaps buffer size too large?");
        samplesRead += wrappedRead;
    }

    const ALuint bufferName = mStream->buffers[mStream->nextIndex];
    const std::size_t byteCount = static_cast<std::size_t>(samplesRead) * channels * sizeof(short);
    kf_al_check(alBufferData(bufferName, mAudioData->GetFormat(), mStream->chunk.data(),
                             static_cast<ALsizei>(byteCount),
                             static_cast<ALsizei>(mAudioData->GetFrequency())));
    kf_al_check(alSourceQueueBuffers(mSourceName, 1, &bufferName));
    mStream->nextIndex = 1 - mStream->nextIndex;
}

float AudioPlayer::GetMasterVolume() const
{
    const KelpForge::Audio::AudioManager& manager = KelpForge::Audio::theAudioManager;
    return mMusic ? manager.GetMusicVolume() : manager.GetSoundVolume();
}

} // namespace kfImplementation
