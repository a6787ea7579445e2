#include "kelp_forge/audio/implementation/kfi_wave_reader.hpp"

#include "support/kf_audio_test_support.hpp"
#include "support/kf_error_recorder.hpp"
#include "support/kf_test_files.hpp"

#include <gtest/gtest.h>

#include <filesystem>

using KelpForge::Testing::CorpusFolder;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::ReadFile;
using KelpForge::Testing::WaveImage;
using kfImplementation::ReadWave;
using kfImplementation::WaveContents;

namespace
{

using Messages = std::vector<std::string>;

const std::string kNotWave =
    "kfExternalError: Failed to process audio file, \"sound.wav\", audio file is not a supported WAV file.";
const std::string kNoFormat = "kfExternalError: Was unable to find 'fmt ' chunk in wave file.";
const std::string kNoData = "kfExternalError: Was unable to find data chunk in wave file.";

WaveImage MonoImage(std::size_t sampleBytes = 8)
{
    WaveImage image;
    for (std::size_t index = 0; index < sampleBytes; ++index)
    {
        image.samples.push_back(static_cast<unsigned char>(index + 1));
    }
    return image;
}

std::optional<WaveContents> Read(const std::vector<unsigned char>& bytes)
{
    return ReadWave(bytes, "sound.wav");
}

} // namespace

