#ifndef KELP_FORGE_APPLICATION_APPLICATION_HANDLER_INTERFACE_HPP
#define KELP_FORGE_APPLICATION_APPLICATION_HANDLER_INTERFACE_HPP

#include "kelp_forge/application/kf_window_properties.hpp"

namespace KelpForge::Application
{

// What the application frame tells the layer above it. Every notification is empty by default and
// is called on the main thread; those marked "inside the message pump" arrive while Run dispatches
// platform events.
class ApplicationHandlerInterface
{
public:
    virtual ~ApplicationHandlerInterface() = 0;

    // Once, near the end of Open, before the window is shown.
    virtual void OnWindowOpen() {}
    // When the window is destroyed, inside Close.
    virtual void OnWindowClose() {}
    // The window gained or lost the input focus (inside the message pump).
    virtual void OnBecomeActive() {}
    virtual void OnBecomeInactive() {}
    // Once per iteration of Run, after the message pump; may call Close to end Run.
    virtual void OnRealtimeUpdate() {}
    // Once, early in Open: overwrite the defaults to choose how the window opens.
    virtual void CollectWindowProperties(WindowProperties& properties) const;
    // Once in Open, right after the OpenGL context and the renderer are ready.
    virtual void OnGraphicsContextCreated() {}
    // First thing in Close, while the OpenGL context still exists.
    virtual void OnGraphicsContextDestroyed() {}
};

} // namespace KelpForge::Application

#endif
