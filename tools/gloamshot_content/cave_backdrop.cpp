#include "cave_backdrop.hpp"

#include "backdrop_shading.hpp"
#include "content_random.hpp"
#include "far_cave.hpp"
#include "rock_raster.hpp"
#include "rock_relief.hpp"
#include "sprite_pictures.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>

// [SECTION] Colours
// [SECTION] The walls: bevelled, lit, textured rock
// [SECTION] Details: silk threads, lantern chains, pebbles
// [SECTION] Putting it together
//
// The game shows the backdrop only inside discs of light, at full brightness: every part must read
// in a small disc. The walls stand out from the far cave behind them by warmth, crisp texture and
// a lit rim; the far cave stays dimmer, cooler and softer.

namespace Gloamshot::Content
{
namespace
{

// [SECTION] Colours

constexpr Rgb kWarmStone{0.50f, 0.43f, 0.36f};
constexpr Rgb kCoolStone{0.42f, 0.43f, 0.46f};
constexpr Rgb kOchreStone{0.56f, 0.45f, 0.31f};
constexpr Rgb kSilk{0.82f, 0.84f, 0.86f};
constexpr Rgb kIron{0.20f, 0.18f, 0.17f};
constexpr Rgb kIronGlint{0.55f, 0.50f, 0.45f};

class Picture
{
public:
    Picture() : mPixels(static_cast<std::size_t>(kWorldWidth) * kWorldHeight, Rgb{0.0f, 0.0f, 0.0f}) {}

    Rgb& At(int x, int y) { return mPixels[static_cast<std::size_t>(y) * kWorldWidth + x]; }

    void Blend(int x, int y, const Rgb& color, float alpha)
    {
        if (x < 0 || y < 0 || x >= kWorldWidth || y >= kWorldHeight || alpha <= 0.0f)
        {
            return;
        }
        At(x, y) = Mix(At(x, y), color, alpha);
    }

    // A stroke with smooth edges, from one point to another.
    void Stroke(const Point& from, const Point& to, float halfWidth, const Rgb& color, float alpha)
    {
        const int left = static_cast<int>(std::floor(std::min(from[0], to[0]) - halfWidth - 1.0f));
        const int right = static_cast<int>(std::ceil(std::max(from[0], to[0]) + halfWidth + 1.0f));
        const int top = static_cast<int>(std::floor(std::min(from[1], to[1]) - halfWidth - 1.0f));
        const int bottom = static_cast<int>(std::ceil(std::max(from[1], to[1]) + halfWidth + 1.0f));
        const float alongX = to[0] - from[0];
        const float alongY = to[1] - from[1];
        const float lengthSquared = std::max(1.0e-6f, alongX * alongX + alongY * alongY);
        for (int y = top; y <= bottom; ++y)
        {
            for (int x = left; x <= right; ++x)
            {
                const float pointX = static_cast<float>(x) + 0.5f;
                const float pointY = static_cast<float>(y) + 0.5f;
                const float t = std::clamp(
                    ((pointX - from[0]) * alongX + (pointY - from[1]) * alongY) / lengthSquared, 0.0f, 1.0f);
                const float distance =
                    std::hypot(pointX - (from[0] + alongX * t), pointY - (from[1] + alongY * t));
                Blend(x, y, color, alpha * std::clamp(halfWidth + 0.5f - distance, 0.0f, 1.0f));
            }
        }
    }

