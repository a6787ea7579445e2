// Declares the device clock and pause functions of OpenAL Soft's extensions.
#define AL_ALEXT_PROTOTYPES

#include "kf_audio_test_support.hpp"

#include "kelp_forge/audio/kf_audio_manager.hpp"
#include "support/kf_test_files.hpp"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <numbers>
#include <thread>

namespace KelpForge::Testing
{
namespace
{

void PutUint16(std::vector<unsigned char>& bytes, std::uint32_t value)
{
    bytes.push_back(static_cast<unsigned char>(value & 0xFF));
    bytes.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void PutUint32(std::vector<unsigned char>& bytes, std::uint32_t value)
{
    PutUint16(bytes, value & 0xFFFF);
    PutUint16(bytes, value >> 16);
}

void PutChunk(std::vector<unsigned char>& bytes, const WaveChunk& chunk)
{
    bytes.insert(bytes.end(), chunk.identifier.begin(), chunk.identifier.end());
    PutUint32(bytes, static_cast<std::uint32_t>(chunk.body.size()));
    bytes.insert(bytes.end(), chunk.body.begin(), chunk.body.end());
}

std::uint32_t GetUint32(const std::vector<unsigned char>& bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
                                      (static_cast<std::uint32_t>(bytes[offset + 3]) << 24));
}

// Reads the wave writer's output: a "fmt " chunk of any form, then 16-bit samples in "data".
CapturedAudio ReadCapturedWave(const std::filesystem::path& path)
{
    const std::vector<unsigned char> bytes = ReadFile(path);
    CapturedAudio captured;
    std::size_t position = 12;
    std::uint16_t channels = 1;
    while (position + 8 <= bytes.size())
    {
        const std::string identifier(bytes.begin() + static_cast<std::ptrdiff_t>(position),
                                     bytes.begin() + static_cast<std::ptrdiff_t>(position + 4));
        const std::uint32_t size = GetUint32(bytes, position + 4);
        position += 8;
        if (identifier == "fmt " && position + 16 <= bytes.size())
        {
            channels = static_cast<std::uint16_t>(bytes[position + 2] | (bytes[position + 3] << 8));
            captured.frequency = GetUint32(bytes, position + 4);
            EXPECT_EQ(bytes[position + 14], 16) << "the capture is configured for 16-bit samples";
        }
        if (identifier == "data")
        {
            const std::size_t end = std::min<std::size_t>(bytes.size(), position + size);
            for (std::size_t offset = position; offset + 2 * channels <= end; offset += 2 * channels)
            {
                const auto value = static_cast<std::int16_t>(bytes[offset] | (bytes[offset + 1] << 8));
                captured.samples.push_back(static_cast<float>(value) / 32768.0f);
            }
            break;
        }
        position += size;
    }
    return captured;
}

} // namespace

std::vector<std::int16_t> MakeTone(double frequency, double seconds, double amplitude,
                                   std::uint32_t sampleRate)
{
    std::vector<std::int16_t> samples(static_cast<std::size_t>(std::lround(seconds * sampleRate)));
    for (std::size_t index = 0; index < samples.size(); ++index)
    {
        const double phase = 2.0 * std::numbers::pi * frequency * static_cast<double>(index) / sampleRate;
        samples[index] = static_cast<std::int16_t>(std::lround(amplitude * 32767.0 * std::sin(phase)));
    }
    return samples;
}

std::vector<unsigned char> WaveImage::Encode() const
{
    std::vector<unsigned char> body;
    body.insert(body.end(), {'W', 'A', 'V', 'E'});
    for (const WaveChunk& chunk : chunksBeforeFormat)
    {
        PutChunk(body, chunk);
    }
    WaveChunk format{"fmt ", {}};
    const std::uint32_t blockAlign = channels * (bitsPerSample / 8u);
    PutUint16(format.body, 1);
    PutUint16(format.body, channels);
    PutUint32(format.body, frequency);
    PutUint32(format.body, frequency * blockAlign);
    PutUint16(format.body, blockAlign);
    PutUint16(format.body, bitsPerSample);
    format.body.resize(format.body.size() + formatPadding);
    PutChunk(body, format);
    for (const WaveChunk& chunk : chunksBeforeData)
    {
        PutChunk(body, chunk);
    }
    body.insert(body.end(), {'d', 'a', 't', 'a'});
    PutUint32(body, statedDataSize.value_or(static_cast<std::uint32_t>(samples.size())));
    body.insert(body.end(), samples.begin(), samples.end());

    std::vector<unsigned char> bytes{'R', 'I', 'F', 'F'};
    PutUint32(bytes, static_cast<std::uint32_t>(body.size()));
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

std::vector<unsigned char> SamplesAsBytes(const std::vector<std::int16_t>& samples)
{
    std::vector<unsigned char> bytes;
    for (const std::int16_t sample : samples)
    {
        PutUint16(bytes, static_cast<std::uint16_t>(sample));
    }
    return bytes;
}

bool EncodeOgg(const std::filesystem::path& wavePath, const std::filesystem::path& oggPath)
{
    const std::string command = "oggenc --quiet -o '" + oggPath.string() + "' '" + wavePath.string() + "'";
    return std::system(command.c_str()) == 0;
}

double CapturedAudio::Rms(double fromSeconds, double toSeconds) const
{
    const auto first = static_cast<std::size_t>(std::max(0.0, fromSeconds) * frequency);
    const auto last =
        std::min(samples.size(), static_cast<std::size_t>(std::max(0.0, toSeconds) * frequency));
    if (last <= first)
    {
        return 0.0;
    }
    double sum = 0.0;
    for (std::size_t index = first; index < last; ++index)
    {
        sum += static_cast<double>(samples[index]) * samples[index];
    }
    return std::sqrt(sum / static_cast<double>(last - first));
}

std::vector<SoundSegment> CapturedAudio::FindSounds(double threshold) const
{
    constexpr double kWindow = 0.01;
    constexpr double kLargestGap = 0.03;
    std::vector<SoundSegment> segments;
    for (double start = 0.0; start + kWindow <= Seconds(); start += kWindow)
    {
        if (Rms(start, start + kWindow) <= threshold)
        {
            continue;
        }
        if (!segments.empty() && start - segments.back().endSeconds < kLargestGap)
        {
            segments.back().endSeconds = start + kWindow;
        }
        else
        {
            segments.push_back({start, start + kWindow});
        }
    }
    return segments;
}

double CapturedAudio::ToneFrequency(double fromSeconds, double toSeconds) const
{
    const auto first = static_cast<std::size_t>(fromSeconds * frequency);
    const auto last = std::min(samples.size(), static_cast<std::size_t>(toSeconds * frequency));
    int crossings = 0;
    for (std::size_t index = first + 1; index < last; ++index)
    {
        crossings += samples[index - 1] < 0.0f && samples[index] >= 0.0f ? 1 : 0;
    }
    return crossings / (toSeconds - fromSeconds);
}

namespace
{

// The child's failed expectations, written where the parent shows them: its standard error.
int ReportScenarioFailures()
{
    const testing::TestResult* result = testing::UnitTest::GetInstance()->current_test_info()->result();
    for (int index = 0; index < result->total_part_count(); ++index)
    {
        const testing::TestPartResult& part = result->GetTestPartResult(index);
        if (part.failed())
        {
            std::fprintf(stderr, "%s:%d: %s\n", part.file_name() != nullptr ? part.file_name() : "?",
                         part.line_number(), part.message());
        }
    }
    return testing::Test::HasFailure() ? 1 : 0;
}

} // namespace

CapturedAudio CaptureAudio(const std::function<void()>& scenario)
{
    // Numbered per test case, so the child (which replays the test case) finds the same files.
    static std::map<std::string, int> captureCounts;
    const int captureNumber = ++captureCounts[CurrentTestName()];
    const std::filesystem::path folder = TestFolder();
    const std::filesystem::path output = folder / ("capture_" + std::to_string(captureNumber) + ".wav");
    const std::filesystem::path configuration =
        folder / ("capture_" + std::to_string(captureNumber) + ".conf");
    WriteFile(configuration,
              "[general]\ndrivers = wave\nchannels = mono\nsample-type = int16\nfrequency = 44100\n"
              "output-limiter = false\ndither = false\nhrtf = false\n[wave]\nfile = " +
                  output.string() + "\n");
    setenv("ALSOFT_CONF", configuration.c_str(), 1);

    // The threadsafe style starts the child by running this program again, so that its static
    // initialisation (and the audio manager's device) sees the configuration above.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            scenario();
            std::exit(ReportScenarioFailures());
        },
        testing::ExitedWithCode(0), "");
    return ReadCapturedWave(output);
}

