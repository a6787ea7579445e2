#ifndef KELP_FORGE_AUDIO_AUDIO_MANAGER_HPP
#define KELP_FORGE_AUDIO_AUDIO_MANAGER_HPP

// The one owner of sound: the OpenAL device and context, the cache of loaded sounds, the channels
// that play them and the named audio event tables. The single instance is built during static
// initialisation (it opens the default OpenAL device then) and destroyed at process exit; reach
// it through theAudioManager. Everything runs on the main thread.

#include "kelp_forge/audio/kf_audio_channel.hpp"
#include "kelp_forge/core/kf_defines.hpp"

#include <cstddef>
#include <memory>
#include <string>

namespace kfImplementation
{
class AudioPlayer;
} // namespace kfImplementation

namespace KelpForge::Audio
{

class AudioManager : private Core::Noncopyable
{
public:
    // Channels that can play at once; a play beyond them is dropped silently.
    static constexpr std::size_t sMaximumChannels = 32;

    // Opens the default device. Without one the manager still exists and reports the failure;
    // every later OpenAL call then reports its own. Only one manager may exist: another one
    // reports and stays inert, leaving the first in charge.
    AudioManager();
    ~AudioManager();

    // Loads a WAV or OGG file fully, once per exact path text, and returns its handle. A file
    // that fails to load is reported and still gets a handle, which then plays nothing.
    AudioHandle CreateSoundFromFile(const std::string& filepath);

    // Plays a loaded sound on a new channel and returns it, or {0, 0} when every channel is busy.
    // Music plays at the music master volume, anything else at the sound-effect one. A looping sound
    // plays until the manager is destroyed. The very first call registers the built-in start-up
    // sound, so passing theBuiltInSoundHandle (read only after that) plays it.
    AudioChannel PlaySound(const AudioHandle& audioHandle, bool looping = false, bool music = false);

    // Steps every channel once (call once per fixed simulation step) and drops finished ones.
    void Update();

    // The player of a channel while it still plays; empty once it has finished or when it never
    // started. A channel whose handle is 0 matches on its identifier alone.
    [[nodiscard]] std::shared_ptr<kfImplementation::AudioPlayer>
    FindPlayer(const AudioChannel& channel) const;

    // Loads the audio event table in a JSON file and registers it under tableName; false (reported)
    // when that name is taken or the file is no valid table. The file looks like this (every read
    // converts: "true", "1" or 1 are true and "0.5" is a number; members not listed are ignored):
    //   { "audio_events": [
    //       { "name": "you_win", "file": "data/audio/win.ogg" },
    //       { "name": "hit", "file": ["a.wav", { "name": "b.wav", "volume": 0.5 }],
    //         "looping": false, "music": false, "streaming": false,
    //         "volume": 1.0, "min_volume": 1.0, "max_volume": 1.0,
    //         "pitch": 1.0, "min_pitch": 1.0, "max_pitch": 1.0 } ] }
    // "name" (case-sensitive) and "file" are required; the others default as shown. Paths are used
    // as written, relative to the working folder. An object in a "file" array names its sound in
    // "name" and may override the six volume and pitch values; the flags come from the event. Event
    // objects sharing a name become variants of one event, played about equally often. A volume or
    // pitch range wider than 0.01 is drawn from on every play; otherwise the fixed value plays.
    // "streaming" is kept but every sound loads fully.
    [[nodiscard]] bool LoadEventTable(const std::string& tableName, const std::string& filepath);
    // Plays a variant of a named event at its volume and pitch; {0, 0} when nothing plays.
    AudioChannel PlayEvent(const std::string& tableName, const std::string& eventName);

    [[nodiscard]] float GetMusicVolume() const;
    [[nodiscard]] float GetSoundVolume() const;

private:
    struct State;

    void RegisterBuiltInSound();

    std::unique_ptr<State> mState;
};

// The process's audio manager.
extern AudioManager& theAudioManager;
// Handle of the built-in start-up sound: 0 until the first PlaySound registers it.
extern const AudioHandle& theBuiltInSoundHandle;

} // namespace KelpForge::Audio

#endif
