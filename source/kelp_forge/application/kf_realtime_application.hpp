#ifndef KELP_FORGE_APPLICATION_REALTIME_APPLICATION_HPP
#define KELP_FORGE_APPLICATION_REALTIME_APPLICATION_HPP

#include "kelp_forge/application/kf_application_handler_interface.hpp"
#include "kelp_forge/core/kf_defines.hpp"

#include <string>

namespace KelpForge::Application
{

// Opens, runs and closes the one window of the process with its OpenGL context and real-time loop.
// The frame's state is process-wide: only one application may be open at a time. The handler is
// not owned and must outlive every call made through this object.
class RealtimeApplication : private Core::Noncopyable
{
public:
    explicit RealtimeApplication(ApplicationHandlerInterface& handler);

    // Opens the window, the OpenGL context and the renderer for the handler, then shows the window.
    // Opening while another application is open is reported and changes nothing.
    void Open();
    // Loops until the frame closes: input frame start, message pump, OnRealtimeUpdate, buffer swap.
    // Returns at once, reported, when the frame was opened for another handler or not at all.
    void Run();
    // Releases the renderer and the OpenGL context and destroys the window. Safe to call from
    // OnRealtimeUpdate: Run then returns at its next check. The frame can be opened again later.
    void Close();

    void SetWindowTitle(const std::string& title);
    // Modal box with one "Okay" button, owned by the window; the title and message also go to
    // standard error, which is all that happens when no box can be shown. True when accepted.
    bool ShowMessageBox(const std::string& title, const std::string& message);

private:
    ApplicationHandlerInterface& mHandler;
};

} // namespace KelpForge::Application

#endif
