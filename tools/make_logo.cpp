// Draws the framework's logo, shown by the start-up scene: a round sea-green badge with a gold rim,
// in which three kelp fronds rise from an anvil between a few air bubbles, above the word
// "KelpForge" ("Kelp" in green, "Forge" in gold). A 256 x 256 RGBA PNG, transparent around the
// emblem. The build runs it and embeds the result, so no image file is kept in the source tree.
// Shapes are sampled 4 x 4 per pixel for smooth edges; the letters come from the given TrueType
// font through stb_truetype.
// Usage: make_logo <font.ttf> <output.png>

#include <stb/stb_image_write.h>
#include <stb/stb_truetype.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <numbers>
#include <string>
#include <vector>

namespace
{

constexpr int kSide = 256;
constexpr int kSubsamples = 4;
constexpr int kCanvasSide = kSide * kSubsamples;

struct Color
{
    float red;
    float green;
    float blue;
    float alpha = 1.0f;
};

Color Mix(const Color& from, const Color& to, float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    return {from.red + (to.red - from.red) * t, from.green + (to.green - from.green) * t,
            from.blue + (to.blue - from.blue) * t, from.alpha + (to.alpha - from.alpha) * t};
}

constexpr Color FromHex(unsigned int rgb)
{
    return {static_cast<float>((rgb >> 16) & 0xFF) / 255.0f, static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
            static_cast<float>(rgb & 0xFF) / 255.0f};
}

constexpr Color kSeaTop = FromHex(0x1B7F80);
constexpr Color kSeaBottom = FromHex(0x0B3340);
constexpr Color kGold = FromHex(0xE9B44C);
constexpr Color kPaleGold = FromHex(0xF7D888);
constexpr Color kDeepGold = FromHex(0xB9812A);
constexpr Color kKelpBase = FromHex(0x2F8F46);
constexpr Color kKelpTip = FromHex(0x9BE27A);
constexpr Color kBubble = {0.85f, 0.97f, 1.0f, 0.55f};
constexpr Color kShadow = {0.0f, 0.0f, 0.0f, 0.45f};

// Positions are in logo pixels (0 to 256, y downwards); each sample sits at the centre of its cell.
using Region = std::function<bool(float x, float y)>;
using Paint = std::function<Color(float x, float y)>;

// Premultiplied RGBA samples, composited with "over".
class Canvas
{
public:
    Canvas() : mSamples(static_cast<std::size_t>(kCanvasSide) * kCanvasSide, {0.0f, 0.0f, 0.0f, 0.0f}) {}

    void Fill(const Region& region, const Paint& paint)
    {
        for (int sampleY = 0; sampleY < kCanvasSide; ++sampleY)
        {
            for (int sampleX = 0; sampleX < kCanvasSide; ++sampleX)
            {
                const float x = (static_cast<float>(sampleX) + 0.5f) / kSubsamples;
                const float y = (static_cast<float>(sampleY) + 0.5f) / kSubsamples;
                if (region(x, y))
                {
                    Blend(sampleX, sampleY, paint(x, y), 1.0f);
                }
            }
        }
    }

    void Fill(const Region& region, const Color& color)
    {
        Fill(region, [color](float, float) { return color; });
    }

    // coverage is 0 to 1 of the colour at one sample.
    void Blend(int sampleX, int sampleY, const Color& color, float coverage)
    {
        if (sampleX < 0 || sampleY < 0 || sampleX >= kCanvasSide || sampleY >= kCanvasSide)
        {
            return;
        }
        Color& target = mSamples[static_cast<std::size_t>(sampleY) * kCanvasSide + sampleX];
        const float alpha = color.alpha * coverage;
        target.red = color.red * alpha + target.red * (1.0f - alpha);
        target.green = color.green * alpha + target.green * (1.0f - alpha);
        target.blue = color.blue * alpha + target.blue * (1.0f - alpha);
        target.alpha = alpha + target.alpha * (1.0f - alpha);
    }

