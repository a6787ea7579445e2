#ifndef KELP_FORGE_GRAPHICS_IMPLEMENTATION_TEXT_TEXTURE_HPP
#define KELP_FORGE_GRAPHICS_IMPLEMENTATION_TEXT_TEXTURE_HPP

// OpenGL textures of text images, made and deleted outside the texture manager. The context must
// be current.

#include "kelp_forge/graphics/kf_font.hpp"

#include <cstdint>

namespace kfImplementation::Text
{

// Uploads the image as a one-channel texture without mipmaps (linear filtering, repeating): red
// on the shader path of OpenGL 3.2, alpha on the legacy path and OpenGL ES 2.0, where the text
// colour matrix reads it. The texture is left bound. Returns its OpenGL name, 0 if none was made.
[[nodiscard]] std::uint32_t CreateTextTexture(const KelpForge::Graphics::TextImage& image);
void DeleteTextTexture(std::uint32_t openGLTexture);

} // namespace kfImplementation::Text

#endif
