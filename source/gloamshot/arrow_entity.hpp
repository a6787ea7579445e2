#ifndef GLOAMSHOT_ARROW_ENTITY_HPP
#define GLOAMSHOT_ARROW_ENTITY_HPP

#include "gloamshot/arrow_flight.hpp"
#include "gloamshot/light_object.hpp"

#include "kelp_forge/game/kf_entity.hpp"
#include "kelp_forge/game/kf_game_timer.hpp"
#include "kelp_forge/graphics/kf_sprite.hpp"

#include <string>

namespace Gloamshot
{

// Radius of an arrow's bounding circle, flying or stuck.
inline constexpr float kArrowCollisionRadius = 8.0f;

// One shot arrow: flies under gravity, faces its flight, sticks in the first cave wall its path
// crosses and leaves the scene past the removal bounds. Its light shines at full glow for a second
// of flight, then (or once stuck, if sooner) fades to a small glow over two seconds.
class ArrowEntity : public KelpForge::Game::Entity
{
public:
    static inline const std::string sEntityType = "ArrowEntity";

    // Needs the sprite sheet "gloam_sheet". The entity is placed by its first step.
    ArrowEntity(const KelpForge::Math::Vector2& startPosition, const KelpForge::Math::Vector2& startVelocity);

protected:
    void OnUpdate(float deltaTime) override;
    void OnSimulate() override;

private:
    KelpForge::Graphics::Sprite mArrowSprite;
    ArrowFlight mFlight;
    LightObject mLight;
    KelpForge::Game::GameTimer mGlowTimer;
};

// The light's radius for what is left of the glow timer: 128 from 2000 ms up, easing down to 16
// at 0.
[[nodiscard]] float ArrowLightRadius(const KelpForge::Game::GameTimer& glowTimer);

} // namespace Gloamshot

#endif
