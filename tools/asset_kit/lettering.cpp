#include "asset_kit/lettering.hpp"

#include "kelp_forge/core/kf_whole_file_reader.hpp"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace KelpForge::Tools
{

namespace
{

// Far above any font the tools draw with.
constexpr std::uintmax_t kLargestFontFile = 64u * 1024u * 1024u;

} // namespace

Lettering::Lettering(const std::string& fontPath)
    : mFontFile(Core::ReadWholeFile(fontPath, kLargestFontFile).bytes)
{
    if (mFontFile.empty())
    {
        return;
    }
    const int offset = stbtt_GetFontOffsetForIndex(mFontFile.data(), 0);
    mIsValid = offset >= 0 && stbtt_InitFont(&mFont, mFontFile.data(), offset) != 0;
}

float Lettering::Measure(const std::vector<Word>& words, float scale) const
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

void Lettering::Draw(Canvas& canvas, const std::vector<Word>& words, float scale, float penX, float baselineY,
                     const Color* shadow) const
{
    int previous = 0;
    for (const Word& word : words)
    {
        for (const char character : word.text)
        {
            penX += Kerning(previous, character, scale);
            DrawGlyph(canvas, character, scale, penX, baselineY, shadow != nullptr ? *shadow : word.color);
            int advance = 0;
            stbtt_GetCodepointHMetrics(&mFont, character, &advance, nullptr);
            penX += static_cast<float>(advance) * scale;
            previous = character;
        }
    }
}

float Lettering::Kerning(int previous, int character, float scale) const
{
    return previous == 0
               ? 0.0f
               : static_cast<float>(stbtt_GetCodepointKernAdvance(&mFont, previous, character)) * scale;
}

float Lettering::Advance(int previous, int character, float scale) const
{
    int advance = 0;
    stbtt_GetCodepointHMetrics(&mFont, character, &advance, nullptr);
    return Kerning(previous, character, scale) + static_cast<float>(advance) * scale;
}

void Lettering::DrawGlyph(Canvas& canvas, int character, float scale, float penX, float baselineY,
                          const Color& color) const
{
    const float shiftX = penX - std::floor(penX);
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    stbtt_GetCodepointBitmapBoxSubpixel(&mFont, character, scale, scale, shiftX, 0.0f, &left, &top, &right,
                                        &bottom);
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

} // namespace KelpForge::Tools
