#include "rock_raster.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace Gloamshot::Content
{
namespace
{

constexpr int kSamplesPerSide = 4;
constexpr float kFar = 1.0e20f;

// The squared distance along one line to the nearest marked place (marked places hold 0, the
// others kFar): the lower envelope of parabolas, in one pass each way.
void DistanceAlongLine(const std::vector<float>& squared, std::vector<float>& result)
{
    const int count = static_cast<int>(squared.size());
    std::vector<int> apexes(squared.size());
    std::vector<float> starts(squared.size() + 1);
    int hull = 0;
    apexes[0] = 0;
    starts[0] = -kFar;
    starts[1] = kFar;
    auto crossing = [&squared](int first, int second)
    {
        return ((squared[second] + static_cast<float>(second * second)) -
                (squared[first] + static_cast<float>(first * first))) /
               static_cast<float>(2 * (second - first));
    };
    for (int place = 1; place < count; ++place)
    {
        float start = crossing(apexes[hull], place);
        while (start <= starts[hull])
        {
            --hull;
            start = crossing(apexes[hull], place);
        }
        ++hull;
        apexes[hull] = place;
        starts[hull] = start;
        starts[hull + 1] = kFar;
    }
    hull = 0;
    for (int place = 0; place < count; ++place)
    {
        while (starts[hull + 1] < static_cast<float>(place))
        {
            ++hull;
        }
        const auto offset = static_cast<float>(place - apexes[hull]);
        result[static_cast<std::size_t>(place)] =
            offset * offset + squared[static_cast<std::size_t>(apexes[hull])];
    }
}

} // namespace

float PixelField::At(int x, int y) const
{
    x = std::clamp(x, 0, width - 1);
    y = std::clamp(y, 0, height - 1);
    return values[static_cast<std::size_t>(y) * width + x];
}

PixelField RockCoverage(const std::vector<std::vector<Point>>& chains, int width, int height)
{
    PixelField coverage{width, height, std::vector<float>(static_cast<std::size_t>(width) * height, 0.0f)};
    const int samplesPerRow = width * kSamplesPerSide;
    std::vector<float> crossings;
    std::vector<unsigned char> isOpen(static_cast<std::size_t>(samplesPerRow));
    for (int sampleRow = 0; sampleRow < height * kSamplesPerSide; ++sampleRow)
    {
        const float y = (static_cast<float>(sampleRow) + 0.5f) / kSamplesPerSide;
        crossings.clear();
        for (const std::vector<Point>& chain : chains)
        {
            for (std::size_t index = 1; index < chain.size(); ++index)
            {
                const Point& from = chain[index - 1];
                const Point& to = chain[index];
                if ((from[1] > y) != (to[1] > y))
                {
                    crossings.push_back(from[0] + (y - from[1]) * (to[0] - from[0]) / (to[1] - from[1]));
                }
            }
        }
        std::sort(crossings.begin(), crossings.end());
        std::fill(isOpen.begin(), isOpen.end(), 0);
        // Between the first and second crossing, the third and fourth, ... a point lies inside an
        // odd number of chains: open cave.
        for (std::size_t index = 0; index + 1 < crossings.size(); index += 2)
        {
            const int first =
                std::max(0, static_cast<int>(std::ceil(crossings[index] * kSamplesPerSide - 0.5f)));
            const int end = std::min(
                samplesPerRow, static_cast<int>(std::ceil(crossings[index + 1] * kSamplesPerSide - 0.5f)));
            for (int sample = first; sample < end; ++sample)
            {
                isOpen[static_cast<std::size_t>(sample)] = 1;
            }
        }
        float* row = &coverage.values[static_cast<std::size_t>(sampleRow / kSamplesPerSide) * width];
        for (int sample = 0; sample < samplesPerRow; ++sample)
        {
            if (isOpen[static_cast<std::size_t>(sample)] == 0)
            {
                row[sample / kSamplesPerSide] += 1.0f / (kSamplesPerSide * kSamplesPerSide);
            }
        }
    }
    return coverage;
}

PixelField DistanceAcrossEdge(const PixelField& coverage)
{
    const auto size = static_cast<std::size_t>(coverage.width) * coverage.height;
    // Two squared-distance maps: to the nearest rock pixel, and to the nearest open one.
    std::vector<float> toRock(size);
    std::vector<float> toOpen(size);
    for (std::size_t index = 0; index < size; ++index)
    {
        const bool isRock = coverage.values[index] >= 0.5f;
        toRock[index] = isRock ? 0.0f : kFar;
        toOpen[index] = isRock ? kFar : 0.0f;
    }
    for (std::vector<float>* squared : {&toRock, &toOpen})
    {
        std::vector<float> line;
        std::vector<float> result;
        line.resize(static_cast<std::size_t>(coverage.width));
        result.resize(line.size());
        for (int y = 0; y < coverage.height; ++y)
        {
            std::copy_n(squared->begin() + static_cast<std::ptrdiff_t>(y) * coverage.width, coverage.width,
                        line.begin());
            DistanceAlongLine(line, result);
            std::copy(result.begin(), result.end(),
                      squared->begin() + static_cast<std::ptrdiff_t>(y) * coverage.width);
        }
        line.resize(static_cast<std::size_t>(coverage.height));
        result.resize(line.size());
        for (int x = 0; x < coverage.width; ++x)
        {
            for (int y = 0; y < coverage.height; ++y)
            {
                line[static_cast<std::size_t>(y)] =
                    (*squared)[static_cast<std::size_t>(y) * coverage.width + x];
            }
            DistanceAlongLine(line, result);
            for (int y = 0; y < coverage.height; ++y)
            {
                (*squared)[static_cast<std::size_t>(y) * coverage.width + x] =
                    result[static_cast<std::size_t>(y)];
            }
        }
    }
    PixelField distance{coverage.width, coverage.height, std::vector<float>(size)};
    for (std::size_t index = 0; index < size; ++index)
    {
        // One of the two is 0: the pixel's own side.
        distance.values[index] = std::sqrt(std::max(toRock[index], toOpen[index]));
    }
    return distance;
}

} // namespace Gloamshot::Content
