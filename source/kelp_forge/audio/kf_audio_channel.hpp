#ifndef KELP_FORGE_AUDIO_AUDIO_CHANNEL_HPP
#define KELP_FORGE_AUDIO_AUDIO_CHANNEL_HPP

#include <cstdint>

namespace KelpForge::Audio
{

// Identifies a sound loaded into the audio manager. Handles run 1, 2, 3, ... in load order.
using AudioHandle = std::uint32_t;
inline constexpr AudioHandle kInvalidAudioHandle = 0;

// What playing a sound gives back: the sound's handle and the channel it plays on. Channel 0 means
// none (all channels were busy). A channel is a plain value: it may outlive the sound it names, and
// then its setters do nothing.
struct AudioChannel
{
    AudioChannel() = default;
    explicit AudioChannel(AudioHandle audioHandle) : handle(audioHandle) {}
    AudioChannel(AudioHandle audioHandle, std::uint32_t channelIdentifier)
        : handle(audioHandle), channel(channelIdentifier)
    {
    }

    // Volume from 0 to 1 and pitch of 0 or more, applied while the channel still plays; a finished
    // or never started channel is ignored.
    void SetVolume(float volume) const;
    void SetPitch(float pitch) const;

    AudioHandle handle = kInvalidAudioHandle;
    std::uint32_t channel = 0;
};

} // namespace KelpForge::Audio

#endif
