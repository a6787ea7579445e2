#ifndef KELP_FORGE_TOOLS_ASSET_KIT_CANVAS_HPP
#define KELP_FORGE_TOOLS_ASSET_KIT_CANVAS_HPP

// An RGBA picture drawn by the project's asset tools: shapes are sampled several times per pixel
// for smooth edges, composited with "over" in premultiplied colour, and resolved into 8-bit RGBA.

#include <functional>
#include <vector>

namespace KelpForge::Tools
{

struct Color
{
    float red;
    float green;
    float blue;
    float alpha = 1.0f;
};

// t is clamped to 0..1.
[[nodiscard]] Color Mix(const Color& from, const Color& to, float t);

constexpr Color FromHex(unsigned int rgb)
{
    return {static_cast<float>((rgb >> 16) & 0xFF) / 255.0f, static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
            static_cast<float>(rgb & 0xFF) / 255.0f};
}

constexpr Color WithAlpha(const Color& color, float alpha)
{
    return {color.red, color.green, color.blue, alpha};
}

// Positions are in pixels (x to the right, y downwards); each sample sits at the centre of its cell.
using Region = std::function<bool(float x, float y)>;
using Paint = std::function<Color(float x, float y)>;

// A rectangle of pixels, edges included; fills only look at the samples inside it.
struct Bounds
{
    float left;
    float top;
    float right;
    float bottom;
};

class Canvas
{
public:
    // A transparent picture; subsamples is the number of samples along each side of a pixel.
    Canvas(int width, int height, int subsamples);

    [[nodiscard]] int GetWidth() const { return mWidth; }
    [[nodiscard]] int GetHeight() const { return mHeight; }
    [[nodiscard]] int GetSubsamples() const { return mSubsamples; }
    [[nodiscard]] Bounds GetBounds() const;

    void Fill(const Region& region, const Paint& paint);
    void Fill(const Region& region, const Color& color);
    void Fill(const Region& region, const Paint& paint, const Bounds& bounds);
    void Fill(const Region& region, const Color& color, const Bounds& bounds);

    // coverage is 0 to 1 of the colour at one sample; samples outside the canvas are ignored.
    void Blend(int sampleX, int sampleY, const Color& color, float coverage);

    // Averages each pixel's samples and undoes the premultiplication: width x height RGBA bytes.
    [[nodiscard]] std::vector<unsigned char> Resolve() const;

private:
    int mWidth;
    int mHeight;
    int mSubsamples;
    std::vector<Color> mSamples;
};

} // namespace KelpForge::Tools

#endif
