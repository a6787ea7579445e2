#include "kelp_forge/game/kf_entity_manager.hpp"

#include "kelp_forge/core/kf_error.hpp"

#include <algorithm>
#include <cmath>

namespace KelpForge::Game
{
namespace
{

// Relative widening of an entity's reach; float rounding is about 6e-8 of the values involved.
constexpr float kReachSlack = 1e-5f;

} // namespace

EntityManager::~EntityManager()
{
    // Let every entity go first, so that an owned entity's destructor finds no manager to call
    // back into, then delete the owned ones in order of adding.
    for (Entity* entity : mEntities)
    {
        if (entity != nullptr)
        {
            entity->mEntityManager = nullptr;
        }
    }
    for (Entity* entity : mEntities)
    {
        if (entity != nullptr && mOwnedEntities.contains(entity))
        {
            delete entity;
        }
    }
}

void EntityManager::AddEntity(Entity& entity)
{
    AdoptEntity(&entity, false);
}

void EntityManager::AddEntity(Entity* entity)
{
    AdoptEntity(entity, true);
}

void EntityManager::RemoveEntity(Entity* entity)
{
    kf_error_if(entity == nullptr, "kfExternalError: Expected entity to be a valid pointer.");
    // Only entities held here are taken: clearing the manager of another manager's entity would
    // leave that manager holding an entity that thinks it is free.
    if (entity == nullptr || entity->mEntityManager != this)
    {
        return;
    }
    if (mIsSafeToRemove)
    {
        RemoveEntityNow(entity);
    }
    else
    {
        mPendingRemovals.insert(entity);
    }
}

void EntityManager::RemoveEntities(const std::string& entityType)
{
    if (entityType.empty())
    {
        for (Entity* entity : mEntities)
        {
            if (entity != nullptr)
            {
                mPendingRemovals.insert(entity);
            }
        }
    }
    else
    {
        const auto typeEntry = mEntitiesByType.find(entityType);
        if (typeEntry != mEntitiesByType.end())
        {
            mPendingRemovals.insert(typeEntry->second.begin(), typeEntry->second.end());
        }
    }
    if (mIsSafeToRemove)
    {
        FlushRemovals();
    }
}

std::list<Entity*> EntityManager::GetEntitiesByType(const std::string& entityType) const
{
    const auto typeEntry = mEntitiesByType.find(entityType);
    return typeEntry != mEntitiesByType.end() ? typeEntry->second : std::list<Entity*>();
}

void EntityManager::OnUpdate(float deltaTime)
{
    const bool wasSafeToRemove = BeginWalk();
    GraphicList::OnUpdate(deltaTime);
    EndWalk(wasSafeToRemove);
}

void EntityManager::OnSimulate()
{
    const bool wasSafeToRemove = BeginWalk();
    // Indexing rather than iterators: entities added by a hook are appended and reached here.
    for (std::size_t index = 0; index < mEntities.size(); ++index)
    {
        if (Entity* const entity = mEntities[index])
        {
            entity->Simulate();
        }
    }
    RunCollisionPass();
    EndWalk(wasSafeToRemove);
}

void EntityManager::AdoptEntity(Entity* entity, bool isOwned)
{
    kf_error_if(entity == nullptr, "kfExternalError: Expected entity to be a valid pointer.");
    if (entity == nullptr)
    {
        return;
    }
    // Managing it twice would simulate it twice and, if owned, delete it twice.
    const bool isManaged = entity->mEntityManager != nullptr;
    kf_error_if(isManaged,
                "kfExternalError: Cannot add this entity to an entity manager, it is already being "
                "managed.");
    if (isManaged)
    {
        return;
    }
    if (isOwned)
    {
        mOwnedEntities.insert(entity);
    }
    mEntities.push_back(entity);
    IndexEntity(entity);
    AddGraphic(*entity);
    entity->mEntityManager = this;
    entity->OnAdd();
}

void EntityManager::RemoveEntityNow(Entity* entity)
{
    RemoveGraphic(entity);
    std::erase(mEntities, entity);
    UnindexEntity(entity);
    mPendingRemovals.erase(entity);

    entity->OnRemove();
    entity->mEntityManager = nullptr;

    if (mOwnedEntities.erase(entity) > 0)
    {
        delete entity;
    }
}

void EntityManager::ForgetEntity(Entity* entity)
{
    RemoveGraphic(entity);
    if (mIsSafeToRemove)
    {
        std::erase(mEntities, entity);
    }
    else
    {
        // Erasing would shift the entities under the running walk's index.
        std::replace(mEntities.begin(), mEntities.end(), entity, static_cast<Entity*>(nullptr));
    }
    UnindexEntity(entity);
    mPendingRemovals.erase(entity);
    mOwnedEntities.erase(entity);
    entity->mEntityManager = nullptr;
}

void EntityManager::IndexEntity(Entity* entity)
{
    for (const std::string& entityType : entity->mEntityTypes)
    {
        mEntitiesByType[entityType].push_back(entity);
    }
}

void EntityManager::UnindexEntity(Entity* entity)
{
    for (const std::string& entityType : entity->mEntityTypes)
    {
        const auto typeEntry = mEntitiesByType.find(entityType);
        if (typeEntry == mEntitiesByType.end())
        {
            continue;
        }
        typeEntry->second.remove(entity);
        if (typeEntry->second.empty())
        {
            mEntitiesByType.erase(typeEntry);
        }
    }
}

void EntityManager::ReindexEntity(Entity* entity)
{
    UnindexEntity(entity);
    IndexEntity(entity);
}

void EntityManager::RunCollisionPass()
{
    ReadCollisionBounds(0);
    // Indexing rather than iterators: a hook may add entities (appended, so they take part) or
    // destroy them (left as nulls until EndWalk).
    for (std::size_t firstIndex = 0; firstIndex < mEntities.size(); ++firstIndex)
    {
        for (std::size_t secondIndex = firstIndex + 1; secondIndex < mEntities.size(); ++secondIndex)
        {
            const CollisionBound& first = mCollisionBounds[firstIndex];
            if (!first.isCollidable)
            {
                break;
            }
            const CollisionBound& second = mCollisionBounds[secondIndex];
            if (!second.isCollidable)
            {
                continue;
            }
            const float reach = first.reach + second.reach;
            if ((second.position - first.position).LengthSquared() <= reach * reach)
            {
                TestPair(firstIndex, secondIndex);
            }
        }
    }
}

void EntityManager::TestPair(std::size_t firstIndex, std::size_t secondIndex)
{
    Entity* const first = mEntities[firstIndex];
    Entity* const second = mEntities[secondIndex];
    if (first == second)
    {
        kf_error("kfInternalError: Should never do collision against the same entity.");
        return;
    }
    // The exact test reads both entities afresh.
    if (first->IsCollidingWith(*second))
    {
        first->OnCollideWith(*second);
        second->OnCollideWith(*first);
        // The hooks may have moved entities, switched them off, added or destroyed some. The
        // entities before the first one take part in no further pair.
        ReadCollisionBounds(firstIndex);
    }
}

void EntityManager::ReadCollisionBounds(std::size_t fromIndex)
{
    mCollisionBounds.resize(mEntities.size());
    for (std::size_t index = fromIndex; index < mEntities.size(); ++index)
    {
        const Entity* const entity = mEntities[index];
        CollisionBound& bound = mCollisionBounds[index];
        if (entity == nullptr)
        {
            bound.isCollidable = false;
            continue;
        }
        bound.position = entity->GetPosition();
        // Widened well past the rounding of the exact test, which grows with the coordinates, so
        // that the bounds never keep apart a pair the exact test would find colliding.
        const float slack =
            kReachSlack * (std::fabs(bound.position.x) + std::fabs(bound.position.y) + entity->mReach + 1.0f);
        bound.reach = entity->mReach + slack;
        bound.isCollidable = entity->mIsCollidable;
    }
}

bool EntityManager::BeginWalk()
{
    const bool wasSafeToRemove = mIsSafeToRemove;
    mIsSafeToRemove = false;
    return wasSafeToRemove;
}

void EntityManager::EndWalk(bool wasSafeToRemove)
{
    // A walk nested in another (a hook that updates its own manager) leaves the sweeping and the
    // removals to the outer one.
    if (!wasSafeToRemove)
    {
        return;
    }
    std::erase(mEntities, nullptr);
    mIsSafeToRemove = true;
    FlushRemovals();
}

void EntityManager::FlushRemovals()
{
    // One at a time from the front: an entity's OnRemove may remove others, which leave the set.
    while (!mPendingRemovals.empty())
    {
        Entity* const entity = *mPendingRemovals.begin();
        mPendingRemovals.erase(mPendingRemovals.begin());
        RemoveEntityNow(entity);
    }
}

} // namespace KelpForge::Game
