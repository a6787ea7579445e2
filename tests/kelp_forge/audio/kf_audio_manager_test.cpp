#include "kelp_forge/audio/kf_audio_manager.hpp"

#include "kelp_forge/audio/implementation/kfi_audio_data.hpp"
#include "kelp_forge/audio/implementation/kfi_audio_player.hpp"
#include "kelp_forge/audio/implementation/kfi_built_in_sound.hpp"
#include "kelp_forge/audio/implementation/kfi_channel_identifier_sequence.hpp"
#include "support/kf_audio_test_support.hpp"
#include "support/kf_error_recorder.hpp"
#include "support/kf_test_files.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

using KelpForge::Audio::AudioChannel;
using KelpForge::Audio::AudioHandle;
using KelpForge::Audio::AudioManager;
using KelpForge::Audio::theAudioManager;
using KelpForge::Audio::theBuiltInSoundHandle;
using KelpForge::Testing::CaptureAudio;
using KelpForge::Testing::CapturedAudio;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::MakeTone;
using KelpForge::Testing::PausedAudioDevice;
using KelpForge::Testing::RunAudioSteps;
using KelpForge::Testing::SamplesAsBytes;
using KelpForge::Testing::SoundSegment;
using KelpForge::Testing::TestFolder;
using KelpForge::Testing::WaitForAudio;
using KelpForge::Testing::WaveImage;
using KelpForge::Testing::WriteFile;

namespace
{

using Messages = std::vector<std::string>;

// A WAV tone in the running test's folder; returns its path.
std::string WriteTone(const std::string& name, double seconds, double frequency = 440.0)
{
    WaveImage image;
    image.samples = SamplesAsBytes(MakeTone(frequency, seconds));
    const std::filesystem::path path = TestFolder() / name;
    WriteFile(path, image.Encode());
    return path.string();
}

std::string WriteEventTable(const std::string& name, const std::string& json)
{
    const std::filesystem::path path = TestFolder() / name;
    WriteFile(path, json);
    return path.string();
}

} // namespace

