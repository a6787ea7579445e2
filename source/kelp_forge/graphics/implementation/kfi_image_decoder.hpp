#ifndef KELP_FORGE_GRAPHICS_IMPLEMENTATION_IMAGE_DECODER_HPP
#define KELP_FORGE_GRAPHICS_IMPLEMENTATION_IMAGE_DECODER_HPP

// Turns encoded PNG images into premultiplied 8-bit RGBA pixels with stb_image, with every failure
// reported. Other formats are refused as undecodable. Needs no OpenGL context, so it can be tested
// and fuzzed on its own.

#include "kelp_forge/graphics/kf_screen.hpp"

#include <cstddef>
#include <memory>
#include <string>

namespace kfImplementation
{

struct StbImageDeleter
{
    void operator()(unsigned char* pixels) const;
};

// Rows top to bottom, 4 bytes a pixel (red, green, blue, alpha), red, green and blue already
// multiplied by alpha. No pixels means the image was refused.
struct DecodedImage
{
    std::unique_ptr<unsigned char, StbImageDeleter> pixels;
    KelpForge::Graphics::PixelSpace width = 0;
    KelpForge::Graphics::PixelSpace height = 0;

    [[nodiscard]] bool IsValid() const { return pixels != nullptr; }
};

// Images wider or taller than maximumSide are refused before their pixels are decoded, so that a
// small file cannot claim a huge allocation. maximumSide is at most 65535 (the PixelSpace range).
[[nodiscard]] DecodedImage DecodeImageFile(const std::string& filename, int maximumSide);
[[nodiscard]] DecodedImage DecodeImageData(const unsigned char* fileDataInMemory, std::size_t fileSizeInBytes,
                                           int maximumSide);

// Multiplies red, green and blue of each RGBA pixel by its alpha / 255, truncating.
void PremultiplyAlpha(unsigned char* rgbaPixels, std::size_t pixelCount);

} // namespace kfImplementation

#endif
