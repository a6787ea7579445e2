#include "kelp_forge/graphics/implementation/kfi_opengl_texture.hpp"

#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/graphics/implementation/kfi_gl_check.hpp"

#include <GL/glew.h>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace kfImplementation::OpenGLTexture
{

namespace
{

// Box-filters RGBA pixels to half size (at least 1 pixel a side); an odd last row or column is
// folded into its neighbour. Averaging is right for premultiplied pixels.
void HalveImage(const unsigned char* source, int sourceWidth, int sourceHeight, unsigned char* target,
                int targetWidth, int targetHeight)
{
    for (int y = 0; y < targetHeight; ++y)
    {
        const std::size_t top = static_cast<std::size_t>(std::min(y * 2, sourceHeight - 1)) * sourceWidth;
        const std::size_t bottom =
            static_cast<std::size_t>(std::min(y * 2 + 1, sourceHeight - 1)) * sourceWidth;
        for (int x = 0; x < targetWidth; ++x)
        {
            const std::size_t left = static_cast<std::size_t>(std::min(x * 2, sourceWidth - 1));
            const std::size_t right = static_cast<std::size_t>(std::min(x * 2 + 1, sourceWidth - 1));
            const unsigned char* const corners[4] = {source + (top + left) * 4, source + (top + right) * 4,
                                                     source + (bottom + left) * 4,
                                                     source + (bottom + right) * 4};
            unsigned char* const texel = target + (static_cast<std::size_t>(y) * targetWidth + x) * 4;
            for (int channel = 0; channel < 4; ++channel)
            {
                const unsigned int sum =
                    corners[0][channel] + corners[1][channel] + corners[2][channel] + corners[3][channel];
                texel[channel] = static_cast<unsigned char>((sum + 2) / 4);
            }
        }
    }
}

// NOTE: the mipmaps are made here rather than with glGenerateMipmap, which contexts before OpenGL
// 3.0 lack and which makes Mesa keep allocations past the unloading of its driver.
void UploadWithMipmaps(const unsigned char* pixels, int width, int height)
{
    kf_gl_check(
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels));
    std::vector<unsigned char> larger;
    std::vector<unsigned char> smaller;
    const unsigned char* source = pixels;
    for (int level = 1; width > 1 || height > 1; ++level)
    {
        const int halfWidth = std::max(width / 2, 1);
        const int halfHeight = std::max(height / 2, 1);
        smaller.resize(static_cast<std::size_t>(halfWidth) * halfHeight * 4);
        HalveImage(source, width, height, smaller.data(), halfWidth, halfHeight);
        kf_gl_check(glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, halfWidth, halfHeight, 0, GL_RGBA,
                                 GL_UNSIGNED_BYTE, smaller.data()));
        larger.swap(smaller);
        source = larger.data();
        width = halfWidth;
        height = halfHeight;
    }
}

} // namespace

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
    // Rows of RGBA pixels are whole words, so the default unpack alignment of 4 fits; text images
    // change it only around their own uploads.
    UploadWithMipmaps(pixels, width, height);
    kf_gl_check(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR));
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
    // NOTE: binding the texture that is bound already still costs the driver a state change per
    // sprite. The binding is asked for rather than remembered because text, render targets and
    // the screen capture bind textures of their own; the query is a read of client-side state.
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    if (static_cast<GLuint>(bound) != name)
    {
        kf_gl_check(glBindTexture(GL_TEXTURE_2D, name));
    }
}

int GetLargestTextureSide()
{
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    return largest > 0 ? std::min(largest, GLint{65535}) : 65535;
}

} // namespace kfImplementation::OpenGLTexture