TEST(WaveReaderTest, ReadsTheFormatAndPointsAtTheSamples)
{
    ErrorRecorder recorder;
    WaveImage image = MonoImage();
    image.frequency = 22050;
    const std::vector<unsigned char> bytes = image.Encode();
    const std::optional<WaveContents> contents = Read(bytes);
    ASSERT_TRUE(contents.has_value());
    EXPECT_EQ(contents->channels, 1);
    EXPECT_EQ(contents->frequency, 22050u);
    EXPECT_EQ(contents->bitsPerSample, 16);
    ASSERT_EQ(contents->samples.size(), 8u);
    EXPECT_EQ(contents->samples.data(), bytes.data() + 44);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(WaveReaderTest, SkipsChunksBeforeFormatAndBetweenFormatAndDataByTheirExactSize)
{
    ErrorRecorder recorder;
    WaveImage image = MonoImage();
    // Odd sizes with no pad byte: the next chunk starts right after the stated size.
    image.chunksBeforeFormat = {{"LIST", {'I', 'N', 'F', 'O', 'x'}}, {"JUNK", {}}};
    image.chunksBeforeData = {{"fact", {1, 0, 0, 0}}, {"PEAK", {9, 9, 9}}};
    const std::vector<unsigned char> bytes = image.Encode();
    const std::optional<WaveContents> contents = Read(bytes);
    ASSERT_TRUE(contents.has_value());
    EXPECT_EQ(std::vector<unsigned char>(contents->samples.begin(), contents->samples.end()), image.samples);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(WaveReaderTest, RefusesAFormatChunkThatIsNotSixteenBytes)
{
    ErrorRecorder recorder;
    WaveImage image = MonoImage();
    image.formatPadding = 2;
    EXPECT_FALSE(Read(image.Encode()).has_value());
    EXPECT_EQ(recorder.Messages(), Messages{"Expected \"fmt \" sub-chunk size to be 16 bytes."});
}

TEST(WaveReaderTest, AcceptsEightBitStereoAndRefusesOtherLayouts)
{
    ErrorRecorder recorder;
    WaveImage stereo = MonoImage();
    stereo.channels = 2;
    stereo.bitsPerSample = 8;
    const std::vector<unsigned char> stereoBytes = stereo.Encode();
    const std::optional<WaveContents> contents = Read(stereoBytes);
    ASSERT_TRUE(contents.has_value());
    EXPECT_EQ(contents->channels, 2);
    EXPECT_EQ(contents->bitsPerSample, 8);
    EXPECT_TRUE(recorder.Messages().empty());

    WaveImage twentyFourBit = MonoImage(9);
    twentyFourBit.bitsPerSample = 24;
    EXPECT_FALSE(Read(twentyFourBit.Encode()).has_value());
    EXPECT_EQ(recorder.Messages(),
              Messages{"kfExternalError: Audio file \"sound.wav\" is not a 8bit or 16bit WAV file."});

    for (const std::uint16_t channels : {0, 3, 6})
    {
        recorder.Clear();
        WaveImage image = MonoImage(12);
        image.channels = channels;
        EXPECT_FALSE(Read(image.Encode()).has_value()) << channels;
        EXPECT_EQ(recorder.Messages(),
                  Messages{"kfExternalError: Audio file \"sound.wav\" is not a mono or stereo WAV file."});
    }
}

TEST(WaveReaderTest, RefusesAZeroOrAbsurdFrequency)
{
    ErrorRecorder recorder;
    for (const std::uint32_t frequency : {0u, 0xFFFFFFFFu})
    {
        recorder.Clear();
        WaveImage image = MonoImage();
        image.frequency = frequency;
        EXPECT_FALSE(Read(image.Encode()).has_value());
        EXPECT_EQ(recorder.Messages(), Messages{kNotWave});
    }
}

TEST(WaveReaderTest, RefusesWhatIsNotRiffWave)
{
    ErrorRecorder recorder;
    std::vector<unsigned char> notWave = MonoImage().Encode();
    notWave[8] = 'A';
    std::vector<unsigned char> notRiff = MonoImage().Encode();
    notRiff[0] = 'R';
    notRiff[1] = 'I';
    notRiff[2] = 'F';
    notRiff[3] = 'X';
    const std::vector<std::vector<unsigned char>> inputs = {notWave, notRiff, {}, {'R', 'I', 'F', 'F', 0, 0}};
    for (const std::vector<unsigned char>& bytes : inputs)
    {
        recorder.Clear();
        EXPECT_FALSE(Read(bytes).has_value());
        EXPECT_EQ(recorder.Messages(), Messages{kNotWave});
    }
}

TEST(WaveReaderTest, ReportsMissingAndCutOffChunks)
{
    ErrorRecorder recorder;
    const std::vector<unsigned char> whole = MonoImage().Encode();

    // Only the RIFF header, and then a "fmt " chunk cut off in its middle.
    EXPECT_FALSE(Read({whole.begin(), whole.begin() + 12}).has_value());
    EXPECT_FALSE(Read({whole.begin(), whole.begin() + 30}).has_value());
    EXPECT_EQ(recorder.Messages(), (Messages{kNoFormat, kNoFormat}));

    recorder.Clear();
    EXPECT_FALSE(Read({whole.begin(), whole.begin() + 36}).has_value());
    EXPECT_EQ(recorder.Messages(), Messages{kNoData});

    // A chunk before "fmt " that claims to run far past the end of the file.
    recorder.Clear();
    WaveImage runaway = MonoImage();
    runaway.chunksBeforeFormat = {{"JUNK", {}}};
    std::vector<unsigned char> bytes = runaway.Encode();
    bytes[16] = bytes[17] = bytes[18] = bytes[19] = 0xFF;
    EXPECT_FALSE(Read(bytes).has_value());
    EXPECT_EQ(recorder.Messages(), Messages{kNoFormat});
}

TEST(WaveReaderTest, ADataSizeBeyondTheFileYieldsOnlyTheWholeFramesPresent)
{
    ErrorRecorder recorder;
    for (const std::uint32_t statedSize : {1000u, 0xFFFFFFFFu})
    {
        WaveImage image = MonoImage(7);
        image.statedDataSize = statedSize;
        const std::vector<unsigned char> bytes = image.Encode();
        const std::optional<WaveContents> contents = Read(bytes);
        ASSERT_TRUE(contents.has_value());
        EXPECT_EQ(contents->samples.size(), 6u) << "three whole 16-bit samples of the seven bytes";
    }
    WaveImage stereo = MonoImage(10);
    stereo.channels = 2;
    const std::vector<unsigned char> stereoBytes = stereo.Encode();
    const std::optional<WaveContents> contents = Read(stereoBytes);
    ASSERT_TRUE(contents.has_value());
    EXPECT_EQ(contents->samples.size(), 8u);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(WaveReaderTest, EveryCorpusFileReadsOrIsRefusedWithAMessage)
{
    KF_SKIP_WITHOUT_CORPORA();
    ErrorRecorder recorder;
    int acceptedCount = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CorpusFolder("wav")))
    {
        if (entry.path().extension() != ".wav")
        {
            continue;
        }
        recorder.Clear();
        const std::vector<unsigned char> bytes = ReadFile(entry.path());
        const std::optional<WaveContents> contents = ReadWave(bytes, entry.path().string());
        if (contents.has_value())
        {
            ++acceptedCount;
            EXPECT_TRUE(recorder.Messages().empty()) << entry.path();
            EXPECT_LE(contents->samples.size(), bytes.size()) << entry.path();
            EXPECT_TRUE(contents->channels == 1 || contents->channels == 2) << entry.path();
        }
        else
        {
            EXPECT_EQ(recorder.Messages().size(), 1u) << entry.path();
        }
    }
    // The plain 8- and 16-bit PCM files among them.
    EXPECT_GE(acceptedCount, 10);
}
