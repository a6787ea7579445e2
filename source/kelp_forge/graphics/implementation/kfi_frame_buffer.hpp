#ifndef KELP_FORGE_GRAPHICS_IMPLEMENTATION_FRAME_BUFFER_HPP
#define KELP_FORGE_GRAPHICS_IMPLEMENTATION_FRAME_BUFFER_HPP

// The render target's OpenGL side: framebuffer objects with a depth renderbuffer, drawn into in
// place of the window and read back. Call with the OpenGL context current, on the shader path
// (framebuffer objects are not used on the legacy path).

#include "kelp_forge/graphics/kf_screen.hpp"

#include <cstdint>

namespace kfImplementation::FrameBuffer
{

// OpenGL names; 0 stands for none.
struct FrameBufferNames
{
    std::uint32_t frameBuffer = 0;
    std::uint32_t depthBuffer = 0;
};

// The renderbuffer size OpenGL reports (GL_MAX_RENDERBUFFER_SIZE); 0 when it cannot be asked.
[[nodiscard]] int GetLargestRenderBufferSize();

struct CreatedFrameBuffer
{
    FrameBufferNames names;
    // Whether OpenGL can draw into it; the names are made either way.
    bool isComplete = false;
};

// Makes a framebuffer whose colour attachment 0 is level 0 of the texture textureName and whose
// depth attachment is a new width x height renderbuffer. The window's framebuffer is bound again
// afterwards.
[[nodiscard]] CreatedFrameBuffer CreateFrameBuffer(std::uint32_t textureName,
                                                   KelpForge::Graphics::PixelSpace width,
                                                   KelpForge::Graphics::PixelSpace height);
// Deletes both objects; names of 0 are skipped.
void DeleteFrameBuffer(const FrameBufferNames& names);

// Directs drawing into frameBuffer (0: the window) over the viewport (0, 0, width, height).
void BindFrameBuffer(std::uint32_t frameBuffer, int width, int height);

// Clears colour (to red, green, blue, alpha, each 0 to 1) and depth (to the far end) of whatever is
// bound for drawing.
void ClearColorAndDepth(float red, float green, float blue, float alpha);

// Reads width x height RGBA pixels of frameBuffer's colour attachment into rgbaPixels (4 bytes a
// pixel, bottom row first, rows tightly packed), which must hold width x height x 4 bytes.
void ReadPixels(std::uint32_t frameBuffer, KelpForge::Graphics::PixelSpace width,
                KelpForge::Graphics::PixelSpace height, unsigned char* rgbaPixels);
// Replaces level 0 of the texture bound to GL_TEXTURE_2D by width x height RGBA pixels (rows as
// ReadPixels gives them) and regenerates its mipmaps.
void UploadToBoundTexture(KelpForge::Graphics::PixelSpace width, KelpForge::Graphics::PixelSpace height,
                          const unsigned char* rgbaPixels);

} // namespace kfImplementation::FrameBuffer

#endif
