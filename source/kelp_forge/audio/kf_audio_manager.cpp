#include "kelp_forge/audio/kf_audio_manager.hpp"

#include "kelp_forge/audio/implementation/kfi_audio_data.hpp"
#include "kelp_forge/audio/implementation/kfi_audio_event_table.hpp"
#include "kelp_forge/audio/implementation/kfi_audio_player.hpp"
#include "kelp_forge/audio/implementation/kfi_built_in_sound.hpp"
#include "kelp_forge/audio/implementation/kfi_channel_identifier_sequence.hpp"
#include "kelp_forge/audio/implementation/kfi_openal_check.hpp"
#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/core/kf_json_parser.hpp"

#include <AL/al.h>
#include <AL/alc.h>

#include <map>
#include <vector>

namespace kfImplementation
{

// One loaded sound. The built-in sound has no path and is found by its handle only.
struct CachedAudioData
{
    std::string filePath;
    std::shared_ptr<AudioData> data;
    KelpForge::Audio::AudioHandle handle = KelpForge::Audio::kInvalidAudioHandle;
};

} // namespace kfImplementation

namespace KelpForge::Audio
{
namespace
{

using kfImplementation::AudioData;
using kfImplementation::AudioPlayer;
using kfImplementation::CachedAudioData;

struct ChannelEntry
{
    std::shared_ptr<AudioPlayer> player;
    AudioHandle handle = kInvalidAudioHandle;
};

// The manager that owns the device; another one constructed while it lives stays inert.
AudioManager* sActiveManager = nullptr;
AudioHandle sBuiltInSoundHandle = kInvalidAudioHandle;

} // namespace

struct AudioManager::State
{
    std::map<std::string, std::shared_ptr<CachedAudioData>> soundsByPath;
    std::map<AudioHandle, std::shared_ptr<CachedAudioData>> soundsByHandle;
    // In start order; never more than sMaximumChannels entries.
    std::vector<ChannelEntry> channels;
    std::map<std::string, std::unique_ptr<kfImplementation::AudioEventTable>> eventTables;
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    kfImplementation::ChannelIdentifierSequence channelIdentifiers;
    float musicVolume = 1.0f;
    float soundVolume = 1.0f;

