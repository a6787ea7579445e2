#ifndef KELP_FORGE_TESTS_SUPPORT_AUDIO_TEST_SUPPORT_HPP
#define KELP_FORGE_TESTS_SUPPORT_AUDIO_TEST_SUPPORT_HPP

// Builds sound files for the audio tests and listens to what OpenAL Soft really plays.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace KelpForge::Testing
{

// --- Making sound files ---------------------------------------------------------------------------

// Mono 16-bit samples of a sine tone.
std::vector<std::int16_t> MakeTone(double frequency, double seconds, double amplitude = 0.5,
                                   std::uint32_t sampleRate = 44100);

struct WaveChunk
{
    std::string identifier;
    std::vector<unsigned char> body;
};

// A RIFF/WAVE image, with its parts open to being broken on purpose.
struct WaveImage
{
    std::uint16_t channels = 1;
    std::uint32_t frequency = 44100;
    std::uint16_t bitsPerSample = 16;
    std::vector<unsigned char> samples;
    std::vector<WaveChunk> chunksBeforeFormat;
    std::vector<WaveChunk> chunksBeforeData;
    // Extra bytes at the end of the "fmt " chunk (an 18-byte WAVEFORMATEX has two).
    std::size_t formatPadding = 0;
    // The "data" size written in its header when set; the real size otherwise.
    std::optional<std::uint32_t> statedDataSize;

    [[nodiscard]] std::vector<unsigned char> Encode() const;
};

std::vector<unsigned char> SamplesAsBytes(const std::vector<std::int16_t>& samples);
// Encodes a WAV file as OGG Vorbis with vorbis-tools' oggenc; true when it succeeded.
bool EncodeOgg(const std::filesystem::path& wavePath, const std::filesystem::path& oggPath);

// --- Listening to the output ----------------------------------------------------------------------

struct SoundSegment
{
    double startSeconds = 0.0;
    double endSeconds = 0.0;
    [[nodiscard]] double Length() const { return endSeconds - startSeconds; }
};

// What OpenAL Soft's wave writer recorded: mono samples from -1 to 1 at 44,100 Hz, from the moment
// the audio manager opened its device to the moment it closed it.
struct CapturedAudio
{
    std::vector<float> samples;
    std::uint32_t frequency = 44100;

    [[nodiscard]] double Seconds() const { return static_cast<double>(samples.size()) / frequency; }
    [[nodiscard]] double Rms(double fromSeconds, double toSeconds) const;
    // Stretches of 10 ms windows whose RMS exceeds threshold, joined across gaps shorter than 30 ms.
    [[nodiscard]] std::vector<SoundSegment> FindSounds(double threshold = 0.01) const;
    // Frequency of a tone from its rate of upward zero crossings.
    [[nodiscard]] double ToneFrequency(double fromSeconds, double toSeconds) const;
};

// Runs scenario in a child process of this test program whose default OpenAL device is OpenAL
// Soft's wave writer, and returns what it wrote. The device is opened during static initialisation,
// so the child is started afresh with its own configuration; it runs the test case from the start
// (so scenario must be the first thing it captures) and exits once scenario returns. A failed
// expectation inside scenario fails the capture.
CapturedAudio CaptureAudio(const std::function<void()>& scenario);

// --- Timing by the audio clock --------------------------------------------------------------------

// Seconds of sound the audio manager's device has mixed since it opened, which in a capture is the
// position in the output. OpenAL Soft mixes in real time but in blocks of about 23 ms, and a mixer
// that a busy machine held up catches up in a rush, so a scenario that waits on this clock rather
// than on the wall clock knows where in the output its sounds start and stop.
[[nodiscard]] double AudioClockSeconds();
// Waits until the device has mixed the given seconds more.
void WaitForAudio(double seconds);
// Calls step once every 10 ms of the audio clock, as the game loop steps, until it returns true or
// limitSeconds have passed; the seconds until it returned true, or -1 when it never did.
double RunAudioSteps(double limitSeconds, const std::function<bool()>& step);
// Calls the audio manager's Update once every 10 ms of the audio clock for the given time.
void RunAudioSteps(double seconds);

// Stops the device's mixer for the object's lifetime: a sound started meanwhile stays at its start
// however long the checks that follow take.
class PausedAudioDevice
{
public:
    PausedAudioDevice();
    ~PausedAudioDevice();
    PausedAudioDevice(const PausedAudioDevice&) = delete;
    PausedAudioDevice& operator=(const PausedAudioDevice&) = delete;
};

} // namespace KelpForge::Testing

#endif
