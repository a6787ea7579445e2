#include "kelp_forge/audio/implementation/kfi_audio_event_table.hpp"

#include "kelp_forge/core/kf_json_parser.hpp"
#include "support/kf_error_recorder.hpp"

#include <gtest/gtest.h>

#include <thread>

using KelpForge::Audio::AudioHandle;
using KelpForge::Core::ParseJson;
using KelpForge::Testing::ErrorRecorder;
using kfImplementation::AudioEvent;
using kfImplementation::AudioEventTable;
using kfImplementation::ReadEventTable;

namespace
{

using Messages = std::vector<std::string>;

// Stands in for the sound cache: hands out handles 1, 2, 3, ... per new path, and none for paths
// that start with "bad".
class SoundCatalogue
{
public:
    AudioHandle Load(const std::string& path)
    {
        if (path.starts_with("bad"))
        {
            return KelpForge::Audio::kInvalidAudioHandle;
        }
        const auto [entry, isNew] = mHandles.try_emplace(path, static_cast<AudioHandle>(mHandles.size() + 1));
        return entry->second;
    }

    std::unique_ptr<AudioEventTable> Read(const std::string& json)
    {
        return ReadEventTable(ParseJson(json), "events.json", "effects",
                              [this](const std::string& path) { return Load(path); });
    }

private:
    std::map<std::string, AudioHandle> mHandles;
};

// Runs body on a fresh thread, whose random sequence starts from the beginning: 41, 18467, ...
template <typename Body> void OnFreshRandomSequence(Body body)
{
    std::thread thread(body);
    thread.join();
}

} // namespace

TEST(AudioEventTableTest, AnEventWithOnlyNameAndFileTakesTheDefaults)
{
    ErrorRecorder recorder;
    SoundCatalogue sounds;
    const auto table = sounds.Read(R"({"audio_events": [{"name": "you_win", "file": "win.wav"}]})");
    ASSERT_NE(table, nullptr);
    const AudioEvent* event = table->GetEvent("you_win");
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->handle, 1u);
    EXPECT_EQ(event->ChooseVolume(), 1.0f);
    EXPECT_EQ(event->ChoosePitch(), 1.0f);
    EXPECT_FALSE(event->looping);
    EXPECT_FALSE(event->music);
    EXPECT_FALSE(event->streaming);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(AudioEventTableTest, ValuesConvertFromTextAndNumbers)
{
    ErrorRecorder recorder;
    SoundCatalogue sounds;
    const auto table =
        sounds.Read(R"({"audio_events": [{"name": "theme", "file": "theme.ogg", "looping": "true",
        "music": 1, "streaming": "1", "volume": "0.4", "pitch": 2, "ignored": [1, 2]}]})");
    ASSERT_NE(table, nullptr);
    const AudioEvent* event = table->GetEvent("theme");
    ASSERT_NE(event, nullptr);
    EXPECT_TRUE(event->looping);
    EXPECT_TRUE(event->music);
    EXPECT_TRUE(event->streaming);
    EXPECT_FLOAT_EQ(event->ChooseVolume(), 0.4f);
    EXPECT_FLOAT_EQ(event->ChoosePitch(), 2.0f);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(AudioEventTableTest, ARangeWiderThanOneHundredthIsDrawnFromOnEveryPlay)
{
    ErrorRecorder recorder;
    SoundCatalogue sounds;
    const auto table = sounds.Read(R"({"audio_events": [
        {"name": "ranged", "file": "a.wav", "volume": 0.4, "min_volume": 0.2, "max_volume": 0.8},
        {"name": "pitched", "file": "a.wav", "min_pitch": 0.9}]})");
    ASSERT_NE(table, nullptr);
    const AudioEvent ranged = *table->GetEvent("ranged");
    const AudioEvent pitched = *table->GetEvent("pitched");
    OnFreshRandomSequence(
        [&]
        {
            EXPECT_FLOAT_EQ(ranged.ChooseVolume(), 0.2f + 41.0f / 32768.0f * 0.6f);
            EXPECT_FLOAT_EQ(pitched.ChoosePitch(), 0.9f + 18467.0f / 32768.0f * 0.1f);
        });
    for (int play = 0; play < 2000; ++play)
    {
        const float volume = ranged.ChooseVolume();
        ASSERT_GE(volume, 0.2f);
        ASSERT_LT(volume, 0.8f);
        const float pitch = pitched.ChoosePitch();
        ASSERT_GE(pitch, 0.9f);
        ASSERT_LT(pitch, 1.0f);
    }
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(AudioEventTableTest, ANarrowOrReversedRangePlaysTheFixedValue)
{
    SoundCatalogue sounds;
    const auto table = sounds.Read(R"({"audio_events": [
        {"name": "narrow", "file": "a.wav", "volume": 0.3, "min_volume": 0.5, "max_volume": 0.51},
        {"name": "reversed", "file": "a.wav", "pitch": 1.5, "min_pitch": 2.0, "max_pitch": 0.5}]})");
    ASSERT_NE(table, nullptr);
    EXPECT_FLOAT_EQ(table->GetEvent("narrow")->ChooseVolume(), 0.3f);
    EXPECT_FLOAT_EQ(table->GetEvent("reversed")->ChoosePitch(), 1.5f);
}

