#include "kelp_forge/application/kf_realtime_application.hpp"

#include "kelp_forge/application/implementation/kfi_frame.hpp"
#include "kelp_forge/application/implementation/kfi_platform.hpp"

namespace KelpForge::Application
{

RealtimeApplication::RealtimeApplication(ApplicationHandlerInterface& handler) : mHandler(handler) {}

void RealtimeApplication::Open()
{
    kfImplementation::OpenFrame(mHandler);
}

void RealtimeApplication::Run()
{
    kfImplementation::RunFrame(mHandler);
}

void RealtimeApplication::Close()
{
    kfImplementation::CloseFrame(mHandler);
}

void RealtimeApplication::SetWindowTitle(const std::string& title)
{
    kfImplementation::SetPlatformWindowTitle(title);
}

bool RealtimeApplication::ShowMessageBox(const std::string& title, const std::string& message)
{
    return kfImplementation::ShowPlatformMessageBox(title, message, "Okay", "");
}

} // namespace KelpForge::Application
