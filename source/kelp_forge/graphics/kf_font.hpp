#ifndef KELP_FORGE_GRAPHICS_FONT_HPP
#define KELP_FORGE_GRAPHICS_FONT_HPP

#include "kelp_forge/core/kf_defines.hpp"
#include "kelp_forge/graphics/kf_screen.hpp"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct stbtt_fontinfo;

namespace KelpForge::Graphics
{

// One line of text as Font::Rasterize makes it: one coverage byte per pixel, textureWidth x
// textureHeight bytes row by row from the top, the text in the top-left textWidth x textHeight
// pixels and 0 everywhere else. Both texture sides are powers of two from 1 to 32768.
struct TextImage
{
    struct FreeDeleter
    {
        void operator()(unsigned char* imagePixels) const;
    };

    std::unique_ptr<unsigned char[], FreeDeleter> pixels;
    PixelSpace textWidth = 0;
    PixelSpace textHeight = 0;
    PixelSpace textureWidth = 0;
    PixelSpace textureHeight = 0;
};

// A TrueType font with its own copy of the file, measured and rasterised with stb_truetype at one
// pixel size at a time. Only TrueType outlines are read, and only after every table the
// rasteriser will touch has been checked against the file: anything else is refused at loading.
//
// Text is UTF-8 and one line: a line break is an ordinary glyph, and a zero byte ends the text.
// Code points the font does not map, and the stray bytes 0x80 to 0xBF, draw its missing glyph.
class Font : private Core::Noncopyable
{
public:
    static constexpr float kInitialPixelSize = 25.0f;
    // The largest side of a text image; wider or taller text has no image.
    static constexpr std::uint32_t kLargestImageSide = 32768;
    // Text is rasterised only below this scale (pixels per font unit): beyond it a glyph's
    // coordinates no longer fit the rasteriser's integer pixel arithmetic.
    static constexpr float kLargestScale = 512.0f;

    // Reads the whole file into the font's own buffer. Null when the file is not a regular file of
    // at most 256 MiB, cannot be read, or is not a TrueType font that can be read safely.
    [[nodiscard]] static std::unique_ptr<Font> LoadFromFile(const std::string& fileName);
    // Copies size bytes of a TrueType file; the bytes are read during the call only. Null as above.
    [[nodiscard]] static std::unique_ptr<Font> LoadFromData(const unsigned char* fontData, std::size_t size);
    ~Font();

    // The size of the em square in pixels. Also sets the scale (pixel size / units per em) and the
    // baseline (truncation of ascent x scale + 1.0), which every later measure and image uses.
    void SetPixelSize(float pixelSize);
    [[nodiscard]] float GetPixelSize() const { return mPixelSize; }
    [[nodiscard]] float GetScale() const { return mScale; }
    [[nodiscard]] int GetBaseline() const { return mBaseline; }

    // Where the pen stands after the text, in pixels: every glyph's advance plus the kerning with
    // the glyph before it (when the font has a 'kern' table), times the scale, summed as floats.
    [[nodiscard]] float MeasureWidth(std::string_view text) const;
    // The height of a text image in pixels: ceiling((ascent - descent + line gap) x scale) + 1.
    [[nodiscard]] float MeasureHeight() const;
    // The text rasterised at the current pixel size. Nothing when it is empty of pixels to hold:
    // a side above 65535 is reported, one above kLargestImageSide, a scale at or above
    // kLargestScale and a failed allocation are not.
    [[nodiscard]] std::optional<TextImage> Rasterize(std::string_view text) const;

private:
    Font();

    [[nodiscard]] int FindGlyph(std::int32_t codePoint) const;
    // The pen advance in pixels of glyph following previousGlyph (negative for the first glyph).
    [[nodiscard]] float Advance(int previousGlyph, int glyph) const;
    [[nodiscard]] float MeasureCodePoints(const std::vector<std::int32_t>& codePoints) const;
    void DrawGlyph(TextImage& image, int glyph, float penX) const;

    std::vector<unsigned char> mFontData;
    std::unique_ptr<stbtt_fontinfo> mFontInfo;
    std::vector<std::uint32_t> mOutlineSpans;
    int mNumberOfGlyphs = 0;
    float mUnitsPerEm = 0.0f;
    bool mHasKernTable = false;
    float mPixelSize = kInitialPixelSize;
    float mScale = 0.0f;
    int mBaseline = 0;
};

} // namespace KelpForge::Graphics

#endif
