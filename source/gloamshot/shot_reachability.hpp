#ifndef GLOAMSHOT_SHOT_REACHABILITY_HPP
#define GLOAMSHOT_SHOT_REACHABILITY_HPP

// Where each of the archer's 60 possible shots (12 aim directions by 5 power levels) goes in a
// level, found without a window by flying it with the game's own arrow step, cave walls and the
// framework's circle test: which spiders and lanterns it touches, and whether it ends in a wall.
// The tests prove a level winnable with it; the shot planning tool tells a driver of the real game
// which drag hits what.
//
// A shot that sticks in a wall plays "arrow_hit_ground": with no audio table loaded that is
// reported as a missing table (nothing happens without an error handler), with the game's table it
// plays on whatever OpenAL device the process has.

#include "gloamshot/level_file.hpp"

#include "kelp_forge/math/kf_vector2.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Gloamshot
{

struct Shot
{
    std::uint8_t aimIndex = 0;
    std::uint8_t powerLevel = 0;

    bool operator==(const Shot&) const = default;
};

struct TargetTouch
{
    std::size_t objectIndex = 0; // the spider or lantern, as an index into the level's objects
    std::uint32_t step = 0;      // the first step (1 = the step of the shot) that ends touching it
};

struct ShotOutcome
{
    Shot shot;
    // Every target the arrow touches on its way, in the order of first touch. The arrow flies on
    // through targets, as in the game, until it sticks or leaves the world.
    std::vector<TargetTouch> touches;
    bool endsInWall = false;              // stuck in a cave wall, rather than gone out of the world
    std::uint32_t steps = 0;              // steps until it stuck or left
    KelpForge::Math::Vector2 endPosition; // where it stuck or left, world units
};

// Every shot from shootingPoint (the bow's pivot, world units), aim index by aim index and power
// level by power level.
[[nodiscard]] std::vector<ShotOutcome> FlyEveryShot(const LevelDescription& level,
                                                    const KelpForge::Math::Vector2& shootingPoint);

// Where to let go of the mouse button, in whole window pixels, for the archer at shootingPoint to
// fire shot: the middle of its aim band and of its power band, rounded, and read back through the
// archer's own rules. Nothing where rounding leaves either band.
[[nodiscard]] std::optional<KelpForge::Math::Vector2>
ReleasePointOfShot(const Shot& shot, const KelpForge::Math::Vector2& shootingPoint);

// The bow's pivot of the archer standing at its start position, placed by the size of the sprite
// "archer" in the sprite sheet file; reported as a data error when the sheet has no such sprite.
[[nodiscard]] KelpForge::Math::Vector2 ShootingPointFromSpriteSheet(const std::string& spriteSheetFile);

} // namespace Gloamshot

#endif
