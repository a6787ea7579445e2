#ifndef KELP_FORGE_GRAPHICS_TEXT_HPP
#define KELP_FORGE_GRAPHICS_TEXT_HPP

#include "kelp_forge/core/kf_defines.hpp"
#include "kelp_forge/graphics/kf_font_cache.hpp"
#include "kelp_forge/graphics/kf_graphic.hpp"

#include <cstdint>
#include <memory>
#include <string>

namespace KelpForge::Graphics
{

// A graphic that shows one line of UTF-8 text in a TrueType font (see Font): the built-in font
// for kDefaultFont, otherwise the font file named. The text is rasterised once, when it is set,
// into a single-channel image with power-of-two sides that becomes an OpenGL texture owned by the
// Text (outside the texture manager, whose used-memory count it keeps up to date); drawing is one
// quad from (0, 0) to the text's pixel size, white coverage tinted by the graphic's colour.
//
// A Text has an image exactly when its text is not empty and an OpenGL context exists. Every live
// Text is registered: ReleaseAllTexts and RebuildAllTexts carry the images across a context that
// is destroyed and created again. Main thread only.
class Text : public Graphic, private Core::Noncopyable
{
public:
    // size is the pixel size of the font's em square.
    Text(const std::string& text, float size, const std::string& fontName = kDefaultFont);
    ~Text() override;

    // Replaces the image. A size of 0 or less keeps the current size and an empty font name the
    // current font; the text is always replaced. A font that cannot be loaded, or text that no
    // image can hold, is reported and leaves the Text without an image.
    void SetText(const std::string& text, float size = 0.0f, const std::string& fontName = std::string());

    [[nodiscard]] const std::string& GetText() const { return mText; }
    [[nodiscard]] float GetSize() const { return mSize; }
    [[nodiscard]] const std::string& GetFontName() const { return mFontName; }

    // The pixel size the text covers; 0 x 0 without an image.
    [[nodiscard]] PixelSpace GetPixelWidth() const override;
    [[nodiscard]] PixelSpace GetPixelHeight() const override;

protected:
    void OnRender() override;

private:
    struct TextObject
    {
        std::uint32_t openGLTexture = 0;
        PixelSpace textureWidth = 0;
        PixelSpace textureHeight = 0;
        PixelSpace textWidth = 0;
        PixelSpace textHeight = 0;
    };

    // Frees the image; its OpenGL texture is deleted only while the renderer is ready.
    void ReleaseTextObject(bool isDeletingTexture);

    friend void ReleaseAllTexts();

    std::unique_ptr<TextObject> mTextObject;
    std::string mFontName;
    std::string mText;
    float mSize;
};

// Called when the OpenGL context has been created: rasterises every live Text again, in the order
// they were made.
void RebuildAllTexts();
// Called when the OpenGL context is about to go: frees every Text's image (the textures go with
// the context).
void ReleaseAllTexts();

} // namespace KelpForge::Graphics

#endif
