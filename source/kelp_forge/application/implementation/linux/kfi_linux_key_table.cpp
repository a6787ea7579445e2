#include "kelp_forge/application/implementation/linux/kfi_linux_key_table.hpp"

#include "kelp_forge/application/implementation/kfi_platform.hpp"

#include <map>

using KelpForge::Application::Key;

namespace kfImplementation
{
namespace
{

std::map<SDL_Keycode, Key>& KeyTable()
{
    static std::map<SDL_Keycode, Key> table;
    return table;
}

} // namespace

void BuildKeyTable()
{
    std::map<SDL_Keycode, Key>& table = KeyTable();
    table.clear();
    for (int digit = 0; digit < 10; ++digit)
    {
        table[SDLK_0 + digit] = static_cast<Key>(KelpForge::Application::kKey0 + digit);
    }
    for (int letter = 0; letter < 26; ++letter)
    {
        table[SDLK_a + letter] = static_cast<Key>(KelpForge::Application::kKeyA + letter);
    }
    table[SDLK_SPACE] = KelpForge::Application::kKeySpace;
    table[SDLK_ESCAPE] = KelpForge::Application::kKeyEscape;
    table[SDLK_RETURN] = KelpForge::Application::kKeyEnter;
    table[SDLK_KP_ENTER] = KelpForge::Application::kKeyEnter;
    table[SDLK_UP] = KelpForge::Application::kKeyUp;
    table[SDLK_DOWN] = KelpForge::Application::kKeyDown;
    table[SDLK_LEFT] = KelpForge::Application::kKeyLeft;
    table[SDLK_RIGHT] = KelpForge::Application::kKeyRight;
}

std::optional<Key> TranslateKey(SDL_Keycode keycode)
{
    const std::map<SDL_Keycode, Key>& table = KeyTable();
    const auto found = table.find(keycode);
    if (found == table.end())
    {
        return std::nullopt;
    }
    return found->second;
}

std::optional<Key> TranslateMouseButton(Uint8 button)
{
    switch (button)
    {
    case SDL_BUTTON_LEFT:
        return KelpForge::Application::kMouseLeft;
    case SDL_BUTTON_RIGHT:
        return KelpForge::Application::kMouseRight;
    case SDL_BUTTON_MIDDLE:
        return KelpForge::Application::kMouseMiddle;
    default:
        return std::nullopt;
    }
}

} // namespace kfImplementation
