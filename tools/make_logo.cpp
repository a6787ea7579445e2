// Draws the framework's logo, shown by the start-up scene: a round sea-green badge with a gold rim,
// in which three kelp fronds rise from an anvil between a few air bubbles, above the word
// "KelpForge" ("Kelp" in green, "Forge" in gold). A 256 x 256 RGBA PNG, transparent around the
// emblem. The build runs it and embeds the result, so no image file is kept in the source tree.
// Shapes are sampled 4 x 4 per pixel for smooth edges; the letters come from the given TrueType
// font through stb_truetype.
// Usage: make_logo <font.ttf> <output.png>

#include "asset_kit/canvas.hpp"
#include "asset_kit/lettering.hpp"
#include "asset_kit/shapes.hpp"

#include <stb/stb_image_write.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

namespace
{

using namespace KelpForge::Tools;

constexpr int kSide = 256;
constexpr int kSubsamples = 4;

constexpr Color kSeaTop = FromHex(0x1B7F80);
constexpr Color kSeaBottom = FromHex(0x0B3340);
constexpr Color kGold = FromHex(0xE9B44C);
constexpr Color kPaleGold = FromHex(0xF7D888);
constexpr Color kDeepGold = FromHex(0xB9812A);
constexpr Color kKelpBase = FromHex(0x2F8F46);
constexpr Color kKelpTip = FromHex(0x9BE27A);
constexpr Color kBubble = {0.85f, 0.97f, 1.0f, 0.55f};
constexpr Color kShadow = {0.0f, 0.0f, 0.0f, 0.45f};

// --- The emblem ----------------------------------------------------------------------------------

constexpr float kBadgeX = 128.0f;
constexpr float kBadgeY = 104.0f;
constexpr float kBadgeRadius = 98.0f;
constexpr float kRimWidth = 6.0f;
constexpr float kAnvilTopY = 134.0f;
constexpr float kFrondBaseY = kAnvilTopY + 4.0f;

struct Frond
{
    float baseX;
    float height;
    float lean; // sideways offset of the tip from the base, pixels
    float sway; // largest swing about the leaning line, pixels
    float phase;
    float baseWidth;
    bool isFirstBladeLeft;
};

constexpr std::array<Frond, 3> kFronds{{
    {110.0f, 92.0f, -14.0f, 4.0f, 0.3f, 7.0f, true},
    {128.0f, 112.0f, 0.0f, 5.0f, 3.4f, 8.0f, false},
    {146.0f, 88.0f, 14.0f, 4.0f, 3.0f, 7.0f, false},
}};

// Horizontal centre of a frond's stem at height t (0 at its base, 1 at its tip).
float StemX(const Frond& frond, float t)
{
    return frond.baseX + frond.lean * t * t +
           frond.sway * t * std::sin(t * 2.2f * std::numbers::pi_v<float> + frond.phase);
}

void DrawFrond(Canvas& canvas, const Frond& frond)
{
    const Paint kelp = [](float, float y)
    { return Mix(kKelpBase, kKelpTip, (kFrondBaseY - y) / (kFrondBaseY - 28.0f)); };
    canvas.Fill(
        [&frond](float x, float y)
        {
            const float t = (kFrondBaseY - y) / frond.height;
            if (t < 0.0f || t > 1.0f)
            {
                return false;
            }
            const float halfWidth = frond.baseWidth * 0.5f * (1.0f - 0.75f * t);
            return std::fabs(x - StemX(frond, t)) < halfWidth;
        },
        kelp);
    // Blades on alternating sides, tilted upwards, smaller towards the tip.
    const std::array<float, 4> bladeHeights{0.3f, 0.5f, 0.68f, 0.84f};
    for (std::size_t index = 0; index < bladeHeights.size(); ++index)
    {
        const float t = bladeHeights[index];
        const bool isLeft = (index % 2 == 0) == frond.isFirstBladeLeft;
        const float side = isLeft ? -1.0f : 1.0f;
        const float length = 15.0f * (1.0f - 0.5f * t);
        const float y = kFrondBaseY - t * frond.height;
        const float x = StemX(frond, t) + side * (length * 0.7f);
        canvas.Fill(Ellipse(x, y - 3.0f, length, length * 0.3f, side * -42.0f), kelp);
    }
    // Rounded tip.
    canvas.Fill(Disc(StemX(frond, 1.0f), kFrondBaseY - frond.height + 1.0f, frond.baseWidth * 0.2f), kelp);
}

void DrawAnvil(Canvas& canvas)
{
    constexpr float top = kAnvilTopY;
    const Region face =
        ConvexPolygon({{90.0f, top}, {166.0f, top}, {166.0f, top + 14.0f}, {90.0f, top + 14.0f}});
    const Region horn =
        ConvexPolygon({{62.0f, top + 1.5f}, {90.0f, top}, {90.0f, top + 14.0f}, {80.0f, top + 8.0f}});
    const Region heel =
        ConvexPolygon({{166.0f, top}, {175.0f, top}, {173.0f, top + 6.0f}, {166.0f, top + 10.0f}});
    const Region waist = ConvexPolygon(
        {{108.0f, top + 14.0f}, {150.0f, top + 14.0f}, {141.0f, top + 25.0f}, {117.0f, top + 25.0f}});
    const Region foot = ConvexPolygon(
        {{106.0f, top + 25.0f}, {152.0f, top + 25.0f}, {162.0f, top + 34.0f}, {96.0f, top + 34.0f}});
    const Paint metal = [](float, float y) { return Mix(kPaleGold, kDeepGold, (y - kAnvilTopY) / 34.0f); };
    for (const Region& part : {face, horn, heel, waist, foot})
    {
        canvas.Fill(Offset(part, 0.0f, 2.5f), kShadow);
    }
    for (const Region& part : {face, horn, heel, waist, foot})
    {
        canvas.Fill(part, metal);
    }
    // A lit striking face.
    canvas.Fill(ConvexPolygon({{90.0f, top}, {166.0f, top}, {166.0f, top + 2.5f}, {90.0f, top + 2.5f}}),
                kPaleGold);
}

void DrawBadge(Canvas& canvas)
{
    canvas.Fill(Disc(kBadgeX, kBadgeY + 3.0f, kBadgeRadius + 1.0f), kShadow);
    canvas.Fill(Disc(kBadgeX, kBadgeY, kBadgeRadius), [](float, float y)
                { return Mix(kSeaTop, kSeaBottom, (y - (kBadgeY - kBadgeRadius)) / (2.0f * kBadgeRadius)); });
    // Light from above, falling off with depth.
    canvas.Fill(
        Intersection(Disc(kBadgeX, kBadgeY, kBadgeRadius), Ellipse(kBadgeX, 30.0f, 120.0f, 58.0f, 0.0f)),
        Color{1.0f, 1.0f, 1.0f, 0.07f});

    const Region inside = Disc(kBadgeX, kBadgeY, kBadgeRadius - kRimWidth);
    for (const Frond& frond : kFronds)
    {
        DrawFrond(canvas, frond);
    }
    DrawAnvil(canvas);
    const std::array<std::array<float, 3>, 4> bubbles{{
        {170.0f, 92.0f, 5.0f},
        {178.0f, 72.0f, 3.5f},
        {166.0f, 56.0f, 2.5f},
        {84.0f, 66.0f, 3.0f},
    }};
    for (const auto& bubble : bubbles)
    {
        canvas.Fill(Intersection(inside, Ring(bubble[0], bubble[1], bubble[2] - 1.2f, bubble[2])), kBubble);
    }

    canvas.Fill(Ring(kBadgeX, kBadgeY, kBadgeRadius - kRimWidth, kBadgeRadius),
                [](float, float y) { return Mix(kPaleGold, kDeepGold, (y - 6.0f) / (2.0f * kBadgeRadius)); });
    canvas.Fill(Ring(kBadgeX, kBadgeY, kBadgeRadius - kRimWidth - 1.5f, kBadgeRadius - kRimWidth),
                Color{0.0f, 0.0f, 0.0f, 0.3f});
}

// --- The name ------------------------------------------------------------------------------------

constexpr float kNameWidth = 226.0f;
constexpr float kNameBaselineY = 240.0f;

void DrawName(Canvas& canvas, const Lettering& lettering)
{
    const std::vector<Word> words{{"Kelp", kKelpTip}, {"Forge", kGold}};
    // Fit the name to a fixed width: the scale that makes the name 1 sample wide, times the width.
    const float unitScale = 1.0f / lettering.Measure(words, 1.0f);
    const float scale = unitScale * kNameWidth * kSubsamples;
    const float penX = (kSide - kNameWidth) * 0.5f * kSubsamples;
    const float baselineY = kNameBaselineY * kSubsamples;
    const Color shadow = {0.0f, 0.0f, 0.0f, 0.6f};
    lettering.Draw(canvas, words, scale, penX + 1.5f * kSubsamples, baselineY + 2.0f * kSubsamples, &shadow);
    lettering.Draw(canvas, words, scale, penX, baselineY, nullptr);
}

} // namespace

int main(int argumentCount, char** arguments)
{
    if (argumentCount != 3)
    {
        std::fprintf(stderr, "usage: make_logo <font.ttf> <output.png>\n");
        return 2;
    }
    const Lettering lettering(arguments[1]);
    if (!lettering.IsValid())
    {
        std::fprintf(stderr, "make_logo: cannot read the font %s\n", arguments[1]);
        return 1;
    }

    Canvas canvas(kSide, kSide, kSubsamples);
    DrawBadge(canvas);
    DrawName(canvas, lettering);
    const std::vector<unsigned char> pixels = canvas.Resolve();
    if (stbi_write_png(arguments[2], kSide, kSide, 4, pixels.data(), kSide * 4) == 0)
    {
        std::fprintf(stderr, "make_logo: cannot write %s\n", arguments[2]);
        return 1;
    }
    return 0;
}
