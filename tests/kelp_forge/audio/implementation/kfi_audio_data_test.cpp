#include "kelp_forge/audio/implementation/kfi_audio_data.hpp"

#include "kelp_forge/audio/kf_audio_manager.hpp"
#include "support/kf_audio_test_support.hpp"
#include "support/kf_error_recorder.hpp"
#include "support/kf_test_files.hpp"

#include <AL/al.h>
#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

using KelpForge::Testing::CorpusFolder;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::MakeTone;
using KelpForge::Testing::SamplesAsBytes;
using KelpForge::Testing::TestFolder;
using KelpForge::Testing::WaveImage;
using KelpForge::Testing::WriteFile;
using kfImplementation::AudioData;

namespace
{

using Messages = std::vector<std::string>;

class AudioDataTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // The audio manager's context must be current: these cases upload real OpenAL buffers.
        static_cast<void>(KelpForge::Audio::theAudioManager.GetSoundVolume());
        ASSERT_EQ(alGetError(), AL_NO_ERROR);
    }

    static ALint BufferValue(const AudioData& data, ALenum parameter)
    {
        ALint value = -1;
        alGetBufferi(data.GetBufferName(), parameter, &value);
        EXPECT_EQ(alGetError(), AL_NO_ERROR);
        return value;
    }

    static std::filesystem::path WriteWave(const std::string& name, const WaveImage& image)
    {
        const std::filesystem::path path = TestFolder() / name;
        WriteFile(path, image.Encode());
        return path;
    }

    // A tone written as WAV, then encoded as OGG under name.
    static std::filesystem::path WriteOgg(const std::filesystem::path& path, double seconds,
                                          std::uint16_t channels = 1)
    {
        WaveImage image;
        image.channels = channels;
        const std::vector<unsigned char> tone = SamplesAsBytes(MakeTone(440.0, seconds));
        for (std::size_t offset = 0; offset < tone.size(); offset += 2)
        {
            for (std::uint16_t channel = 0; channel < channels; ++channel)
            {
                image.samples.insert(image.samples.end(), tone.begin() + static_cast<std::ptrdiff_t>(offset),
                                     tone.begin() + static_cast<std::ptrdiff_t>(offset + 2));
            }
        }
        const std::filesystem::path wavePath = TestFolder() / "ogg_source.wav";
        WriteFile(wavePath, image.Encode());
        std::filesystem::create_directories(path.parent_path());
        EXPECT_TRUE(KelpForge::Testing::EncodeOgg(wavePath, path));
        return path;
    }
};

} // namespace

TEST_F(AudioDataTest, AWaveFileLoadsIntoOneBufferAndKeepsNoHostCopy)
{
    ErrorRecorder recorder;
    WaveImage image;
    image.frequency = 22050;
    image.samples = SamplesAsBytes(MakeTone(440.0, 0.25, 0.5, 22050));
    const AudioData data(WriteWave("tone.wav", image).string(), false);
    EXPECT_TRUE(recorder.Messages().empty());
    ASSERT_NE(data.GetBufferName(), 0u);
    EXPECT_FALSE(data.IsStreaming());
    EXPECT_EQ(data.GetFormat(), AL_FORMAT_MONO16);
    EXPECT_EQ(data.GetFrequency(), 22050u);
    EXPECT_EQ(data.GetDataSize(), image.samples.size());
    EXPECT_EQ(BufferValue(data, AL_SIZE), static_cast<ALint>(image.samples.size()));
    EXPECT_EQ(BufferValue(data, AL_FREQUENCY), 22050);
}

TEST_F(AudioDataTest, EightBitStereoUploadsAsStereo8)
{
    ErrorRecorder recorder;
    WaveImage image;
    image.channels = 2;
    image.bitsPerSample = 8;
    image.samples.assign(4410, 128);
    const AudioData data(WriteWave("stereo8.wav", image).string(), false);
    EXPECT_TRUE(recorder.Messages().empty());
    EXPECT_EQ(data.GetFormat(), AL_FORMAT_STEREO8);
    EXPECT_EQ(BufferValue(data, AL_CHANNELS), 2);
    EXPECT_EQ(BufferValue(data, AL_BITS), 8);
}