    [[nodiscard]] std::vector<unsigned char> ToBytes() const
    {
        std::vector<unsigned char> bytes;
        bytes.reserve(mPixels.size() * 3);
        for (const Rgb& pixel : mPixels)
        {
            for (const float channel : pixel)
            {
                bytes.push_back(
                    static_cast<unsigned char>(std::lround(std::clamp(channel, 0.0f, 1.0f) * 255.0f)));
            }
        }
        return bytes;
    }

private:
    std::vector<Rgb> mPixels;
};

// [SECTION] The walls

// The rock's relief, with a bevel rising from its edge.
float RockHeight(float x, float y, float distanceInside)
{
    return 20.0f * (1.0f - std::exp(-distanceInside / 10.0f)) + RockRelief(x, y);
}

Rgb RockSurface(float x, float y, float distanceInside, float slopeX, float slopeY)
{
    const Point warped = WarpRock(x, y);
    const float patches = LayeredNoise(warped[0] / 170.0f, warped[1] / 170.0f, 3, 202);
    const float ochre = LayeredNoise(warped[0] / 90.0f, warped[1] / 140.0f, 2, 203);
    Rgb color = Mix(kCoolStone, kWarmStone, patches * 1.8f - 0.4f);
    color = Mix(color, kOchreStone, ochre * 2.4f - 1.3f);
    // Strata: gently tilted bands.
    const float strata = LayeredNoise(0.3f, (warped[1] + warped[0] * 0.1f) / 9.0f, 2, 204);
    color = Scale(color, 0.88f + 0.2f * strata);
    const float grain =
        ValueNoise(x / 1.5f, y / 1.5f, 205) * 0.6f + ValueNoise(x / 4.0f, y / 4.0f, 206) * 0.4f;
    color = Scale(color, 0.86f + grain * 0.26f);
    color = Scale(color, 1.0f - 0.3f * Crack(warped));

    const float light = 0.45f + 0.75f * Diffuse(slopeX, slopeY);
    // Far into the rock the light falls off a little.
    const float depth = 1.0f - 0.4f * SmoothStep(16.0f, 120.0f, distanceInside);
    color = Scale(color, light * depth);
    // A worn, lit lip along edges that face up.
    const float rim = std::exp(-distanceInside / 2.5f) * std::clamp(-slopeY * 0.3f + 0.15f, 0.0f, 0.6f);
    return Mix(color, Rgb{0.86f, 0.79f, 0.68f}, rim);
}

// [SECTION] Details

// The first rock pixel straight above a point, or the top of the picture.
float RockAbove(const PixelField& coverage, const Point& point)
{
    int y = static_cast<int>(point[1]);
    while (y > 0 && coverage.At(static_cast<int>(point[0]), y) < 0.5f)
    {
        --y;
    }
    return static_cast<float>(y);
}

void DrawThread(Picture& picture, const PixelField& coverage, const Point& spider)
{
    const float top = RockAbove(coverage, spider) - 2.0f;
    picture.Stroke({spider[0], top}, {spider[0] + 0.5f, spider[1] - 10.0f}, 0.45f, kSilk, 0.8f);
}

// Iron links from the lantern's ring up into the rock.
void DrawChain(Picture& picture, const PixelField& coverage, const Point& lantern)
{
    constexpr float kLinkLength = 7.0f;
    const float bottom = lantern[1] - kLanternRingAbove;
    const float top = RockAbove(coverage, lantern) - 3.0f;
    int link = 0;
    for (float y = bottom; y > top; y -= kLinkLength, ++link)
    {
        const float x = lantern[0];
        const float end = std::max(top, y - kLinkLength - 1.5f);
        if (link % 2 == 0)
        {
            picture.Stroke({x - 2.0f, y}, {x - 2.0f, end}, 0.9f, kIron, 1.0f);
            picture.Stroke({x + 2.0f, y}, {x + 2.0f, end}, 0.9f, kIron, 1.0f);
            picture.Stroke({x - 2.0f, y - 1.0f}, {x - 2.0f, end + 1.0f}, 0.35f, kIronGlint, 0.8f);
        }
        else
        {
            picture.Stroke({x, y + 1.0f}, {x, end - 1.0f}, 1.1f, kIron, 1.0f);
            picture.Stroke({x - 0.5f, y}, {x - 0.5f, end}, 0.3f, kIronGlint, 0.7f);
        }
    }
}

// Small stones lying on the floors.
void DrawPebbles(Picture& picture, const PixelField& coverage)
{
    Random random(301);
    for (int pebble = 0; pebble < 45; ++pebble)
    {
        const float x = random.Uniform(20.0f, static_cast<float>(kWorldWidth - 20));
        const float halfWidth = random.Uniform(2.0f, 8.0f);
        const float halfHeight = halfWidth * random.Uniform(0.45f, 0.7f);
        // The floor under x: the first rock pixel below the cave's middle height.
        int y = kWorldHeight / 2;
        while (y < kWorldHeight - 1 && coverage.At(static_cast<int>(x), y) < 0.5f)
        {
            ++y;
        }
        if (y >= kWorldHeight - 1 || coverage.At(static_cast<int>(x), y - 12) >= 0.5f)
        {
            continue;
        }
        const float centerY = static_cast<float>(y) - halfHeight * 0.6f;
        const float tone = random.Uniform(0.75f, 1.1f);
        for (int pixelY = static_cast<int>(centerY - halfHeight) - 1;
             pixelY <= static_cast<int>(centerY + halfHeight) + 1; ++pixelY)
        {
            for (int pixelX = static_cast<int>(x - halfWidth) - 1;
                 pixelX <= static_cast<int>(x + halfWidth) + 1; ++pixelX)
            {
                const float dx = (static_cast<float>(pixelX) + 0.5f - x) / halfWidth;
                const float dy = (static_cast<float>(pixelY) + 0.5f - centerY) / halfHeight;
                const float radius = std::sqrt(dx * dx + dy * dy);
                const float cover = std::clamp((1.0f - radius) * halfHeight, 0.0f, 1.0f);
                const float lit = 0.65f + 0.5f * std::clamp(-dx * 0.4f - dy * 0.7f, -0.6f, 1.0f);
                picture.Blend(pixelX, pixelY, Scale(kWarmStone, tone * lit), cover);
            }
        }
    }
}

} // namespace

// [SECTION] Putting it together

std::vector<unsigned char> PaintCaveBackdrop(const CaveLayout& layout)
{
    const PixelField coverage = RockCoverage(layout.walls, kWorldWidth, kWorldHeight);
    const PixelField distance = DistanceAcrossEdge(coverage);

    // The rock's height field, for its slopes. Open pixels carry the height the rock would have
    // at the edge, so that slopes across the edge stay smooth.
    PixelField height{kWorldWidth, kWorldHeight, std::vector<float>(coverage.values.size())};
    for (int y = 0; y < kWorldHeight; ++y)
    {
        for (int x = 0; x < kWorldWidth; ++x)
        {
            const auto index = static_cast<std::size_t>(y) * kWorldWidth + x;
            const float inside = coverage.values[index] >= 0.5f ? distance.values[index] : 0.0f;
            height.values[index] = RockHeight(static_cast<float>(x), static_cast<float>(y), inside);
        }
    }

    std::vector<Point> targets;
    for (const std::vector<CaveTarget>* group : {&layout.spiders, &layout.lanterns})
    {
        for (const CaveTarget& target : *group)
        {
            targets.push_back(target.position);
        }
    }
    const std::vector<Rgb> farCave = PaintFarCave(coverage, targets);
    Picture picture;
    for (int y = 0; y < kWorldHeight; ++y)
    {
        for (int x = 0; x < kWorldWidth; ++x)
        {
            const auto index = static_cast<std::size_t>(y) * kWorldWidth + x;
            const float pointX = static_cast<float>(x) + 0.5f;
            const float pointY = static_cast<float>(y) + 0.5f;
            const float rock = coverage.values[index];
            Rgb color{0.0f, 0.0f, 0.0f};
            if (rock < 1.0f)
            {
                const Rgb& wall = farCave[index];
                // Shade near the walls, and the walls' shadow cast down and to the right.
                const float openDistance = rock < 0.5f ? distance.values[index] : 0.0f;
                const float occlusion = 1.0f - 0.45f * std::exp(-openDistance / 10.0f);
                const float shadow = 1.0f - 0.35f * coverage.At(x - 7, y - 10);
                color = Scale(wall, occlusion * shadow);
            }
            if (rock > 0.0f)
            {
                const float inside = rock >= 0.5f ? distance.values[index] : 0.0f;
                const float slopeX = (height.At(x + 1, y) - height.At(x - 1, y)) * 0.5f;
                const float slopeY = (height.At(x, y + 1) - height.At(x, y - 1)) * 0.5f;
                color = Mix(color, RockSurface(pointX, pointY, inside, slopeX, slopeY), rock);
            }
            picture.At(x, y) = color;
        }
    }

    DrawPebbles(picture, coverage);
    for (const CaveTarget& spider : layout.spiders)
    {
        if (spider.isHanging)
        {
            DrawThread(picture, coverage, spider.position);
        }
    }
    for (const CaveTarget& lantern : layout.lanterns)
    {
        if (lantern.isHanging)
        {
            DrawChain(picture, coverage, lantern.position);
        }
    }
    return picture.ToBytes();
}

} // namespace Gloamshot::Content
