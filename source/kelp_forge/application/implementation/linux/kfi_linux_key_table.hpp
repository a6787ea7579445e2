#ifndef KELP_FORGE_APPLICATION_IMPLEMENTATION_LINUX_KEY_TABLE_HPP
#define KELP_FORGE_APPLICATION_IMPLEMENTATION_LINUX_KEY_TABLE_HPP

// Translation of SDL key codes and mouse buttons into the framework's keys.

#include "kelp_forge/application/kf_key.hpp"

#include <SDL.h>

#include <optional>

namespace kfImplementation
{

// Empty for keys the framework does not know, which are then ignored. The table is filled by
// BuildKeyTable when the frame opens.
[[nodiscard]] std::optional<KelpForge::Application::Key> TranslateKey(SDL_Keycode keycode);
[[nodiscard]] std::optional<KelpForge::Application::Key> TranslateMouseButton(Uint8 button);

} // namespace kfImplementation

#endif
