#include "asset_kit/canvas.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace KelpForge::Tools
{
namespace
{

unsigned char ToByte(float value)
{
    return static_cast<unsigned char>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

} // namespace

Color Mix(const Color& from, const Color& to, float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    return {from.red + (to.red - from.red) * t, from.green + (to.green - from.green) * t,
            from.blue + (to.blue - from.blue) * t, from.alpha + (to.alpha - from.alpha) * t};
}

Canvas::Canvas(int width, int height, int subsamples)
    : mWidth(width), mHeight(height), mSubsamples(subsamples),
      mSamples(static_cast<std::size_t>(width) * height * subsamples * subsamples, {0.0f, 0.0f, 0.0f, 0.0f})
{
}

Bounds Canvas::GetBounds() const
{
    return {0.0f, 0.0f, static_cast<float>(mWidth), static_cast<float>(mHeight)};
}

void Canvas::Fill(const Region& region, const Paint& paint)
{
    Fill(region, paint, GetBounds());
}

void Canvas::Fill(const Region& region, const Color& color)
{
    Fill(region, color, GetBounds());
}

void Canvas::Fill(const Region& region, const Paint& paint, const Bounds& bounds)
{
    const int sideX = mWidth * mSubsamples;
    const int sideY = mHeight * mSubsamples;
    const auto subsamples = static_cast<float>(mSubsamples);
    const int firstX = std::max(0, static_cast<int>(std::floor(bounds.left * subsamples)));
    const int firstY = std::max(0, static_cast<int>(std::floor(bounds.top * subsamples)));
    const int endX = std::min(sideX, static_cast<int>(std::ceil(bounds.right * subsamples)) + 1);
    const int endY = std::min(sideY, static_cast<int>(std::ceil(bounds.bottom * subsamples)) + 1);
    for (int sampleY = firstY; sampleY < endY; ++sampleY)
    {
        for (int sampleX = firstX; sampleX < endX; ++sampleX)
        {
            const float x = (static_cast<float>(sampleX) + 0.5f) / subsamples;
            const float y = (static_cast<float>(sampleY) + 0.5f) / subsamples;
            if (region(x, y))
            {
                Blend(sampleX, sampleY, paint(x, y), 1.0f);
            }
        }
    }
}

void Canvas::Fill(const Region& region, const Color& color, const Bounds& bounds)
{
    Fill(
        region, [color](float, float) { return color; }, bounds);
}

void Canvas::Blend(int sampleX, int sampleY, const Color& color, float coverage)
{
    const int sideX = mWidth * mSubsamples;
    if (sampleX < 0 || sampleY < 0 || sampleX >= sideX || sampleY >= mHeight * mSubsamples)
    {
        return;
    }
    Color& target = mSamples[static_cast<std::size_t>(sampleY) * sideX + sampleX];
    const float alpha = color.alpha * coverage;
    target.red = color.red * alpha + target.red * (1.0f - alpha);
    target.green = color.green * alpha + target.green * (1.0f - alpha);
    target.blue = color.blue * alpha + target.blue * (1.0f - alpha);
    target.alpha = alpha + target.alpha * (1.0f - alpha);
}

std::vector<unsigned char> Canvas::Resolve() const
{
    const int sideX = mWidth * mSubsamples;
    const auto count = static_cast<float>(mSubsamples * mSubsamples);
    std::vector<unsigned char> pixels(static_cast<std::size_t>(mWidth) * mHeight * 4);
    for (int y = 0; y < mHeight; ++y)
    {
        for (int x = 0; x < mWidth; ++x)
        {
            Color sum{0.0f, 0.0f, 0.0f, 0.0f};
            for (int sampleY = 0; sampleY < mSubsamples; ++sampleY)
            {
                for (int sampleX = 0; sampleX < mSubsamples; ++sampleX)
                {
                    const Color& sample =
                        mSamples[static_cast<std::size_t>(y * mSubsamples + sampleY) * sideX +
                                 x * mSubsamples + sampleX];
                    sum.red += sample.red;
                    sum.green += sample.green;
                    sum.blue += sample.blue;
                    sum.alpha += sample.alpha;
                }
            }
            const float alpha = sum.alpha / count;
            const float unpremultiply = alpha > 0.0f ? 1.0f / (alpha * count) : 0.0f;
            unsigned char* pixel = &pixels[(static_cast<std::size_t>(y) * mWidth + x) * 4];
            pixel[0] = ToByte(sum.red * unpremultiply);
            pixel[1] = ToByte(sum.green * unpremultiply);
            pixel[2] = ToByte(sum.blue * unpremultiply);
            pixel[3] = ToByte(alpha);
        }
    }
    return pixels;
}

} // namespace KelpForge::Tools
