#include "kfi_renderer_test_window.hpp"

#include "kelp_forge/application/implementation/kfi_context_attempts.hpp"
#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"
#include "kelp_forge/graphics/implementation/kfi_shader_program.hpp"

#include <gtest/gtest.h>

namespace KelpForge::Testing
{

namespace
{

constexpr int kWindowHeight = 720;

const char* const kVertexWithoutUniforms = R"glsl(#version 150
in vec2 vertexPosition;
void main()
{
    gl_Position = vec4(vertexPosition, 0.0, 1.0);
}
)glsl";

const char* const kFragmentWithoutUniforms = R"glsl(#version 150
out vec4 finalFragColor;
void main()
{
    finalFragColor = vec4(1.0);
}
)glsl";

} // namespace

RendererTestWindow::RendererTestWindow(RendererPath path) : mApplication(mHandler)
{
    // With no profile to ask for, the window layer falls back to the driver's default context,
    // a compatibility context on Mesa, and selects the legacy path itself.
    if (path == RendererPath::kShader)
    {
        kfImplementation::LimitContextAttempts({kfImplementation::ContextProfile::kCore});
    }
    else if (path == RendererPath::kShaderGLSL100)
    {
        kfImplementation::LimitContextAttempts({kfImplementation::ContextProfile::kES});
    }
    else
    {
        kfImplementation::LimitContextAttempts({});
    }
    mApplication.Open();
    EXPECT_TRUE(kfImplementation::Renderer::IsRendererReady());
    BindTexture({255, 255, 255, 255}, 1, 1);
}

RendererTestWindow::~RendererTestWindow()
{
    glDeleteTextures(1, &mTexture);
    mApplication.Close();
}

void RendererTestWindow::BeginFrame(float clearRed, float clearGreen, float clearBlue)
{
    glClearColor(clearRed, clearGreen, clearBlue, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    kfImplementation::Renderer::BeginDraw();
}

void RendererTestWindow::EndFrame()
{
    kfImplementation::Renderer::EndDraw();
    glFinish();
}

Pixel RendererTestWindow::ReadPixel(int x, int y) const
{
    std::uint8_t rgba[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, kWindowHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return Pixel{rgba[0], rgba[1], rgba[2]};
}

void RendererTestWindow::BindTexture(const std::vector<std::uint8_t>& rgbaPixels, int width, int height)
{
    if (mTexture == 0)
    {
        glGenTextures(1, &mTexture);
    }
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, mTexture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgbaPixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

GLuint RendererTestWindow::BuildProgramWithoutUniforms() const
{
    const kfImplementation::Renderer::ShaderProgram built =
        kfImplementation::Renderer::BuildShaderProgram(kVertexWithoutUniforms, kFragmentWithoutUniforms);
    // The program keeps its shaders alive for as long as they stay attached.
    glDeleteShader(built.vertexShader);
    glDeleteShader(built.fragmentShader);
    return built.program;
}

} // namespace KelpForge::Testing
