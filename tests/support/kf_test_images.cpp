#include "support/kf_test_images.hpp"

#include "support/kf_test_files.hpp"

#include <stb/stb_image_write.h>

#include <gtest/gtest.h>

namespace KelpForge::Testing
{

TestImage::TestImage(int imageWidth, int imageHeight, std::uint32_t fillRGBA)
    : width(imageWidth), height(imageHeight), rgba(static_cast<std::size_t>(imageWidth) * imageHeight * 4)
{
    Fill(0, 0, width, height, fillRGBA);
}

void TestImage::Fill(int left, int top, int right, int bottom, std::uint32_t colorRGBA)
{
    for (int y = top; y < bottom; ++y)
    {
        for (int x = left; x < right; ++x)
        {
            std::uint8_t* const pixel = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
            pixel[0] = static_cast<std::uint8_t>(colorRGBA >> 24);
            pixel[1] = static_cast<std::uint8_t>(colorRGBA >> 16);
            pixel[2] = static_cast<std::uint8_t>(colorRGBA >> 8);
            pixel[3] = static_cast<std::uint8_t>(colorRGBA);
        }
    }
}

TestImage MakeQuadrantImage(int side)
{
    const int half = side / 2;
    TestImage image(side, side);
    image.Fill(0, 0, half, half, 0xFF0000FFu);
    image.Fill(half, 0, side, half, 0x00FF00FFu);
    image.Fill(0, half, half, side, 0x0000FFFFu);
    image.Fill(half, half, side, side, 0xFFFFFFFFu);
    return image;
}

std::vector<std::uint8_t> EncodePng(const TestImage& image)
{
    std::vector<std::uint8_t> bytes;
    const auto append = [](void* context, void* data, int size)
    {
        const auto* const begin = static_cast<const std::uint8_t*>(data);
        static_cast<std::vector<std::uint8_t>*>(context)->insert(
            static_cast<std::vector<std::uint8_t>*>(context)->end(), begin, begin + size);
    };
    const int isWritten = stbi_write_png_to_func(append, &bytes, image.width, image.height, 4,
                                                 image.rgba.data(), image.width * 4);
    EXPECT_NE(isWritten, 0);
    return bytes;
}

void WritePng(const std::string& path, const TestImage& image)
{
    WriteFile(path, EncodePng(image));
}

} // namespace KelpForge::Testing