TEST(AudioManagerTest, LoadsEachPathTextOnce)
{
    ErrorRecorder recorder;
    const std::string path = WriteTone("tone.wav", 0.1);
    const AudioHandle first = theAudioManager.CreateSoundFromFile(path);
    EXPECT_EQ(first, 1u);
    EXPECT_EQ(theAudioManager.CreateSoundFromFile(path), first);

    // Another spelling of the same file is another sound.
    const std::string otherSpelling = (TestFolder() / "." / "tone.wav").string();
    EXPECT_EQ(theAudioManager.CreateSoundFromFile(otherSpelling), 2u);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(AudioManagerTest, AFileThatFailsToLoadStillGetsAHandleThatPlaysNothing)
{
    ErrorRecorder recorder;
    const AudioHandle handle = theAudioManager.CreateSoundFromFile("missing.wav");
    EXPECT_EQ(handle, 1u);
    EXPECT_EQ(recorder.Messages(), Messages{"kfExternalError: Failed to load audio file, \"missing.wav\"."});

    recorder.Clear();
    const AudioChannel channel = theAudioManager.PlaySound(handle);
    EXPECT_NE(channel.channel, 0u);
    theAudioManager.Update();
    EXPECT_EQ(theAudioManager.FindPlayer(channel), nullptr);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(AudioManagerTest, TheFirstPlayRegistersTheBuiltInSoundUnderTheNextHandle)
{
    ErrorRecorder recorder;
    const AudioHandle tone = theAudioManager.CreateSoundFromFile(WriteTone("tone.wav", 0.1));
    EXPECT_EQ(theBuiltInSoundHandle, 0u);
    const AudioChannel channel = theAudioManager.PlaySound(tone);
    EXPECT_EQ(channel.handle, tone);
    EXPECT_EQ(channel.channel, 1u);
    EXPECT_EQ(theBuiltInSoundHandle, 2u);
    EXPECT_EQ(theAudioManager.CreateSoundFromFile(WriteTone("later.wav", 0.1)), 3u);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(AudioManagerTest, PlayingTheBuiltInHandleFirstRegistersAndPlaysIt)
{
    ErrorRecorder recorder;
    const AudioChannel channel = theAudioManager.PlaySound(theBuiltInSoundHandle);
    EXPECT_EQ(channel.handle, 1u);
    EXPECT_EQ(channel.channel, 1u);
    EXPECT_NE(theAudioManager.FindPlayer(channel), nullptr);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(AudioManagerTest, TheBuiltInSoundIsAMonoChimeOfAboutTwoSeconds)
{
    ASSERT_EQ(kfImplementation::theBuiltInSoundWavSize, 167500u);
    ErrorRecorder recorder;
    const kfImplementation::AudioData data(kfImplementation::theBuiltInSoundWav,
                                           kfImplementation::theBuiltInSoundWavSize);
    EXPECT_TRUE(recorder.Messages().empty());
    EXPECT_EQ(data.GetChannels(), 1);
    EXPECT_EQ(data.GetBitsPerSample(), 16);
    EXPECT_EQ(data.GetFrequency(), 44100u);
    EXPECT_EQ(data.GetDataSize(), 167456u);

    // Rings out: loud at the strike, fading, silent at the very end, and never clipped.
    std::vector<float> samples;
    for (std::size_t offset = 44; offset + 1 < kfImplementation::theBuiltInSoundWavSize; offset += 2)
    {
        const auto value = static_cast<std::int16_t>(kfImplementation::theBuiltInSoundWav[offset] |
                                                     (kfImplementation::theBuiltInSoundWav[offset + 1] << 8));
        samples.push_back(static_cast<float>(value) / 32768.0f);
    }
    const KelpForge::Testing::CapturedAudio chime{samples, 44100};
    EXPECT_GT(chime.Rms(0.3, 0.6), 0.05);
    EXPECT_LT(chime.Rms(1.4, 1.6), chime.Rms(0.3, 0.6) / 2.0);
    EXPECT_LT(std::abs(samples.back()), 0.001f);
    for (const float sample : samples)
    {
        ASSERT_LT(std::abs(sample), 0.95f);
    }
}

TEST(AudioManagerTest, PlayingAnInvalidOrUnknownHandleIsReported)
{
    ErrorRecorder recorder;
    const AudioChannel none = theAudioManager.PlaySound(0);
    EXPECT_EQ(recorder.Messages(), Messages{"kfExternalError: Attempting to play an invalid audio handle."});
    EXPECT_EQ(none.handle, 0u);
    EXPECT_EQ(none.channel, 0u);

    recorder.Clear();
    const AudioChannel unknown = theAudioManager.PlaySound(42);
    EXPECT_EQ(recorder.Messages(),
              Messages{"kfError: Unable to find audio handle to play, was it unloaded?"});
    EXPECT_EQ(unknown.channel, 0u);
}

TEST(AudioManagerTest, AThirtyThirdChannelIsRefusedUntilOneFinishes)
{
    ErrorRecorder recorder;
    const AudioHandle looping = theAudioManager.CreateSoundFromFile(WriteTone("loop.wav", 0.2));
    const AudioHandle shortSound = theAudioManager.CreateSoundFromFile(WriteTone("short.wav", 0.05));
    const AudioChannel first = theAudioManager.PlaySound(shortSound);
    EXPECT_EQ(first.channel, 1u);
    for (std::uint32_t identifier = 2; identifier <= AudioManager::sMaximumChannels; ++identifier)
    {
        EXPECT_EQ(theAudioManager.PlaySound(looping, true).channel, identifier);
    }
    const AudioChannel refused = theAudioManager.PlaySound(looping, true);
    EXPECT_EQ(refused.handle, 0u);
    EXPECT_EQ(refused.channel, 0u);
    refused.SetVolume(2.0f);
    EXPECT_TRUE(recorder.Messages().empty()) << "a refused channel ignores even a bad volume";

    WaitForAudio(0.3);
    theAudioManager.Update();
    EXPECT_EQ(theAudioManager.FindPlayer(first), nullptr);
    const AudioChannel again = theAudioManager.PlaySound(looping, true);
    EXPECT_EQ(again.channel, 33u) << "the refused play issued no identifier";
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(AudioManagerTest, ChannelIdentifiersSkipZeroWhenTheyWrapAround)
{
    ErrorRecorder recorder;
    kfImplementation::ChannelIdentifierSequence fresh;
    EXPECT_EQ(fresh.Next(), 1u);
    EXPECT_EQ(fresh.Next(), 2u);
    EXPECT_TRUE(recorder.Messages().empty());

    kfImplementation::ChannelIdentifierSequence nearTheEnd(0xFFFFFFFEu);
    EXPECT_EQ(nearTheEnd.Next(), 0xFFFFFFFFu);
    EXPECT_TRUE(recorder.Messages().empty());
    EXPECT_EQ(nearTheEnd.Next(), 1u);
    EXPECT_EQ(recorder.Messages(), Messages{"kfInternalError: Audio Channel Identifier Rolled Over."});
}

TEST(AudioManagerTest, ANonLoopingSoundIsDroppedByTheFirstUpdateAfterItPlayed)
{
    ErrorRecorder recorder;
    const AudioHandle sound = theAudioManager.CreateSoundFromFile(WriteTone("short.wav", 0.1));
    AudioChannel channel;
    {
        const PausedAudioDevice paused;
        channel = theAudioManager.PlaySound(sound);
        theAudioManager.Update();
        EXPECT_NE(theAudioManager.FindPlayer(channel), nullptr) << "still playing";
    }
    WaitForAudio(0.4);
    theAudioManager.Update();
    EXPECT_EQ(theAudioManager.FindPlayer(channel), nullptr);

    // A finished channel ignores its setters.
    channel.SetVolume(5.0f);
    channel.SetPitch(-1.0f);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(AudioManagerTest, ChannelsFindTheirPlayerByIdentifierAndHandle)
{
    ErrorRecorder recorder;
    const AudioHandle sound = theAudioManager.CreateSoundFromFile(WriteTone("loop.wav", 0.1));
    const AudioChannel channel = theAudioManager.PlaySound(sound, true);
    const std::shared_ptr<kfImplementation::AudioPlayer> player = theAudioManager.FindPlayer(channel);
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->GetChannelIdentifier(), channel.channel);
    EXPECT_EQ(theAudioManager.FindPlayer(AudioChannel(0, channel.channel)), player);
    EXPECT_EQ(theAudioManager.FindPlayer(AudioChannel(sound + 1, channel.channel)), nullptr);
    EXPECT_EQ(theAudioManager.FindPlayer(AudioChannel(sound)), nullptr) << "a bare handle names no channel";

    // A live channel passes its values on, with the player's range checks.
    channel.SetVolume(1.5f);
    EXPECT_EQ(recorder.Messages(),
              Messages{"kfExternalError: Expected volume to remain within range: (0.0f <= volume <= 1.0f)."});
}

TEST(AudioManagerTest, ASecondManagerIsReportedAndLeavesTheFirstInCharge)
{
    ErrorRecorder recorder;
    {
        const AudioManager second;
        EXPECT_EQ(recorder.Messages(), Messages{"kfError: There are more than one AudioManager objects in "
                                                "existence. There can only be one."});
    }
    recorder.Clear();
    const AudioHandle sound = theAudioManager.CreateSoundFromFile(WriteTone("tone.wav", 0.1));
    EXPECT_NE(theAudioManager.PlaySound(sound).channel, 0u);
    theAudioManager.Update();
    EXPECT_TRUE(recorder.Messages().empty()) << "the first manager's context is still current";
}

TEST(AudioManagerTest, WithoutAnAudioDeviceEverythingRunsSilently)
{
    const std::string tone = WriteTone("tone.wav", 0.1);
    const std::string table =
        WriteEventTable("events.json", R"({"audio_events": [{"name": "hit", "file": ")" + tone + R"("}]})");
    // A wave-writer configuration without a file name makes OpenAL Soft find no device.
    const std::string noDevice = "[general]\ndrivers = wave\n";
    const std::filesystem::path configuration = TestFolder() / "no_device.conf";
    WriteFile(configuration, noDevice);
    setenv("ALSOFT_CONF", configuration.c_str(), 1);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            // The manager's device checks fired during static initialisation, before any handler.
            const bool wasReported =
                KelpForge::Core::Error::GetErrorFileName().ends_with("kf_audio_manager.cpp");
            ErrorRecorder recorder;
            const bool isLoaded = theAudioManager.LoadEventTable("effects", table);
            const AudioChannel event = theAudioManager.PlayEvent("effects", "hit");
            const AudioChannel builtIn = theAudioManager.PlaySound(theBuiltInSoundHandle);
            theAudioManager.Update();
            const bool isPlaying = theAudioManager.FindPlayer(event) != nullptr ||
                                   theAudioManager.FindPlayer(builtIn) != nullptr;
            std::fprintf(stderr, "reported: %d, loaded: %d, channels: %u %u, playing: %d, messages: %zu\n",
                         wasReported ? 1 : 0, isLoaded ? 1 : 0, event.channel, builtIn.channel,
                         isPlaying ? 1 : 0, recorder.Messages().size());
            std::exit(0);
        },
        testing::ExitedWithCode(0), "reported: 1, loaded: 1, channels: 1 2, playing: 0, messages: 0");
}

TEST(AudioManagerTest, AnEventTableNameCanBeLoadedOnce)
{
    ErrorRecorder recorder;
    const std::string table =
        WriteEventTable("events.json", R"({"audio_events": [{"name": "hit", "file": ")" +
                                           WriteTone("hit.wav", 0.1) + R"("}]})");
    EXPECT_TRUE(theAudioManager.LoadEventTable("effects", table));
    EXPECT_TRUE(recorder.Messages().empty());
    EXPECT_FALSE(theAudioManager.LoadEventTable("effects", table));
    EXPECT_EQ(recorder.Messages(), Messages{"EventTable \"effects\" has already been loaded."});
    recorder.Clear();
    EXPECT_TRUE(theAudioManager.LoadEventTable("more_effects", table)) << "the same file under another name";
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(AudioManagerTest, AMissingOrBrokenEventTableIsReportedAndNotRegistered)
{
    ErrorRecorder recorder;
    EXPECT_FALSE(theAudioManager.LoadEventTable("effects", "missing.json"));
    EXPECT_EQ(recorder.Messages(),
              (Messages{"Was unable to load json file: missing.json\n",
                        "kfDataError: Expected event table data to be a structure of information. Table: "
                        "\"missing.json\""}));

    // Sounds loaded before the failure stay loaded.
    recorder.Clear();
    const std::string tone = WriteTone("tone.wav", 0.1);
    const std::string broken = WriteEventTable("broken.json", R"({"audio_events": [{"name": "a", "file": ")" +
                                                                  tone + R"("}, {"name": "b"}]})");
    EXPECT_FALSE(theAudioManager.LoadEventTable("effects", broken));
    EXPECT_EQ(recorder.Messages(),
              Messages{"kfDataError: Expected each audio_event object to have a \"file\". "
                       "Table: \"" +
                       broken + "\""});
    EXPECT_EQ(theAudioManager.CreateSoundFromFile(tone), 1u);

    recorder.Clear();
    theAudioManager.PlayEvent("effects", "a");
    EXPECT_EQ(
        recorder.Messages(),
        Messages{
            "kfExternalError: No audio table with name \"effects\" exists, was it loaded or misspelled?"});
}

