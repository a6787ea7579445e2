#include "kelp_forge/audio/implementation/kfi_audio_event_table.hpp"

#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/math/kf_random_numbers.hpp"

namespace kfImplementation
{
namespace
{

using KelpForge::Core::DynamicStructure;

// Ranges this narrow or reversed play the fixed value.
constexpr float kSmallestRange = 0.01f;

float Choose(float fixedValue, float minimumValue, float maximumValue)
{
    if (maximumValue - minimumValue > kSmallestRange)
    {
        return KelpForge::Math::RandomFloat(minimumValue, maximumValue);
    }
    return fixedValue;
}

// Reads the six volume and pitch values, each defaulting to the one in base.
void ReadLevels(const DynamicStructure& source, AudioEvent& event, const AudioEvent& base)
{
    event.volume = source["volume"].AsFloatWithDefault(base.volume, true);
    event.min_volume = source["min_volume"].AsFloatWithDefault(base.min_volume, true);
    event.max_volume = source["max_volume"].AsFloatWithDefault(base.max_volume, true);
    event.pitch = source["pitch"].AsFloatWithDefault(base.pitch, true);
    event.min_pitch = source["min_pitch"].AsFloatWithDefault(base.min_pitch, true);
    event.max_pitch = source["max_pitch"].AsFloatWithDefault(base.max_pitch, true);
}

// Loads one variant's sound and adds the variant; false (reported) when the sound did not load.
bool AddVariant(AudioEventTable& table, const std::string& eventName, AudioEvent variant,
                const std::string& path, const std::string& tableName, const SoundLoader& loadSound)
{
    variant.handle = loadSound(path);
    if (variant.handle == KelpForge::Audio::kInvalidAudioHandle)
    {
        kf_error("kfDataError: Expected to load audio file: \"%s\" on Table: \"%s\"", path.c_str(),
                 tableName.c_str());
        return false;
    }
    table.AddEvent(eventName, variant);
    return true;
}

} // namespace

float AudioEvent::ChooseVolume() const
{
    return Choose(volume, min_volume, max_volume);
}

float AudioEvent::ChoosePitch() const
{
    return Choose(pitch, min_pitch, max_pitch);
}

void AudioEventTable::AddEvent(const std::string& name, const AudioEvent& event)
{
    mEvents[name].push_back(event);
}

const AudioEvent* AudioEventTable::GetEvent(const std::string& eventName) const
{
    const auto found = mEvents.find(eventName);
    if (found == mEvents.end())
    {
        kf_error("kfExternalError: AudioEvent with name \"%s\" does not exist in table.", eventName.c_str());
        return nullptr;
    }
    const std::vector<AudioEvent>& variants = found->second;
    if (variants.empty())
    {
        kf_error("kfInternalError: AudioEvent with name \"%s\" does not contain any audio handles.",
                 eventName.c_str());
        return nullptr;
    }
    if (variants.size() == 1)
    {
        return &variants.front();
    }
    return &variants[KelpForge::Math::RandomInt() % variants.size()];
}

std::unique_ptr<AudioEventTable> ReadEventTable(const DynamicStructure& tableData,
                                                const std::string& filepath, const std::string& tableName,
                                                const SoundLoader& loadSound)
{
    if (!tableData.IsStructure())
    {
        kf_error("kfDataError: Expected event table data to be a structure of information. Table: \"%s\"",
                 filepath.c_str());
        return nullptr;
    }
    const DynamicStructure& events = tableData["audio_events"];
    if (!events.IsArray())
    {
        kf_error("kfDataError: Expected event table to have an array named: audio_events. Table: \"%s\"",
                 filepath.c_str());
        return nullptr;
    }

    auto table = std::make_unique<AudioEventTable>();
    for (std::uint32_t index = 0; index < events.Size(); ++index)
    {
        const DynamicStructure& eventData = events[index];
        // An element that is not an object has no "name" either.
        if (!eventData.IsStructure() || eventData["name"].IsNil())
        {
            kf_error("kfDataError: Expected each audio_event object to have a \"name\". Table: \"%s\"",
                     filepath.c_str());
            return nullptr;
        }
        const DynamicStructure& file = eventData["file"];
        if (file.IsNil())
        {
            kf_error("kfDataError: Expected each audio_event object to have a \"file\". Table: \"%s\"",
                     filepath.c_str());
            return nullptr;
        }

        AudioEvent event;
        event.looping = eventData["looping"].AsBooleanWithDefault(false, true);
        event.music = eventData["music"].AsBooleanWithDefault(false, true);
        event.streaming = eventData["streaming"].AsBooleanWithDefault(false, true);
        ReadLevels(eventData, event, AudioEvent{});
        const std::string eventName = eventData["name"].AsString(true);

        if (!file.IsArray())
        {
            if (!AddVariant(*table, eventName, event, file.AsString(true), tableName, loadSound))
            {
                return nullptr;
            }
            continue;
        }
        for (std::uint32_t fileIndex = 0; fileIndex < file.Size(); ++fileIndex)
        {
            const DynamicStructure& entry = file[fileIndex];
            AudioEvent variant = event;
            std::string path;
            if (entry.IsStructure())
            {
                path = entry["name"].AsString(true);
                ReadLevels(entry, variant, event);
            }
            else
            {
                path = entry.AsString(true);
            }
            if (!AddVariant(*table, eventName, variant, path, tableName, loadSound))
            {
                return nullptr;
            }
        }
    }
    return table;
}

} // namespace kfImplementation
