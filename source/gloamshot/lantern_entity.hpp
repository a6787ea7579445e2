#ifndef GLOAMSHOT_LANTERN_ENTITY_HPP
#define GLOAMSHOT_LANTERN_ENTITY_HPP

#include "gloamshot/light_object.hpp"
#include "gloamshot/target_entity.hpp"

#include "kelp_forge/graphics/kf_sprite.hpp"

namespace Gloamshot
{

inline constexpr float kLanternHitRadius = 32.0f;
inline constexpr float kUnlitLanternRadius = 4.0f;
inline constexpr float kLitLanternRadius = 192.0f;

// A lantern of the level: a faint glow until an arrow hits it, then a wide light for as long as the
// level lasts. Lanterns do not count for winning.
class LanternEntity : public TargetEntity
{
public:
    // Needs the sprite sheet "gloam_sheet".
    explicit LanternEntity(const KelpForge::Math::Vector2& position);

protected:
    void OnUpdate(float deltaTime) override;
    void OnHit() override;

private:
    KelpForge::Graphics::Sprite mLanternSprite;
    LightObject mLight;
};

} // namespace Gloamshot

#endif