TEST(AudioManagerTest, AnEventPlaysItsSoundAtItsVolumeAndPitch)
{
    ErrorRecorder recorder;
    const std::string tone = WriteTone("tone.wav", 0.1);
    const std::string table = WriteEventTable("events.json", R"({"audio_events": [
        {"name": "plain", "file": ")" + tone + R"("},
        {"name": "shaped", "file": ")" + tone + R"(", "volume": 0.4, "pitch": 1.5, "looping": true},
        {"name": "too_loud", "file": ")" + tone + R"(", "volume": 1.5}]})");
    ASSERT_TRUE(theAudioManager.LoadEventTable("effects", table));
    EXPECT_TRUE(recorder.Messages().empty()) << "a volume of 1.5 loads without complaint";

    const AudioChannel plain = theAudioManager.PlayEvent("effects", "plain");
    const AudioChannel shaped = theAudioManager.PlayEvent("effects", "shaped");
    EXPECT_EQ(plain.handle, 1u);
    EXPECT_EQ(shaped.handle, 1u) << "one sound, loaded once";
    const std::shared_ptr<kfImplementation::AudioPlayer> plainPlayer = theAudioManager.FindPlayer(plain);
    const std::shared_ptr<kfImplementation::AudioPlayer> shapedPlayer = theAudioManager.FindPlayer(shaped);
    ASSERT_NE(plainPlayer, nullptr);
    ASSERT_NE(shapedPlayer, nullptr);
    EXPECT_FLOAT_EQ(plainPlayer->GetGain(), 1.0f);
    EXPECT_FLOAT_EQ(plainPlayer->GetPitch(), 1.0f);
    EXPECT_FLOAT_EQ(shapedPlayer->GetGain(), 0.4f);
    EXPECT_FLOAT_EQ(shapedPlayer->GetPitch(), 1.5f);
    EXPECT_TRUE(recorder.Messages().empty());

    WaitForAudio(0.3);
    theAudioManager.Update();
    EXPECT_EQ(theAudioManager.FindPlayer(plain), nullptr) << "a plain event does not loop";
    EXPECT_NE(theAudioManager.FindPlayer(shaped), nullptr);

    theAudioManager.PlayEvent("effects", "too_loud");
    EXPECT_EQ(recorder.Messages(),
              Messages{"kfExternalError: Expected volume to remain within range: (0.0f <= volume <= 1.0f)."});
    recorder.Clear();
    theAudioManager.PlayEvent("effects", "missing");
    EXPECT_EQ(recorder.Messages(),
              Messages{"kfExternalError: AudioEvent with name \"missing\" does not exist in table."});
}

