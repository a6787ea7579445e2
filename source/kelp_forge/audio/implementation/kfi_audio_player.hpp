#ifndef KELP_FORGE_AUDIO_IMPLEMENTATION_AUDIO_PLAYER_HPP
#define KELP_FORGE_AUDIO_IMPLEMENTATION_AUDIO_PLAYER_HPP

// One playing sound on its own OpenAL source, stepped once per fixed simulation step by the audio
// manager until it reports that it has finished. Fully loaded data plays from its one buffer;
// streaming data is decoded by the player into two alternating buffers of three seconds each.
// Every source sits at the same fixed point just above the listener.

#include "kelp_forge/core/kf_defines.hpp"

#include <cstdint>
#include <memory>

namespace kfImplementation
{

class AudioData;

class AudioPlayer : private KelpForge::Core::Noncopyable
{
public:
    // Seconds of samples in each of a stream's two buffers.
    static constexpr std::uint32_t sStreamChunkSeconds = 3;

    explicit AudioPlayer(std::uint32_t channelIdentifier);
    ~AudioPlayer();

    // Holds data (shared with the sound cache) and starts playing it at once. A player plays one
    // sound only: a second call is refused.
    void SetAudioData(std::shared_ptr<AudioData> data, bool looping);
    // Restarts the source. Fully loaded data loops through OpenAL; a stream loops by rewinding
    // its decoder when it runs out.
    void Play(bool looping);
    // pitch >= 0 (OpenAL itself refuses 0); volume from 0 to 1, scaled by the master volume.
    void SetPitch(float pitch);
    void SetVolume(float volume);
    // The gain and pitch the OpenAL source holds now; the gain includes the master volume.
    [[nodiscard]] float GetGain() const;
    [[nodiscard]] float GetPitch() const;
    // Music uses the music master volume, anything else the sound-effect one.
    void SetMusic(bool isMusic) { mMusic = isMusic; }

    // Unqueues what OpenAL has played: releases a played-out sound, refills a stream.
    void Update();
    [[nodiscard]] bool IsFinished() const;
    [[nodiscard]] std::uint32_t GetChannelIdentifier() const { return mChannelIdentifier; }

private:
    struct StreamState;

    void FillStreamBuffer();
    [[nodiscard]] float GetMasterVolume() const;

    std::shared_ptr<AudioData> mAudioData;
    std::unique_ptr<StreamState> mStream;
    std::uint32_t mChannelIdentifier = 0;
    std::uint32_t mSourceName = 0;
    bool mMusic = false;
    bool mLooping = false;
};

} // namespace kfImplementation

#endif
