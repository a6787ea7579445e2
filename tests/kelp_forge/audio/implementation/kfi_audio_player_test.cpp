#include "kelp_forge/audio/implementation/kfi_audio_player.hpp"

#include "kelp_forge/audio/implementation/kfi_audio_data.hpp"
#include "kelp_forge/audio/kf_audio_manager.hpp"
#include "support/kf_audio_test_support.hpp"
#include "support/kf_error_recorder.hpp"
#include "support/kf_test_files.hpp"

#include <gtest/gtest.h>

using KelpForge::Testing::CaptureAudio;
using KelpForge::Testing::CapturedAudio;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::MakeTone;
using KelpForge::Testing::RunAudioSteps;
using KelpForge::Testing::SamplesAsBytes;
using KelpForge::Testing::SoundSegment;
using KelpForge::Testing::TestFolder;
using KelpForge::Testing::WaitForAudio;
using KelpForge::Testing::WaveImage;
using KelpForge::Testing::WriteFile;
using kfImplementation::AudioData;
using kfImplementation::AudioPlayer;

namespace
{

using Messages = std::vector<std::string>;

const std::string kVolumeMessage =
    "kfExternalError: Expected volume to remain within range: (0.0f <= volume <= 1.0f).";

class AudioPlayerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // Players need the audio manager's context.
        static_cast<void>(KelpForge::Audio::theAudioManager.GetSoundVolume());
    }

    // Mono 16-bit tones, one after another, each lasting secondsEach.
    static WaveImage ToneSequence(const std::vector<double>& frequencies, double secondsEach)
    {
        WaveImage image;
        for (const double frequency : frequencies)
        {
            const std::vector<unsigned char> bytes = SamplesAsBytes(MakeTone(frequency, secondsEach));
            image.samples.insert(image.samples.end(), bytes.begin(), bytes.end());
        }
        return image;
    }

    static std::shared_ptr<AudioData> LoadWave(const std::string& name, const WaveImage& image)
    {
        const std::filesystem::path path = TestFolder() / name;
        WriteFile(path, image.Encode());
        return std::make_shared<AudioData>(path.string(), false);
    }

    // Path of an OGG file encoded from image.
    static std::string WriteOgg(const std::string& name, const WaveImage& image)
    {
        const std::filesystem::path wavePath = TestFolder() / (name + ".wav");
        const std::filesystem::path oggPath = TestFolder() / (name + ".ogg");
        WriteFile(wavePath, image.Encode());
        EXPECT_TRUE(KelpForge::Testing::EncodeOgg(wavePath, oggPath));
        return oggPath.string();
    }

    // Steps the player every 10 ms of the audio clock until it finishes; the seconds that took, or
    // -1 past the limit.
    static double UpdateUntilFinished(AudioPlayer& player, double limitSeconds)
    {
        return RunAudioSteps(limitSeconds,
                             [&player]
                             {
                                 player.Update();
                                 return player.IsFinished();
                             });
    }

    // Each second of the seven-second stream is a tone of its own: 300 Hz, 400 Hz, ... 900 Hz.
    static const std::vector<double>& SevenSecondFrequencies()
    {
        static const std::vector<double> frequencies{300.0, 400.0, 500.0, 600.0, 700.0, 800.0, 900.0};
        return frequencies;
    }
};

} // namespace

TEST_F(AudioPlayerTest, VolumeMustStayWithinZeroAndOne)
{
    ErrorRecorder recorder;
    AudioPlayer player(1);
    player.SetVolume(0.0f);
    player.SetVolume(1.0f);
    EXPECT_TRUE(recorder.Messages().empty());
    player.SetVolume(1.0001f);
    EXPECT_EQ(recorder.Messages(), Messages{kVolumeMessage});
    recorder.Clear();
    player.SetVolume(-0.01f);
    ASSERT_FALSE(recorder.Messages().empty());
    EXPECT_EQ(recorder.Messages().front(), kVolumeMessage);
}

TEST_F(AudioPlayerTest, PitchMustNotBeNegative)
{
    ErrorRecorder recorder;
    AudioPlayer player(1);
    player.SetPitch(0.0f);
    player.SetPitch(2.0f);
    EXPECT_TRUE(recorder.Messages().empty());
    player.SetPitch(-0.5f);
    ASSERT_FALSE(recorder.Messages().empty());
    EXPECT_EQ(recorder.Messages().front(), "kfExternalError: Expected pitch to remain a positive value.");
}

TEST_F(AudioPlayerTest, APlayerPlaysOneSoundOnly)
{
    ErrorRecorder recorder;
    const std::shared_ptr<AudioData> data = LoadWave("tone.wav", ToneSequence({440.0}, 0.1));
    AudioPlayer player(1);
    player.SetAudioData(data, false);
    EXPECT_TRUE(recorder.Messages().empty());
    player.SetAudioData(data, false);
    EXPECT_EQ(recorder.Messages(), Messages{"kfInternalError: This player already has valid audio data."});
}

