#ifndef KELP_FORGE_TESTS_GRAPHICS_TEST_IMAGES_HPP
#define KELP_FORGE_TESTS_GRAPHICS_TEST_IMAGES_HPP

// Small images made by the tests themselves and written as PNG with stb_image_write.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace KelpForge::Testing
{

// A folder of its own for one test's files, removed with everything in it when destroyed.
class TemporaryFolder
{
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    [[nodiscard]] std::string PathOf(const std::string& fileName) const;

private:
    std::filesystem::path mPath;
};

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
