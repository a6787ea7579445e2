#include "rock_relief.hpp"

#include "backdrop_shading.hpp"
#include "content_random.hpp"

#include <cmath>
#include <cstdint>

namespace Gloamshot::Content
{
namespace
{

// Sharp-crested noise for craggy relief, from 0 to 1.
float Crags(float x, float y)
{
    float sum = 0.0f;
    float weight = 0.6f;
    for (int octave = 0; octave < 3; ++octave)
    {
        const float ridge =
            1.0f - std::fabs(ValueNoise(x, y, 231 + static_cast<std::uint32_t>(octave)) * 2.0f - 1.0f);
        sum += ridge * ridge * weight;
        x *= 2.1f;
        y *= 2.1f;
        weight *= 0.45f;
    }
    return sum;
}

} // namespace

Point WarpRock(float x, float y)
{
    return {x + 36.0f * (LayeredNoise(x / 110.0f, y / 110.0f, 2, 221) - 0.5f),
            y + 36.0f * (LayeredNoise(x / 110.0f, y / 110.0f, 2, 222) - 0.5f)};
}

// Along some of the edges of large warped blocks.
float Crack(const Point& warped)
{
    const Cells blocks = CellNoise(warped[0] / 75.0f, warped[1] / 55.0f, 211);
    const float edge = 1.0f - SmoothStep(0.0f, 0.025f, blocks.secondNearest - blocks.nearest);
    return edge * SmoothStep(0.55f, 0.68f, LayeredNoise(warped[0] / 60.0f, warped[1] / 60.0f, 2, 212));
}

float RockRelief(float x, float y)
{
    const Point warped = WarpRock(x, y);
    const float crags = 14.0f * Crags(warped[0] / 48.0f, warped[1] / 40.0f);
    const float grit = 1.5f * ValueNoise(x / 3.0f, y / 3.0f, 201);
    return crags - 5.0f * Crack(warped) + grit;
}

} // namespace Gloamshot::Content
