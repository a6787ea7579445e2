#ifndef KELP_FORGE_GAME_IMPLEMENTATION_ERROR_BOX_HPP
#define KELP_FORGE_GAME_IMPLEMENTATION_ERROR_BOX_HPP

#include <string>

namespace kfImplementation
{

inline constexpr const char* kErrorBoxTitle = "Error Condition Triggered";

// The error box's text: errorMessage, a blank line, then where the latest check fired, as
// "<file>  LINE: <line>".
[[nodiscard]] std::string BuildErrorBoxText(const std::string& errorMessage);

} // namespace kfImplementation

#endif