TEST(AudioManagerPlaybackTest, APlayedSoundIsHeardOnlyWhileItPlays)
{
    const std::string path = WriteTone("tone.wav", 0.5);
    const CapturedAudio captured = CaptureAudio(
        [&path]
        {
            const AudioHandle sound = theAudioManager.CreateSoundFromFile(path);
            WaitForAudio(0.3);
            theAudioManager.PlaySound(sound);
            RunAudioSteps(1.0);
        });
    const std::vector<SoundSegment> sounds = captured.FindSounds();
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_GE(sounds[0].startSeconds, 0.29) << "not before it was played";
    EXPECT_NEAR(sounds[0].Length(), 0.5, 0.03);
    EXPECT_NEAR(captured.Rms(sounds[0].startSeconds + 0.05, sounds[0].endSeconds - 0.05),
                0.5 / std::sqrt(2.0), 0.02);
    EXPECT_NEAR(captured.ToneFrequency(sounds[0].startSeconds + 0.05, sounds[0].endSeconds - 0.05), 440.0,
                5.0);
    EXPECT_GT(captured.Seconds(), sounds[0].endSeconds + 0.4) << "silence after the sound";
}

TEST(AudioManagerPlaybackTest, AnEventAtVolumePointFourPlaysAtPointFourOfFullVolume)
{
    const std::string path = WriteTone("tone.wav", 0.5);
    const std::string table = WriteEventTable("events.json", R"({"audio_events": [
        {"name": "full", "file": ")" + path + R"("},
        {"name": "quieter", "file": ")" + path + R"(", "volume": 0.4}]})");
    const CapturedAudio captured = CaptureAudio(
        [&table]
        {
            EXPECT_TRUE(theAudioManager.LoadEventTable("effects", table));
            WaitForAudio(0.2);
            theAudioManager.PlayEvent("effects", "full");
            RunAudioSteps(0.8);
            theAudioManager.PlayEvent("effects", "quieter");
            RunAudioSteps(0.8);
        });
    const std::vector<SoundSegment> sounds = captured.FindSounds();
    ASSERT_EQ(sounds.size(), 2u);
    EXPECT_GE(sounds[0].startSeconds, 0.19);
    EXPECT_NEAR(sounds[0].Length(), 0.5, 0.03);
    EXPECT_NEAR(sounds[1].Length(), 0.5, 0.03);
    const double full = captured.Rms(sounds[0].startSeconds + 0.1, sounds[0].endSeconds - 0.1);
    const double quieter = captured.Rms(sounds[1].startSeconds + 0.1, sounds[1].endSeconds - 0.1);
    EXPECT_NEAR(full, 0.5 / std::sqrt(2.0), 0.02);
    EXPECT_NEAR(quieter / full, 0.4, 0.01);
    EXPECT_LT(captured.Rms(sounds[0].endSeconds + 0.05, sounds[1].startSeconds - 0.05), 0.001);
}

