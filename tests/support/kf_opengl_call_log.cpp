#include "support/kf_opengl_call_log.hpp"

#include <GL/glew.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

// The calls OpenGL 1.1 exports are replaced for the whole test program by definitions here, which
// the linker prefers to the driver's; they pass each call on to the driver's own. The calls GLEW
// reaches through its function pointers are logged by swapping those pointers while a log exists.

namespace
{

std::vector<std::string>* gCalls = nullptr;

void Record(const char* name)
{
    if (gCalls != nullptr)
    {
        gCalls->push_back(name);
    }
}

template <typename Function> Function DriverFunction(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

#define KF_LOG_EXPORTED_CALL(name, parameters, arguments)                                                    \
    extern "C" void GLAPIENTRY name parameters                                                               \
    {                                                                                                        \
        Record(#name);                                                                                       \
        static const auto driverFunction = DriverFunction<void(GLAPIENTRY*) parameters>(#name);              \
        driverFunction arguments;                                                                            \
    }

KF_LOG_EXPORTED_CALL(glBindTexture, (GLenum target, GLuint texture), (target, texture))
KF_LOG_EXPORTED_CALL(glDeleteTextures, (GLsizei count, const GLuint* textures), (count, textures))
KF_LOG_EXPORTED_CALL(glGetIntegerv, (GLenum name, GLint* values), (name, values))
KF_LOG_EXPORTED_CALL(glReadPixels,
                     (GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                      void* pixels),
                     (x, y, width, height, format, type, pixels))
KF_LOG_EXPORTED_CALL(glTexSubImage2D,
                     (GLenum target, GLint level, GLint x, GLint y, GLsizei width, GLsizei height,
                      GLenum format, GLenum type, const void* pixels),
                     (target, level, x, y, width, height, format, type, pixels))
KF_LOG_EXPORTED_CALL(glViewport, (GLint x, GLint y, GLsizei width, GLsizei height), (x, y, width, height))

// A GLEW function pointer swapped for a logging one; the driver's pointer is kept to pass calls on.
#define KF_LOG_GLEW_CALL(pointer, name, parameters, arguments)                                               \
    decltype(pointer) gDriver##pointer = nullptr;                                                            \
    void GLAPIENTRY Logged##pointer parameters                                                               \
    {                                                                                                        \
        Record(name);                                                                                        \
        gDriver##pointer arguments;                                                                          \
    }

namespace
{

KF_LOG_GLEW_CALL(__glewBindFramebuffer, "glBindFramebuffer", (GLenum target, GLuint frameBuffer),
                 (target, frameBuffer))
KF_LOG_GLEW_CALL(__glewDeleteFramebuffers, "glDeleteFramebuffers", (GLsizei count, const GLuint* names),
                 (count, names))
KF_LOG_GLEW_CALL(__glewDeleteRenderbuffers, "glDeleteRenderbuffers", (GLsizei count, const GLuint* names),
                 (count, names))
KF_LOG_GLEW_CALL(__glewGenerateMipmap, "glGenerateMipmap", (GLenum target), (target))
KF_LOG_GLEW_CALL(__glewDeleteBuffers, "glDeleteBuffers", (GLsizei count, const GLuint* names), (count, names))
KF_LOG_GLEW_CALL(__glewDeleteProgram, "glDeleteProgram", (GLuint program), (program))
KF_LOG_GLEW_CALL(__glewUseProgram, "glUseProgram", (GLuint program), (program))

template <typename Pointer> void Swap(Pointer& glewPointer, Pointer& driverPointer, Pointer loggingPointer)
{
    driverPointer = glewPointer;
    glewPointer = loggingPointer;
}

void SwapAll(bool isLogging)
{
#define KF_SWAP(pointer)                                                                                     \
    if (isLogging)                                                                                           \
    {                                                                                                        \
        Swap(pointer, gDriver##pointer, &Logged##pointer);                                                   \
    }                                                                                                        \
    else                                                                                                     \
    {                                                                                                        \
        pointer = gDriver##pointer;                                                                          \
    }
    KF_SWAP(__glewBindFramebuffer)
    KF_SWAP(__glewDeleteFramebuffers)
    KF_SWAP(__glewDeleteRenderbuffers)
    KF_SWAP(__glewGenerateMipmap)
    KF_SWAP(__glewDeleteBuffers)
    KF_SWAP(__glewDeleteProgram)
    KF_SWAP(__glewUseProgram)
#undef KF_SWAP
}

} // namespace

namespace KelpForge::Testing
{

OpenGLCallLog::OpenGLCallLog()
{
    EXPECT_EQ(gCalls, nullptr) << "one OpenGLCallLog at a time";
    gCalls = new std::vector<std::string>();
    SwapAll(true);
}

OpenGLCallLog::~OpenGLCallLog()
{
    SwapAll(false);
    delete gCalls;
    gCalls = nullptr;
}

const std::vector<std::string>& OpenGLCallLog::Calls() const
{
    return *gCalls;
}

} // namespace KelpForge::Testing
