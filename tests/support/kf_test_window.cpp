#include "kf_test_window.hpp"

#include "kelp_forge/application/implementation/kfi_context_attempts.hpp"
#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"
#include "kelp_forge/graphics/kf_text.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>

namespace KelpForge::Testing
{
namespace
{

constexpr int kDefaultWidth = 1280;
constexpr int kDefaultHeight = 720;

// The context attempts stay limited for every later window in the process, so each window sets
// its own.
void ChooseContext(std::optional<RendererPath> path)
{
    using kfImplementation::ContextProfile;
    if (!path.has_value())
    {
        kfImplementation::LimitContextAttempts(
            {ContextProfile::kCore, ContextProfile::kCompatible, ContextProfile::kES});
    }
    else if (*path == RendererPath::kShader)
    {
        kfImplementation::LimitContextAttempts({ContextProfile::kCore});
    }
    else if (*path == RendererPath::kShaderGLSL100)
    {
        kfImplementation::LimitContextAttempts({ContextProfile::kES});
    }
    else
    {
        // With no profile to ask for, the window layer falls back to the driver's default context
        // and selects the legacy path itself.
        kfImplementation::LimitContextAttempts({});
    }
}

} // namespace

std::ostream& operator<<(std::ostream& stream, RendererPath path)
{
    switch (path)
    {
    case RendererPath::kShader:
        return stream << "Shader";
    case RendererPath::kShaderGLSL100:
        return stream << "ShaderGLSL100";
    case RendererPath::kLegacy:
        break;
    }
    return stream << "Legacy";
}

TestWindow::TestWindow() : TestWindow(kDefaultWidth, kDefaultHeight, std::nullopt) {}

TestWindow::TestWindow(RendererPath path) : TestWindow(kDefaultWidth, kDefaultHeight, path) {}

TestWindow::TestWindow(int width, int height) : TestWindow(width, height, std::nullopt) {}

TestWindow::TestWindow(int width, int height, std::optional<RendererPath> path)
    : mApplication(*this), mWidth(width), mHeight(height)
{
    ChooseContext(path);
    Open();
}

TestWindow::~TestWindow()
{
    Close();
}

void TestWindow::Open()
{
    if (!mIsOpen)
    {
        mApplication.Open();
        mIsOpen = true;
        EXPECT_TRUE(kfImplementation::Renderer::IsRendererReady());
    }
}

void TestWindow::Close()
{
    if (mIsOpen)
    {
        mApplication.Close();
        mIsOpen = false;
    }
}

void TestWindow::BeginFrame(float clearRed, float clearGreen, float clearBlue)
{
    glClearColor(clearRed, clearGreen, clearBlue, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    kfImplementation::Renderer::BeginDraw();
}

void TestWindow::EndFrame()
{
    kfImplementation::Renderer::EndDraw();
    glFinish();
}

Pixel TestWindow::ReadPixel(int x, int y) const
{
    std::array<GLubyte, 4> rgba = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, mHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return {rgba[0], rgba[1], rgba[2]};
}

void TestWindow::CollectWindowProperties(Application::WindowProperties& properties) const
{
    properties.windowWidth = static_cast<std::uint16_t>(mWidth);
    properties.windowHeight = static_cast<std::uint16_t>(mHeight);
}

void TestWindow::OnGraphicsContextCreated()
{
    Graphics::theTextureManager.ReloadAllTextures();
    Graphics::RebuildAllTexts();
}

void TestWindow::OnGraphicsContextDestroyed()
{
    Graphics::theTextureManager.ReleaseOpenGLTextures();
    Graphics::ReleaseAllTexts();
}

} // namespace KelpForge::Testing
