#include "kelp_forge/application/implementation/kfi_platform.hpp"
#include "kelp_forge/application/implementation/linux/kfi_linux_window.hpp"

#include <array>
#include <cstdio>

namespace kfImplementation
{

bool ShowPlatformMessageBox(const std::string& title, const std::string& message,
                            const std::string& acceptLabel, const std::string& cancelLabel)
{
    // Standard error keeps the text where no box can be shown, and in logs where one can.
    std::fprintf(stderr, "%s\n%s\n", title.c_str(), message.c_str());
    std::fflush(stderr);

    constexpr int kAcceptButton = 1;
    constexpr int kCancelButton = 0;
    const std::array<SDL_MessageBoxButtonData, 2> buttons = {{
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kAcceptButton, acceptLabel.c_str()},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kCancelButton, cancelLabel.c_str()},
    }};
    const SDL_MessageBoxData box = {
        SDL_MESSAGEBOX_INFORMATION,  GetSDLWindow(), title.c_str(), message.c_str(),
        cancelLabel.empty() ? 1 : 2, buttons.data(), nullptr,
    };
    int pressedButton = -1;
    if (SDL_ShowMessageBox(&box, &pressedButton) != 0)
    {
        return false;
    }
    return pressedButton == kAcceptButton;
}

} // namespace kfImplementation