TEST(AudioEventTableTest, AFileArrayMixingTextAndObjectsGivesOneVariantPerEntry)
{
    ErrorRecorder recorder;
    SoundCatalogue sounds;
    const auto table = sounds.Read(R"({"audio_events": [{"name": "hit", "looping": true, "pitch": 1.25,
        "volume": 0.9, "file": ["a.wav", {"name": "b.wav", "volume": 0.5, "looping": false}]}]})");
    ASSERT_NE(table, nullptr);
    std::map<AudioHandle, AudioEvent> variants;
    for (int play = 0; play < 64; ++play)
    {
        const AudioEvent* event = table->GetEvent("hit");
        variants.emplace(event->handle, *event);
    }
    ASSERT_EQ(variants.size(), 2u);
    EXPECT_FLOAT_EQ(variants[1].ChooseVolume(), 0.9f);
    EXPECT_FLOAT_EQ(variants[2].ChooseVolume(), 0.5f);
    EXPECT_FLOAT_EQ(variants[2].ChoosePitch(), 1.25f) << "the event's pitch";
    EXPECT_TRUE(variants[2].looping) << "flags always come from the event";
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(AudioEventTableTest, EventsSharingANameAreVariantsPlayedAboutEquallyOften)
{
    SoundCatalogue sounds;
    const auto table = sounds.Read(R"({"audio_events": [{"name": "step", "file": "left.wav"},
        {"name": "other", "file": "other.wav"}, {"name": "step", "file": "right.wav"}]})");
    ASSERT_NE(table, nullptr);
    std::map<AudioHandle, int> counts;
    OnFreshRandomSequence(
        [&]
        {
            // The pick is the next raw random value modulo the number of variants: 41, 18467, 6334.
            EXPECT_EQ(table->GetEvent("step")->handle, 3u);
            EXPECT_EQ(table->GetEvent("step")->handle, 3u);
            EXPECT_EQ(table->GetEvent("step")->handle, 1u);
            for (int play = 0; play < 1000; ++play)
            {
                ++counts[table->GetEvent("step")->handle];
            }
        });
    EXPECT_NEAR(counts[1], 500, 60);
    EXPECT_NEAR(counts[3], 500, 60);
}

TEST(AudioEventTableTest, AnUnknownEventIsReported)
{
    ErrorRecorder recorder;
    SoundCatalogue sounds;
    const auto table = sounds.Read(R"({"audio_events": [{"name": "Hit", "file": "a.wav"}]})");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->GetEvent("hit"), nullptr) << "names are case-sensitive";
    EXPECT_EQ(recorder.Messages(),
              Messages{"kfExternalError: AudioEvent with name \"hit\" does not exist in table."});
}

TEST(AudioEventTableTest, EveryShapeErrorIsReportedWithTheFilePath)
{
    const std::string notStructure =
        "kfDataError: Expected event table data to be a structure of information. Table: \"events.json\"";
    const std::string noArray =
        "kfDataError: Expected event table to have an array named: audio_events. Table: \"events.json\"";
    const std::string noName =
        "kfDataError: Expected each audio_event object to have a \"name\". Table: \"events.json\"";
    const std::string noFile =
        "kfDataError: Expected each audio_event object to have a \"file\". Table: \"events.json\"";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", notStructure},
        {"[1, 2]", notStructure},
        {R"({"events": []})", noArray},
        {R"({"audio_events": {"name": "a"}})", noArray},
        {R"({"audio_events": [{"file": "a.wav"}]})", noName},
        {R"({"audio_events": [{"volume": 1}]})", noName},
        {R"({"audio_events": [7]})", noName},
        {R"({"audio_events": [{"name": "a", "file": "a.wav"}, {"name": "b"}]})", noFile},
    };
    for (const auto& [json, message] : cases)
    {
        ErrorRecorder recorder;
        SoundCatalogue sounds;
        EXPECT_EQ(sounds.Read(json), nullptr) << json;
        EXPECT_EQ(recorder.Messages(), Messages{message}) << json;
    }
}

TEST(AudioEventTableTest, ASoundThatFailsToLoadIsReportedWithTheTableName)
{
    for (const std::string json :
         {R"({"audio_events": [{"name": "a", "file": "bad.wav"}]})",
          R"({"audio_events": [{"name": "a", "file": ["ok.wav", {"name": "bad.wav"}]}]})"})
    {
        ErrorRecorder recorder;
        SoundCatalogue sounds;
        EXPECT_EQ(sounds.Read(json), nullptr) << json;
        EXPECT_EQ(recorder.Messages(),
                  Messages{"kfDataError: Expected to load audio file: \"bad.wav\" on Table: \"effects\""});
    }
}
