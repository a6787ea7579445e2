#ifndef KELP_FORGE_GRAPHICS_GIF_WRITER_HPP
#define KELP_FORGE_GRAPHICS_GIF_WRITER_HPP

#include "kelp_forge/graphics/implementation/kfi_gif_lzw.hpp"
#include "kelp_forge/graphics/implementation/kfi_gif_palette.hpp"

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <vector>

namespace kfImplementation
{

struct GifFileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using GifFile = std::unique_ptr<std::FILE, GifFileCloser>;

// Writes an animated GIF one picture at a time: every frame has its own 256-entry palette built
// from the pixels that changed since the previous frame, and the unchanged pixels are written as
// the transparent index 0 so that the picture underneath shows through. Write errors are not
// reported. Used by one thread at a time.
class GifWriter
{
public:
    // Takes the file over and writes the header, the logical screen, the global colour table and,
    // when delay is not 0, the extension that loops the animation forever. delay is in hundredths
    // of a second. With a null file nothing is written and every frame is skipped.
    void Begin(GifFile file, std::uint16_t width, std::uint16_t height, std::uint16_t delay);

    // picture holds width × height RGBA pixels of 4 bytes, top row first (alpha is ignored).
    void WriteFrame(std::span<const std::uint8_t> picture);

    // Writes the trailer, closes the file and frees the picture memory. Nothing when not open.
    void End();

    [[nodiscard]] bool IsOpen() const { return mFile != nullptr; }

private:
    static constexpr int kNearestEntryHashBits = 12;
    // Set in every key, so that an empty slot (0) never matches a colour.
    static constexpr std::uint32_t kNearestEntryKeyMarker = 1u << 24;

    int FindNearestEntry(std::uint32_t color);
    void AppendFrameHeader();

    GifFile mFile;
    std::uint16_t mWidth = 0;
    std::uint16_t mHeight = 0;
    std::uint16_t mDelay = 0;
    bool mIsFirstPicture = true;
    // The picture as the previous frames left it on screen, red in the low byte.
    std::vector<std::uint32_t> mPrevious;
    std::vector<std::uint8_t> mIndexes;
    std::vector<std::uint32_t> mChangedPositions;
    std::vector<GifColor> mChangedPixels;
    // Colour with its marker in the low half, nearest entry in the high half; 0 when empty.
    std::array<std::uint64_t, 1u << kNearestEntryHashBits> mNearestEntries{};
    std::vector<std::uint8_t> mBytes;
    GifPalette mPalette;
    GifLzwEncoder mLzwEncoder;
};

} // namespace kfImplementation

#endif
