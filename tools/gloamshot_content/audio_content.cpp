#include "audio_content.hpp"

#include "asset_kit/wave_encoding.hpp"
#include "game_sounds.hpp"
#include "vorbis_encoding.hpp"

#include <cstdio>
#include <string>

namespace Gloamshot::Content
{
namespace
{

constexpr int kArrowHitVariants = 3;
constexpr int kLanternStreamSerial = 0x4C414D50;
constexpr float kLanternQuality = 0.4f;

// Volume and pitch ranges keep repeated hits from sounding mechanical; the lantern varies a
// little too; the win plays the same every time.
constexpr const char* kEventTable = R"({
    "audio_events": [
        {
            "name": "arrow_hit_ground",
            "file": ["data/audio/arrow_hit_01.wav", "data/audio/arrow_hit_02.wav", "data/audio/arrow_hit_03.wav"],
            "min_volume": 0.65,
            "max_volume": 0.9,
            "min_pitch": 0.88,
            "max_pitch": 1.12
        },
        {
            "name": "lantern_light",
            "file": "data/audio/lantern_light.ogg",
            "min_volume": 0.8,
            "max_volume": 0.95,
            "min_pitch": 0.95,
            "max_pitch": 1.05
        },
        {
            "name": "you_win",
            "file": "data/audio/you_win.wav",
            "volume": 0.85
        }
    ]
}
)";

} // namespace

bool WriteAudioContent(ContentWriter& writer)
{
    for (int variant = 0; variant < kArrowHitVariants; ++variant)
    {
        char name[64];
        std::snprintf(name, sizeof(name), "data/audio/arrow_hit_%02d.wav", variant + 1);
        if (!writer.WriteBytes(name, KelpForge::Tools::EncodeWave(SynthesiseArrowHit(variant), kSampleRate)))
        {
            return false;
        }
    }
    const std::vector<unsigned char> lantern =
        EncodeOggVorbis(SynthesiseLanternLight(), kLanternStreamSerial, kLanternQuality);
    if (lantern.empty())
    {
        std::fprintf(stderr, "gloamshot_content: the Vorbis encoder refused the lantern's sound\n");
        return false;
    }
    return writer.WriteBytes("data/audio/lantern_light.ogg", lantern) &&
           writer.WriteBytes("data/audio/you_win.wav",
                             KelpForge::Tools::EncodeWave(SynthesiseWinFanfare(), kSampleRate)) &&
           writer.WriteText("data/audio/audio_events.json", kEventTable);
}

} // namespace Gloamshot::Content
