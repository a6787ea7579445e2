// Audio: loading a 10-second stereo OGG Vorbis file fully (decode and upload, ms per load) and one
// AudioManager::Update with all 32 channels playing (µs per update).
//
// The audio manager opens its device during static initialisation. When there is none (as on a
// build machine), the benchmarks run again in a child process whose OpenAL Soft plays on its null
// device, which mixes in real time and discards the result.

#include "kf_benchmark.hpp"

#include "kelp_forge/audio/implementation/kfi_audio_data.hpp"
#include "kelp_forge/audio/kf_audio_manager.hpp"

#include <AL/alc.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

extern char** environ;

namespace
{

using KelpForge::Audio::theAudioManager;
using KelpForge::Benchmarks::ReportFigure;
using KelpForge::Benchmarks::SecondsSince;

constexpr std::uint32_t kFrequency = 44100;

std::filesystem::path WorkFolder()
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kf_audio_benchmark";
    std::filesystem::create_directories(folder);
    return folder;
}

void PutBytes(std::ofstream& file, std::uint32_t value, int count)
{
    for (int index = 0; index < count; ++index)
    {
        file.put(static_cast<char>((value >> (8 * index)) & 0xFF));
    }
}

// A stereo chord with a slow tremolo and a little noise, so the encoder has music-like work.
void WriteStereoWave(const std::filesystem::path& path, double seconds)
{
    const auto frames = static_cast<std::uint32_t>(seconds * kFrequency);
    std::ofstream file(path, std::ios::binary);
    file.write("RIFF", 4);
    PutBytes(file, 36 + frames * 4, 4);
    file.write("WAVEfmt ", 8);
    PutBytes(file, 16, 4);
    PutBytes(file, 1, 2);
    PutBytes(file, 2, 2);
    PutBytes(file, kFrequency, 4);
    PutBytes(file, kFrequency * 4, 4);
    PutBytes(file, 4, 2);
    PutBytes(file, 16, 2);
    file.write("data", 4);
    PutBytes(file, frames * 4, 4);
    std::uint32_t noise = 1;
    for (std::uint32_t frame = 0; frame < frames; ++frame)
    {
        const double time = static_cast<double>(frame) / kFrequency;
        const double tremolo = 0.75 + 0.25 * std::sin(2.0 * std::numbers::pi * 3.0 * time);
        for (const double detune : {1.0, 1.003})
        {
            noise = noise * 1664525u + 1013904223u;
            double value = 0.0;
            for (const double note : {220.0, 277.18, 329.63, 440.0})
            {
                value += 0.15 * std::sin(2.0 * std::numbers::pi * note * detune * time);
            }
            value = value * tremolo + (static_cast<double>(noise >> 16) / 65536.0 - 0.5) * 0.02;
            PutBytes(file, static_cast<std::uint16_t>(static_cast<std::int16_t>(value * 32767.0)), 2);
        }
    }
}

bool HasAudioDevice()
{
    return alcGetCurrentContext() != nullptr;
}

// Runs this program's audio benchmarks again on OpenAL Soft's null device; false when it could not.
bool RunOnNullDevice()
{
    if (std::getenv("KF_AUDIO_BENCHMARK_ON_NULL_DEVICE") != nullptr)
    {
        return false;
    }
    const std::filesystem::path configuration = WorkFolder() / "null_device.conf";
    std::ofstream(configuration) << "[general]\ndrivers = null\n";
    setenv("ALSOFT_CONF", configuration.c_str(), 1);
    setenv("KF_AUDIO_BENCHMARK_ON_NULL_DEVICE", "1", 1);
    std::string program = std::filesystem::read_symlink("/proc/self/exe").string();
    std::string filter = "Audio";
    char* arguments[] = {program.data(), filter.data(), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, arguments, environ) != 0)
    {
        return false;
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

KF_BENCHMARK(AudioLoadOggAndUpdate)
{
    if (!HasAudioDevice())
    {
        if (!RunOnNullDevice())
        {
            ReportFigure("audio_benchmarks_skipped_no_audio_device", 1.0, "flag");
        }
        return;
    }

    const std::filesystem::path wavePath = WorkFolder() / "ten_seconds.wav";
    const std::filesystem::path oggPath = WorkFolder() / "ten_seconds.ogg";
    WriteStereoWave(wavePath, 10.0);
    const std::string encode = "oggenc --quiet -o '" + oggPath.string() + "' '" + wavePath.string() + "'";
    if (std::system(encode.c_str()) != 0)
    {
        ReportFigure("audio_ogg_load_skipped_no_oggenc", 1.0, "flag");
        return;
    }
    constexpr int kLoads = 5;
    {
        const kfImplementation::AudioData warmUp(oggPath.string(), false);
    }
    const auto loadStart = std::chrono::steady_clock::now();
    for (int load = 0; load < kLoads; ++load)
    {
        const kfImplementation::AudioData data(oggPath.string(), false);
    }
    ReportFigure("audio_load_10s_stereo_ogg", SecondsSince(loadStart) * 1000.0 / kLoads, "ms");

    const KelpForge::Audio::AudioHandle sound = theAudioManager.CreateSoundFromFile(oggPath.string());
    for (std::size_t channel = 0; channel < KelpForge::Audio::AudioManager::sMaximumChannels; ++channel)
    {
        theAudioManager.PlaySound(sound, true);
    }
    constexpr int kUpdates = 20000;
    const auto updateStart = std::chrono::steady_clock::now();
    for (int update = 0; update < kUpdates; ++update)
    {
        theAudioManager.Update();
    }
    ReportFigure("audio_update_32_channels", SecondsSince(updateStart) * 1.0e6 / kUpdates, "us");
}