namespace
{

ALCdevice* CurrentAudioDevice()
{
    ALCcontext* const context = alcGetCurrentContext();
    return context != nullptr ? alcGetContextsDevice(context) : nullptr;
}

// Sleeps until the audio clock reaches seconds; false, failing the test, without a device to wait on.
bool WaitForAudioClock(double seconds)
{
    if (CurrentAudioDevice() == nullptr)
    {
        ADD_FAILURE() << "no audio device to wait on";
        return false;
    }
    while (AudioClockSeconds() < seconds)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace

double AudioClockSeconds()
{
    ALCint64SOFT nanoseconds = 0;
    alcGetInteger64vSOFT(CurrentAudioDevice(), ALC_DEVICE_CLOCK_SOFT, 1, &nanoseconds);
    return static_cast<double>(nanoseconds) / 1e9;
}

void WaitForAudio(double seconds)
{
    WaitForAudioClock(AudioClockSeconds() + seconds);
}

double RunAudioSteps(double limitSeconds, const std::function<bool()>& step)
{
    const double start = AudioClockSeconds();
    const auto stepCount = static_cast<int>(std::lround(limitSeconds * 100.0));
    for (int index = 1; index <= stepCount && WaitForAudioClock(start + 0.01 * index); ++index)
    {
        if (step())
        {
            return AudioClockSeconds() - start;
        }
    }
    return -1.0;
}

void RunAudioSteps(double seconds)
{
    RunAudioSteps(seconds,
                  []
                  {
                      Audio::theAudioManager.Update();
                      return false;
                  });
}

PausedAudioDevice::PausedAudioDevice()
{
    alcDevicePauseSOFT(CurrentAudioDevice());
}

PausedAudioDevice::~PausedAudioDevice()
{
    alcDeviceResumeSOFT(CurrentAudioDevice());
}

} // namespace KelpForge::Testing