    // Averages each pixel's samples and undoes the premultiplication for the PNG.
    [[nodiscard]] std::vector<unsigned char> Resolve() const
    {
        std::vector<unsigned char> pixels(static_cast<std::size_t>(kSide) * kSide * 4);
        for (int y = 0; y < kSide; ++y)
        {
            for (int x = 0; x < kSide; ++x)
            {
                Color sum{0.0f, 0.0f, 0.0f, 0.0f};
                for (int sampleY = 0; sampleY < kSubsamples; ++sampleY)
                {
                    for (int sampleX = 0; sampleX < kSubsamples; ++sampleX)
                    {
                        const Color& sample =
                            mSamples[static_cast<std::size_t>(y * kSubsamples + sampleY) * kCanvasSide +
                                     x * kSubsamples + sampleX];
                        sum.red += sample.red;
                        sum.green += sample.green;
                        sum.blue += sample.blue;
                        sum.alpha += sample.alpha;
                    }
                }
                constexpr float kCount = kSubsamples * kSubsamples;
                const float alpha = sum.alpha / kCount;
                const float unpremultiply = alpha > 0.0f ? 1.0f / (alpha * kCount) : 0.0f;
                unsigned char* pixel = &pixels[(static_cast<std::size_t>(y) * kSide + x) * 4];
                pixel[0] = ToByte(sum.red * unpremultiply);
                pixel[1] = ToByte(sum.green * unpremultiply);
                pixel[2] = ToByte(sum.blue * unpremultiply);
                pixel[3] = ToByte(alpha);
            }
        }
        return pixels;
    }

private:
    static unsigned char ToByte(float value)
    {
        return static_cast<unsigned char>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
    }

    std::vector<Color> mSamples;
};

// --- Shapes --------------------------------------------------------------------------------------

Region Disc(float centerX, float centerY, float radius)
{
    return [=](float x, float y) { return std::hypot(x - centerX, y - centerY) < radius; };
}

Region Ring(float centerX, float centerY, float innerRadius, float outerRadius)
{
    return [=](float x, float y)
    {
        const float distance = std::hypot(x - centerX, y - centerY);
        return distance >= innerRadius && distance < outerRadius;
    };
}

// An ellipse turned by angle degrees (clockwise on screen).
Region Ellipse(float centerX, float centerY, float halfLength, float halfWidth, float angle)
{
    const float radians = angle * std::numbers::pi_v<float> / 180.0f;
    const float cosine = std::cos(radians);
    const float sine = std::sin(radians);
    return [=](float x, float y)
    {
        const float along = (x - centerX) * cosine + (y - centerY) * sine;
        const float across = -(x - centerX) * sine + (y - centerY) * cosine;
        return (along * along) / (halfLength * halfLength) + (across * across) / (halfWidth * halfWidth) <
               1.0f;
    };
}

// A convex polygon given clockwise on screen.
Region ConvexPolygon(std::vector<std::array<float, 2>> corners)
{
    return [corners = std::move(corners)](float x, float y)
    {
        for (std::size_t index = 0; index < corners.size(); ++index)
        {
            const auto& from = corners[index];
            const auto& to = corners[(index + 1) % corners.size()];
            const float cross = (to[0] - from[0]) * (y - from[1]) - (to[1] - from[1]) * (x - from[0]);
            if (cross < 0.0f)
            {
                return false;
            }
        }
        return true;
    };
}

Region Intersection(Region first, Region second)
{
    return [first = std::move(first), second = std::move(second)](float x, float y)
    { return first(x, y) && second(x, y); };
}

Region Offset(Region region, float offsetX, float offsetY)
{
    return [region = std::move(region), offsetX, offsetY](float x, float y)
    { return region(x - offsetX, y - offsetY); };
}

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

struct Word
{
    std::string text;
    Color color;
};

class Lettering
{
public:
    explicit Lettering(const std::vector<unsigned char>& fontFile) : mFontFile(fontFile)
    {
        if (mFontFile.empty())
        {
            return;
        }
        const int offset = stbtt_GetFontOffsetForIndex(mFontFile.data(), 0);
        mIsValid = offset >= 0 && stbtt_InitFont(&mFont, mFontFile.data(), offset) != 0;
    }
    // The parsed font points into this object's copy of the file.
    Lettering(const Lettering&) = delete;
    Lettering& operator=(const Lettering&) = delete;

