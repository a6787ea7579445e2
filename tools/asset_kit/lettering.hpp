#ifndef KELP_FORGE_TOOLS_ASSET_KIT_LETTERING_HPP
#define KELP_FORGE_TOOLS_ASSET_KIT_LETTERING_HPP

// Words drawn onto a canvas with the glyphs of a TrueType font, through stb_truetype.

#include "asset_kit/canvas.hpp"

#include <stb/stb_truetype.h>

#include <string>
#include <vector>

namespace KelpForge::Tools
{

struct Word
{
    std::string text;
    Color color;
};

class Lettering
{
public:
    // Reads the font file and keeps it; IsValid tells whether it could be read and parsed.
    explicit Lettering(const std::string& fontPath);
    // The parsed font points into this object's copy of the file.
    Lettering(const Lettering&) = delete;
    Lettering& operator=(const Lettering&) = delete;

    [[nodiscard]] bool IsValid() const { return mIsValid; }

    // Width in canvas samples of the words at a scale (stb_truetype's pixel-height scale).
    [[nodiscard]] float Measure(const std::vector<Word>& words, float scale) const;

    // Draws the words with their left end at penX and their baseline at baselineY (canvas samples),
    // each word in its colour, or all of them in the shadow colour when one is given.
    void Draw(Canvas& canvas, const std::vector<Word>& words, float scale, float penX, float baselineY,
              const Color* shadow) const;

private:
    [[nodiscard]] float Kerning(int previous, int character, float scale) const;
    [[nodiscard]] float Advance(int previous, int character, float scale) const;
    void DrawGlyph(Canvas& canvas, int character, float scale, float penX, float baselineY,
                   const Color& color) const;

    std::vector<unsigned char> mFontFile;
    stbtt_fontinfo mFont{};
    bool mIsValid = false;
};

} // namespace KelpForge::Tools

#endif
