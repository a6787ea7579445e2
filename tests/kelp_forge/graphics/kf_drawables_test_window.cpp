#include "kf_drawables_test_window.hpp"

#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"

#include <GL/glew.h>

#include <array>

namespace KelpForge::Testing
{

DrawablesTestWindow::DrawablesTestWindow() : mApplication(*this)
{
    Open();
}

DrawablesTestWindow::~DrawablesTestWindow()
{
    Close();
}

void DrawablesTestWindow::Open()
{
    if (!mIsOpen)
    {
        mApplication.Open();
        mIsOpen = true;
    }
}

void DrawablesTestWindow::Close()
{
    if (mIsOpen)
    {
        mApplication.Close();
        mIsOpen = false;
    }
}

void DrawablesTestWindow::BeginFrame()
{
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    kfImplementation::Renderer::BeginDraw();
}

void DrawablesTestWindow::EndFrame()
{
    kfImplementation::Renderer::EndDraw();
    glFinish();
}

Pixel DrawablesTestWindow::ReadPixel(int x, int y) const
{
    std::array<GLubyte, 4> rgba = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, 719 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return {rgba[0], rgba[1], rgba[2]};
}

void DrawablesTestWindow::OnGraphicsContextCreated()
{
    Graphics::theTextureManager.ReloadAllTextures();
}

void DrawablesTestWindow::OnGraphicsContextDestroyed()
{
    Graphics::theTextureManager.ReleaseOpenGLTextures();
}

} // namespace KelpForge::Testing
