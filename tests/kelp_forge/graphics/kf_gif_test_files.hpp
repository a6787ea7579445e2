#ifndef KELP_FORGE_TESTS_GRAPHICS_GIF_TEST_FILES_HPP
#define KELP_FORGE_TESTS_GRAPHICS_GIF_TEST_FILES_HPP

// What the GIF capture tests share: pictures in memory and GIF files decoded by giflib (an
// independent decoder).

#include <cstdint>
#include <string>
#include <vector>

namespace KelpForge::Testing
{

// A picture top row first, one 0x00BBGGRR value a pixel.
struct Picture
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

std::uint32_t Rgb(int red, int green, int blue);
// RGBA bytes top row first, with an alpha of 0x7F that the writer must ignore.
std::vector<std::uint8_t> ToRgba(const Picture& picture);

struct DecodedFrame
{
    int left = -1;
    int top = -1;
    int width = 0;
    int height = 0;
    int delay = -1;
    int disposal = -1;
    int transparentIndex = -2;
    int colorCount = 0;
    std::vector<std::uint8_t> indexes;
    // The whole picture on screen after this frame, top row first.
    Picture canvas;
};

struct DecodedGif
{
    bool isOpened = false;
    int width = 0;
    int height = 0;
    bool loopsForever = false;
    std::vector<DecodedFrame> frames;
};

// Decodes a file with giflib and composes every frame over the ones before it; a file giflib
// cannot read is a test failure.
DecodedGif DecodeGifFile(const std::string& fileName);

} // namespace KelpForge::Testing

#endif
