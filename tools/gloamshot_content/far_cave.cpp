#include "far_cave.hpp"

#include "content_random.hpp"
#include "rock_relief.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <optional>

// [SECTION] Colours
// [SECTION] The back wall
// [SECTION] Formations: columns, stalactites and stalagmites between it and the player
// [SECTION] Mist
// [SECTION] Putting it together

namespace Gloamshot::Content
{
namespace
{

// [SECTION] Colours

constexpr Rgb kBackWallDark{0.09f, 0.10f, 0.14f};
constexpr Rgb kBackWallLight{0.25f, 0.27f, 0.34f};
constexpr Rgb kFormationDark{0.06f, 0.06f, 0.08f};
constexpr Rgb kFormationLight{0.32f, 0.32f, 0.37f};
// What the dark does to a formation's colours the deeper it stands: towards the back wall's.
constexpr Rgb kHaze{0.15f, 0.17f, 0.22f};
// The haze showing round a formation's far edge.
constexpr Rgb kHazeRim{0.34f, 0.37f, 0.45f};
constexpr Rgb kMist{0.46f, 0.50f, 0.57f};

// [SECTION] The back wall

// The far rock is the near rock's stone seen at a larger scale, so that its relief is broader
// and softer; flowstone drapes down it and broad swells bend it.
constexpr float kBackWallScale = 2.6f;

float BackWallHeight(float x, float y)
{
    const float swell = LayeredNoise(x / 300.0f, y / 220.0f, 2, 401);
    const float drapes = LayeredNoise(x / 20.0f + swell * 6.0f, y / 150.0f, 2, 402);
    // From another part of the stone than the near rock shows.
    return RockRelief(x / kBackWallScale + 1500.0f, y / kBackWallScale + 900.0f) + 40.0f * swell +
           3.0f * drapes;
}

// The far light on the stone's relief at a pixel.
float StoneLight(const PixelField& height, int x, int y)
{
    return Diffuse((height.At(x + 1, y) - height.At(x - 1, y)) * 0.5f,
                   (height.At(x, y + 1) - height.At(x, y - 1)) * 0.5f);
}

Rgb BackWall(float stoneLight, float x, float y)
{
    const float patches = LayeredNoise(x / 260.0f, y / 200.0f, 2, 403);
    const Rgb color =
        Mix(kBackWallDark, kBackWallLight, 0.45f + (stoneLight - 0.66f) * 1.2f + 0.35f * (patches - 0.5f));
    // The vault fades into the dark above.
    return Scale(color, 0.6f + 0.4f * SmoothStep(0.0f, 380.0f, y));
}

// [SECTION] Formations

// A standing or hanging shape of rock about a wandering centre line. Its half width tapers from
// its top and from its bottom: a stalactite has no bottom width, a stalagmite no top width, a
// column both and a waist.
struct Formation
{
    float x;
    float top;
    float bottom;
    float topHalfWidth;
    float bottomHalfWidth;
    float waistHalfWidth;
    // How quickly the width falls away from the ends: above 1 a slender middle or a sharp tip,
    // below 1 a blunt, rounded one.
    float taper;
    // 0 just behind the player's space, 1 as deep as the back wall.
    float haze;
    // Picks its knobbles and wander.
    std::uint32_t seed;
};

// Two columns joining the vault to the floor, far and nearer, where no target hangs near them.
constexpr std::array<Formation, 2> kColumns{{
    {700.0f, -20.0f, 740.0f, 62.0f, 74.0f, 17.0f, 2.6f, 0.45f, 701},
    {330.0f, -20.0f, 740.0f, 70.0f, 80.0f, 22.0f, 2.4f, 0.28f, 702},
}};

// A row of stalactites and stalagmites at one depth, spaced irregularly across the cave.
struct FormationRow
{
    float haze;
    float spacing;
    float minimumLength;
    float maximumLength;
    float minimumHalfWidth;
    float maximumHalfWidth;
    std::uint64_t seed;
};

constexpr std::array<FormationRow, 2> kRows{{
    {0.55f, 60.0f, 50.0f, 190.0f, 9.0f, 22.0f, 601},
    {0.25f, 150.0f, 70.0f, 230.0f, 18.0f, 38.0f, 602},
}};

// Room kept round each spider and lantern, so that none of them is seen against a dark shape.
constexpr float kClearanceAcross = 50.0f;
constexpr float kClearanceAlong = 48.0f;
// Where the open space from vault to floor is shorter than this, nothing hangs or stands in it.
constexpr float kNarrowestOpening = 200.0f;
// How far behind a formation that stands just in front of the player's space its shadow falls on
// the back wall, and how soft its edge is there.
constexpr float kShadowDistance = 30.0f;
constexpr float kShadowSoftness = 10.0f;

// The first and the last open row of a column of pixels: the vault and the floor above it.
std::array<float, 2> VaultAndFloor(const PixelField& coverage, int x)
{
    int vault = 0;
    while (vault < coverage.height - 1 && coverage.At(x, vault) >= 0.5f)
    {
        ++vault;
    }
    int floor = coverage.height - 1;
    while (floor > vault && coverage.At(x, floor) >= 0.5f)
    {
        --floor;
    }
    return {static_cast<float>(vault), static_cast<float>(floor)};
}

// A stalactite hanging into the open space from the rock above x, or a stalagmite rising from the
// floor under it, cut short where it would pass behind a target; none where the cave is narrow.
std::optional<Formation> PlaceFormation(const PixelField& coverage, const std::vector<Point>& keepClear,
                                        bool isHanging, float x, float length, float halfWidth, float haze,
                                        std::uint32_t seed)
{
    const auto [vault, floor] = VaultAndFloor(coverage, static_cast<int>(x));
    if (floor - vault < kNarrowestOpening)
    {
        return std::nullopt;
    }
    float tip = isHanging ? vault + length : floor - length;
    for (const Point& target : keepClear)
    {
        if (std::fabs(target[0] - x) >= halfWidth + kClearanceAcross || target[1] < vault ||
            target[1] > floor)
        {
            continue;
        }
        tip = isHanging ? std::min(tip, target[1] - kClearanceAlong)
                        : std::max(tip, target[1] + kClearanceAlong);
    }
    // The root reaches behind the near rock so that no end of it shows.
    constexpr float kRootDepth = 40.0f;
    if (isHanging)
    {
        return Formation{x, vault - kRootDepth, tip, halfWidth, 0.0f, 0.0f, 1.5f, haze, seed};
    }
    return Formation{x, tip, floor + kRootDepth, 0.0f, halfWidth, 0.0f, 0.7f, haze, seed};
}

// The columns and each row's stalactites and stalagmites, farthest first.
std::vector<Formation> PlaceFormations(const PixelField& coverage, const std::vector<Point>& keepClear)
{
    std::vector<Formation> formations(kColumns.begin(), kColumns.end());
    for (const FormationRow& row : kRows)
    {
        Random random(row.seed);
        for (const bool isHanging : {true, false})
        {
            for (float x = random.Uniform(0.0f, row.spacing); x < static_cast<float>(coverage.width);
                 x += random.Uniform(0.6f, 1.4f) * row.spacing)
            {
                // Stalagmites grow slower than the stalactites that drip on them.
                const float length =
                    random.Uniform(row.minimumLength, row.maximumLength) * (isHanging ? 1.0f : 0.6f);
                const float halfWidth =
                    random.Uniform(row.minimumHalfWidth, row.maximumHalfWidth) * (isHanging ? 1.0f : 1.3f);
                const auto seed = static_cast<std::uint32_t>(random.Next());
                if (const std::optional<Formation> formation =
                        PlaceFormation(coverage, keepClear, isHanging, x, length, halfWidth, row.haze, seed))
                {
                    formations.push_back(*formation);
                }
            }
        }
    }
    // Painted farthest first, so that nearer ones stand in front.
    std::stable_sort(formations.begin(), formations.end(),
                     [](const Formation& first, const Formation& second)
                     { return first.haze > second.haze; });
    return formations;
}

// A formation's outline, row by row of pixels from its first: the centre line and half width.
struct Outline
{
    Formation formation;
    int firstRow;
    std::vector<float> centers;
    std::vector<float> halfWidths;
    // Where it reaches on either side.
    float left;
    float right;
};

Outline TraceOutline(const Formation& formation, int height)
{
    const int firstRow = std::max(0, static_cast<int>(std::ceil(formation.top - 0.5f)));
    const int lastRow = std::min(height - 1, static_cast<int>(std::floor(formation.bottom - 0.5f)));
    Outline outline{formation, firstRow, {}, {}, formation.x, formation.x};
    for (int row = firstRow; row <= lastRow; ++row)
    {
        const float y = static_cast<float>(row) + 0.5f;
        const float t = (y - formation.top) / (formation.bottom - formation.top);
        float halfWidth = formation.topHalfWidth * std::pow(1.0f - t, formation.taper) +
                          formation.bottomHalfWidth * std::pow(t, formation.taper) + formation.waistHalfWidth;
        // Knobbly flowstone along the sides, and a centre line that wanders.
        halfWidth *= 0.8f + 0.4f * LayeredNoise(y / 26.0f, 0.5f, 2, formation.seed);
        const float center = formation.x + 8.0f * LineNoise(y / 90.0f, formation.seed + 1);
        outline.centers.push_back(center);
        outline.halfWidths.push_back(halfWidth);
        outline.left = std::min(outline.left, center - halfWidth);
        outline.right = std::max(outline.right, center + halfWidth);
    }
    return outline;
}

// Where a point lies against a formation.
struct Placement
{
    // How far inside its edge, in pixels: negative outside.
    float inside;
    // From -1 at its left edge to 1 at its right.
    float across;
};

// Nothing when the point lies farther than margin outside the formation.
std::optional<Placement> Locate(const Outline& outline, float x, int row, float margin)
{
    const int index = row - outline.firstRow;
    if (index < 0 || index >= static_cast<int>(outline.centers.size()) || x < outline.left - margin ||
        x > outline.right + margin)
    {
        return std::nullopt;
    }
    const float halfWidth = outline.halfWidths[static_cast<std::size_t>(index)];
    const float offset = x - outline.centers[static_cast<std::size_t>(index)];
    return Placement{halfWidth - std::fabs(offset),
                     std::clamp(offset / std::max(halfWidth, 0.5f), -1.0f, 1.0f)};
}

// Round in section and lit from the upper left, the stone's own relief on top, with a pale edge on
// the far side where the haze behind shows round it; the deeper, the more it fades into the haze.
Rgb FormationColor(const Formation& formation, const Placement& placement, float stoneLight)
{
    const float u = placement.across;
    const float facing = std::sqrt(1.0f - u * u);
    const float lit = std::max(0.0f, -0.55f * u + 0.8f * facing) * (0.3f + 1.05f * stoneLight);
    Rgb color = Mix(kFormationDark, kFormationLight, lit);
    color = Mix(color, kHazeRim, SmoothStep(0.75f, 1.0f, u) * 0.5f);
    return Mix(color, kHaze, formation.haze);
}

// How much a formation shades the back wall: a soft shadow down and to the right, farther off
// and softer the more room there is between them.
float ShadowOnBackWall(const Outline& outline, float x, int row)
{
    const float gap = 1.0f - outline.formation.haze;
    const float distance = kShadowDistance * gap;
    const float softness = 2.0f + kShadowSoftness * gap;
    const std::optional<Placement> placement =
        Locate(outline, x - 0.6f * distance, row - static_cast<int>(std::lround(0.8f * distance)), softness);
    return placement ? 0.4f * SmoothStep(-softness, softness, placement->inside) : 0.0f;
}

// [SECTION] Mist

// How high above the floor the mist reaches.
constexpr float kMistHeight = 190.0f;

// The floor the mist lies on above each column of pixels: the lowest floor nearby, so that it
// pools level in hollows and stands round rocks that rise from them.
std::vector<float> MistFloors(const PixelField& coverage)
{
    constexpr int kReach = 120;
    std::vector<float> floors;
    for (int x = 0; x < coverage.width; ++x)
    {
        floors.push_back(VaultAndFloor(coverage, x)[1]);
    }
    std::vector<float> lowest(floors.size());
    for (int x = 0; x < coverage.width; ++x)
    {
        const auto first = floors.begin() + std::max(0, x - kReach);
        const auto last = floors.begin() + std::min(coverage.width, x + kReach + 1);
        lowest[static_cast<std::size_t>(x)] = *std::max_element(first, last);
    }
    // Smoothed, so that the mist's top has no step where the lowest floor changes.
    for (int x = 0; x < coverage.width; ++x)
    {
        const auto first = lowest.begin() + std::max(0, x - kReach);
        const auto last = lowest.begin() + std::min(coverage.width, x + kReach + 1);
        floors[static_cast<std::size_t>(x)] =
            std::accumulate(first, last, 0.0f) / static_cast<float>(last - first);
    }
    return floors;
}

// How much mist lies over a pixel at a height above the floor: it gathers low, in slow drifts
// and thin wisps.
float MistDensity(float x, float y, float aboveFloor)
{
    const float drift = LayeredNoise(x / 150.0f, y / 36.0f, 3, 420);
    const float wisps = SmoothStep(0.5f, 0.85f, LayeredNoise(x / 170.0f, y / 18.0f, 2, 421));
    const float low = 1.0f - SmoothStep(0.0f, kMistHeight, aboveFloor);
    return low * std::min(1.0f, (0.2f + 0.6f * drift) * low + 0.25f * wisps);
}

} // namespace

// [SECTION] Putting it together

std::vector<Rgb> PaintFarCave(const PixelField& coverage, const std::vector<Point>& keepClear)
{
    std::vector<Outline> outlines;
    for (const Formation& formation : PlaceFormations(coverage, keepClear))
    {
        outlines.push_back(TraceOutline(formation, coverage.height));
    }
    const std::vector<float> floors = MistFloors(coverage);
    const auto size = static_cast<std::size_t>(coverage.width) * coverage.height;
    PixelField height{coverage.width, coverage.height, std::vector<float>(size)};
    for (int y = 0; y < coverage.height; ++y)
    {
        for (int x = 0; x < coverage.width; ++x)
        {
            height.values[static_cast<std::size_t>(y) * coverage.width + x] =
                BackWallHeight(static_cast<float>(x), static_cast<float>(y));
        }
    }

    std::vector<Rgb> colors(size, Rgb{0.0f, 0.0f, 0.0f});
    std::vector<const Outline*> onRow;
    for (int y = 0; y < coverage.height; ++y)
    {
        // The formations on this row, or whose shadow falls on it.
        onRow.clear();
        for (const Outline& outline : outlines)
        {
            const int lastRow = outline.firstRow + static_cast<int>(outline.centers.size()) - 1;
            if (y >= outline.firstRow && y <= lastRow + static_cast<int>(kShadowDistance))
            {
                onRow.push_back(&outline);
            }
        }
        for (int x = 0; x < coverage.width; ++x)
        {
            const auto index = static_cast<std::size_t>(y) * coverage.width + x;
            if (coverage.values[index] >= 1.0f)
            {
                continue;
            }
            const float pointX = static_cast<float>(x) + 0.5f;
            const float pointY = static_cast<float>(y) + 0.5f;
            float light = 1.0f;
            for (const Outline* outline : onRow)
            {
                light *= 1.0f - ShadowOnBackWall(*outline, pointX, y);
            }
            Rgb color = Scale(BackWall(StoneLight(height, x, y), pointX, pointY), light);
            // The formations show the same stone as the wall, from another part of it: upside down.
            const float formationStone = StoneLight(height, x, coverage.height - 1 - y);
            for (const Outline* outline : onRow)
            {
                if (const std::optional<Placement> placement = Locate(*outline, pointX, y, 1.0f))
                {
                    color = Mix(color, FormationColor(outline->formation, *placement, formationStone),
                                std::clamp(placement->inside + 0.5f, 0.0f, 1.0f));
                }
            }
            colors[index] =
                Mix(color, kMist, MistDensity(pointX, pointY, floors[static_cast<std::size_t>(x)] - pointY));
        }
    }
    return colors;
}

} // namespace Gloamshot::Content
