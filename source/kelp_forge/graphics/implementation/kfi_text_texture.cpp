#include "kelp_forge/graphics/implementation/kfi_text_texture.hpp"

#include "kelp_forge/graphics/implementation/kfi_gl_check.hpp"
#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"

#include <GL/glew.h>

namespace kfImplementation::Text
{

std::uint32_t CreateTextTexture(const KelpForge::Graphics::TextImage& image)
{
    GLuint name = 0;
    kf_gl_check(glGenTextures(1, &name));
    if (name == 0)
    {
        return 0;
    }
    kf_gl_check(glBindTexture(GL_TEXTURE_2D, name));
    kf_gl_check(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR));
    kf_gl_check(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR));
    kf_gl_check(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT));
    kf_gl_check(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT));
    const GLenum format = Renderer::IsLegacyOpenGL() || Renderer::IsGLSL100() ? GL_ALPHA : GL_RED;
    // Rows of one byte per pixel are not padded to four bytes.
    kf_gl_check(glPixelStorei(GL_UNPACK_ALIGNMENT, 1));
    kf_gl_check(glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), image.textureWidth,
                             image.textureHeight, 0, format, GL_UNSIGNED_BYTE, image.pixels.get()));
    kf_gl_check(glPixelStorei(GL_UNPACK_ALIGNMENT, 4));
    return name;
}

void DeleteTextTexture(std::uint32_t openGLTexture)
{
    const GLuint name = openGLTexture;
    kf_gl_check(glDeleteTextures(1, &name));
}

} // namespace kfImplementation::Text
