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
    EXPECT_EQ(Testing::ClientAreaSize(), std::make_pair(1280, 720));
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

TEST(RealtimeApplicationTest, CollectedPropertiesSizeAndCentreTheWindow)
{
    ErrorRecorder recorder;
    RecordingHandler handler;
    handler.properties.windowWidth = 800;
    handler.properties.windowHeight = 600;
    RealtimeApplication application(handler);
    application.Open();

    EXPECT_EQ(Testing::ClientAreaSize(), std::make_pair(800, 600));
    EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, 800, 600}));
    EXPECT_EQ(KelpForge::Graphics::ScreenWidth(), 800);
    EXPECT_EQ(KelpForge::Graphics::ScreenHeight(), 600);
    EXPECT_EQ(KelpForge::Graphics::ScreenCenter(), KelpForge::Math::Vector2(400.0f, 300.0f));

    SDL_Rect display{};
    ASSERT_EQ(SDL_GetDisplayBounds(0, &display), 0);
    int x = 0;
    int y = 0;
    SDL_GetWindowPosition(kfImplementation::GetSDLWindow(), &x, &y);
    EXPECT_EQ(x, display.x + (display.w - 800) / 2);
    EXPECT_EQ(y, display.y + (display.h - 600) / 2);
    EXPECT_TRUE(recorder.Messages().empty());
    application.Close();
}

TEST(RealtimeApplicationTest, FullScreenWindowWithoutSizeTakesTheDesktop)
{
    ErrorRecorder recorder;
    RecordingHandler handler;
    handler.properties.windowMode = KelpForge::Application::kFullScreenWindow;
    handler.properties.windowWidth = 0;
    handler.properties.windowHeight = 0;
    RealtimeApplication application(handler);
    application.Open();

    SDL_DisplayMode desktop{};
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    EXPECT_EQ(KelpForge::Graphics::ScreenWidth(), desktop.w);
    EXPECT_EQ(KelpForge::Graphics::ScreenHeight(), desktop.h);
    SDL_Window* window = kfImplementation::GetSDLWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Testing::ClientAreaSize(), std::make_pair(desktop.w, desktop.h));
    int x = -1;
    int y = -1;
    SDL_GetWindowPosition(window, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_BORDERLESS, 0u);
    EXPECT_TRUE(recorder.Messages().empty());
    application.Close();
}

TEST(RealtimeApplicationTest, OpenNotifiesInOrderWithTheRendererReadyAndTheWindowStillHidden)
{
    RecordingHandler handler;
    RealtimeApplication application(handler);
    application.Open();
    EXPECT_EQ(handler.calls, (std::vector<std::string>{"OnGraphicsContextCreated", "OnWindowOpen"}));
    EXPECT_TRUE(handler.wasRendererReadyAtCreation);
    EXPECT_FALSE(handler.wasWindowShownAtOpen);

    handler.calls.clear();
    application.Close();
    EXPECT_EQ(handler.calls, (std::vector<std::string>{"OnGraphicsContextDestroyed", "OnWindowClose"}));
    EXPECT_TRUE(handler.wasRendererReadyAtDestruction);
}

TEST(RealtimeApplicationTest, OpeningTwiceIsReportedAndLeavesTheOpenFrameAlone)
{
    ErrorRecorder recorder;
    RecordingHandler firstHandler;
    RealtimeApplication first(firstHandler);
    first.Open();
    SDL_Window* window = kfImplementation::GetSDLWindow();

    RecordingHandler secondHandler;
    RealtimeApplication second(secondHandler);
    second.Open();
    EXPECT_EQ(recorder.Messages(),
              (std::vector<std::string>{
                  "kfExternalError: KelpForge currently supports only a single application at a time.",
                  "kfInternalError: Expected application handler to be null at this moment."}));
    EXPECT_TRUE(secondHandler.calls.empty());
    EXPECT_EQ(kfImplementation::GetSDLWindow(), window);
    EXPECT_EQ(kfImplementation::GetFrameState().handler, &firstHandler);

    recorder.Clear();
    first.Open();
    EXPECT_TRUE(recorder.Contains(
        "kfExternalError: KelpForge currently supports only a single application at a time."));
    first.Close();
}

