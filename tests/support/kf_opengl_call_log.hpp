#ifndef KELP_FORGE_TESTS_SUPPORT_OPENGL_CALL_LOG_HPP
#define KELP_FORGE_TESTS_SUPPORT_OPENGL_CALL_LOG_HPP

// Records by name the OpenGL calls that release or bind objects, made while a log exists, so that
// a test can show that none is made once the context is gone. The calls still reach OpenGL.
// Logged: glBindTexture, glDeleteTextures, glGetIntegerv, glReadPixels, glTexSubImage2D,
// glViewport, glBindFramebuffer, glDeleteFramebuffers, glDeleteRenderbuffers, glGenerateMipmap,
// glDeleteBuffers, glDeleteProgram and glUseProgram. Make at most one at a time, while a context
// has loaded the functions (after the window opened once).

#include <string>
#include <vector>

namespace KelpForge::Testing
{

class OpenGLCallLog
{
public:
    OpenGLCallLog();
    ~OpenGLCallLog();
    OpenGLCallLog(const OpenGLCallLog&) = delete;
    OpenGLCallLog& operator=(const OpenGLCallLog&) = delete;

    [[nodiscard]] const std::vector<std::string>& Calls() const;
};

} // namespace KelpForge::Testing

#endif
