#include "sound_synthesis.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Gloamshot::Content
{

std::size_t SampleIndex(double seconds)
{
    return static_cast<std::size_t>(std::lround(std::max(0.0, seconds) * kSampleRate));
}

Samples Silence(double seconds)
{
    return Samples(SampleIndex(seconds), 0.0);
}

void MixInto(Samples& target, const Samples& source, double startSeconds, double gain)
{
    const std::size_t start = SampleIndex(startSeconds);
    if (target.size() < start + source.size())
    {
        target.resize(start + source.size(), 0.0);
    }
    for (std::size_t index = 0; index < source.size(); ++index)
    {
        target[start + index] += source[index] * gain;
    }
}

void ShapeEdges(Samples& samples, double attackSeconds, double releaseSeconds)
{
    const std::size_t attack = std::min(samples.size(), SampleIndex(attackSeconds));
    const std::size_t release = std::min(samples.size(), SampleIndex(releaseSeconds));
    for (std::size_t index = 0; index < attack; ++index)
    {
        samples[index] *=
            0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(index) / static_cast<double>(attack));
    }
    for (std::size_t index = 0; index < release; ++index)
    {
        // index 0 is the very last sample, which becomes exactly 0.
        samples[samples.size() - 1 - index] *=
            0.5 -
            0.5 * std::cos(std::numbers::pi * static_cast<double>(index) / static_cast<double>(release));
    }
}

void Normalise(Samples& samples, double peak)
{
    double loudest = 0.0;
    for (const double value : samples)
    {
        loudest = std::max(loudest, std::abs(value));
    }
    if (loudest <= 0.0)
    {
        return;
    }
    for (double& value : samples)
    {
        value *= peak / loudest;
    }
}

void Filter::Step(double input, double cutoffHertz, double resonance)
{
    const double gain =
        std::tan(std::numbers::pi * std::clamp(cutoffHertz, 10.0, kSampleRate * 0.45) / kSampleRate);
    const double damping = 1.0 / std::max(0.5, resonance);
    const double high =
        (input - (damping + gain) * mFirstState - mSecondState) / (1.0 + damping * gain + gain * gain);
    mBand = gain * high + mFirstState;
    mFirstState = gain * high + mBand;
    mLow = gain * mBand + mSecondState;
    mSecondState = gain * mBand + mLow;
}

double Filter::BandPass(double input, double cutoffHertz, double resonance)
{
    Step(input, cutoffHertz, resonance);
    return mBand;
}

double Filter::LowPass(double input, double cutoffHertz, double resonance)
{
    Step(input, cutoffHertz, resonance);
    return mLow;
}

} // namespace Gloamshot::Content