TEST(RealtimeApplicationTest, RunWithAnotherHandlerIsReportedAndReturnsAtOnce)
{
    ErrorRecorder recorder;
    RecordingHandler openHandler;
    RealtimeApplication opened(openHandler);
    opened.Open();

    RecordingHandler otherHandler;
    RealtimeApplication other(otherHandler);
    other.Run();
    EXPECT_EQ(recorder.Messages(), (std::vector<std::string>{
                                       "kfInternalError: applicationHandler changed from Open() to Run()."}));
    EXPECT_EQ(otherHandler.updateCount, 0);
    EXPECT_EQ(openHandler.updateCount, 0);

    recorder.Clear();
    other.Close();
    EXPECT_EQ(
        recorder.Messages(),
        (std::vector<std::string>{"kfInternalError: applicationHandler changed from Open() to Close()."}));
    EXPECT_NE(kfImplementation::GetSDLWindow(), nullptr);
    EXPECT_TRUE(kfImplementation::GetFrameState().isOpened);
    opened.Close();
}

TEST(RealtimeApplicationTest, RunWithoutOpenIsReportedAndReturns)
{
    ErrorRecorder recorder;
    RecordingHandler handler;
    RealtimeApplication application(handler);
    application.Run();
    EXPECT_EQ(recorder.Messages(), (std::vector<std::string>{
                                       "kfInternalError: applicationHandler changed from Open() to Run()."}));
    EXPECT_EQ(handler.updateCount, 0);
}

