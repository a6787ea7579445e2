#include "kelp_forge/graphics/implementation/kfi_image_decoder.hpp"

#include "kelp_forge/core/kf_defines.hpp"
#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/core/kf_whole_file_reader.hpp"

#include <stb/stb_image.h>

#include <cstdint>
#include <cstring>

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

void ReportUndecodable(const char* name, ImageSource source)
{
    if (source == ImageSource::kFile)
    {
        kf_error("kfExternalError: Texture \"%s\" could not be loaded from file.", name);
    }
    else
    {
        kf_error("kfExternalError: Texture \"%s\" could not be loaded from file data provided, corrupt?",
                 name);
    }
}

std::uint32_t ReadBigEndian32(const unsigned char* bytes)
{
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
           (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
}

// NOTE: only PNG data reaches stb_image. Its other readers (JPEG, PNM and more in version 2.27)
// write or read past their buffers on some malformed files, and the game's images are all PNG.
// stb_image also grows its buffer to a PNG chunk's stated length before it reads the chunk, so a
// few bytes that claim a 2 GB chunk would cost 2 GB; such a chunk runs past the end of the data,
// which makes the image undecodable anyway, so it is refused first.
bool IsPngWithinItsData(const unsigned char* data, std::size_t size)
{
    static constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size < sizeof(kSignature) || std::memcmp(data, kSignature, sizeof(kSignature)) != 0)
    {
        return false;
    }
    constexpr std::size_t kChunkFrame = 12; // length, type and checksum
    std::size_t position = sizeof(kSignature);
    while (size - position >= kChunkFrame)
    {
        const std::size_t length = ReadBigEndian32(data + position);
        if (length > size - position - kChunkFrame)
        {
            return false;
        }
        if (std::memcmp(data + position + 4, "IEND", 4) == 0)
        {
            return true;
        }
        position += kChunkFrame + length;
    }
    return true;
}

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

// data holds at most kLargestFileData - 1 bytes.
DecodedImage Decode(const unsigned char* data, std::size_t size, const char* name, ImageSource source,
                    int maximumSide)
{
    if (!IsPngWithinItsData(data, size))
    {
        ReportUndecodable(name, source);
        return DecodedImage();
    }
    const int intSize = static_cast<int>(size);
    int width = 0;
    int height = 0;
    int components = 0;
    // The header alone tells the size, so an image that would be refused is never decoded.
    if (stbi_info_from_memory(data, intSize, &width, &height, &components) != 0 &&
        !IsSizeAccepted(name, source, width, height, maximumSide))
    {
        return DecodedImage();
    }
    DecodedImage image;
    image.pixels.reset(
        stbi_load_from_memory(data, intSize, &width, &height, &components, kRequiredComponents));
    if (image.pixels == nullptr)
    {
        ReportUndecodable(name, source);
        return DecodedImage();
    }
    if (!IsSizeAccepted(name, source, width, height, maximumSide))
    {
        return DecodedImage();
    }
    image.width = static_cast<PixelSpace>(width);
    image.height = static_cast<PixelSpace>(height);
    PremultiplyAlpha(image.pixels.get(), static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    return image;
}

} // namespace

void StbImageDeleter::operator()(unsigned char* pixels) const
{
    stbi_image_free(pixels);
}

DecodedImage DecodeImageFile(const std::string& filename, int maximumSide)
{
    const KelpForge::Core::WholeFile file = KelpForge::Core::ReadWholeFile(filename, kLargestFileData - 1);
    if (!file.IsRead())
    {
        ReportUndecodable(filename.c_str(), ImageSource::kFile);
        return DecodedImage();
    }
    return Decode(file.bytes.data(), file.bytes.size(), filename.c_str(), ImageSource::kFile, maximumSide);
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
    return Decode(fileDataInMemory, fileSizeInBytes, kNameOfDataInMemory, ImageSource::kMemory, maximumSide);
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