TEST_F(AudioDataTest, FailuresReportTheReasonThenTheLoadFailure)
{
    ErrorRecorder recorder;
    const AudioData missing("no/such/file.wav", false);
    EXPECT_EQ(recorder.Messages(),
              Messages{"kfExternalError: Failed to load audio file, \"no/such/file.wav\"."});
    EXPECT_EQ(missing.GetBufferName(), 0u);

    recorder.Clear();
    WaveImage image;
    image.samples.assign(12, 0);
    image.formatPadding = 2;
    const std::string path = WriteWave("wide_format.wav", image).string();
    const AudioData wideFormat(path, false);
    EXPECT_EQ(recorder.Messages(),
              (Messages{"Expected \"fmt \" sub-chunk size to be 16 bytes.",
                        "kfError: Was unable to initialize audio data for file, \"" + path + "\"."}));
    EXPECT_EQ(wideFormat.GetBufferName(), 0u);
    EXPECT_FALSE(wideFormat.IsStreaming());

    recorder.Clear();
    image.formatPadding = 0;
    image.bitsPerSample = 24;
    const std::string deepPath = WriteWave("deep.wav", image).string();
    const AudioData deep(deepPath, false);
    EXPECT_EQ(recorder.Messages(),
              (Messages{"kfExternalError: Audio file \"" + deepPath + "\" is not a 8bit or 16bit WAV file.",
                        "kfError: Was unable to initialize audio data for file, \"" + deepPath + "\"."}));
}

TEST_F(AudioDataTest, MemoryDataIsReadAsWave)
{
    ErrorRecorder recorder;
    WaveImage image;
    image.samples = SamplesAsBytes(MakeTone(440.0, 0.1));
    const std::vector<unsigned char> bytes = image.Encode();
    const AudioData data(bytes.data(), bytes.size());
    EXPECT_TRUE(recorder.Messages().empty());
    EXPECT_TRUE(data.GetFilePath().empty());
    EXPECT_EQ(BufferValue(data, AL_SIZE), static_cast<ALint>(image.samples.size()));

    const std::vector<unsigned char> notWave(64, 'x');
    const AudioData broken(notWave.data(), notWave.size());
    EXPECT_EQ(
        recorder.Messages(),
        (Messages{
            "kfExternalError: Failed to process audio file, \"\", audio file is not a supported WAV file.",
            "kfError: Was unable to initialize audio data for file, \"\"."}));
    EXPECT_EQ(broken.GetBufferName(), 0u);
}

TEST_F(AudioDataTest, MemoryDataRefusesANullPointerAndAnEmptySize)
{
    ErrorRecorder recorder;
    const AudioData null(nullptr, 100);
    EXPECT_EQ(recorder.Messages(),
              Messages{"kfExternalError: Invalid file data, expected valid memory buffer containing file."});
    recorder.Clear();
    const unsigned char byte = 0;
    const AudioData empty(&byte, 0);
    EXPECT_EQ(recorder.Messages(), Messages{"kfExternalError: Invalid file size, 0 bytes."});
    EXPECT_EQ(null.GetBufferName(), 0u);
    EXPECT_EQ(empty.GetBufferName(), 0u);
}

TEST_F(AudioDataTest, AnOggFileDecodesFullyToSixteenBits)
{
    ErrorRecorder recorder;
    const std::filesystem::path path = WriteOgg(TestFolder() / "tone.ogg", 0.5, 2);
    const AudioData data(path.string(), false);
    EXPECT_TRUE(recorder.Messages().empty());
    EXPECT_EQ(data.GetFormat(), AL_FORMAT_STEREO16);
    EXPECT_EQ(data.GetFrequency(), 44100u);
    EXPECT_EQ(data.GetBitsPerSample(), 16);
    EXPECT_EQ(BufferValue(data, AL_SIZE), 22050 * 2 * 2);
}

TEST_F(AudioDataTest, AnyPathContainingDotOggIsDecodedAsOgg)
{
    ErrorRecorder recorder;
    const std::filesystem::path path = WriteOgg(TestFolder() / "music.ogg.d" / "sound.wav", 0.25);
    const AudioData data(path.string(), false);
    EXPECT_TRUE(recorder.Messages().empty());
    EXPECT_EQ(data.GetFormat(), AL_FORMAT_MONO16);
    EXPECT_EQ(BufferValue(data, AL_SIZE), 11025 * 2);
}

