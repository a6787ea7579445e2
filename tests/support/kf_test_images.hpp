#ifndef KELP_FORGE_TESTS_SUPPORT_TEST_IMAGES_HPP
#define KELP_FORGE_TESTS_SUPPORT_TEST_IMAGES_HPP

// Small images made by the tests themselves and written as PNG with stb_image_write.

#include <cstdint>
#include <string>
#include <vector>

namespace KelpForge::Testing
{

// RGBA pixels, rows top to bottom.
struct TestImage
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    TestImage(int imageWidth, int imageHeight, std::uint32_t fillRGBA = 0x000000FFu);
    // Fills the rectangle [left, right) x [top, bottom) with 0xRRGGBBAA.
    void Fill(int left, int top, int right, int bottom, std::uint32_t colorRGBA);
};

// Four equal quadrants: red top-left, green top-right, blue bottom-left, white bottom-right.
[[nodiscard]] TestImage MakeQuadrantImage(int side);
[[nodiscard]] std::vector<std::uint8_t> EncodePng(const TestImage& image);
void WritePng(const std::string& path, const TestImage& image);

} // namespace KelpForge::Testing

#endif
