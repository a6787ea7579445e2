#include "pinewren_logo.hpp"

#include "picture_drawing.hpp"

#include <array>
#include <cmath>
#include <utility>

namespace Gloamshot::Content
{
namespace
{

using KelpForge::Tools::FromHex;
using KelpForge::Tools::Mix;
using KelpForge::Tools::WithAlpha;
using KelpForge::Tools::Word;

constexpr int kSubsamples = 3;
constexpr Point kBadgeCenter{256.0f, 206.0f};
constexpr float kBadgeRadius = 180.0f;

constexpr Color kNight = FromHex(0x14283A);
constexpr Color kDusk = FromHex(0x2F5A64);
constexpr Color kMoon = FromHex(0xF4E6C4);
constexpr Color kRim = FromHex(0xE8C98A);
constexpr Color kRimShade = FromHex(0x9C7A44);
constexpr Color kPineFar = FromHex(0x1E3F3A);
constexpr Color kPineNear = FromHex(0x2D5E48);
constexpr Color kBough = FromHex(0x5A3C26);
constexpr Color kNeedles = FromHex(0x3F7A52);
constexpr Color kNeedlesLight = FromHex(0x6FAA6C);
constexpr Color kWrenBack = FromHex(0x8A5A34);
constexpr Color kWrenLight = FromHex(0xC99462);
constexpr Color kWrenBelly = FromHex(0xE8C8A0);
constexpr Color kWrenBar = FromHex(0x4A2E1A);
constexpr Color kName = FromHex(0xF1DDB0);

// A pine: stacked, drooping tiers narrowing to the top, cut off at the badge's edge.
void DrawPine(Canvas& canvas, float x, float baseY, float height, float width, const Color& color)
{
    const KelpForge::Tools::Region badge =
        KelpForge::Tools::Disc(kBadgeCenter[0], kBadgeCenter[1], kBadgeRadius);
    auto fill = [&canvas, &badge, &color](std::vector<Point> corners)
    {
        const KelpForge::Tools::Bounds bounds = KelpForge::Tools::BoundsAround(corners, 0.0f);
        canvas.Fill(KelpForge::Tools::Intersection(KelpForge::Tools::Polygon(std::move(corners)), badge),
                    color, bounds);
    };
    constexpr int kTiers = 5;
    for (int tier = 0; tier < kTiers; ++tier)
    {
        const float t = static_cast<float>(tier) / kTiers;
        const float tierBottom = baseY - height * t * 0.8f;
        const float tierTop = tierBottom - height * 0.36f;
        const float halfWidth = width * 0.5f * (1.0f - t * 0.75f);
        fill({{x, tierTop},
              {x + halfWidth, tierBottom},
              {x + halfWidth * 0.5f, tierBottom - height * 0.03f},
              {x, tierBottom + height * 0.01f},
              {x - halfWidth * 0.5f, tierBottom - height * 0.03f},
              {x - halfWidth, tierBottom}});
    }
    fill({{x - width * 0.05f, baseY},
          {x + width * 0.05f, baseY},
          {x + width * 0.03f, baseY - height * 0.3f},
          {x - width * 0.03f, baseY - height * 0.3f}});
}

void DrawBadge(Canvas& canvas)
{
    const float top = kBadgeCenter[1] - kBadgeRadius;
    FillDisc(canvas, kBadgeCenter, kBadgeRadius,
             Gradient({0.0f, top}, kNight, {0.0f, kBadgeCenter[1] + kBadgeRadius}, kDusk));
    FillDisc(canvas, {330.0f, 120.0f}, 34.0f, Solid(WithAlpha(kMoon, 0.15f)));
    FillDisc(canvas, {330.0f, 120.0f}, 24.0f, Solid(kMoon));
    constexpr std::array<std::array<float, 3>, 5> kStars{{
        {170.0f, 90.0f, 2.2f},
        {215.0f, 60.0f, 1.6f},
        {390.0f, 190.0f, 1.8f},
        {130.0f, 150.0f, 1.4f},
        {270.0f, 80.0f, 1.5f},
    }};
    for (const auto& star : kStars)
    {
        FillDisc(canvas, {star[0], star[1]}, star[2], Solid(kMoon));
    }
    DrawPine(canvas, 150.0f, 420.0f, 250.0f, 160.0f, kPineFar);
    DrawPine(canvas, 380.0f, 420.0f, 210.0f, 140.0f, kPineFar);
    DrawPine(canvas, 250.0f, 430.0f, 190.0f, 130.0f, kPineNear);
    canvas.Fill(
        KelpForge::Tools::Ring(kBadgeCenter[0], kBadgeCenter[1], kBadgeRadius - 9.0f, kBadgeRadius + 1.0f),
        Gradient({0.0f, top}, kRim, {0.0f, kBadgeCenter[1] + kBadgeRadius}, kRimShade));
}

void DrawBough(Canvas& canvas)
{
    const Point from{60.0f, 318.0f};
    const Point to{430.0f, 292.0f};
    FillCapsule(canvas, from, to, 8.0f, Gradient({0.0f, 286.0f}, FromHex(0x8A6040), {0.0f, 326.0f}, kBough));
    // Needles in fans along the bough.
    for (int tuft = 0; tuft < 9; ++tuft)
    {
        const float t = 0.05f + 0.11f * static_cast<float>(tuft);
        const Point root{from[0] + (to[0] - from[0]) * t, from[1] + (to[1] - from[1]) * t + 4.0f};
        for (int needle = 0; needle < 7; ++needle)
        {
            const float angle = 1.9f + 0.22f * static_cast<float>(needle) + (tuft % 2 == 0 ? 0.0f : 0.1f);
            const Point tip{root[0] + std::cos(angle) * 30.0f, root[1] + std::sin(angle) * 24.0f};
            FillCapsule(canvas, root, tip, 2.0f, Gradient(root, kNeedles, tip, kNeedlesLight));
        }
    }
}

void DrawWren(Canvas& canvas)
{
    const Point body{262.0f, 252.0f};
    // Tail cocked up behind, barred.
    const std::vector<Point> tail{{218.0f, 250.0f}, {172.0f, 168.0f}, {186.0f, 160.0f}, {238.0f, 236.0f}};
    FillPolygon(canvas, tail, Gradient({180.0f, 160.0f}, kWrenBack, {230.0f, 250.0f}, kWrenLight));
    for (int bar = 0; bar < 4; ++bar)
    {
        const float t = 0.2f + 0.18f * static_cast<float>(bar);
        FillCapsule(canvas, {218.0f + (172.0f - 218.0f) * t, 250.0f + (168.0f - 250.0f) * t},
                    {238.0f + (186.0f - 238.0f) * t, 236.0f + (160.0f - 236.0f) * t}, 2.0f, Solid(kWrenBar));
    }
    // Feet on the bough.
    for (const float x : {252.0f, 272.0f})
    {
        FillCapsule(canvas, {x, 285.0f}, {x + 4.0f, 302.0f}, 2.6f, Solid(kBough));
    }
    // Round body, pale belly, barred wing.
    FillEllipse(canvas, body, 48.0f, 38.0f, -12.0f,
                Gradient({body[0], body[1] - 38.0f}, kWrenLight, {body[0], body[1] + 38.0f}, kWrenBack));
    FillEllipse(canvas, {body[0] + 12.0f, body[1] + 14.0f}, 30.0f, 20.0f, -20.0f, Solid(kWrenBelly));
    FillEllipse(canvas, {body[0] - 12.0f, body[1] - 2.0f}, 30.0f, 17.0f, -22.0f, Solid(kWrenBack));
    for (int bar = 0; bar < 4; ++bar)
    {
        const float x = body[0] - 30.0f + 11.0f * static_cast<float>(bar);
        FillCapsule(canvas, {x, body[1] - 6.0f + static_cast<float>(bar) * 2.0f}, {x + 6.0f, body[1] + 8.0f},
                    1.8f, Solid(kWrenBar));
    }
    // Head, pale eyebrow, eye and a thin pointed beak.
    const Point head{body[0] + 40.0f, body[1] - 30.0f};
    FillDisc(canvas, head, 22.0f,
             Gradient({head[0], head[1] - 22.0f}, kWrenLight, {head[0], head[1] + 22.0f}, kWrenBack));
    FillEllipse(canvas, {head[0] + 4.0f, head[1] - 8.0f}, 14.0f, 3.0f, -8.0f, Solid(kWrenBelly));
    FillDisc(canvas, {head[0] + 8.0f, head[1] - 1.0f}, 4.2f, Solid(FromHex(0x120C08)));
    FillDisc(canvas, {head[0] + 9.3f, head[1] - 2.3f}, 1.4f, Solid(kMoon));
    FillPolygon(canvas,
                {{head[0] + 19.0f, head[1] - 3.0f},
                 {head[0] + 44.0f, head[1] + 4.0f},
                 {head[0] + 19.0f, head[1] + 6.0f}},
                Solid(FromHex(0x3A2A1C)));
}

void DrawName(Canvas& canvas, const KelpForge::Tools::Lettering& lettering)
{
    const std::vector<Word> words{{"Pinewren", kName}};
    constexpr float kNameWidth = 400.0f;
    const float scale = kNameWidth * kSubsamples / lettering.Measure(words, 1.0f);
    const float penX = (kLogoSide - kNameWidth) * 0.5f * kSubsamples;
    const float baselineY = 478.0f * kSubsamples;
    const Color shadow = WithAlpha(FromHex(0x000000), 0.7f);
    lettering.Draw(canvas, words, scale, penX + 3.0f * kSubsamples, baselineY + 4.0f * kSubsamples, &shadow);
    lettering.Draw(canvas, words, scale, penX, baselineY, nullptr);
}

} // namespace

std::vector<unsigned char> DrawPinewrenLogo(const KelpForge::Tools::Lettering& lettering)
{
    Canvas canvas(kLogoSide, kLogoSide, kSubsamples);
    DrawBadge(canvas);
    DrawBough(canvas);
    DrawWren(canvas);
    DrawName(canvas, lettering);
    return canvas.Resolve();
}

} // namespace Gloamshot::Content
