#ifndef KELP_FORGE_APPLICATION_IMPLEMENTATION_FRAME_HPP
#define KELP_FORGE_APPLICATION_IMPLEMENTATION_FRAME_HPP

// The platform-free logic of the application frame: the order of opening, running and closing,
// and the process-wide state the window layer reads.

#include "kelp_forge/application/kf_application_handler_interface.hpp"

namespace kfImplementation
{

struct FrameState
{
    // The handler given to Open; null while the frame is closed. Not owned.
    KelpForge::Application::ApplicationHandlerInterface* handler = nullptr;
    bool isOpened = false;
    bool isRunning = false;
};

[[nodiscard]] FrameState& GetFrameState();

void OpenFrame(KelpForge::Application::ApplicationHandlerInterface& handler);
void RunFrame(KelpForge::Application::ApplicationHandlerInterface& handler);
// Also called by the window layer when the user closes the window.
void CloseFrame(KelpForge::Application::ApplicationHandlerInterface& handler);

} // namespace kfImplementation

#endif
