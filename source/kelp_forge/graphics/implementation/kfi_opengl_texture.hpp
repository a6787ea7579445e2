#ifndef KELP_FORGE_GRAPHICS_IMPLEMENTATION_OPENGL_TEXTURE_HPP
#define KELP_FORGE_GRAPHICS_IMPLEMENTATION_OPENGL_TEXTURE_HPP

// The texture manager's OpenGL side: upload, bind and delete 2-D textures. Call with the OpenGL
// context current.

#include "kelp_forge/graphics/kf_screen.hpp"

#include <cstdint>

namespace kfImplementation::OpenGLTexture
{

// Uploads width x height RGBA pixels (4 bytes a pixel, rows top to bottom) as a GL_RGBA8 texture
// with mipmaps, linear filtering and clamped edges, and leaves it bound. Returns its name, or 0
// when nothing was made (reported).
[[nodiscard]] std::uint32_t GenerateTextureFromOpenGL(const unsigned char* pixels,
                                                      KelpForge::Graphics::PixelSpace width,
                                                      KelpForge::Graphics::PixelSpace height,
                                                      unsigned int bytesPerPixel);
void DeleteTexture(std::uint32_t name);
// Binds name to GL_TEXTURE_2D unless it is bound already; 0 binds no texture.
void BindTexture(std::uint32_t name);
// The largest side OpenGL accepts for a texture, at most 65535; 65535 while it cannot be asked.
[[nodiscard]] int GetLargestTextureSide();

} // namespace kfImplementation::OpenGLTexture

#endif
