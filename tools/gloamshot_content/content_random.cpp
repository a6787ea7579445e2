#include "content_random.hpp"

#include <cmath>

namespace Gloamshot::Content
{
namespace
{

std::uint32_t HashLattice(std::int32_t x, std::int32_t y, std::uint32_t seed)
{
    std::uint32_t hash = static_cast<std::uint32_t>(x) * 0x8DA6B343u ^
                         static_cast<std::uint32_t>(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    hash ^= hash >> 15;
    hash *= 0x2C1B3C6Du;
    hash ^= hash >> 12;
    hash *= 0x297A2D39u;
    hash ^= hash >> 15;
    return hash;
}

float LatticeValue(std::int32_t x, std::int32_t y, std::uint32_t seed)
{
    return static_cast<float>(HashLattice(x, y, seed) >> 8) * (1.0f / 16777216.0f);
}

float SmoothStep(float t)
{
    return t * t * (3.0f - 2.0f * t);
}

} // namespace

std::uint64_t Random::Next()
{
    mState += 0x9E3779B97F4A7C15ull;
    std::uint64_t value = mState;
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
    return value ^ (value >> 31);
}

double Random::Unit()
{
    return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0);
}

float Random::Uniform(float minimum, float maximum)
{
    return minimum + static_cast<float>(Unit()) * (maximum - minimum);
}

float ValueNoise(float x, float y, std::uint32_t seed)
{
    const float cellX = std::floor(x);
    const float cellY = std::floor(y);
    const auto latticeX = static_cast<std::int32_t>(cellX);
    const auto latticeY = static_cast<std::int32_t>(cellY);
    const float tx = SmoothStep(x - cellX);
    const float ty = SmoothStep(y - cellY);
    const float top =
        LatticeValue(latticeX, latticeY, seed) +
        (LatticeValue(latticeX + 1, latticeY, seed) - LatticeValue(latticeX, latticeY, seed)) * tx;
    const float bottom =
        LatticeValue(latticeX, latticeY + 1, seed) +
        (LatticeValue(latticeX + 1, latticeY + 1, seed) - LatticeValue(latticeX, latticeY + 1, seed)) * tx;
    return top + (bottom - top) * ty;
}

float LayeredNoise(float x, float y, int octaves, std::uint32_t seed)
{
    float sum = 0.0f;
    float weight = 1.0f;
    float totalWeight = 0.0f;
    for (int octave = 0; octave < octaves; ++octave)
    {
        sum += ValueNoise(x, y, seed + static_cast<std::uint32_t>(octave) * 7919u) * weight;
        totalWeight += weight;
        x *= 2.0f;
        y *= 2.0f;
        weight *= 0.5f;
    }
    return sum / totalWeight;
}

Cells CellNoise(float x, float y, std::uint32_t seed)
{
    const auto cellX = static_cast<std::int32_t>(std::floor(x));
    const auto cellY = static_cast<std::int32_t>(std::floor(y));
    Cells cells{1.0e9f, 1.0e9f, 0.0f, 0.0f, 0u};
    for (std::int32_t offsetY = -1; offsetY <= 1; ++offsetY)
    {
        for (std::int32_t offsetX = -1; offsetX <= 1; ++offsetX)
        {
            const std::uint32_t hash = HashLattice(cellX + offsetX, cellY + offsetY, seed);
            const float pointX = static_cast<float>(cellX + offsetX) + 0.1f + 0.8f * HashUnit(hash, 0);
            const float pointY = static_cast<float>(cellY + offsetY) + 0.1f + 0.8f * HashUnit(hash, 1);
            const float distance = std::hypot(x - pointX, y - pointY);
            if (distance < cells.nearest)
            {
                cells.secondNearest = cells.nearest;
                cells = {distance, cells.secondNearest, pointX, pointY, hash};
            }
            else if (distance < cells.secondNearest)
            {
                cells.secondNearest = distance;
            }
        }
    }
    return cells;
}

float HashUnit(std::uint32_t hash, int group)
{
    const std::uint32_t mixed = HashLattice(static_cast<std::int32_t>(hash), group, 0x51ED27u);
    return static_cast<float>(mixed >> 8) * (1.0f / 16777216.0f);
}

float LineNoise(float t, std::uint32_t seed)
{
    return ValueNoise(t, 0.5f, seed) * 2.0f - 1.0f;
}

} // namespace Gloamshot::Content
