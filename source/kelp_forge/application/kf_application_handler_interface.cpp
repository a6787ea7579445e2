#include "kelp_forge/application/kf_application_handler_interface.hpp"

namespace KelpForge::Application
{

ApplicationHandlerInterface::~ApplicationHandlerInterface() = default;

void ApplicationHandlerInterface::CollectWindowProperties(WindowProperties& /*properties*/) const {}

} // namespace KelpForge::Application
