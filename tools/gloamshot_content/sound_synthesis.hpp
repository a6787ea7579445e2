#ifndef GLOAMSHOT_CONTENT_SOUND_SYNTHESIS_HPP
#define GLOAMSHOT_CONTENT_SOUND_SYNTHESIS_HPP

// Building blocks for the game's sounds: mono sample buffers at kSampleRate, from -1 to 1.

#include <cstddef>
#include <vector>

namespace Gloamshot::Content
{

constexpr int kSampleRate = 44100;

using Samples = std::vector<double>;

[[nodiscard]] Samples Silence(double seconds);
[[nodiscard]] std::size_t SampleIndex(double seconds);

// Adds source into target from the given time on, scaled by gain; target grows to fit.
void MixInto(Samples& target, const Samples& source, double startSeconds, double gain);

// Raised-cosine ramps up over the first attackSeconds and down to exact silence over the last
// releaseSeconds, so that the sound starts and ends without a click.
void ShapeEdges(Samples& samples, double attackSeconds, double releaseSeconds);

// Scales the samples so that the loudest one reaches peak (below 1: no clipping).
void Normalise(Samples& samples, double peak);

// A band-pass or low-pass filter whose cutoff may change every sample (topology-preserving
// state-variable filter, stable at every setting).
class Filter
{
public:
    // resonance 0.5 is gentle, higher values ring.
    double BandPass(double input, double cutoffHertz, double resonance);
    double LowPass(double input, double cutoffHertz, double resonance);

private:
    void Step(double input, double cutoffHertz, double resonance);

    double mFirstState = 0.0;
    double mSecondState = 0.0;
    double mBand = 0.0;
    double mLow = 0.0;
};

} // namespace Gloamshot::Content

#endif
