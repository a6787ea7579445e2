#ifndef KELP_FORGE_GRAPHICS_IMPLEMENTATION_GL_CHECK_HPP
#define KELP_FORGE_GRAPHICS_IMPLEMENTATION_GL_CHECK_HPP

// kf_gl_check(call) runs an OpenGL call and, in builds with assertions (no NDEBUG), reports every
// error OpenGL has queued by then as "kfInternalError: OpenGL reported <error> after <call>." with
// the caller's file and line. Release builds run the call alone: reading the error queue can stall
// the driver. Never wrap a call made between glBegin and glEnd (reading errors there is an error).

namespace kfImplementation::OpenGL
{

void ReportQueuedErrors(const char* call, const char* fileName, int lineNumber);

} // namespace kfImplementation::OpenGL

#ifdef NDEBUG
#define kf_gl_check(call) call
#else
#define kf_gl_check(call)                                                                                    \
    do                                                                                                       \
    {                                                                                                        \
        call;                                                                                                \
        ::kfImplementation::OpenGL::ReportQueuedErrors(#call, __FILE__, __LINE__);                           \
    } while (false)
#endif

#endif
