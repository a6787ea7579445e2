#include "kelp_forge/graphics/kf_screen.hpp"

#include "kelp_forge/application/implementation/kfi_frame.hpp"

namespace KelpForge::Graphics
{

PixelSpace ScreenWidth()
{
    return kfImplementation::GetFrameState().screenWidth;
}

PixelSpace ScreenHeight()
{
    return kfImplementation::GetFrameState().screenHeight;
}

Math::Vector2 ScreenCenter()
{
    return Math::Vector2(static_cast<float>(ScreenWidth()) * 0.5f, static_cast<float>(ScreenHeight()) * 0.5f);
}

} // namespace KelpForge::Graphics
