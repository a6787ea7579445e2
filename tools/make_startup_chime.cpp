// Synthesises the framework's start-up sound: a soft three-note bell arpeggio (E5, G#5, B5) that
// rings out and fades to silence, as a mono 16-bit 44,100 Hz WAV of 83,728 samples (about 1.9 s).
// The build runs it and embeds the result, so no audio file is kept in the source tree.
// Usage: make_startup_chime <output.wav>

#include "asset_kit/wave_encoding.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

namespace
{

constexpr std::uint32_t kFrequency = 44100;
constexpr std::size_t kSampleCount = 83728;
// Loudest point of the mix, as a share of full scale: leaves headroom below clipping.
constexpr double kPeakLevel = 0.5;

struct Partial
{
    double ratio;     // to the note's fundamental
    double amplitude; // relative to the fundamental
    double decay;     // seconds for the partial to fall to 1/e
};

// A struck bar: slightly stretched overtones that die away faster the higher they are, which is
// what makes it a bell rather than a bare sine.
constexpr std::array<Partial, 4> kBellPartials{{
    {1.0, 1.0, 0.70},
    {2.005, 0.38, 0.35},
    {3.01, 0.14, 0.20},
    {4.16, 0.07, 0.12},
}};

struct Note
{
    double startSeconds;
    double frequency;
    double level;
};

constexpr std::array<Note, 3> kNotes{{
    {0.00, 659.26, 0.9},
    {0.16, 830.61, 0.8},
    {0.32, 987.77, 1.0},
}};

constexpr double kAttackSeconds = 0.006;
constexpr double kFadeOutSeconds = 0.25;

double NoteSample(const Note& note, double seconds)
{
    const double sinceStart = seconds - note.startSeconds;
    if (sinceStart < 0.0)
    {
        return 0.0;
    }
    // A short raised-cosine attack keeps the strike from clicking.
    const double attack = sinceStart < kAttackSeconds
                              ? 0.5 - 0.5 * std::cos(std::numbers::pi * sinceStart / kAttackSeconds)
                              : 1.0;
    double value = 0.0;
    for (const Partial& partial : kBellPartials)
    {
        const double phase = 2.0 * std::numbers::pi * note.frequency * partial.ratio * sinceStart;
        value += partial.amplitude * std::exp(-sinceStart / partial.decay) * std::sin(phase);
    }
    return note.level * attack * value;
}

std::vector<double> Synthesise()
{
    std::vector<double> mix(kSampleCount);
    const double totalSeconds = static_cast<double>(kSampleCount) / kFrequency;
    for (std::size_t index = 0; index < kSampleCount; ++index)
    {
        const double seconds = static_cast<double>(index) / kFrequency;
        double value = 0.0;
        for (const Note& note : kNotes)
        {
            value += NoteSample(note, seconds);
        }
        // The tail fades to exact silence so the sound ends without a click.
        const double untilEnd = totalSeconds - seconds;
        if (untilEnd < kFadeOutSeconds)
        {
            value *= 0.5 - 0.5 * std::cos(std::numbers::pi * untilEnd / kFadeOutSeconds);
        }
        mix[index] = value;
    }
    double peak = 0.0;
    for (const double value : mix)
    {
        peak = std::max(peak, std::abs(value));
    }
    for (double& value : mix)
    {
        value *= kPeakLevel / peak;
    }
    return mix;
}

} // namespace

int main(int argumentCount, char** arguments)
{
    if (argumentCount != 2)
    {
        std::fprintf(stderr, "usage: make_startup_chime <output.wav>\n");
        return 2;
    }
    if (!KelpForge::Tools::WriteWholeFile(arguments[1],
                                          KelpForge::Tools::EncodeWave(Synthesise(), kFrequency)))
    {
        std::fprintf(stderr, "make_startup_chime: cannot write %s\n", arguments[1]);
        return 1;
    }
    return 0;
}
