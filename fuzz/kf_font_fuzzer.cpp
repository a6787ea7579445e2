// Feeds arbitrary bytes to the font loader, then measures and rasterises a fixed line of text at
// two sizes with every font it accepts.
//
// stb_truetype is compiled into this target from Debian's header, instrumented, so that the
// sanitizers see the reads it makes inside the font; the library's calls resolve to these
// definitions rather than to the uninstrumented copy in libstb. Its assertions stay on, as they
// are in libstb.

#define STB_TRUETYPE_IMPLEMENTATION
#include <stb/stb_truetype.h>

#include "kelp_forge/graphics/kf_font.hpp"

#include <cstddef>
#include <cstdint>

namespace
{

// Letters with kerning pairs and composites in common fonts, a line break, a stray continuation
// byte, and characters from beyond the Basic Multilingual Plane.
constexpr const char* kText = "AVATAR Wo, fi\xC3\xA9! \n\x80\xE2\x82\xAC\xF0\x9F\x8F\xB9";
// Larger images are bounded too, but filling them only slows the search down.
constexpr float kLargestImageArea = 1.0e6f;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::unique_ptr<KelpForge::Graphics::Font> font =
        KelpForge::Graphics::Font::LoadFromData(data, size);
    if (font == nullptr)
    {
        return 0;
    }
    for (const float pixelSize : {11.0f, 85.0f})
    {
        font->SetPixelSize(pixelSize);
        const float width = font->MeasureWidth(kText);
        if (width * font->MeasureHeight() > kLargestImageArea)
        {
            continue;
        }
        const std::optional<KelpForge::Graphics::TextImage> image = font->Rasterize(kText);
        if (image.has_value() && image->textWidth > 0 && image->textHeight > 0)
        {
            // Read the corner the text ends in, so an image smaller than its sizes would show.
            volatile unsigned char corner =
                image->pixels[std::size_t{image->textHeight - 1u} * image->textureWidth + image->textWidth -
                              1u];
            (void)corner;
        }
    }
    return 0;
}
