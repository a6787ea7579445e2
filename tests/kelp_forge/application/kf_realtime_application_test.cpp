#include "kelp_forge/application/kf_realtime_application.hpp"

#include "kelp_forge/application/implementation/kfi_context_attempts.hpp"
#include "kelp_forge/application/implementation/kfi_frame.hpp"
#include "kelp_forge/application/implementation/linux/kfi_linux_test_events.hpp"
#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"
#include "kelp_forge/graphics/kf_screen.hpp"
#include "support/kf_error_recorder.hpp"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using KelpForge::Application::ApplicationHandlerInterface;
using KelpForge::Application::RealtimeApplication;
using KelpForge::Application::WindowProperties;
using KelpForge::Testing::ErrorRecorder;
namespace Renderer = kfImplementation::Renderer;
namespace Testing = kfImplementation::Testing;

namespace
{

// Records the notifications it receives, in order, and runs a script on every update.
class RecordingHandler : public ApplicationHandlerInterface
{
public:
    WindowProperties properties;
    std::vector<std::string> calls;
    int updateCount = 0;
    std::function<void(int)> onUpdate;

    void OnWindowOpen() override
    {
        calls.push_back("OnWindowOpen");
        wasWindowShownAtOpen = (SDL_GetWindowFlags(kfImplementation::GetSDLWindow()) & SDL_WINDOW_SHOWN) != 0;
    }
    void OnWindowClose() override { calls.push_back("OnWindowClose"); }
    void OnBecomeActive() override { calls.push_back("OnBecomeActive"); }
    void OnBecomeInactive() override { calls.push_back("OnBecomeInactive"); }
    void OnRealtimeUpdate() override
    {
        ++updateCount;
        if (onUpdate)
        {
            onUpdate(updateCount);
        }
    }
    void CollectWindowProperties(WindowProperties& windowProperties) const override
    {
        windowProperties = properties;
    }
    void OnGraphicsContextCreated() override
    {
        calls.push_back("OnGraphicsContextCreated");
        wasRendererReadyAtCreation = Renderer::IsRendererReady();
    }
    void OnGraphicsContextDestroyed() override
    {
        calls.push_back("OnGraphicsContextDestroyed");
        wasRendererReadyAtDestruction = Renderer::IsRendererReady();
    }

    bool wasWindowShownAtOpen = true;
    bool wasRendererReadyAtCreation = false;
    bool wasRendererReadyAtDestruction = false;
};

// A handler that keeps the defaults of CollectWindowProperties.
class DefaultHandler : public ApplicationHandlerInterface
{
};

std::array<GLint, 4> Viewport()
{
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    return viewport;
}

} // namespace

TEST(RealtimeApplicationTest, DefaultPropertiesOpenAFramedClientAreaOfExactly1280By720)
{
    ErrorRecorder recorder;
    DefaultHandler handler;
    RealtimeApplication application(handler);
    application.Open();

    SDL_Window* window = kfImplementation::GetSDLWindow();
    ASSERT_NE(window, nullptr);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    EXPECT_EQ(width, 1280);
    EXPECT_EQ(height, 720);
    EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, 1280, 720}));
    const Uint32 flags = SDL_GetWindowFlags(window);
    EXPECT_NE(flags & SDL_WINDOW_SHOWN, 0u);
    EXPECT_EQ(flags & (SDL_WINDOW_BORDERLESS | SDL_WINDOW_RESIZABLE | SDL_WINDOW_FULLSCREEN), 0u);
    EXPECT_STREQ(SDL_GetWindowTitle(window), "KelpForge Project");
    EXPECT_EQ(KelpForge::Graphics::ScreenWidth(), 1280);
    EXPECT_EQ(KelpForge::Graphics::ScreenHeight(), 720);
    EXPECT_TRUE(Renderer::IsRendererReady());
    EXPECT_TRUE(recorder.Messages().empty());

    application.Close();
    EXPECT_EQ(kfImplementation::GetSDLWindow(), nullptr);
    EXPECT_FALSE(Renderer::IsRendererReady());
    EXPECT_FALSE(kfImplementation::GetFrameState().isOpened);
    EXPECT_TRUE(recorder.Messages().empty());
}
