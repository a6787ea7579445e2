// Feeds arbitrary bytes to the texture manager's decoding step: stb_image to 8-bit RGBA, the size
// checks, and premultiplying by alpha. No OpenGL context is needed for this step.
//
// stb_image is compiled into this target from Debian's header, instrumented, so that the
// sanitizers see the reads it makes inside the image and coverage can guide the search; the
// library's calls resolve to these definitions rather than to the uninstrumented copy in libstb.
// One check is left out inside it: a PNG whose first image-data chunk is empty makes stb_image copy
// zero bytes to a null buffer, which is harmless.

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma clang attribute push(__attribute__((no_sanitize("nonnull-attribute"))), apply_to = function)
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#pragma clang attribute pop
#pragma GCC diagnostic pop

#include "kelp_forge/graphics/implementation/kfi_image_decoder.hpp"

#include <cstddef>
#include <cstdint>

namespace
{

// Well below the library's own limit: larger images are refused before their pixels are decoded,
// and decoding them would only slow the search down.
constexpr int kLargestSide = 2048;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const kfImplementation::DecodedImage image = kfImplementation::DecodeImageData(data, size, kLargestSide);
    if (!image.IsValid())
    {
        return 0;
    }
    // Every pixel must be readable, and premultiplying must leave no channel above its alpha.
    const std::size_t pixelCount = static_cast<std::size_t>(image.width) * image.height;
    const unsigned char* const pixels = image.pixels.get();
    for (std::size_t pixel = 0; pixel < pixelCount; ++pixel)
    {
        const unsigned char* const rgba = pixels + pixel * 4;
        if (rgba[0] > rgba[3] || rgba[1] > rgba[3] || rgba[2] > rgba[3])
        {
            __builtin_trap();
        }
    }
    return 0;
}
