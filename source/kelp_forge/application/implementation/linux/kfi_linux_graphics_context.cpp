#include "kelp_forge/application/implementation/kfi_context_attempts.hpp"
#include "kelp_forge/application/implementation/kfi_platform.hpp"
#include "kelp_forge/application/implementation/linux/kfi_linux_window.hpp"
#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"

#include <GL/glew.h>

#include <string>

namespace kfImplementation
{
namespace
{

SDL_GLContext gContext = nullptr;

int ToSDLProfile(ContextProfile profile)
{
    switch (profile)
    {
    case ContextProfile::kCore:
        return SDL_GL_CONTEXT_PROFILE_CORE;
    case ContextProfile::kCompatible:
        return SDL_GL_CONTEXT_PROFILE_COMPATIBILITY;
    case ContextProfile::kES:
        return SDL_GL_CONTEXT_PROFILE_ES;
    }
    return 0;
}

SDL_GLContext TryContext(SDL_Window* window, int sdlProfile, int majorVersion, int minorVersion)
{
    SetPixelFormatAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, sdlProfile);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, majorVersion);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, minorVersion);
    return SDL_GL_CreateContext(window);
}

} // namespace

bool CreateGraphicsContext(bool vsync)
{
    SDL_Window* window = GetSDLWindow();
    if (window == nullptr || gContext != nullptr)
    {
        return false;
    }

    bool isES = false;
    for (const ContextAttempt& attempt : GetContextAttempts())
    {
        kf_error_if(attempt.profile == ContextProfile::kES && attempt.majorVersion != 2,
                    "kfInternalError: This context is unsupported at the preset time.");
        gContext =
            TryContext(window, ToSDLProfile(attempt.profile), attempt.majorVersion, attempt.minorVersion);
        if (gContext != nullptr)
        {
            isES = attempt.profile == ContextProfile::kES;
            break;
        }
    }
    const bool isLegacy = gContext == nullptr;
    if (isLegacy)
    {
        // No profile asked for: whatever the driver offers by default, drawn with fixed functions.
        gContext = TryContext(window, 0, 2, 1);
        kf_error_if(gContext == nullptr, "kfInternalError: Was unable to create OpenGL Context.");
        if (gContext == nullptr)
        {
            return false;
        }
    }

    // SDL_GL_CreateContext made the context current, which GLEW needs to load the entry points.
    glewExperimental = GL_FALSE;
    const GLenum glewResult = glewInit();
    kf_error_if(glewResult != GLEW_OK, "kfInternalError: Could not initialize glew. Error code: %s",
                std::to_string(glewResult).c_str());
    if (glewResult != GLEW_OK)
    {
        DestroyGraphicsContext();
        return false;
    }
    Renderer::SetLegacyOpenGL(isLegacy);
    Renderer::SetGLSL100(isES);

    const bool isIntervalSet = SDL_GL_SetSwapInterval(vsync ? 1 : 0) == 0;
    kf_error_if(!isIntervalSet && !vsync, "kfInternalError: Could not set GL to be free from vertical sync");

    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
    SDL_GL_SwapWindow(window);
    return true;
}

void DestroyGraphicsContext()
{
    if (gContext != nullptr)
    {
        SDL_GL_MakeCurrent(GetSDLWindow(), nullptr);
        SDL_GL_DeleteContext(gContext);
        gContext = nullptr;
    }
}

bool HasGraphicsContext()
{
    return gContext != nullptr;
}

void SwapPlatformBuffers()
{
    if (gContext != nullptr && GetSDLWindow() != nullptr)
    {
        SDL_GL_SwapWindow(GetSDLWindow());
    }
}

} // namespace kfImplementation
