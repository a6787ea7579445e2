#include "kelp_forge/application/implementation/kfi_frame.hpp"

#include "kelp_forge/application/implementation/kfi_input_state.hpp"
#include "kelp_forge/application/implementation/kfi_platform.hpp"
#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"
#include "kelp_forge/graphics/implementation/kfi_screen_size.hpp"

using KelpForge::Application::ApplicationHandlerInterface;
using KelpForge::Application::WindowProperties;

namespace kfImplementation
{

FrameState& GetFrameState()
{
    static FrameState state;
    return state;
}

void OpenFrame(ApplicationHandlerInterface& handler)
{
    FrameState& state = GetFrameState();
    kf_error_if(state.isOpened,
                "kfExternalError: KelpForge currently supports only a single application at a time.");
    kf_error_if(state.handler != nullptr,
                "kfInternalError: Expected application handler to be null at this moment.");
    kf_error_if(state.isRunning, "kfInternalError: Expected application not to be running at this moment.");
    // Opening over an open frame would strand its window and context.
    if (state.isOpened || state.handler != nullptr)
    {
        return;
    }

    state.isOpened = true;
    state.handler = &handler;

    WindowProperties properties;
    handler.CollectWindowProperties(properties);
    StartPlatform();
    if (properties.windowMode != KelpForge::Application::kWindowed && properties.windowWidth == 0 &&
        properties.windowHeight == 0)
    {
        const DesktopSize desktop = ReadDesktopSize();
        properties.windowWidth = desktop.width;
        properties.windowHeight = desktop.height;
        properties.windowPositionX = 0;
        properties.windowPositionY = 0;
    }
    SetScreenSize(properties.windowWidth, properties.windowHeight);

    const bool hasWindow = CreatePlatformWindow(properties);
    BuildKeyTable();
    // Without a context nothing may touch OpenGL, so the graphics notification waits for one.
    if (hasWindow && CreateGraphicsContext(properties.vsync))
    {
        Renderer::InitializeRenderer();
        handler.OnGraphicsContextCreated();
    }
    handler.OnWindowOpen();
    if (hasWindow)
    {
        ShowPlatformWindow();
    }
}

void RunFrame(ApplicationHandlerInterface& handler)
{
    FrameState& state = GetFrameState();
    kf_error_if(&handler != state.handler,
                "kfInternalError: applicationHandler changed from Open() to Run().");
    // Without its window nothing could ever end the loop.
    if (&handler != state.handler || !HasPlatformWindow())
    {
        return;
    }

    state.isRunning = true;
    while (state.isRunning)
    {
        UpdateInputState();
        int mouseX = 0;
        int mouseY = 0;
        ReadMousePosition(mouseX, mouseY);
        SetMousePosition(mouseX, mouseY);

        PumpPlatformMessages();
        if (!state.isRunning)
        {
            break;
        }
        handler.OnRealtimeUpdate();
        // A Close from inside the update has already shut the renderer down.
        if (Renderer::IsRendererReady())
        {
            SwapPlatformBuffers();
        }
    }
}

void CloseFrame(ApplicationHandlerInterface& handler)
{
    FrameState& state = GetFrameState();
    kf_error_if(&handler != state.handler,
                "kfInternalError: applicationHandler changed from Open() to Close().");
    if (&handler != state.handler)
    {
        return;
    }

    if (HasGraphicsContext())
    {
        handler.OnGraphicsContextDestroyed();
        Renderer::CleanupRenderer();
        DestroyGraphicsContext();
    }
    if (HasPlatformWindow())
    {
        DestroyPlatformWindow();
        handler.OnWindowClose();
    }
    StopPlatform();

    state.isRunning = false;
    state.isOpened = false;
    state.handler = nullptr;
}

} // namespace kfImplementation