TEST_F(AudioDataTest, AnOggFileWithMoreThanTwoChannelsIsRefused)
{
    ErrorRecorder recorder;
    const std::string path = WriteOgg(TestFolder() / "surround.ogg", 0.1, 6).string();
    const AudioData data(path, false);
    EXPECT_EQ(recorder.Messages(),
              (Messages{"kfExternalError: Audio file \"" + path + "\" is not a mono or stereo OGG file.",
                        "kfError: Was unable to initialize audio data for file, \"" + path + "\"."}));
    EXPECT_EQ(data.GetBufferName(), 0u);
}

TEST_F(AudioDataTest, StreamingOggRecordsTheFormatOnly)
{
    ErrorRecorder recorder;
    const std::filesystem::path path = WriteOgg(TestFolder() / "stream.ogg", 0.25, 2);
    const AudioData data(path.string(), true);
    EXPECT_TRUE(recorder.Messages().empty());
    EXPECT_TRUE(data.IsStreaming());
    EXPECT_EQ(data.GetBufferName(), 0u);
    EXPECT_EQ(data.GetDataSize(), 0u);
    EXPECT_EQ(data.GetFormat(), AL_FORMAT_STEREO16);
    EXPECT_EQ(data.GetFrequency(), 44100u);

    // A streaming request for a file that is not OGG loads it fully instead.
    WaveImage image;
    image.samples = SamplesAsBytes(MakeTone(440.0, 0.1));
    const AudioData wave(WriteWave("not_streamed.wav", image).string(), true);
    EXPECT_FALSE(wave.IsStreaming());
    EXPECT_NE(wave.GetBufferName(), 0u);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(AudioDataTest, StreamingAnUnreadableOggIsReported)
{
    ErrorRecorder recorder;
    WriteFile(TestFolder() / "garbage.ogg", std::vector<unsigned char>(200, 'g'));
    const std::string path = (TestFolder() / "garbage.ogg").string();
    const AudioData data(path, true);
    EXPECT_EQ(recorder.Messages(),
              Messages{"kfError: Was unable to initialize audio file for streaming, \"" + path + "\"."});
    EXPECT_FALSE(data.IsStreaming());
    EXPECT_EQ(data.GetBufferName(), 0u);
}

TEST_F(AudioDataTest, EveryCorpusFileLoadsOrIsReported)
{
    KF_SKIP_WITHOUT_CORPORA();
    ErrorRecorder recorder;
    for (const std::filesystem::path& folder : {CorpusFolder("wav"), CorpusFolder("ogg")})
    {
        for (const auto& entry : std::filesystem::directory_iterator(folder))
        {
            if (!entry.is_regular_file() ||
                (entry.path().extension() != ".wav" && entry.path().extension() != ".ogg"))
            {
                continue;
            }
            for (const bool streaming : {false, true})
            {
                recorder.Clear();
                const AudioData data(entry.path().string(), streaming);
                const bool isUsable = data.GetBufferName() != 0 || data.IsStreaming();
                EXPECT_NE(isUsable, !recorder.Messages().empty()) << entry.path();
                if (data.GetBufferName() != 0 && entry.path().extension() == ".wav")
                {
                    EXPECT_LE(BufferValue(data, AL_SIZE), static_cast<ALint>(entry.file_size()))
                        << entry.path();
                }
            }
        }
    }
}

TEST_F(AudioDataTest, OnlyRegularFilesAreRead)
{
    ErrorRecorder recorder;
    // Read to its end, a device like this one would never end.
    const AudioData device("/dev/zero", false);
    EXPECT_EQ(recorder.Messages(), Messages{"kfExternalError: Failed to load audio file, \"/dev/zero\"."});

    recorder.Clear();
    const std::string folder = TestFolder().string();
    const AudioData directory(folder, false);
    EXPECT_EQ(recorder.Messages(),
              Messages{"kfExternalError: Failed to load audio file, \"" + folder + "\"."});

    // Opening a pipe without a writer would block for ever.
    recorder.Clear();
    const std::filesystem::path pipe = TestFolder() / "pipe.ogg";
    std::filesystem::remove(pipe);
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const AudioData streamed(pipe.string(), true);
    EXPECT_EQ(recorder.Messages(), Messages{"kfError: Was unable to initialize audio file for streaming, \"" +
                                            pipe.string() + "\"."});
    recorder.Clear();
    const AudioData loaded(pipe.string(), false);
    EXPECT_EQ(recorder.Messages(),
              Messages{"kfExternalError: Failed to load audio file, \"" + pipe.string() + "\"."});
}
