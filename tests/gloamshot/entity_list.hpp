#ifndef GLOAMSHOT_TESTS_ENTITY_LIST_HPP
#define GLOAMSHOT_TESTS_ENTITY_LIST_HPP

#include "kelp_forge/game/kf_entity_manager.hpp"

namespace Gloamshot::Testing
{

// A plain manager of entities, as the gameplay scene is one without its pictures.
class EntityList : public KelpForge::Game::EntityManager
{
};

} // namespace Gloamshot::Testing

#endif
