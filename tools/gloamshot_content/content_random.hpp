#ifndef GLOAMSHOT_CONTENT_CONTENT_RANDOM_HPP
#define GLOAMSHOT_CONTENT_CONTENT_RANDOM_HPP

// Seeded randomness and smooth noise of our own, so that every run of the tool draws and
// synthesises exactly the same content on every machine.

#include <cstdint>

namespace Gloamshot::Content
{

// SplitMix64: a fixed, well-mixed sequence for each seed.
class Random
{
public:
    explicit Random(std::uint64_t seed) : mState(seed) {}

    std::uint64_t Next();
    // From 0 up to but not including 1.
    double Unit();
    // From minimum up to but not including maximum.
    float Uniform(float minimum, float maximum);

private:
    std::uint64_t mState;
};

// Value noise on a unit lattice with smooth interpolation, from 0 to 1; the seed picks the lattice.
[[nodiscard]] float ValueNoise(float x, float y, std::uint32_t seed);
// Octaves of value noise, each at twice the frequency and half the weight of the one before;
// from 0 to 1.
[[nodiscard]] float LayeredNoise(float x, float y, int octaves, std::uint32_t seed);
// Scattered cells, one feature point per unit square: the distances to the nearest and the second
// nearest point, that point's cell and a value from 0 to 1 that belongs to it alone.
struct Cells
{
    float nearest;
    float secondNearest;
    float nearestX;
    float nearestY;
    std::uint32_t nearestHash;
};
[[nodiscard]] Cells CellNoise(float x, float y, std::uint32_t seed);
// A value from 0 to 1 drawn from a hash; each group number gives another, independent one.
[[nodiscard]] float HashUnit(std::uint32_t hash, int group);

// Noise along a line, from -1 to 1.
[[nodiscard]] float LineNoise(float t, std::uint32_t seed);

} // namespace Gloamshot::Content

#endif
