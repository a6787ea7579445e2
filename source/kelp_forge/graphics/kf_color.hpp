#ifndef KELP_FORGE_GRAPHICS_COLOR_HPP
#define KELP_FORGE_GRAPHICS_COLOR_HPP

#include <cstdint>

namespace KelpForge::Graphics
{

// Named colours. A value outside this list (through a cast) gives opaque white.
enum class ColorPreset : std::uint32_t
{
    kDefaultColor,
    kTransparent,
    kWhite,
    kBlack,
    kRed,
    kYellow,
    kGreen,
    kCyan,
    kBlue,
    kMagenta,
    kGrey75,
    kGrey50,
    kGrey25,
    kBrown,
    kPurple,
    kSkyBlue,
    kOrange,
};

// A colour as four channels from 0.0 to 1.0 and, always in agreement with them, the packed
// 0xAARRGGBB value. Colours are not premultiplied; the renderer multiplies by alpha itself.
class Color
{
public:
    // Opaque white.
    Color() = default;
    explicit Color(std::uint32_t packedARGB);
    Color(ColorPreset preset);

    void SetColor(std::uint32_t packedARGB);
    // Each channel is clamped to 0.0 to 1.0; the packed value truncates channel x 255.
    void SetColor(float alpha, float red, float green, float blue);

    [[nodiscard]] float GetAlpha() const { return mAlpha; }
    [[nodiscard]] float GetRed() const { return mRed; }
    [[nodiscard]] float GetGreen() const { return mGreen; }
    [[nodiscard]] float GetBlue() const { return mBlue; }
    [[nodiscard]] std::uint32_t GetColorARGB() const { return mPacked; }
    // The vertex form: bytes red, green, blue, alpha in memory (0xAABBGGRR as a little-endian value).
    [[nodiscard]] std::uint32_t GetColorABGR() const;

private:
    float mAlpha = 1.0f;
    float mRed = 1.0f;
    float mGreen = 1.0f;
    float mBlue = 1.0f;
    std::uint32_t mPacked = 0xFFFFFFFFu;
};

// from when t < 0, to when t > 1, otherwise each channel from + (to - from) x t.
[[nodiscard]] Color ColorLerp(float t, const Color& from, const Color& to);

} // namespace KelpForge::Graphics

#endif