    [[nodiscard]] bool IsValid() const { return mIsValid; }

    // Width in canvas samples of the words at a scale (stb_truetype's pixel-height scale).
    [[nodiscard]] float Measure(const std::vector<Word>& words, float scale) const
    {
        float width = 0.0f;
        int previous = 0;
        for (const Word& word : words)
        {
            for (const char character : word.text)
            {
                width += Advance(previous, character, scale);
                previous = character;
            }
        }
        return width;
    }

    // Draws the words with their left end at penX and their baseline at baselineY (canvas samples).
    void Draw(Canvas& canvas, const std::vector<Word>& words, float scale, float penX, float baselineY,
              const Color* shadow) const
    {
        int previous = 0;
        for (const Word& word : words)
        {
            for (const char character : word.text)
            {
                penX += Kerning(previous, character, scale);
                DrawGlyph(canvas, character, scale, penX, baselineY,
                          shadow != nullptr ? *shadow : word.color);
                int advance = 0;
                stbtt_GetCodepointHMetrics(&mFont, character, &advance, nullptr);
                penX += static_cast<float>(advance) * scale;
                previous = character;
            }
        }
    }

private:
    [[nodiscard]] float Kerning(int previous, int character, float scale) const
    {
        return previous == 0
                   ? 0.0f
                   : static_cast<float>(stbtt_GetCodepointKernAdvance(&mFont, previous, character)) * scale;
    }

    [[nodiscard]] float Advance(int previous, int character, float scale) const
    {
        int advance = 0;
        stbtt_GetCodepointHMetrics(&mFont, character, &advance, nullptr);
        return Kerning(previous, character, scale) + static_cast<float>(advance) * scale;
    }

    void DrawGlyph(Canvas& canvas, int character, float scale, float penX, float baselineY,
                   const Color& color) const
    {
        const float shiftX = penX - std::floor(penX);
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
        stbtt_GetCodepointBitmapBoxSubpixel(&mFont, character, scale, scale, shiftX, 0.0f, &left, &top,
                                            &right, &bottom);
        const int width = right - left;
        const int height = bottom - top;
        if (width <= 0 || height <= 0)
        {
            return;
        }
        std::vector<unsigned char> coverage(static_cast<std::size_t>(width) * height);
        stbtt_MakeCodepointBitmapSubpixel(&mFont, coverage.data(), width, height, width, scale, scale, shiftX,
                                          0.0f, character);
        const int originX = static_cast<int>(std::floor(penX)) + left;
        const int originY = static_cast<int>(std::lround(baselineY)) + top;
        for (int y = 0; y < height; ++y)
        {
            for (int x = 0; x < width; ++x)
            {
                const unsigned char value = coverage[static_cast<std::size_t>(y) * width + x];
                if (value != 0)
                {
                    canvas.Blend(originX + x, originY + y, color, static_cast<float>(value) / 255.0f);
                }
            }
        }
    }

    std::vector<unsigned char> mFontFile;
    stbtt_fontinfo mFont{};
    bool mIsValid = false;
};

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
    std::ifstream fontInput(arguments[1], std::ios::binary);
    const std::vector<unsigned char> fontFile{std::istreambuf_iterator<char>(fontInput), {}};
    const Lettering lettering(fontFile);
    if (!lettering.IsValid())
    {
        std::fprintf(stderr, "make_logo: cannot read the font %s\n", arguments[1]);
        return 1;
    }

    Canvas canvas;
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