    [[nodiscard]] AudioHandle NextHandle() const
    {
        return static_cast<AudioHandle>(soundsByHandle.size() + 1);
    }
};

AudioManager::AudioManager() : mState(std::make_unique<State>())
{
    // Touching the error facility here makes it outlive this manager, whose destructor may report.
    static_cast<void>(Core::Error::IsThrowingMode());
    kf_error_if(sActiveManager != nullptr,
                "kfError: There are more than one AudioManager objects in existence. There can only be one.");
    if (sActiveManager != nullptr)
    {
        return;
    }

    mState->device = alcOpenDevice(nullptr);
    kf_error_if(mState->device == nullptr, "AudioManager could not create the default audio device.");
    mState->context = alcCreateContext(mState->device, nullptr);
    kf_error_if(mState->context == nullptr, "AudioManager could not create an audio context.");
    kf_error_if(alcMakeContextCurrent(mState->context) == ALC_FALSE,
                "AudioManager could not set audio context.");

    const ALfloat origin[] = {0.0f, 0.0f, 0.0f};
    const ALfloat orientation[] = {0.0f, 0.0f, -1.0f, 0.0f, 1.0f, 0.0f};
    kf_al_check(alListenerfv(AL_POSITION, origin));
    kf_al_check(alListenerfv(AL_VELOCITY, origin));
    kf_al_check(alListenerfv(AL_ORIENTATION, orientation));
    sActiveManager = this;
}

AudioManager::~AudioManager()
{
    if (sActiveManager != this)
    {
        return;
    }
    // Sources and buffers go while their context is still current.
    mState->channels.clear();
    mState->soundsByHandle.clear();
    mState->soundsByPath.clear();
    alcMakeContextCurrent(nullptr);
    if (mState->context != nullptr)
    {
        alcDestroyContext(mState->context);
    }
    if (mState->device != nullptr)
    {
        alcCloseDevice(mState->device);
    }
    sActiveManager = nullptr;
}

AudioHandle AudioManager::CreateSoundFromFile(const std::string& filepath)
{
    if (const auto found = mState->soundsByPath.find(filepath); found != mState->soundsByPath.end())
    {
        return found->second->handle;
    }
    const AudioHandle handle = mState->NextHandle();
    const auto cached = std::make_shared<CachedAudioData>(
        CachedAudioData{filepath, std::make_shared<AudioData>(filepath, false), handle});
    mState->soundsByPath.emplace(filepath, cached);
    mState->soundsByHandle.emplace(handle, cached);
    return handle;
}

AudioChannel AudioManager::PlaySound(const AudioHandle& audioHandle, bool looping, bool music)
{
    RegisterBuiltInSound();
    if (audioHandle == kInvalidAudioHandle)
    {
        kf_error("kfExternalError: Attempting to play an invalid audio handle.");
        return AudioChannel{};
    }
    const auto found = mState->soundsByHandle.find(audioHandle);
    if (found == mState->soundsByHandle.end())
    {
        kf_error("kfError: Unable to find audio handle to play, was it unloaded?");
        return AudioChannel{};
    }
    if (mState->channels.size() >= sMaximumChannels)
    {
        return AudioChannel{};
    }

    const std::uint32_t channelIdentifier = mState->channelIdentifiers.Next();
    const auto player = std::make_shared<AudioPlayer>(channelIdentifier);
    mState->channels.push_back(ChannelEntry{player, audioHandle});
    player->SetMusic(music);
    player->SetAudioData(found->second->data, looping);
    return AudioChannel{audioHandle, channelIdentifier};
}

void AudioManager::Update()
{
    std::vector<ChannelEntry>& channels = mState->channels;
    for (auto entry = channels.begin(); entry != channels.end();)
    {
        entry->player->Update();
        entry = entry->player->IsFinished() ? channels.erase(entry) : entry + 1;
    }
}

std::shared_ptr<AudioPlayer> AudioManager::FindPlayer(const AudioChannel& channel) const
{
    for (const ChannelEntry& entry : mState->channels)
    {
        const bool isSameHandle = channel.handle == kInvalidAudioHandle || channel.handle == entry.handle;
        if (entry.player->GetChannelIdentifier() == channel.channel && isSameHandle)
        {
            return entry.player;
        }
    }
    return nullptr;
}

bool AudioManager::LoadEventTable(const std::string& tableName, const std::string& filepath)
{
    if (mState->eventTables.contains(tableName))
    {
        kf_error("EventTable \"%s\" has already been loaded.", tableName.c_str());
        return false;
    }
    std::unique_ptr<kfImplementation::AudioEventTable> table = kfImplementation::ReadEventTable(
        Core::LoadJsonFile(filepath), filepath, tableName,
        [this](const std::string& soundPath) { return CreateSoundFromFile(soundPath); });
    if (table == nullptr)
    {
        return false;
    }
    mState->eventTables.emplace(tableName, std::move(table));
    return true;
}

AudioChannel AudioManager::PlayEvent(const std::string& tableName, const std::string& eventName)
{
    const auto found = mState->eventTables.find(tableName);
    if (found == mState->eventTables.end())
    {
        kf_error("kfExternalError: No audio table with name \"%s\" exists, was it loaded or misspelled?",
                 tableName.c_str());
        return AudioChannel{};
    }
    const kfImplementation::AudioEvent* variant = found->second->GetEvent(eventName);
    if (variant == nullptr)
    {
        return AudioChannel{};
    }
    const AudioChannel channel = PlaySound(variant->handle, variant->looping, variant->music);
    channel.SetVolume(variant->ChooseVolume());
    channel.SetPitch(variant->ChoosePitch());
    return channel;
}

float AudioManager::GetMusicVolume() const
{
    return mState->musicVolume;
}

float AudioManager::GetSoundVolume() const
{
    return mState->soundVolume;
}

void AudioManager::RegisterBuiltInSound()
{
    if (sBuiltInSoundHandle != kInvalidAudioHandle)
    {
        return;
    }
    const auto data = std::make_shared<AudioData>(kfImplementation::theBuiltInSoundWav,
                                                  kfImplementation::theBuiltInSoundWavSize);
    sBuiltInSoundHandle = mState->NextHandle();
    mState->soundsByHandle.emplace(sBuiltInSoundHandle, std::make_shared<CachedAudioData>(
                                                            CachedAudioData{{}, data, sBuiltInSoundHandle}));
}

namespace
{
AudioManager sTheAudioManager;
} // namespace

AudioManager& theAudioManager = sTheAudioManager;
const AudioHandle& theBuiltInSoundHandle = sBuiltInSoundHandle;

} // namespace KelpForge::Audio
