#include "kelp_forge/audio/kf_audio_channel.hpp"

#include "kelp_forge/audio/implementation/kfi_audio_player.hpp"
#include "kelp_forge/audio/kf_audio_manager.hpp"

namespace KelpForge::Audio
{

void AudioChannel::SetVolume(float volume) const
{
    if (const std::shared_ptr<kfImplementation::AudioPlayer> player = theAudioManager.FindPlayer(*this))
    {
        player->SetVolume(volume);
    }
}

void AudioChannel::SetPitch(float pitch) const
{
    if (const std::shared_ptr<kfImplementation::AudioPlayer> player = theAudioManager.FindPlayer(*this))
    {
        player->SetPitch(pitch);
    }
}

} // namespace KelpForge::Audio
