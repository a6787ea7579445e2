#ifndef GLOAMSHOT_LIGHT_OBJECT_HPP
#define GLOAMSHOT_LIGHT_OBJECT_HPP

#include "kelp_forge/math/kf_vector2.hpp"

#include <vector>

namespace Gloamshot
{

// A disc of the cave that the light map leaves visible. Every light registers itself for its whole
// lifetime, so its owner only keeps it in place; lights are never copied, which would leave a
// registered address behind.
class LightObject
{
public:
    explicit LightObject(float radius);
    virtual ~LightObject();
    LightObject(const LightObject&) = delete;
    LightObject& operator=(const LightObject&) = delete;

    // Draws a switched-on light into whatever target is bound: a faint white disc at depth 0.
    void Render() const;

    KelpForge::Math::Vector2 mPosition; // centre, world units
    float mRadius;                      // world units
    bool mIsOn = true;
};

// Every existing light, in the order they registered, except that a removal moves the last light
// into the freed place. The registry owns none of them.
[[nodiscard]] const std::vector<LightObject*>& GetLights();

} // namespace Gloamshot

#endif
