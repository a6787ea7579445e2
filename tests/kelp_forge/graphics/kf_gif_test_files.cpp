#include "kf_gif_test_files.hpp"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>

namespace KelpForge::Testing
{

std::uint32_t Rgb(int red, int green, int blue)
{
    return static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
           static_cast<std::uint32_t>(blue) << 16;
}

std::vector<std::uint8_t> ToRgba(const Picture& picture)
{
    std::vector<std::uint8_t> bytes;
    for (const std::uint32_t pixel : picture.pixels)
    {
        bytes.insert(bytes.end(), {static_cast<std::uint8_t>(pixel), static_cast<std::uint8_t>(pixel >> 8),
                                   static_cast<std::uint8_t>(pixel >> 16), 0x7F});
    }
    return bytes;
}

DecodedGif DecodeGifFile(const std::string& fileName)
{
    DecodedGif decoded;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(fileName.c_str(), &error);
    if (gif == nullptr)
    {
        ADD_FAILURE() << "giflib cannot open " << fileName << ": " << GifErrorString(error);
        return decoded;
    }
    if (DGifSlurp(gif) != GIF_OK)
    {
        ADD_FAILURE() << "giflib cannot decode " << fileName << ": " << GifErrorString(gif->Error);
        DGifCloseFile(gif, &error);
        return decoded;
    }
    decoded.isOpened = true;
    decoded.width = gif->SWidth;
    decoded.height = gif->SHeight;

    const auto findLooping = [&decoded](const ExtensionBlock* blocks, int count)
    {
        for (int block = 0; block + 1 < count; ++block)
        {
            if (blocks[block].Function == APPLICATION_EXT_FUNC_CODE && blocks[block].ByteCount == 11 &&
                std::memcmp(blocks[block].Bytes, "NETSCAPE2.0", 11) == 0 &&
                blocks[block + 1].ByteCount == 3 && blocks[block + 1].Bytes[0] == 1 &&
                blocks[block + 1].Bytes[1] == 0 && blocks[block + 1].Bytes[2] == 0)
            {
                decoded.loopsForever = true;
            }
        }
    };
    findLooping(gif->ExtensionBlocks, gif->ExtensionBlockCount);

    Picture canvas{decoded.width, decoded.height,
                   std::vector<std::uint32_t>(static_cast<std::size_t>(decoded.width) * decoded.height, 0)};
    for (int image = 0; image < gif->ImageCount; ++image)
    {
        const SavedImage& saved = gif->SavedImages[image];
        findLooping(saved.ExtensionBlocks, saved.ExtensionBlockCount);
        DecodedFrame frame;
        frame.left = saved.ImageDesc.Left;
        frame.top = saved.ImageDesc.Top;
        frame.width = saved.ImageDesc.Width;
        frame.height = saved.ImageDesc.Height;
        GraphicsControlBlock control{};
        if (DGifSavedExtensionToGCB(gif, image, &control) == GIF_OK)
        {
            frame.delay = control.DelayTime;
            frame.disposal = control.DisposalMode;
            frame.transparentIndex = control.TransparentColor;
        }
        const ColorMapObject* colors = saved.ImageDesc.ColorMap ? saved.ImageDesc.ColorMap : gif->SColorMap;
        frame.colorCount = colors ? colors->ColorCount : 0;
        frame.indexes.assign(saved.RasterBits,
                             saved.RasterBits + static_cast<std::ptrdiff_t>(frame.width) * frame.height);
        for (int y = 0; y < frame.height && colors != nullptr; ++y)
        {
            for (int x = 0; x < frame.width; ++x)
            {
                const int index = frame.indexes[static_cast<std::size_t>(y) * frame.width + x];
                if (index == frame.transparentIndex || index >= colors->ColorCount)
                {
                    continue;
                }
                const GifColorType& color = colors->Colors[index];
                canvas.pixels[static_cast<std::size_t>(frame.top + y) * canvas.width + frame.left + x] =
                    Rgb(color.Red, color.Green, color.Blue);
            }
        }
        frame.canvas = canvas;
        decoded.frames.push_back(std::move(frame));
    }
    DGifCloseFile(gif, &error);
    return decoded;
}

} // namespace KelpForge::Testing
