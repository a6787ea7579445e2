#ifndef KELP_FORGE_TESTS_GAME_DOUBLE_LOOP_HPP
#define KELP_FORGE_TESTS_GAME_DOUBLE_LOOP_HPP

// The collision pass as the plain double loop over every pair, the reference that the entity
// manager's pass is measured and checked against: for each entity in list order, each one after
// it, both hooks when both are collidable and collide. EntityType gives its hook as CollideWith.
// The list may grow while the loop runs; the entities added take part.

#include <cstddef>
#include <vector>

namespace KelpForge::Testing
{

template <typename EntityType> void RunDoubleLoop(const std::vector<EntityType*>& entities)
{
    for (std::size_t first = 0; first < entities.size(); ++first)
    {
        for (std::size_t second = first + 1; second < entities.size(); ++second)
        {
            EntityType& a = *entities[first];
            EntityType& b = *entities[second];
            if (a.IsCollidable() && b.IsCollidable() && a.IsCollidingWith(b))
            {
                a.CollideWith(b);
                b.CollideWith(a);
            }
        }
    }
}

} // namespace KelpForge::Testing

#endif
