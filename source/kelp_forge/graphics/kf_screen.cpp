#include "kelp_forge/graphics/kf_screen.hpp"

#include "kelp_forge/graphics/implementation/kfi_screen_size.hpp"

namespace
{

struct ScreenSize
{
    KelpForge::Graphics::PixelSpace width = 1280;
    KelpForge::Graphics::PixelSpace height = 720;
};

ScreenSize& TheScreenSize()
{
    static ScreenSize size;
    return size;
}

} // namespace

namespace kfImplementation
{

void SetScreenSize(KelpForge::Graphics::PixelSpace width, KelpForge::Graphics::PixelSpace height)
{
    TheScreenSize() = {width, height};
}

} // namespace kfImplementation

namespace KelpForge::Graphics
{

PixelSpace ScreenWidth()
{
    return TheScreenSize().width;
}

PixelSpace ScreenHeight()
{
    return TheScreenSize().height;
}

Math::Vector2 ScreenCenter()
{
    return Math::Vector2(static_cast<float>(ScreenWidth()) * 0.5f, static_cast<float>(ScreenHeight()) * 0.5f);
}

} // namespace KelpForge::Graphics
