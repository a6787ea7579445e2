#include "kelp_forge/graphics/kf_font.hpp"

#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/core/kf_whole_file_reader.hpp"
#include "kelp_forge/graphics/implementation/kfi_true_type_validator.hpp"
#include "kelp_forge/graphics/implementation/kfi_utf8_decoder.hpp"

#include <stb/stb_truetype.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>

namespace KelpForge::Graphics
{
namespace
{

constexpr float kLargestPixelSpace = 65535.0f;
// A glyph whose outline spans more pixels than this shows at most a corner of it in any text
// image, while flattening its curves would cost in proportion to its size.
constexpr double kLargestOutlinePixels = 65536.0;
// Beyond this the pen has left every text image; it also keeps the pen's whole part in range.
constexpr float kLargestPenPosition = 1.0e9f;

std::uint32_t SmallestPowerOfTwoCovering(std::uint32_t side)
{
    std::uint32_t power = 1;
    while (power < side)
    {
        power *= 2;
    }
    return power;
}

void ReportAllocationFailure()
{
    kf_error("kfError: Could not allocate resource for the new font.");
}

} // namespace

void TextImage::FreeDeleter::operator()(unsigned char* imagePixels) const
{
    std::free(imagePixels);
}

Font::Font() : mFontInfo(std::make_unique<stbtt_fontinfo>()) {}

Font::~Font() = default;

std::unique_ptr<Font> Font::LoadFromFile(const std::string& fileName)
{
    const Core::WholeFile file = Core::ReadWholeFile(fileName, kfImplementation::TrueType::kMaxFontFileSize);
    if (file.failure == Core::WholeFileFailure::kOutOfMemory)
    {
        ReportAllocationFailure();
    }
    return file.IsRead() ? LoadFromData(file.bytes.data(), file.bytes.size()) : nullptr;
}

std::unique_ptr<Font> Font::LoadFromData(const unsigned char* fontData, std::size_t size)
{
    if (fontData == nullptr)
    {
        return nullptr;
    }
    try
    {
        std::optional<kfImplementation::TrueType::FontSummary> summary =
            kfImplementation::TrueType::ValidateTrueTypeFont(std::span<const unsigned char>(fontData, size));
        if (!summary)
        {
            return nullptr;
        }
        std::unique_ptr<Font> font(new Font());
        font->mFontData.assign(fontData, fontData + size);
        if (stbtt_InitFont(font->mFontInfo.get(), font->mFontData.data(), 0) == 0)
        {
            return nullptr;
        }
        font->mOutlineSpans = std::move(summary->outlineSpans);
        font->mNumberOfGlyphs = summary->numberOfGlyphs;
        font->mUnitsPerEm = summary->unitsPerEm;
        font->mHasKernTable = summary->hasKernTable;
        font->SetPixelSize(kInitialPixelSize);
        return font;
    }
    catch (const std::bad_alloc&)
    {
        ReportAllocationFailure();
        return nullptr;
    }
}

void Font::SetPixelSize(float pixelSize)
{
    mPixelSize = pixelSize;
    mScale = pixelSize / mUnitsPerEm;
    int ascent = 0;
    int descent = 0;
    int lineGap = 0;
    stbtt_GetFontVMetrics(mFontInfo.get(), &ascent, &descent, &lineGap);
    const float baseline = static_cast<float>(ascent) * mScale + 1.0f;
    // Sizes that give no baseline in range give no image either (see kLargestScale).
    mBaseline = Core::IsInRangeOf<int>(baseline) ? static_cast<int>(baseline) : 0;
}

int Font::FindGlyph(std::int32_t codePoint) const
{
    if (codePoint < 0)
    {
        return 0;
    }
    const int glyph = stbtt_FindGlyphIndex(mFontInfo.get(), codePoint);
    // cmap entries may name glyphs the font does not have; the rest of the font is checked only
    // for the glyphs it has.
    return glyph >= 0 && glyph < mNumberOfGlyphs ? glyph : 0;
}

float Font::Advance(int previousGlyph, int glyph) const
{
    int advance = 0;
    stbtt_GetGlyphHMetrics(mFontInfo.get(), glyph, &advance, nullptr);
    if (previousGlyph >= 0 && mHasKernTable)
    {
        advance += stbtt_GetGlyphKernAdvance(mFontInfo.get(), previousGlyph, glyph);
    }
    return static_cast<float>(advance) * mScale;
}

float Font::MeasureCodePoints(const std::vector<std::int32_t>& codePoints) const
{
    float pen = 0.0f;
    int previousGlyph = -1;
    for (const std::int32_t codePoint : codePoints)
    {
        const int glyph = FindGlyph(codePoint);
        pen += Advance(previousGlyph, glyph);
        previousGlyph = glyph;
    }
    return pen;
}

float Font::MeasureWidth(std::string_view text) const
{
    return MeasureCodePoints(kfImplementation::Text::DecodeUtf8(text));
}

float Font::MeasureHeight() const
{
    int ascent = 0;
    int descent = 0;
    int lineGap = 0;
    stbtt_GetFontVMetrics(mFontInfo.get(), &ascent, &descent, &lineGap);
    return std::ceil(static_cast<float>(ascent - descent + lineGap) * mScale) + 1.0f;
}

std::optional<TextImage> Font::Rasterize(std::string_view text) const
{
    if (!(mScale > 0.0f && mScale < kLargestScale))
    {
        return std::nullopt;
    }
    const std::vector<std::int32_t> codePoints = kfImplementation::Text::DecodeUtf8(text);
    const float width = std::ceil(MeasureCodePoints(codePoints));
    kf_error_if(width > kLargestPixelSpace,
                "kfInternalError: Text width is out of range of PixelSpace value, cast below.");
    const float height = MeasureHeight();
    kf_error_if(height > kLargestPixelSpace,
                "kfInternalError: Text height is out of range of PixelSpace value, cast below.");

    // Rather than cutting the text at 16 bits, text that no power-of-two image can hold has none.
    constexpr float kLargestSide = static_cast<float>(kLargestImageSide);
    if (!(width <= kLargestSide && height <= kLargestSide))
    {
        return std::nullopt;
    }
    TextImage image;
    // Negative advances or metrics can leave nothing to cover.
    image.textWidth = static_cast<PixelSpace>(std::max(width, 0.0f));
    image.textHeight = static_cast<PixelSpace>(std::max(height, 0.0f));
    image.textureWidth = static_cast<PixelSpace>(SmallestPowerOfTwoCovering(image.textWidth));
    image.textureHeight = static_cast<PixelSpace>(SmallestPowerOfTwoCovering(image.textHeight));
    image.pixels.reset(static_cast<unsigned char*>(
        std::calloc(std::size_t{image.textureWidth} * image.textureHeight, sizeof(unsigned char))));
    if (image.pixels == nullptr)
    {
        return std::nullopt;
    }

    float penX = 0.0f;
    int previousGlyph = -1;
    for (const std::int32_t codePoint : codePoints)
    {
        const int glyph = FindGlyph(codePoint);
        const float advance = Advance(previousGlyph, glyph);
        // The kerning with the glyph before moves this glyph, not the next one.
        const float kerning = advance - Advance(-1, glyph);
        DrawGlyph(image, glyph, penX + kerning);
        penX += advance;
        previousGlyph = glyph;
    }
    return image;
}

void Font::DrawGlyph(TextImage& image, int glyph, float penX) const
{
    if (static_cast<double>(mOutlineSpans[static_cast<std::size_t>(glyph)]) * mScale >
            kLargestOutlinePixels ||
        !(std::fabs(penX) < kLargestPenPosition))
    {
        return;
    }
    const float wholePen = std::trunc(penX);
    const float fraction = penX - wholePen;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    stbtt_GetGlyphBitmapBoxSubpixel(mFontInfo.get(), glyph, mScale, mScale, fraction, 0.0f, &left, &top,
                                    &right, &bottom);
    const std::int64_t targetX =
        std::max<std::int64_t>(0, std::int64_t{left} + static_cast<std::int64_t>(wholePen));
    const std::int64_t targetY = std::max<std::int64_t>(0, std::int64_t{mBaseline} + top);
    // The glyph's box, cut where the text ends.
    const std::int64_t windowWidth = std::min<std::int64_t>(right - left, image.textWidth - targetX);
    const std::int64_t windowHeight = std::min<std::int64_t>(bottom - top, image.textHeight - targetY);
    if (windowWidth <= 0 || windowHeight <= 0)
    {
        return;
    }
    unsigned char* const target = image.pixels.get() + targetY * image.textureWidth + targetX;
    stbtt_MakeGlyphBitmapSubpixel(mFontInfo.get(), target, static_cast<int>(windowWidth),
                                  static_cast<int>(windowHeight), image.textureWidth, mScale, mScale,
                                  fraction, 0.0f, glyph);
}

} // namespace KelpForge::Graphics
