#include "kelp_forge/graphics/kf_color.hpp"

#include <array>

namespace KelpForge::Graphics
{

namespace
{

constexpr std::array<std::uint32_t, 17> kPresetColors = {
    0xFFFFFFFF, // kDefaultColor
    0x00FFFFFF, // kTransparent
    0xFFFFFFFF, // kWhite
    0xFF000000, // kBlack
    0xFFFF0000, // kRed
    0xFFFFFF00, // kYellow
    0xFF00FF00, // kGreen
    0xFF00FFFF, // kCyan
    0xFF0000FF, // kBlue
    0xFFFF00FF, // kMagenta
    0xFFC0C0C0, // kGrey75
    0xFF808080, // kGrey50
    0xFF404040, // kGrey25
    0xFF996633, // kBrown
    0xFFBB00FF, // kPurple
    0xFF2E9FFF, // kSkyBlue
    0xFFFF9F2E, // kOrange
};

float ChannelFromByte(std::uint32_t packed, int shift)
{
    return static_cast<float>((packed >> shift) & 0xFFu) / 255.0f;
}

// Clamps to 0.0 to 1.0; NaN becomes 0.0 so that the packed value stays defined.
float ClampChannel(float channel)
{
    return channel > 1.0f ? 1.0f : (channel >= 0.0f ? channel : 0.0f);
}

// Truncates channel x 255, but a product that float rounding left just below a whole number (a
// lerp to 0xC0 ends at 191.99998) counts as that number.
std::uint32_t ByteFromChannel(float channel)
{
    return static_cast<std::uint32_t>(channel * 255.0f + 0.001f);
}

} // namespace

Color::Color(std::uint32_t packedARGB)
{
    SetColor(packedARGB);
}

Color::Color(ColorPreset preset)
{
    const auto index = static_cast<std::uint32_t>(preset);
    SetColor(index < kPresetColors.size() ? kPresetColors[index] : 0xFFFFFFFFu);
}

void Color::SetColor(std::uint32_t packedARGB)
{
    mAlpha = ChannelFromByte(packedARGB, 24);
    mRed = ChannelFromByte(packedARGB, 16);
    mGreen = ChannelFromByte(packedARGB, 8);
    mBlue = ChannelFromByte(packedARGB, 0);
    mPacked = packedARGB;
}

void Color::SetColor(float alpha, float red, float green, float blue)
{
    mAlpha = ClampChannel(alpha);
    mRed = ClampChannel(red);
    mGreen = ClampChannel(green);
    mBlue = ClampChannel(blue);
    mPacked = (ByteFromChannel(mAlpha) << 24) | (ByteFromChannel(mRed) << 16) |
              (ByteFromChannel(mGreen) << 8) | ByteFromChannel(mBlue);
}

std::uint32_t Color::GetColorABGR() const
{
    // The packed bytes are the truncated channels, so swapping red and blue gives the vertex form
    // without four more float conversions per drawable per frame.
    return (mPacked & 0xFF00FF00u) | ((mPacked >> 16) & 0xFFu) | ((mPacked & 0xFFu) << 16);
}

Color ColorLerp(float t, const Color& from, const Color& to)
{
    if (t < 0.0f)
    {
        return from;
    }
    if (t > 1.0f)
    {
        return to;
    }
    Color result;
    result.SetColor(from.GetAlpha() + (to.GetAlpha() - from.GetAlpha()) * t,
                    from.GetRed() + (to.GetRed() - from.GetRed()) * t,
                    from.GetGreen() + (to.GetGreen() - from.GetGreen()) * t,
                    from.GetBlue() + (to.GetBlue() - from.GetBlue()) * t);
    return result;
}

} // namespace KelpForge::Graphics
