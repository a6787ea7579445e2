#ifndef GLOAMSHOT_TESTS_SHOT_REACHABILITY_HPP
#define GLOAMSHOT_TESTS_SHOT_REACHABILITY_HPP

// Which of the archer's 60 possible shots (12 aim directions by 5 power levels) hit each spider of
// a level, found without a window by flying every shot with the game's own arrow step, cave walls
// and the framework's circle test.
//
// A shot that sticks in a wall plays "arrow_hit_ground": with no audio table loaded that is
// reported as a missing table (nothing happens without an error handler), with the game's table it
// plays on whatever OpenAL device the process has.

#include "gloamshot/level_file.hpp"

#include "kelp_forge/game/kf_entity_manager.hpp"
#include "kelp_forge/math/kf_vector2.hpp"

#include <cstdint>
#include <vector>

namespace Gloamshot::Testing
{

// A plain manager of entities, as the gameplay scene is one without its pictures.
class EntityList : public KelpForge::Game::EntityManager
{
};

struct Shot
{
    std::uint8_t aimIndex = 0;
    std::uint8_t powerLevel = 0;

    bool operator==(const Shot&) const = default;
};

// For each spider of level, in the order of its objects, the shots from shootingPoint (the bow's
// pivot, world units) whose arrow touches it at the end of some step: while flying, or where it
// stuck. The arrow flies on through spiders, as in the game, until it sticks or leaves the world.
[[nodiscard]] std::vector<std::vector<Shot>>
FindShotsHittingSpiders(const LevelDescription& level, const KelpForge::Math::Vector2& shootingPoint);

} // namespace Gloamshot::Testing

#endif