TEST_F(AudioPlayerTest, ANonLoopingSoundFinishesAndReleasesItsData)
{
    ErrorRecorder recorder;
    std::shared_ptr<AudioData> data = LoadWave("tone.wav", ToneSequence({440.0}, 0.05));
    const std::weak_ptr<AudioData> watched = data;
    AudioPlayer player(1);
    player.SetAudioData(std::move(data), false);
    EXPECT_FALSE(player.IsFinished());
    WaitForAudio(0.3);
    player.Update();
    EXPECT_TRUE(player.IsFinished());
    EXPECT_TRUE(watched.expired()) << "the player held the last reference and let it go";
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(AudioPlayerTest, ALoopingSoundNeverFinishes)
{
    ErrorRecorder recorder;
    AudioPlayer player(1);
    player.SetAudioData(LoadWave("tone.wav", ToneSequence({440.0}, 0.05)), true);
    EXPECT_LT(UpdateUntilFinished(player, 0.3), 0.0) << "six times its length and still playing";
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(AudioPlayerTest, DataThatFailedToLoadFinishesAtOnce)
{
    ErrorRecorder recorder;
    const auto missing = std::make_shared<AudioData>("missing.ogg", false);
    recorder.Clear();
    AudioPlayer player(1);
    player.SetAudioData(missing, true);
    player.Update();
    EXPECT_TRUE(player.IsFinished());
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(AudioPlayerTest, ALoopingStreamShorterThanAChunkFailsTheWrapCheckOnItsFirstRefill)
{
    ErrorRecorder recorder;
    const auto data = std::make_shared<AudioData>(WriteOgg("one_second", ToneSequence({440.0}, 1.0)), true);
    AudioPlayer player(1);
    player.SetAudioData(data, true);
    EXPECT_TRUE(recorder.Messages().empty());
    WaitForAudio(1.2);
    player.Update();
    EXPECT_EQ(recorder.Messages(),
              Messages{"kfInternalError: Streaming and Looping Audio, perhaps buffer size too large?"});
}

TEST_F(AudioPlayerTest, ALoopingStreamWithoutSamplesFinishes)
{
    ErrorRecorder recorder;
    const auto data = std::make_shared<AudioData>(WriteOgg("empty", WaveImage{}), true);
    ASSERT_TRUE(data->IsStreaming());
    AudioPlayer player(1);
    player.SetAudioData(data, true);
    player.Play(true);
    EXPECT_GE(UpdateUntilFinished(player, 1.0), 0.0);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(AudioPlayerTest, ASevenSecondStreamQueuesChunksOfThreeThreeAndOneSeconds)
{
    const std::string path = WriteOgg("seven", ToneSequence(SevenSecondFrequencies(), 1.0));
    const CapturedAudio captured = CaptureAudio(
        [&path]
        {
            ErrorRecorder recorder;
            AudioPlayer player(1);
            player.SetAudioData(std::make_shared<AudioData>(path, true), false);
            // Unattended, the two queued chunks play out and the source stops.
            WaitForAudio(6.8);
            player.Update();
            EXPECT_FALSE(player.IsFinished()) << "the starved stream resumed with its last chunk";
            EXPECT_GE(UpdateUntilFinished(player, 2.0), 0.0);
            EXPECT_TRUE(recorder.Messages().empty());
        });
    const std::vector<SoundSegment> sounds = captured.FindSounds();
    ASSERT_EQ(sounds.size(), 2u);
    EXPECT_NEAR(sounds[0].Length(), 6.0, 0.03);
    EXPECT_NEAR(sounds[1].Length(), 1.0, 0.03);
    for (std::size_t second = 0; second < 6; ++second)
    {
        const double start = sounds[0].startSeconds + static_cast<double>(second);
        EXPECT_NEAR(captured.ToneFrequency(start + 0.1, start + 0.9), SevenSecondFrequencies()[second], 5.0);
    }
    EXPECT_NEAR(captured.ToneFrequency(sounds[1].startSeconds + 0.1, sounds[1].endSeconds - 0.1), 900.0, 5.0);
}

TEST_F(AudioPlayerTest, AStreamSteppedEveryStepPlaysWithoutAGapAndFinishes)
{
    const std::string path = WriteOgg("seven", ToneSequence(SevenSecondFrequencies(), 1.0));
    const CapturedAudio captured = CaptureAudio(
        [&path]
        {
            ErrorRecorder recorder;
            AudioPlayer player(1);
            player.SetAudioData(std::make_shared<AudioData>(path, true), false);
            const double finishedAfter = UpdateUntilFinished(player, 9.0);
            EXPECT_GT(finishedAfter, 6.9);
            EXPECT_LT(finishedAfter, 7.5);
            EXPECT_TRUE(recorder.Messages().empty());
        });
    const std::vector<SoundSegment> sounds = captured.FindSounds();
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_NEAR(sounds[0].Length(), 7.0, 0.03);
    for (std::size_t second = 0; second < 7; ++second)
    {
        const double start = sounds[0].startSeconds + static_cast<double>(second);
        EXPECT_NEAR(captured.ToneFrequency(start + 0.1, start + 0.9), SevenSecondFrequencies()[second], 5.0);
    }
}
