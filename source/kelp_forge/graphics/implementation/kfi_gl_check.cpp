#include "kelp_forge/graphics/implementation/kfi_gl_check.hpp"

#include "kelp_forge/core/kf_error.hpp"

#include <GL/glew.h>

namespace
{

const char* ErrorName(GLenum error)
{
    switch (error)
    {
    case GL_INVALID_ENUM:
        return "GL_INVALID_ENUM";
    case GL_INVALID_VALUE:
        return "GL_INVALID_VALUE";
    case GL_INVALID_OPERATION:
        return "GL_INVALID_OPERATION";
    case GL_INVALID_FRAMEBUFFER_OPERATION:
        return "GL_INVALID_FRAMEBUFFER_OPERATION";
    case GL_OUT_OF_MEMORY:
        return "GL_OUT_OF_MEMORY";
    case GL_STACK_UNDERFLOW:
        return "GL_STACK_UNDERFLOW";
    case GL_STACK_OVERFLOW:
        return "GL_STACK_OVERFLOW";
    default:
        return "an unknown error";
    }
}

} // namespace

namespace kfImplementation::OpenGL
{

void ReportQueuedErrors(const char* call, const char* fileName, int lineNumber)
{
    // A lost context keeps reporting an error, so the queue is read a bounded number of times.
    constexpr int kMaximumReads = 16;
    for (int read = 0; read < kMaximumReads; ++read)
    {
        const GLenum error = glGetError();
        if (error == GL_NO_ERROR)
        {
            return;
        }
        KelpForge::Core::Error::TriggerError(
            fileName, lineNumber, "kfInternalError: OpenGL reported %s after %s.", ErrorName(error), call);
    }
}

} // namespace kfImplementation::OpenGL
