#include "kelp_forge/graphics/implementation/kfi_image_decoder.hpp"

#include "kelp_forge/core/kf_defines.hpp"
#include "kelp_forge/core/kf_error.hpp"

#include <stb/stb_image.h>

#include <cstdint>
#include <limits>

namespace kfImplementation
{

namespace
{

using KelpForge::Core::RangedCast;
using KelpForge::Graphics::PixelSpace;

constexpr int kRequiredComponents = 4;
// Encoded data is handed to stb_image with an int size.
constexpr std::size_t kLargestFileData = std::size_t{1} << 31;
constexpr const char* kNameOfDataInMemory = "(file data in memory)";

enum class ImageSource
{
    kFile,
    kMemory,
};

// Reports a size that cannot become a texture. Files name the side that is too large before the
// conversion to PixelSpace reports; data in memory has only the conversion's message.
bool IsSizeAccepted(const char* name, ImageSource source, int width, int height, int maximumSide)
{
    if (source == ImageSource::kFile)
    {
        kf_error_if(
            width >= 65536,
            "kfError: Expected imageWidth of texture \"%s\" to be in range: (0 < imageWidth <= 65536), "
            "in-precise cast to PixelSpace.",
            name);
        kf_error_if(
            height >= 65536,
            "kfError: Expected imageHeight of texture \"%s\" to be in range: (0 < imageHeight <= 65536), "
            "in-precise cast to PixelSpace.",
            name);
    }
    const bool isWidthInRange = KelpForge::Core::IsInRangeOf<PixelSpace>(width);
    const bool isHeightInRange = KelpForge::Core::IsInRangeOf<PixelSpace>(height);
    static_cast<void>(RangedCast<PixelSpace>(width));
    static_cast<void>(RangedCast<PixelSpace>(height));
    if (!isWidthInRange || !isHeightInRange)
    {
        return false;
    }
    const bool isTooLarge = width > maximumSide || height > maximumSide;
    kf_error_if(isTooLarge,
                "kfError: Texture \"%s\" is %d x %d pixels, larger than the %d pixels a side allowed.", name,
                width, height, maximumSide);
    return !isTooLarge && width > 0 && height > 0;
}

DecodedImage FinishDecoding(unsigned char* pixels, const char* name, ImageSource source, int width,
                            int height, int maximumSide)
{
    DecodedImage image;
    image.pixels.reset(pixels);
    if (!IsSizeAccepted(name, source, width, height, maximumSide))
    {
        image.pixels.reset();
        return image;
    }
    image.width = static_cast<PixelSpace>(width);
    image.height = static_cast<PixelSpace>(height);
    PremultiplyAlpha(pixels, static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    return image;
}

} // namespace

void StbImageDeleter::operator()(unsigned char* pixels) const
{
    stbi_image_free(pixels);
}

DecodedImage DecodeImageFile(const std::string& filename, int maximumSide)
{
    const char* const name = filename.c_str();
    int width = 0;
    int height = 0;
    int components = 0;
    // The header alone tells the size, so an image that would be refused is never decoded.
    if (stbi_info(name, &width, &height, &components) != 0 &&
        !IsSizeAccepted(name, ImageSource::kFile, width, height, maximumSide))
    {
        return DecodedImage();
    }
    unsigned char* const pixels = stbi_load(name, &width, &height, &components, kRequiredComponents);
    kf_error_if(pixels == nullptr, "kfExternalError: Texture \"%s\" could not be loaded from file.", name);
    if (pixels == nullptr)
    {
        return DecodedImage();
    }
    return FinishDecoding(pixels, name, ImageSource::kFile, width, height, maximumSide);
}

DecodedImage DecodeImageData(const unsigned char* fileDataInMemory, std::size_t fileSizeInBytes,
                             int maximumSide)
{
    kf_error_if(fileDataInMemory == nullptr,
                "kfExternalError: The fileDataInMemory parameter is expected to be a valid pointer.");
    kf_error_if(fileSizeInBytes >= kLargestFileData,
                "kfError: TextureData fileSizeInBytes too large for following cast into int, corrupt size?");
    if (fileDataInMemory == nullptr || fileSizeInBytes >= kLargestFileData)
    {
        return DecodedImage();
    }
    const int size = static_cast<int>(fileSizeInBytes);
    int width = 0;
    int height = 0;
    int components = 0;
    if (stbi_info_from_memory(fileDataInMemory, size, &width, &height, &components) != 0 &&
        !IsSizeAccepted(kNameOfDataInMemory, ImageSource::kMemory, width, height, maximumSide))
    {
        return DecodedImage();
    }
    unsigned char* const pixels =
        stbi_load_from_memory(fileDataInMemory, size, &width, &height, &components, kRequiredComponents);
    kf_error_if(pixels == nullptr,
                "kfExternalError: Texture \"%s\" could not be loaded from file data provided, corrupt?",
                kNameOfDataInMemory);
    if (pixels == nullptr)
    {
        return DecodedImage();
    }
    return FinishDecoding(pixels, kNameOfDataInMemory, ImageSource::kMemory, width, height, maximumSide);
}

void PremultiplyAlpha(unsigned char* rgbaPixels, std::size_t pixelCount)
{
    // Integer arithmetic gives exactly the truncation of channel x (alpha / 255) for all 65536
    // channel/alpha pairs, without a float conversion per channel.
    for (std::size_t pixel = 0; pixel < pixelCount; ++pixel)
    {
        unsigned char* const rgba = rgbaPixels + pixel * 4;
        const unsigned int alpha = rgba[3];
        rgba[0] = static_cast<unsigned char>(rgba[0] * alpha / 255u);
        rgba[1] = static_cast<unsigned char>(rgba[1] * alpha / 255u);
        rgba[2] = static_cast<unsigned char>(rgba[2] * alpha / 255u);
    }
}

} // namespace kfImplementation
