#include "kelp_forge/game/implementation/kfi_error_box.hpp"

#include "kelp_forge/core/kf_error.hpp"

namespace kfImplementation
{

std::string BuildErrorBoxText(const std::string& errorMessage)
{
    return errorMessage + "\n\n" + KelpForge::Core::Error::GetErrorFileName() +
           "  LINE: " + std::to_string(KelpForge::Core::Error::GetErrorLineNumber());
}

} // namespace kfImplementation
