#include "kelp_forge/graphics/implementation/kfi_frame_buffer.hpp"

#include "kelp_forge/graphics/implementation/kfi_gl_check.hpp"
#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"

#include <GL/glew.h>

namespace kfImplementation::FrameBuffer
{

int GetLargestRenderBufferSize()
{
    GLint largest = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
    return largest > 0 ? largest : 0;
}

CreatedFrameBuffer CreateFrameBuffer(std::uint32_t textureName, KelpForge::Graphics::PixelSpace width,
                                     KelpForge::Graphics::PixelSpace height)
{
    CreatedFrameBuffer created;
    FrameBufferNames& names = created.names;
    kf_gl_check(glGenFramebuffers(1, &names.frameBuffer));
    kf_gl_check(glBindFramebuffer(GL_FRAMEBUFFER, names.frameBuffer));

    // OpenGL ES 2.0 accepts only sized depth formats for renderbuffers.
    const GLenum depthFormat = Renderer::IsGLSL100() ? GL_DEPTH_COMPONENT16 : GL_DEPTH_COMPONENT;
    kf_gl_check(glGenRenderbuffers(1, &names.depthBuffer));
    kf_gl_check(glBindRenderbuffer(GL_RENDERBUFFER, names.depthBuffer));
    kf_gl_check(glRenderbufferStorage(GL_RENDERBUFFER, depthFormat, width, height));
    kf_gl_check(
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, names.depthBuffer));
    kf_gl_check(glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, textureName, 0));

    GLenum status = GL_FRAMEBUFFER_UNSUPPORTED;
    kf_gl_check(status = glCheckFramebufferStatus(GL_FRAMEBUFFER));
    created.isComplete = status == GL_FRAMEBUFFER_COMPLETE;

    kf_gl_check(glBindRenderbuffer(GL_RENDERBUFFER, 0));
    kf_gl_check(glBindFramebuffer(GL_FRAMEBUFFER, 0));
    return created;
}

void DeleteFrameBuffer(const FrameBufferNames& names)
{
    if (names.frameBuffer != 0)
    {
        kf_gl_check(glDeleteFramebuffers(1, &names.frameBuffer));
    }
    if (names.depthBuffer != 0)
    {
        kf_gl_check(glDeleteRenderbuffers(1, &names.depthBuffer));
    }
}

void BindFrameBuffer(std::uint32_t frameBuffer, int width, int height)
{
    kf_gl_check(glBindFramebuffer(GL_FRAMEBUFFER, frameBuffer));
    kf_gl_check(glViewport(0, 0, width, height));
}

void ClearColorAndDepth(float red, float green, float blue, float alpha)
{
    kf_gl_check(glClearColor(red, green, blue, alpha));
    kf_gl_check(glClearDepth(1.0));
    kf_gl_check(glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));
}

void ReadPixels(std::uint32_t frameBuffer, KelpForge::Graphics::PixelSpace width,
                KelpForge::Graphics::PixelSpace height, unsigned char* rgbaPixels)
{
    kf_gl_check(glBindFramebuffer(GL_FRAMEBUFFER, frameBuffer));
    // Rows of 4-byte pixels are tightly packed at any alignment up to 4, whatever was set before.
    kf_gl_check(glPixelStorei(GL_PACK_ALIGNMENT, 4));
    kf_gl_check(glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgbaPixels));
}

void UploadToBoundTexture(KelpForge::Graphics::PixelSpace width, KelpForge::Graphics::PixelSpace height,
                          const unsigned char* rgbaPixels)
{
    kf_gl_check(glPixelStorei(GL_UNPACK_ALIGNMENT, 4));
    // The texture keeps its storage, so it stays a complete attachment of its framebuffer.
    kf_gl_check(
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgbaPixels));
    kf_gl_check(glGenerateMipmap(GL_TEXTURE_2D));
}

} // namespace kfImplementation::FrameBuffer