TEST(RealtimeApplicationTest, WindowCloseRequestEndsRunBeforeTheNextUpdate)
{
    ErrorRecorder recorder;
    RecordingHandler handler;
    RealtimeApplication application(handler);
    application.Open();
    handler.onUpdate = [](int update)
    {
        if (update == 2)
        {
            Testing::PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
        }
    };
    handler.calls.clear();
    application.Run();

    EXPECT_EQ(handler.updateCount, 2);
    EXPECT_EQ(kfImplementation::GetSDLWindow(), nullptr);
    EXPECT_FALSE(kfImplementation::GetFrameState().isOpened);
    EXPECT_FALSE(kfImplementation::GetFrameState().isRunning);
    EXPECT_EQ(kfImplementation::GetFrameState().handler, nullptr);
    ASSERT_GE(handler.calls.size(), 2u);
    EXPECT_EQ(handler.calls[handler.calls.size() - 2], "OnGraphicsContextDestroyed");
    EXPECT_EQ(handler.calls.back(), "OnWindowClose");
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(RealtimeApplicationTest, CloseRequestBeforeTheFirstFrameRunsNoUpdate)
{
    RecordingHandler handler;
    RealtimeApplication application(handler);
    application.Open();
    ASSERT_TRUE(Testing::PushWindowEvent(SDL_WINDOWEVENT_CLOSE));
    application.Run();
    EXPECT_EQ(handler.updateCount, 0);
    EXPECT_FALSE(kfImplementation::GetFrameState().isOpened);
}

TEST(RealtimeApplicationTest, CloseFromTheUpdateEndsRunAfterThatUpdate)
{
    ErrorRecorder recorder;
    RecordingHandler handler;
    RealtimeApplication application(handler);
    handler.onUpdate = [&application](int update)
    {
        if (update == 3)
        {
            application.Close();
        }
    };
    application.Open();
    application.Run();
    EXPECT_EQ(handler.updateCount, 3);
    EXPECT_FALSE(kfImplementation::GetFrameState().isOpened);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(RealtimeApplicationTest, FocusChangesReachTheHandler)
{
    RecordingHandler handler;
    RealtimeApplication application(handler);
    application.Open();
    handler.onUpdate = [&](int update)
    {
        if (update == 1)
        {
            handler.calls.clear();
            Testing::PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
            Testing::PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
        }
        else
        {
            application.Close();
        }
    };
    application.Run();
    ASSERT_GE(handler.calls.size(), 2u);
    EXPECT_EQ(handler.calls[0], "OnBecomeInactive");
    EXPECT_EQ(handler.calls[1], "OnBecomeActive");
}

TEST(RealtimeApplicationTest, TheFrameOpensAgainAfterClose)
{
    ErrorRecorder recorder;
    RecordingHandler handler;
    RealtimeApplication application(handler);
    application.Open();
    application.Close();
    handler.properties.windowWidth = 640;
    handler.properties.windowHeight = 480;
    application.Open();

    EXPECT_EQ(Testing::ClientAreaSize(), std::make_pair(640, 480));
    EXPECT_TRUE(Renderer::IsRendererReady());
    EXPECT_TRUE(recorder.Messages().empty());
    application.Close();
}

TEST(RealtimeApplicationTest, TheFirstContextAttemptIsA32CoreContextForTheShaderPath)
{
    RecordingHandler handler;
    RealtimeApplication application(handler);
    application.Open();
    GLint profile = 0;
    glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
    EXPECT_NE(profile & GL_CONTEXT_CORE_PROFILE_BIT, 0);
    EXPECT_FALSE(Renderer::IsLegacyOpenGL());
    EXPECT_FALSE(Renderer::IsGLSL100());
    application.Close();
}

TEST(RealtimeApplicationTest, LimitedToCompatibleTheShaderPathRunsOnACompatibilityContext)
{
    kfImplementation::LimitContextAttempts({kfImplementation::ContextProfile::kCompatible});
    RecordingHandler handler;
    RealtimeApplication application(handler);
    application.Open();
    GLint profile = 0;
    glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
    EXPECT_NE(profile & GL_CONTEXT_COMPATIBILITY_PROFILE_BIT, 0);
    EXPECT_FALSE(Renderer::IsLegacyOpenGL());
    EXPECT_FALSE(Renderer::IsGLSL100());
    application.Close();
}

TEST(RealtimeApplicationTest, LimitedToESTheRendererIsToldGLSL100)
{
    kfImplementation::LimitContextAttempts({kfImplementation::ContextProfile::kES});
    ErrorRecorder recorder;
    RecordingHandler handler;
    RealtimeApplication application(handler);
    application.Open();
    const std::string version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    EXPECT_EQ(version.rfind("OpenGL ES", 0), 0u) << version;
    EXPECT_FALSE(Renderer::IsLegacyOpenGL());
    EXPECT_TRUE(Renderer::IsGLSL100());
    EXPECT_TRUE(Renderer::IsRendererReady());
    EXPECT_TRUE(recorder.Messages().empty());
    application.Close();
}

TEST(RealtimeApplicationTest, WithoutAnyAttemptTheDefaultContextTakesTheLegacyPath)
{
    kfImplementation::LimitContextAttempts({});
    ErrorRecorder recorder;
    RecordingHandler handler;
    RealtimeApplication application(handler);
    application.Open();
    EXPECT_TRUE(Renderer::IsLegacyOpenGL());
    EXPECT_FALSE(Renderer::IsGLSL100());
    EXPECT_TRUE(Renderer::IsRendererReady());
    EXPECT_TRUE(recorder.Messages().empty());
    application.Close();
}

TEST(RealtimeApplicationTest, VsyncOffIsAppliedOrReported)
{
    ErrorRecorder recorder;
    RecordingHandler handler;
    handler.properties.vsync = false;
    RealtimeApplication application(handler);
    application.Open();
    // Xvfb offers no swap control, so there the message is the expected outcome.
    const bool isReported =
        recorder.Contains("kfInternalError: Could not set GL to be free from vertical sync");
    EXPECT_TRUE(isReported || SDL_GL_GetSwapInterval() == 0);
    EXPECT_TRUE(Renderer::IsRendererReady());
    application.Close();
}

TEST(RealtimeApplicationTest, SetWindowTitleChangesTheCaption)
{
    RecordingHandler handler;
    RealtimeApplication application(handler);
    application.Open();
    application.SetWindowTitle("Gloamshot");
    EXPECT_STREQ(SDL_GetWindowTitle(kfImplementation::GetSDLWindow()), "Gloamshot");
    application.Close();
}

TEST(RealtimeApplicationTest, WithoutADisplayOpenIsReportedAndTheMessageBoxFallsBackToStandardError)
{
    // SDL's own order would go on to its off-screen driver: an invisible window without a usable
    // context. The frame must not take it.
    unsetenv("DISPLAY");
    ErrorRecorder recorder;
    RecordingHandler handler;
    RealtimeApplication application(handler);
    application.Open();
    EXPECT_TRUE(recorder.Contains("kfInternalError, Expected window handle to be valid."));
    EXPECT_EQ(kfImplementation::GetSDLWindow(), nullptr);
    EXPECT_EQ(handler.calls, (std::vector<std::string>{"OnWindowOpen"}));
    application.Run(); // nothing could ever close a missing window, so Run returns
    EXPECT_EQ(handler.updateCount, 0);

    testing::internal::CaptureStderr();
    const bool isAccepted = application.ShowMessageBox("Box Title", "Box text\nsecond line");
    const std::string written = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(isAccepted);
    EXPECT_NE(written.find("Box Title\nBox text\nsecond line\n"), std::string::npos) << written;
    application.Close();
    EXPECT_FALSE(kfImplementation::GetFrameState().isOpened);
}
