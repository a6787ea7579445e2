#ifndef KELP_FORGE_GAME_ENTITY_MANAGER_HPP
#define KELP_FORGE_GAME_ENTITY_MANAGER_HPP

#include "kelp_forge/game/kf_entity.hpp"
#include "kelp_forge/graphics/kf_graphic_list.hpp"

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

namespace kfImplementation
{
class BroadPhase;
struct CollisionBound;
} // namespace kfImplementation

namespace KelpForge::Game
{

// Keeps the entities of a scene: draws and updates them as members of its graphic list (by depth),
// simulates them in the order they were added, runs one pairwise collision pass after every
// simulation step and indexes them by type name.
//
// Ownership follows the overload: AddEntity(Entity&) only refers to the entity, which the caller
// keeps alive while it is managed; AddEntity(Entity*) hands it over, and the manager deletes it
// when it leaves the manager or when the manager is destroyed.
//
// While the manager walks its entities (Simulate, Update) removals wait until the walk is over, so
// an entity may remove itself or others from its own hooks. Additions never wait: an entity added
// during a walk is reached by that same walk.
//
// The collision pass calls the hooks of exactly the pairs, and in exactly the order, of a test of
// every collidable pair in list order, but its cost grows with the entities and their contacts
// rather than with the pairs. A hook may move entities, switch them, add volumes or entities: the
// pairs still to come are tested as they stand then.
class EntityManager : public Graphics::GraphicList
{
public:
    EntityManager();
    // Deletes the owned entities and lets the others go, without calling OnRemove.
    ~EntityManager() override = 0;

    // Refused (reported) when the entity already belongs to a manager: ownership is then not taken.
    void AddEntity(Entity& entity);
    void AddEntity(Entity* entity);
    // Takes the entity out now, or at the end of the current walk. An entity that this manager does
    // not hold is ignored, and asking twice in one walk removes (and deletes) it once.
    void RemoveEntity(Entity* entity);
    // Every entity of that type, or every entity for the empty string.
    void RemoveEntities(const std::string& entityType);
    void ClearEntities() { RemoveEntities(std::string()); }

    // A copy of the entities indexed under that type, in the order they were indexed; empty for an
    // unknown type (the index is left as it was).
    [[nodiscard]] std::list<Entity*> GetEntitiesByType(const std::string& entityType) const;

    // Calls OnSimulate(): one fixed simulation step.
    void Simulate() { OnSimulate(); }

protected:
    // The graphic list's update of every member, entities included; removals wait until it ends.
    void OnUpdate(float deltaTime) override;
    // Simulates every entity in order of adding, then runs the collision pass, then removes what
    // was asked to go during both.
    virtual void OnSimulate();

private:
    friend class Entity;

    void AdoptEntity(Entity* entity, bool isOwned);
    void RemoveEntityNow(Entity* entity);
    // Unlinks the entity from every list without notifying it; the entity is being destroyed.
    void ForgetEntity(Entity* entity);
    void IndexEntity(Entity* entity);
    void UnindexEntity(Entity* entity);
    void ReindexEntity(Entity* entity);
    void RunCollisionPass();
    void RunBroadPhasePairs();
    // Every collidable pair in list order, for crowds where nearly every pair overlaps.
    void RunEveryPair();
    // Tests one pair as it stands now and calls both hooks if it collides.
    void CallHooksIfColliding(Entity& first, Entity& second);
    // Called by the entity whenever its position, volumes or switch change.
    void NoteCollisionChange(Entity& entity);
    [[nodiscard]] static kfImplementation::CollisionBound CollisionBoundOf(const Entity& entity);
    // BeginWalk returns whether removals were allowed before it, for EndWalk to restore.
    [[nodiscard]] bool BeginWalk();
    void EndWalk(bool wasSafeToRemove);
    void FlushRemovals();

    enum class CollisionPass
    {
        kNone,
        kBroadPhase,
        kEveryPair,
    };

    // Simulation and collision order. While walking, an entity destroyed under the manager leaves
    // a null in its place, which EndWalk sweeps out.
    std::vector<Entity*> mEntities;
    std::unique_ptr<kfImplementation::BroadPhase> mBroadPhase;
    CollisionPass mCollisionPass = CollisionPass::kNone;
    unsigned int mPassesLeftInCrowd = 0;
    // Counts the changes that the broad phase was told of, so a pass sees whether a hook made any.
    std::uint64_t mCollisionChanges = 0;
    std::unordered_set<Entity*> mOwnedEntities;
    std::set<Entity*> mPendingRemovals;
    std::map<std::string, std::list<Entity*>> mEntitiesByType;
    bool mIsSafeToRemove = true;
};

} // namespace KelpForge::Game

#endif
