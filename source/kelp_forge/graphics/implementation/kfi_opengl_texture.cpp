#include "kelp_forge/graphics/implementation/kfi_opengl_texture.hpp"

#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/graphics/implementation/kfi_gl_check.hpp"

#include <GL/glew.h>

#include <algorithm>

namespace kfImplementation::OpenGLTexture
{

std::uint32_t GenerateTextureFromOpenGL(const unsigned char* pixels, KelpForge::Graphics::PixelSpace width,
                                        KelpForge::Graphics::PixelSpace height, unsigned int bytesPerPixel)
{
    kf_error_if(pixels == nullptr,
                "kfInternalError: Invalid imageData passed to GenerateTextureFromOpenGL()");
    kf_error_if(bytesPerPixel != 4,
                "kfInternalError: Invalid bytes per pixel passed to GenerateTextureFromOpenGL()");
    if (pixels == nullptr || bytesPerPixel != 4)
    {
        return 0;
    }
    GLuint name = 0;
    kf_gl_check(glGenTextures(1, &name));
    kf_error_if(name == 0, "kfInternalError: Failed assumption that no gl texture names can be 0.");
    if (name == 0)
    {
        return 0;
    }
    kf_gl_check(glBindTexture(GL_TEXTURE_2D, name));
    kf_gl_check(
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels));
    // Contexts older than OpenGL 3.0 may lack glGenerateMipmap; they sample level 0 alone.
    const bool canMakeMipmaps = glGenerateMipmap != nullptr;
    if (canMakeMipmaps)
    {
        kf_gl_check(glGenerateMipmap(GL_TEXTURE_2D));
    }
    kf_gl_check(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                                canMakeMipmaps ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR));
    kf_gl_check(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR));
    kf_gl_check(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE));
    kf_gl_check(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE));
    return name;
}

void DeleteTexture(std::uint32_t name)
{
    const GLuint glName = name;
    kf_gl_check(glDeleteTextures(1, &glName));
}

void BindTexture(std::uint32_t name)
{
    kf_gl_check(glBindTexture(GL_TEXTURE_2D, name));
}

int GetLargestTextureSide()
{
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    return largest > 0 ? std::min(largest, GLint{65535}) : 65535;
}

} // namespace kfImplementation::OpenGLTexture
