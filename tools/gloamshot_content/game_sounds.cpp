#include "game_sounds.hpp"

#include "content_random.hpp"

#include <array>
#include <cmath>
#include <numbers>

namespace Gloamshot::Content
{
namespace
{

constexpr double kTwoPi = 2.0 * std::numbers::pi;

double SecondsAt(std::size_t index)
{
    return static_cast<double>(index) / kSampleRate;
}

double Noise(Random& random)
{
    return random.Unit() * 2.0 - 1.0;
}

// A burst of noise through a band-pass filter, fading out exponentially.
Samples NoiseBurst(Random& random, double seconds, double centreHertz, double resonance, double decaySeconds)
{
    Samples burst = Silence(seconds);
    Filter filter;
    for (std::size_t index = 0; index < burst.size(); ++index)
    {
        burst[index] = filter.BandPass(Noise(random), centreHertz, resonance) *
                       std::exp(-SecondsAt(index) / decaySeconds);
    }
    ShapeEdges(burst, 0.0005, 0.01);
    return burst;
}

// A struck bell of slightly stretched overtones, each dying away faster than the one below.
Samples Bell(double frequency, double seconds, double decaySeconds)
{
    constexpr std::array<std::array<double, 3>, 4> kPartials{{
        // ratio, level, share of the decay time
        {1.0, 1.0, 1.0},
        {2.01, 0.35, 0.55},
        {3.02, 0.12, 0.35},
        {4.17, 0.05, 0.2},
    }};
    Samples bell = Silence(seconds);
    for (std::size_t index = 0; index < bell.size(); ++index)
    {
        const double time = SecondsAt(index);
        for (const auto& partial : kPartials)
        {
            bell[index] += partial[1] * std::exp(-time / (decaySeconds * partial[2])) *
                           std::sin(kTwoPi * frequency * partial[0] * time);
        }
    }
    ShapeEdges(bell, 0.004, 0.02);
    return bell;
}

// A soft brass-like note: a few harmonics behind a low-pass filter that opens at the attack and
// closes as the note fades.
Samples BrassNote(double frequency, double seconds, double decaySeconds)
{
    Samples note = Silence(seconds);
    Filter filter;
    for (std::size_t index = 0; index < note.size(); ++index)
    {
        const double time = SecondsAt(index);
        const double vibrato = 1.0 + 0.003 * std::sin(kTwoPi * 5.5 * time) * std::min(1.0, time / 0.3);
        double value = 0.0;
        for (int harmonic = 1; harmonic <= 6; ++harmonic)
        {
            value += std::sin(kTwoPi * frequency * vibrato * harmonic * time) / harmonic;
        }
        const double brightness = frequency * (1.5 + 4.0 * std::exp(-time / 0.12));
        note[index] = filter.LowPass(value, brightness, 0.7) * std::exp(-time / decaySeconds);
    }
    ShapeEdges(note, 0.008, 0.06);
    return note;
}

// Takes the hiss off everything above a few kilohertz.
void Soften(Samples& samples, double cutoffHertz)
{
    Filter filter;
    for (double& value : samples)
    {
        value = filter.LowPass(value, cutoffHertz, 0.6);
    }
}

} // namespace

Samples SynthesiseArrowHit(int variant)
{
    Random random(500 + static_cast<std::uint64_t>(variant));
    const double pitch = 1.0 + 0.12 * (variant - 1);
    Samples hit = Silence(0.45);
    // The thud: a low tone that drops quickly as the shaft buries itself.
    for (std::size_t index = 0; index < hit.size(); ++index)
    {
        const double time = SecondsAt(index);
        const double frequency = 92.0 * pitch * (1.0 + 1.4 * std::exp(-time / 0.012));
        hit[index] = 0.9 * std::exp(-time / 0.07) * std::sin(kTwoPi * frequency * time);
    }
    // The knock of wood on stone, and the shaft's short ring.
    MixInto(hit, NoiseBurst(random, 0.12, 1050.0 * pitch, 5.0, 0.018), 0.0, 2.2);
    MixInto(hit, NoiseBurst(random, 0.2, 420.0 * pitch, 9.0, 0.05), 0.002, 1.6);
    // Grit trickling down.
    for (int grain = 0; grain < 7; ++grain)
    {
        const double start = 0.025 + random.Unit() * 0.2;
        MixInto(hit, NoiseBurst(random, 0.02, 2600.0 + random.Unit() * 1800.0, 3.0, 0.004), start,
                0.5 * (1.0 - start * 3.0));
    }
    Soften(hit, 4500.0);
    ShapeEdges(hit, 0.002, 0.08);
    Normalise(hit, 0.8);
    return hit;
}

Samples SynthesiseLanternLight()
{
    Random random(600);
    Samples sound = Silence(1.6);
    // The whoosh: noise through a band that sweeps up as the flame catches.
    Filter band;
    Filter body;
    for (std::size_t index = 0; index < sound.size(); ++index)
    {
        const double time = SecondsAt(index);
        const double swell = time < 0.7 ? std::sin(std::numbers::pi * time / 0.7) : 0.0;
        const double centre = 260.0 + 1500.0 * std::min(1.0, time / 0.55);
        const double noise = Noise(random);
        sound[index] =
            (band.BandPass(noise, centre, 1.8) * 0.8 + body.LowPass(noise, 220.0, 0.7) * 0.9) * swell * swell;
        // A low warm swell under it.
        sound[index] += 0.25 * swell * std::sin(kTwoPi * (70.0 + 50.0 * time) * time);
    }
    // The chime: a fifth, C6 and G6, with a quiet octave above.
    MixInto(sound, Bell(1046.5, 1.3, 0.45), 0.24, 0.55);
    MixInto(sound, Bell(1568.0, 1.2, 0.38), 0.30, 0.35);
    MixInto(sound, Bell(2093.0, 1.0, 0.25), 0.34, 0.12);
    Soften(sound, 6000.0);
    ShapeEdges(sound, 0.02, 0.25);
    Normalise(sound, 0.75);
    return sound;
}

Samples SynthesiseWinFanfare()
{
    // C5 E5 G5 C6 rising, then the chord held.
    constexpr std::array<double, 4> kNotes{523.25, 659.26, 783.99, 1046.5};
    Samples fanfare = Silence(1.9);
    for (std::size_t note = 0; note < kNotes.size(); ++note)
    {
        const double start = 0.11 * static_cast<double>(note);
        MixInto(fanfare, BrassNote(kNotes[note], 0.3, 0.12), start, 0.55);
        MixInto(fanfare, Bell(kNotes[note] * 2.0, 0.4, 0.15), start, 0.12);
    }
    for (const double frequency : kNotes)
    {
        MixInto(fanfare, BrassNote(frequency, 1.35, 0.55), 0.48, 0.32);
    }
    MixInto(fanfare, Bell(2093.0, 1.3, 0.5), 0.48, 0.15);
    ShapeEdges(fanfare, 0.005, 0.35);
    Normalise(fanfare, 0.75);
    return fanfare;
}

} // namespace Gloamshot::Content
