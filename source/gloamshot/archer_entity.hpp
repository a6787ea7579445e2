#ifndef GLOAMSHOT_ARCHER_ENTITY_HPP
#define GLOAMSHOT_ARCHER_ENTITY_HPP

#include "gloamshot/light_object.hpp"

#include "kelp_forge/game/kf_entity.hpp"
#include "kelp_forge/game/kf_input_action.hpp"
#include "kelp_forge/graphics/kf_screen.hpp"
#include "kelp_forge/graphics/kf_sprite.hpp"

#include <cstdint>
#include <string>

namespace Gloamshot
{

// The aim snaps to 12 directions from 15 degrees (up, a little right) clockwise in steps of
// 95/12 degrees; the pull distance to 5 speeds, one per 36 units of pull.
inline constexpr std::uint8_t kAimAngleCount = 12;
inline constexpr float kMinimumAimAngle = 15.0f;
inline constexpr float kAimAngleStep = 95.0f / 12.0f;
inline constexpr std::uint8_t kPowerLevelCount = 5;
inline constexpr float kPowerLevelStep = 36.0f;

// The archer's feet, in world units.
inline constexpr KelpForge::Math::Vector2 kArcherStartPosition(400.0f / 3.0f, 1760.0f / 3.0f);

// The index whose band of angles from up holds direction's: band i spans i to i + 1 aim steps from
// 0 degrees, and everything past the last band (leftward directions too) gives the last index.
[[nodiscard]] std::uint8_t AimIndexFromDirection(const KelpForge::Math::Vector2& direction);
// The unit direction that aim index stands for.
[[nodiscard]] KelpForge::Math::Vector2 DirectionFromAimIndex(std::uint8_t index);
// The power level for a pull of distance world units.
[[nodiscard]] std::uint8_t PowerLevelFromDistance(float distance);
// An arrow's launch speed at that power level, world units per second.
[[nodiscard]] float ArrowSpeedFromPowerLevel(std::uint8_t powerLevel);
// The bow's pivot, pixel (117, 130) of an archer picture of that size, relative to the picture's
// bottom centre (the archer's feet).
[[nodiscard]] KelpForge::Math::Vector2 BowAnchorOffset(KelpForge::Graphics::PixelSpace archerWidth,
                                                       KelpForge::Graphics::PixelSpace archerHeight);

// The player's archer. Pressing the left mouse button draws the bow, which then turns with the
// drag; releasing it shoots an arrow opposite to the drag, from the bow, into the archer's manager.
// A button already held when the archer joins a scene draws nothing.
class ArcherEntity : public KelpForge::Game::Entity
{
public:
    static inline const std::string sEntityType = "ArcherEntity";

    // Needs the sprite sheet "gloam_sheet".
    ArcherEntity();

    // Where the bow's pivot lies relative to the archer's feet.
    [[nodiscard]] KelpForge::Math::Vector2 BowAnchorOffset() const;

protected:
    void OnUpdate(float deltaTime) override;
    void OnSimulate() override;

private:
    void Shoot(const KelpForge::Math::Vector2& shootingPoint, const KelpForge::Math::Vector2& mouse);

    KelpForge::Graphics::Sprite mArcherSprite;
    KelpForge::Graphics::Sprite mBowSprite;
    LightObject mLight;
    KelpForge::Game::InputAction mShootAction;
    bool mIsDrawingBow = false;
};

} // namespace Gloamshot

#endif
