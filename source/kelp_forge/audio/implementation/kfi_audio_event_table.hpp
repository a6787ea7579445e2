#ifndef KELP_FORGE_AUDIO_IMPLEMENTATION_AUDIO_EVENT_TABLE_HPP
#define KELP_FORGE_AUDIO_IMPLEMENTATION_AUDIO_EVENT_TABLE_HPP

// Named audio events: each name maps to one or more variants, each a loaded sound with its volume
// and pitch (fixed, or drawn from a range when the range is wider than 0.01) and its flags.
// The file format is described at AudioManager::LoadEventTable.

#include "kelp_forge/audio/kf_audio_channel.hpp"
#include "kelp_forge/core/kf_dynamic_structure.hpp"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kfImplementation
{

struct AudioEvent
{
    KelpForge::Audio::AudioHandle handle = KelpForge::Audio::kInvalidAudioHandle;
    float volume = 1.0f;
    float min_volume = 1.0f;
    float max_volume = 1.0f;
    float pitch = 1.0f;
    float min_pitch = 1.0f;
    float max_pitch = 1.0f;
    bool looping = false;
    bool music = false;
    // Kept with the event only: every sound of a table is loaded fully.
    bool streaming = false;

    // volume, unless max_volume exceeds min_volume by more than 0.01: then a random draw in
    // [min_volume, max_volume). Draws from the shared random sequence.
    [[nodiscard]] float ChooseVolume() const;
    // The same rule for pitch.
    [[nodiscard]] float ChoosePitch() const;
};

class AudioEventTable
{
public:
    // Appends a variant under name, creating the event when needed.
    void AddEvent(const std::string& name, const AudioEvent& event);

    // The variant to play: the only one, or one picked at random from the shared random sequence.
    // An unknown name is reported and gives nullptr. The result lives as long as the table.
    [[nodiscard]] const AudioEvent* GetEvent(const std::string& eventName) const;

private:
    std::map<std::string, std::vector<AudioEvent>> mEvents;
};

// Gives the handle of the sound at a path, loading it when needed; kInvalidAudioHandle on failure.
using SoundLoader = std::function<KelpForge::Audio::AudioHandle(const std::string& filepath)>;

// Builds a table from loaded JSON. filepath names the file in the shape messages, tableName in the
// sound-load message. Every failure is reported and gives nullptr; sounds loaded before it stay
// loaded.
[[nodiscard]] std::unique_ptr<AudioEventTable>
ReadEventTable(const KelpForge::Core::DynamicStructure& tableData, const std::string& filepath,
               const std::string& tableName, const SoundLoader& loadSound);

} // namespace kfImplementation

#endif