TEST(AudioManagerPlaybackTest, ALoopingSoundKeepsPlayingWhileANonLoopingOneStops)
{
    const std::string path = WriteTone("tone.wav", 0.2);
    const CapturedAudio captured = CaptureAudio(
        [&path]
        {
            const AudioHandle sound = theAudioManager.CreateSoundFromFile(path);
            WaitForAudio(0.2);
            const AudioChannel once = theAudioManager.PlaySound(sound);
            RunAudioSteps(0.5);
            EXPECT_EQ(theAudioManager.FindPlayer(once), nullptr);
            const AudioChannel looping = theAudioManager.PlaySound(sound, true);
            RunAudioSteps(1.5);
            EXPECT_NE(theAudioManager.FindPlayer(looping), nullptr);
        });
    const std::vector<SoundSegment> sounds = captured.FindSounds();
    ASSERT_EQ(sounds.size(), 2u);
    EXPECT_NEAR(sounds[0].Length(), 0.2, 0.03);
    EXPECT_GT(sounds[1].Length(), 1.4) << "seven times the sound's own length and still going";
    EXPECT_GT(captured.Rms(sounds[1].endSeconds - 0.3, sounds[1].endSeconds), 0.3);
}

TEST(AudioManagerPlaybackTest, TheBuiltInSoundRingsForAboutTwoSeconds)
{
    const CapturedAudio captured = CaptureAudio(
        []
        {
            WaitForAudio(0.2);
            theAudioManager.PlaySound(theBuiltInSoundHandle);
            RunAudioSteps(2.3);
        });
    const std::vector<SoundSegment> sounds = captured.FindSounds(0.002);
    ASSERT_FALSE(sounds.empty());
    EXPECT_GT(sounds.back().endSeconds - sounds.front().startSeconds, 1.5);
    EXPECT_LT(sounds.back().endSeconds - sounds.front().startSeconds, 1.95);
}
