#include "content_random.hpp"
#include "sprite_pictures.hpp"

#include <array>
#include <cmath>

namespace Gloamshot::Content
{
namespace
{

using KelpForge::Tools::FromHex;
using KelpForge::Tools::Mix;
using KelpForge::Tools::WithAlpha;

constexpr Color kChitin = FromHex(0x3A2A3E);
constexpr Color kChitinLight = FromHex(0x7A6282);
constexpr Color kChitinDark = FromHex(0x1C141E);
// A pale edge round the whole spider, so that it stays clear against the darkest rock.
constexpr Color kRimLight = WithAlpha(FromHex(0xB8A4C8), 0.5f);
constexpr float kRimWidth = 1.1f;
constexpr Color kMarking = FromHex(0xE0782C);
constexpr Color kEye = FromHex(0xFF4A3A);
constexpr Color kIron = FromHex(0x3C3632);
constexpr Color kIronLight = FromHex(0x8A7F74);
constexpr Color kGlassGlow = FromHex(0xF2B04A);
constexpr Color kFlameOuter = FromHex(0xFF8A20);
constexpr Color kFlameInner = FromHex(0xFFD860);
constexpr Color kFlameCore = FromHex(0xFFFBE8);

// One leg's outline, a little wider than the leg, in the rim light.
void DrawLegRim(Canvas& canvas, Point hip, Point knee, Point foot)
{
    FillCapsule(canvas, hip, knee, 2.6f + kRimWidth, Solid(kRimLight));
    FillCapsule(canvas, knee, foot, 1.9f + kRimWidth, Solid(kRimLight));
    FillDisc(canvas, knee, 2.8f + kRimWidth, Solid(kRimLight));
}

// One leg: from the body out to the knee, then down to the foot; a thick upper part, a thinner
// lower one and a light line along its top.
void DrawLeg(Canvas& canvas, Point hip, Point knee, Point foot)
{
    FillCapsule(canvas, hip, knee, 2.6f, Solid(kChitin));
    FillCapsule(canvas, knee, foot, 1.9f, Gradient(knee, kChitin, foot, kChitinDark));
    FillCapsule(canvas, {hip[0], hip[1] - 0.8f}, {knee[0], knee[1] - 1.2f}, 0.8f, Solid(kChitinLight));
    FillDisc(canvas, knee, 2.8f, Solid(kChitin));
    FillDisc(canvas, {knee[0] - 0.8f, knee[1] - 0.9f}, 1.1f, Solid(kChitinLight));
}

} // namespace

SpritePicture DrawSpider()
{
    Canvas canvas(92, 80, kSpriteSubsamples);
    const auto [centerX, centerY] = CenterOf(canvas);
    // Four legs a side, the front pairs reaching forward (up), the back pairs backward.
    constexpr std::array<std::array<float, 6>, 4> kLegs{{
        // hip x, hip y, knee x, knee y, foot x, foot y (right side; the left mirrors them)
        {5.0f, -10.0f, 20.0f, -30.0f, 26.0f, -38.0f},
        {7.0f, -6.0f, 30.0f, -16.0f, 41.0f, -6.0f},
        {7.0f, -2.0f, 30.0f, 2.0f, 40.0f, 18.0f},
        {5.0f, 2.0f, 22.0f, 16.0f, 28.0f, 36.0f},
    }};
    const Point abdomen{centerX, centerY + 13.0f};
    const Point thorax{centerX, centerY - 6.0f};
    auto drawLegs = [&](auto drawLeg)
    {
        for (const float side : {-1.0f, 1.0f})
        {
            for (const auto& leg : kLegs)
            {
                drawLeg(canvas, {centerX + side * leg[0], centerY + leg[1]},
                        {centerX + side * leg[2], centerY + leg[3]},
                        {centerX + side * leg[4], centerY + leg[5]});
            }
        }
    };
    // The rim all round first, so that no part's outline falls across another part.
    drawLegs(DrawLegRim);
    FillEllipse(canvas, abdomen, 16.5f + kRimWidth, 13.5f + kRimWidth, 90.0f, Solid(kRimLight));
    FillEllipse(canvas, thorax, 10.5f + kRimWidth, 9.0f + kRimWidth, 90.0f, Solid(kRimLight));
    drawLegs(DrawLeg);
    // Abdomen behind, with a hairy edge and a bright marking; head and thorax in front.
    FillEllipse(canvas, abdomen, 16.5f, 13.5f, 90.0f, Solid(kChitinDark));
    FillEllipse(canvas, abdomen, 15.0f, 12.0f, 90.0f,
                Gradient({abdomen[0] - 8.0f, abdomen[1] - 10.0f}, kChitinLight,
                         {abdomen[0] + 8.0f, abdomen[1] + 12.0f}, kChitinDark));
    FillPolygon(canvas,
                {{abdomen[0], abdomen[1] - 8.0f},
                 {abdomen[0] + 4.5f, abdomen[1] - 1.0f},
                 {abdomen[0], abdomen[1] + 2.0f},
                 {abdomen[0] - 4.5f, abdomen[1] - 1.0f}},
                Solid(kMarking));
    FillPolygon(canvas,
                {{abdomen[0], abdomen[1] + 3.5f},
                 {abdomen[0] + 3.5f, abdomen[1] + 8.0f},
                 {abdomen[0], abdomen[1] + 11.0f},
                 {abdomen[0] - 3.5f, abdomen[1] + 8.0f}},
                Solid(kMarking));
    Random hairs(41);
    for (int hair = 0; hair < 40; ++hair)
    {
        const float angle = hairs.Uniform(0.0f, 6.2831853f);
        const Point root{abdomen[0] + std::cos(angle) * 11.0f, abdomen[1] + std::sin(angle) * 14.0f};
        const Point tip{abdomen[0] + std::cos(angle) * 14.5f, abdomen[1] + std::sin(angle) * 17.5f};
        FillCapsule(canvas, root, tip, 0.45f, Solid(kChitinLight));
    }
    FillEllipse(canvas, thorax, 10.5f, 9.0f, 90.0f,
                Gradient({thorax[0] - 6.0f, thorax[1] - 8.0f}, kChitinLight,
                         {thorax[0] + 6.0f, thorax[1] + 8.0f}, kChitinDark));
    // Fangs and a cluster of glinting eyes.
    for (const float side : {-1.0f, 1.0f})
    {
        FillCapsule(canvas, {thorax[0] + side * 3.0f, thorax[1] - 12.0f},
                    {thorax[0] + side * 1.5f, thorax[1] - 16.5f}, 1.3f, Solid(kChitinDark));
        FillDisc(canvas, {thorax[0] + side * 3.2f, thorax[1] - 8.0f}, 1.9f, Solid(kEye));
        FillDisc(canvas, {thorax[0] + side * 6.2f, thorax[1] - 6.0f}, 1.3f, Solid(kEye));
        FillDisc(canvas, {thorax[0] + side * 2.7f, thorax[1] - 8.6f}, 0.7f, Solid(FromHex(0xFFE0D0)));
    }
    return Finish("spider", canvas);
}

SpritePicture DrawLantern()
{
    Canvas canvas(44, 64, kSpriteSubsamples);
    const auto [x, flameY] = CenterOf(canvas);
    const float ringY = flameY - kLanternRingAbove + 4.0f;

    // Carrying ring and cap.
    canvas.Fill(KelpForge::Tools::Ring(x, ringY, 2.6f, 4.2f), Solid(kIron),
                {x - 5.0f, ringY - 5.0f, x + 5.0f, ringY + 5.0f});
    FillPolygon(canvas,
                {{x - 4.0f, ringY + 3.0f},
                 {x + 4.0f, ringY + 3.0f},
                 {x + 5.0f, ringY + 7.0f},
                 {x - 5.0f, ringY + 7.0f}},
                Solid(kIron));
    FillPolygon(canvas,
                {{x - 6.0f, ringY + 6.5f},
                 {x + 6.0f, ringY + 6.5f},
                 {x + 14.0f, flameY - 14.0f},
                 {x - 14.0f, flameY - 14.0f}},
                Gradient({x - 10.0f, 0.0f}, kIronLight, {x + 12.0f, 0.0f}, kIron));
    // The glass: warm light around the flame, brighter towards it.
    const float glassTop = flameY - 14.0f;
    const float glassBottom = flameY + 14.0f;
    FillPolygon(
        canvas,
        {{x - 12.0f, glassTop}, {x + 12.0f, glassTop}, {x + 12.0f, glassBottom}, {x - 12.0f, glassBottom}},
        [x, flameY](float pointX, float pointY)
        {
            const float distance = std::hypot(pointX - x, (pointY - flameY) * 0.8f);
            return Mix(kGlassGlow, WithAlpha(FromHex(0x8A4A1A), 1.0f), distance / 16.0f);
        });
    // The flame: an outer glow, a teardrop, and a white-hot core that stays bright within a few
    // pixels of the centre, the only thing seen of an unlit lantern.
    FillDisc(canvas, {x, flameY}, 8.0f, Solid(WithAlpha(kFlameInner, 0.35f)));
    FillEllipse(canvas, {x, flameY - 1.5f}, 7.0f, 4.2f, 90.0f, Solid(kFlameOuter));
    FillPolygon(canvas, {{x, flameY - 10.0f}, {x + 3.0f, flameY - 3.0f}, {x - 3.0f, flameY - 3.0f}},
                Solid(kFlameOuter));
    FillEllipse(canvas, {x, flameY - 0.5f}, 5.0f, 3.2f, 90.0f, Solid(kFlameInner));
    FillDisc(canvas, {x, flameY}, 2.6f, Solid(kFlameCore));
    // Iron frame: corner posts and bands.
    for (const float side : {-1.0f, 1.0f})
    {
        FillCapsule(canvas, {x + side * 12.0f, glassTop}, {x + side * 12.0f, glassBottom}, 1.6f,
                    Solid(kIron));
        FillCapsule(canvas, {x + side * 11.5f, glassTop + 1.0f}, {x + side * 11.5f, glassBottom - 1.0f}, 0.5f,
                    Solid(kIronLight));
    }
    FillCapsule(canvas, {x - 13.0f, glassTop}, {x + 13.0f, glassTop}, 1.5f, Solid(kIron));
    // The base.
    FillPolygon(canvas,
                {{x - 14.0f, glassBottom},
                 {x + 14.0f, glassBottom},
                 {x + 11.0f, glassBottom + 6.0f},
                 {x - 11.0f, glassBottom + 6.0f}},
                Gradient({x - 12.0f, 0.0f}, kIronLight, {x + 12.0f, 0.0f}, kIron));
    FillPolygon(canvas,
                {{x - 8.0f, glassBottom + 6.0f},
                 {x + 8.0f, glassBottom + 6.0f},
                 {x + 6.0f, glassBottom + 9.0f},
                 {x - 6.0f, glassBottom + 9.0f}},
                Solid(kIron));
    return Finish("lantern", canvas);
}

} // namespace Gloamshot::Content
