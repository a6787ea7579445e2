#include "gloamshot/light_object.hpp"

#include "kelp_forge/graphics/kf_basic_shapes.hpp"

#include <algorithm>
#include <cstdint>

namespace Gloamshot
{

namespace
{

constexpr std::uint32_t kLightColor = 0x05FFFFFFu;
constexpr int kLightSegments = 30;

// Built on first use, so that lights made during static initialisation find it.
std::vector<LightObject*>& Registry()
{
    static std::vector<LightObject*> lights;
    return lights;
}

} // namespace

LightObject::LightObject(float radius) : mRadius(radius)
{
    Registry().push_back(this);
}

LightObject::~LightObject()
{
    std::vector<LightObject*>& lights = Registry();
    const auto found = std::find(lights.begin(), lights.end(), this);
    if (found != lights.end())
    {
        *found = lights.back();
        lights.pop_back();
    }
}

void LightObject::Render() const
{
    if (!mIsOn)
    {
        return;
    }
    KelpForge::Graphics::CircleShape circle(mRadius, KelpForge::Graphics::Color(kLightColor),
                                            KelpForge::Math::Vector2(), kLightSegments);
    circle.SetPosition(mPosition);
    circle.SetOrigin(KelpForge::Graphics::AnchorLocation::kAnchorCenter);
    circle.Render();
}

const std::vector<LightObject*>& GetLights()
{
    return Registry();
}

} // namespace Gloamshot
