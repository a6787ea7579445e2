// Feeds arbitrary text to the audio event table reader as JSON, then picks every event it defines
// and draws its volume and pitch. Sounds are not loaded: a path starting with "bad" stands for one
// that fails to load, every other path gets a handle of its own.

#include "kelp_forge/audio/implementation/kfi_audio_event_table.hpp"
#include "kelp_forge/core/kf_json_parser.hpp"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using KelpForge::Core::DynamicStructure;
    const DynamicStructure tableData =
        KelpForge::Core::ParseJson(std::string_view(reinterpret_cast<const char*>(data), size));
    std::map<std::string, KelpForge::Audio::AudioHandle> handles;
    const auto loadSound = [&handles](const std::string& path) -> KelpForge::Audio::AudioHandle
    {
        if (path.starts_with("bad"))
        {
            return KelpForge::Audio::kInvalidAudioHandle;
        }
        return handles.try_emplace(path, static_cast<KelpForge::Audio::AudioHandle>(handles.size() + 1))
            .first->second;
    };
    const std::unique_ptr<kfImplementation::AudioEventTable> table =
        kfImplementation::ReadEventTable(tableData, "fuzz.json", "fuzz", loadSound);
    if (table == nullptr)
    {
        return 0;
    }
    const DynamicStructure& events = tableData["audio_events"];
    for (std::uint32_t index = 0; index < events.Size(); ++index)
    {
        if (const kfImplementation::AudioEvent* event = table->GetEvent(events[index]["name"].AsString(true)))
        {
            volatile float drawn = event->ChooseVolume() + event->ChoosePitch();
            (void)drawn;
        }
    }
    return 0;
}
