#include "archer_geometry.hpp"
#include "sprite_pictures.hpp"

#include <cmath>

namespace Gloamshot::Content
{
namespace
{

using KelpForge::Tools::FromHex;

constexpr Color kCloak = FromHex(0x3F6B4F);
constexpr Color kCloakShade = FromHex(0x24402F);
constexpr Color kCloakLight = FromHex(0x6E9C72);
constexpr Color kTunic = FromHex(0x8A5A34);
constexpr Color kTunicLight = FromHex(0xB07A48);
constexpr Color kTrousers = FromHex(0x4A4038);
constexpr Color kBoot = FromHex(0x3A2A20);
constexpr Color kBootLight = FromHex(0x6A4C38);
constexpr Color kBelt = FromHex(0x2E2018);
constexpr Color kBrass = FromHex(0xE0B050);
constexpr Color kSkin = FromHex(0xE3AA82);
constexpr Color kSkinShade = FromHex(0xB57A58);
constexpr Color kQuiver = FromHex(0x7A4A26);
constexpr Color kFeather = FromHex(0xEDE4D2);
constexpr Color kFeatherRed = FromHex(0xC8463A);
constexpr Color kWood = FromHex(0x9B6A3A);
constexpr Color kWoodLight = FromHex(0xD29A5C);
constexpr Color kWoodDark = FromHex(0x5A3A1E);
constexpr Color kString = FromHex(0xF2EBDD);
constexpr Color kSteel = FromHex(0xC9D2DA);
constexpr Color kSteelDark = FromHex(0x707C88);
constexpr Color kGlove = FromHex(0x5C3B24);

// Frame points of the archer, whose feet are at the frame's bottom centre.
constexpr float kCentreX = static_cast<float>(kArcherFrameWidth) / 2.0f;
constexpr float kShoulderY = static_cast<float>(kBowPivotY);
constexpr float kHipY = kShoulderY + 40.0f;
constexpr float kFloorY = static_cast<float>(kArcherFrameHeight);

void DrawLegs(Canvas& canvas)
{
    const Point backHip{kCentreX - 4.0f, kHipY};
    const Point backKnee{kCentreX - 10.0f, kHipY + 27.0f};
    const Point backAnkle{kCentreX - 17.0f, kFloorY - 6.0f};
    const Point frontHip{kCentreX + 5.0f, kHipY};
    const Point frontKnee{kCentreX + 16.0f, kHipY + 25.0f};
    const Point frontAnkle{kCentreX + 21.0f, kFloorY - 6.0f};
    const Color backTrousers = KelpForge::Tools::Mix(kTrousers, FromHex(0x000000), 0.3f);
    FillCapsule(canvas, backHip, backKnee, 6.0f, Solid(backTrousers));
    FillCapsule(canvas, backKnee, backAnkle, 5.0f, Solid(backTrousers));
    FillEllipse(canvas, {backAnkle[0] + 3.0f, kFloorY - 4.0f}, 9.0f, 4.5f, 0.0f, Solid(kBoot));
    FillCapsule(canvas, backKnee, {backAnkle[0], backAnkle[1] - 2.0f}, 4.6f,
                Gradient({0.0f, backKnee[1] + 6.0f}, backTrousers, {0.0f, backKnee[1] + 8.0f}, kBoot));

    FillCapsule(canvas, frontHip, frontKnee, 6.5f, Solid(kTrousers));
    FillCapsule(canvas, frontKnee, frontAnkle, 5.5f,
                Gradient({0.0f, frontKnee[1] + 6.0f}, kTrousers, {0.0f, frontKnee[1] + 8.0f}, kBoot));
    FillEllipse(canvas, {frontAnkle[0] + 4.0f, kFloorY - 4.0f}, 10.0f, 4.5f, 0.0f, Solid(kBoot));
    FillCapsule(canvas, {frontKnee[0] + 1.0f, frontKnee[1] + 9.0f},
                {frontAnkle[0] + 2.0f, frontAnkle[1] - 3.0f}, 1.2f, Solid(kBootLight));
}

void DrawQuiverAndCloak(Canvas& canvas)
{
    // The cloak hangs behind the body, on the left since the archer faces right.
    FillPolygon(canvas,
                {{kCentreX - 4.0f, kShoulderY - 6.0f},
                 {kCentreX - 16.0f, kShoulderY + 10.0f},
                 {kCentreX - 27.0f, kHipY + 22.0f},
                 {kCentreX - 12.0f, kHipY + 26.0f},
                 {kCentreX - 2.0f, kHipY}},
                Gradient({kCentreX - 27.0f, 0.0f}, kCloakShade, {kCentreX, 0.0f}, kCloak));
    // The quiver slants across the back, arrows showing at its mouth.
    const Point mouth{kCentreX - 9.0f, kShoulderY - 22.0f};
    const Point bottom{kCentreX - 20.0f, kHipY + 2.0f};
    for (int arrow = 0; arrow < 3; ++arrow)
    {
        const float shift = static_cast<float>(arrow) * 3.5f - 3.5f;
        const Point nock{mouth[0] + shift + 2.0f, mouth[1] - 9.0f + std::fabs(shift)};
        FillCapsule(canvas, {mouth[0] + shift, mouth[1] + 4.0f}, nock, 0.9f, Solid(kWood));
        FillEllipse(canvas, {nock[0] - 0.6f, nock[1] + 3.0f}, 4.5f, 1.8f, 70.0f + shift * 4.0f,
                    Solid(arrow == 1 ? kFeatherRed : kFeather));
    }
    FillCapsule(canvas, mouth, bottom, 5.0f,
                Gradient({bottom[0] - 5.0f, 0.0f}, kWoodDark, {mouth[0] + 5.0f, 0.0f}, kQuiver));
    FillCapsule(canvas, {mouth[0] - 0.5f, mouth[1] + 1.0f}, {mouth[0] + 0.6f, mouth[1] - 0.5f}, 5.6f,
                Solid(kBelt));
}

void DrawBody(Canvas& canvas)
{
    // Tunic from the shoulders to a short skirt.
    FillPolygon(canvas,
                {{kCentreX - 10.0f, kShoulderY - 4.0f},
                 {kCentreX + 10.0f, kShoulderY - 4.0f},
                 {kCentreX + 11.0f, kShoulderY + 14.0f},
                 {kCentreX + 9.0f, kHipY - 4.0f},
                 {kCentreX + 15.0f, kHipY + 12.0f},
                 {kCentreX - 12.0f, kHipY + 12.0f},
                 {kCentreX - 9.0f, kHipY - 4.0f},
                 {kCentreX - 11.0f, kShoulderY + 14.0f}},
                Gradient({kCentreX - 12.0f, 0.0f}, kTunic, {kCentreX + 14.0f, 0.0f}, kTunicLight));
    // Belt with a brass buckle.
    FillPolygon(canvas,
                {{kCentreX - 10.0f, kHipY - 6.0f},
                 {kCentreX + 10.0f, kHipY - 6.0f},
                 {kCentreX + 10.5f, kHipY - 1.0f},
                 {kCentreX - 10.5f, kHipY - 1.0f}},
                Solid(kBelt));
    FillPolygon(canvas,
                {{kCentreX + 3.0f, kHipY - 6.5f},
                 {kCentreX + 8.0f, kHipY - 6.5f},
                 {kCentreX + 8.0f, kHipY - 0.5f},
                 {kCentreX + 3.0f, kHipY - 0.5f}},
                Solid(kBrass));
    // Cloak over the shoulders, where the arms join.
    FillEllipse(canvas, {kCentreX - 1.0f, kShoulderY - 1.0f}, 12.0f, 7.0f, 0.0f,
                Gradient({0.0f, kShoulderY - 8.0f}, kCloakLight, {0.0f, kShoulderY + 6.0f}, kCloak));
}

void DrawHead(Canvas& canvas)
{
    const Point head{kCentreX + 2.0f, kShoulderY - 19.0f};
    FillCapsule(canvas, {kCentreX, kShoulderY - 6.0f}, {kCentreX + 1.0f, head[1] + 4.0f}, 4.0f,
                Solid(kSkinShade));
    FillDisc(canvas, head, 9.0f, Gradient({head[0] - 6.0f, 0.0f}, kSkinShade, {head[0] + 8.0f, 0.0f}, kSkin));
    // Nose and eye.
    FillEllipse(canvas, {head[0] + 9.0f, head[1] + 1.5f}, 2.4f, 1.6f, 20.0f, Solid(kSkin));
    FillDisc(canvas, {head[0] + 4.5f, head[1] - 1.0f}, 1.2f, Solid(FromHex(0x1A1410)));
    // A hood over the back of the head, its point falling behind.
    FillPolygon(
        canvas,
        {{head[0] - 10.0f, head[1] + 8.0f},
         {head[0] - 11.0f, head[1] - 2.0f},
         {head[0] - 6.0f, head[1] - 10.0f},
         {head[0] + 2.0f, head[1] - 12.5f},
         {head[0] + 9.0f, head[1] - 8.0f},
         {head[0] + 3.0f, head[1] - 6.0f},
         {head[0] - 1.0f, head[1] + 1.0f},
         {head[0] - 2.0f, head[1] + 10.0f}},
        Gradient({head[0] - 10.0f, head[1]}, kCloakShade, {head[0] + 8.0f, head[1] - 10.0f}, kCloakLight));
    FillPolygon(canvas,
                {{head[0] - 10.0f, head[1] - 2.0f},
                 {head[0] - 19.0f, head[1] + 6.0f},
                 {head[0] - 10.0f, head[1] + 6.0f}},
                Solid(kCloakShade));
}

// An arrow lying along the x axis with its nock at nockX and its point at tipX.
void DrawArrowAlong(Canvas& canvas, float nockX, float tipX, float y)
{
    FillCapsule(canvas, {nockX, y}, {tipX - 8.0f, y}, 1.1f,
                Gradient({0.0f, y - 1.0f}, kWoodLight, {0.0f, y + 1.0f}, kWood));
    FillPolygon(canvas, {{tipX - 9.0f, y - 3.2f}, {tipX, y}, {tipX - 9.0f, y + 3.2f}, {tipX - 7.5f, y}},
                Gradient({0.0f, y - 3.0f}, kSteel, {0.0f, y + 3.0f}, kSteelDark));
    for (const float side : {-1.0f, 1.0f})
    {
        FillPolygon(canvas,
                    {{nockX + 2.0f, y},
                     {nockX + 0.5f, y + side * 4.0f},
                     {nockX + 11.0f, y + side * 1.0f},
                     {nockX + 13.0f, y}},
                    Solid(side < 0.0f ? kFeatherRed : kFeather));
    }
}

} // namespace

SpritePicture DrawArcher()
{
    Canvas canvas(kArcherFrameWidth, kArcherFrameHeight, kSpriteSubsamples);
    DrawQuiverAndCloak(canvas);
    DrawLegs(canvas);
    DrawBody(canvas);
    DrawHead(canvas);
    return Finish("archer", canvas);
}

SpritePicture DrawBow()
{
    Canvas canvas(120, 112, kSpriteSubsamples);
    const auto [gripX, y] = CenterOf(canvas);
    const Point shoulder{gripX - kBowArmLength, y};
    const Point nock{shoulder[0] + 12.0f, y};
    const Point elbow{shoulder[0] - 9.0f, y - 9.0f};

    // The drawing arm, behind the bow.
    FillCapsule(canvas, shoulder, elbow, 4.0f, Solid(kCloakShade));
    FillCapsule(canvas, elbow, nock, 3.4f, Solid(kTunic));

    // A recurved bow: limbs that bend back towards the archer and taper to the tips.
    constexpr float kHalfLength = 50.0f;
    auto limbX = [gripX](float t) { return gripX - 15.0f * t * t + 4.0f * t * t * t * t; };
    const Point topTip{limbX(1.0f), y - kHalfLength};
    const Point bottomTip{limbX(1.0f), y + kHalfLength};
    FillCapsule(canvas, topTip, nock, 0.55f, Solid(kString));
    FillCapsule(canvas, bottomTip, nock, 0.55f, Solid(kString));
    constexpr int kPieces = 24;
    for (int piece = 0; piece < kPieces; ++piece)
    {
        const float from = -1.0f + 2.0f * static_cast<float>(piece) / kPieces;
        const float to = -1.0f + 2.0f * static_cast<float>(piece + 1) / kPieces;
        const float halfWidth = 3.4f - 1.9f * std::fabs((from + to) * 0.5f);
        FillCapsule(canvas, {limbX(from), y + from * kHalfLength}, {limbX(to), y + to * kHalfLength},
                    halfWidth, Gradient({gripX - 4.0f, 0.0f}, kWoodDark, {gripX + 3.0f, 0.0f}, kWoodLight));
    }
    FillDisc(canvas, topTip, 1.8f, Solid(kWoodDark));
    FillDisc(canvas, bottomTip, 1.8f, Solid(kWoodDark));

    DrawArrowAlong(canvas, nock[0] - 2.0f, gripX + 36.0f, y);

    // The bow arm, reaching from the shoulder to the grip, and both hands.
    FillCapsule(canvas, shoulder, {gripX - 3.0f, y}, 4.0f,
                Gradient({0.0f, y - 4.0f}, kCloakLight, {0.0f, y + 4.0f}, kCloak));
    FillCapsule(canvas, {shoulder[0] + 18.0f, y}, {gripX - 3.0f, y}, 3.3f, Solid(kTunic));
    FillDisc(canvas, {gripX - 0.5f, y}, 3.8f, Solid(kGlove));
    FillDisc(canvas, nock, 3.3f, Solid(kGlove));
    return Finish("bow", canvas);
}

SpritePicture DrawArrow()
{
    Canvas canvas(12, 52, kSpriteSubsamples);
    const float x = CenterOf(canvas)[0];
    FillCapsule(canvas, {x, 9.0f}, {x, 49.0f}, 1.2f,
                Gradient({x - 1.2f, 0.0f}, kWoodLight, {x + 1.2f, 0.0f}, kWood));
    FillPolygon(canvas, {{x, 1.0f}, {x + 3.6f, 11.0f}, {x, 9.0f}, {x - 3.6f, 11.0f}},
                Gradient({x - 3.0f, 0.0f}, kSteel, {x + 3.0f, 0.0f}, kSteelDark));
    for (const float side : {-1.0f, 1.0f})
    {
        FillPolygon(canvas,
                    {{x, 36.0f},
                     {x + side * 1.2f, 35.0f},
                     {x + side * 4.8f, 47.0f},
                     {x + side * 4.4f, 51.0f},
                     {x, 47.0f}},
                    Solid(side < 0.0f ? kFeatherRed : kFeather));
    }
    return Finish("arrow", canvas);
}

} // namespace Gloamshot::Content
