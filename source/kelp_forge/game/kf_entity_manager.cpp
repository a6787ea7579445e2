#include "kelp_forge/game/kf_entity_manager.hpp"

#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/game/implementation/kfi_broad_phase.hpp"

#include <algorithm>

namespace KelpForge::Game
{
namespace
{

// Passes that test a crowd pair by pair before it is looked at again.
constexpr unsigned int kCrowdPasses = 7;

} // namespace

EntityManager::EntityManager() : mBroadPhase(std::make_unique<kfImplementation::BroadPhase>()) {}

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
    // A running pass takes it into its pairs still to come.
    entity->mCollisionPassIndex = mEntities.size() - 1;
    NoteCollisionChange(*entity);
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
    // A hook that simulates this manager again runs a pass inside the pass: that one tests every
    // pair itself and leaves the broad phase to the pass that built it.
    if (mCollisionPass != CollisionPass::kNone)
    {
        RunEveryPair();
        return;
    }
    // A crowd where nearly every pair overlaps is tested pair by pair; it is looked at again only
    // every few passes, as reading it costs a good part of testing it.
    if (mPassesLeftInCrowd > 0)
    {
        --mPassesLeftInCrowd;
        mCollisionPass = CollisionPass::kEveryPair;
        RunEveryPair();
        mCollisionPass = CollisionPass::kNone;
        return;
    }
    mBroadPhase->Begin(mEntities.size());
    for (std::size_t index = 0; index < mEntities.size(); ++index)
    {
        Entity* const entity = mEntities[index];
        if (entity == nullptr)
        {
            mBroadPhase->SetBound(index, kfImplementation::CollisionBound());
            continue;
        }
        entity->mCollisionPassIndex = index;
        mBroadPhase->SetBound(index, CollisionBoundOf(*entity));
    }
    mCollisionPass = mBroadPhase->Build() ? CollisionPass::kBroadPhase : CollisionPass::kEveryPair;
    if (mCollisionPass == CollisionPass::kBroadPhase)
    {
        RunBroadPhasePairs();
    }
    else
    {
        mPassesLeftInCrowd = kCrowdPasses;
        RunEveryPair();
    }
    mCollisionPass = CollisionPass::kNone;
}

// The pairs come out as from a test of every pair in list order, because:
// - While no hook runs nothing changes, and a bound always encloses its entity as it is now: the
//   bounds were read at the start of the pass, and every change since then (SetPosition,
//   SetCollidable, a volume added, an entity added) told NoteCollisionChange, which read that
//   entity's bound again and put it where every later search finds it.
// - So the candidates gathered for a row after its last hook call hold every pair of that row
//   still to come that can collide; the pairs left out would fail the exact test, and make no call
//   in the full double loop either. Each candidate is tested exactly as that loop tests it: both
//   switches and the exact overlap, read at that moment.
// - A hook call that changed anything ends the row's candidates: the rest of the row is gathered
//   again from the bounds as they are then. Later rows are gathered when they are reached.
// - Removals wait for the end of the walk, and an entity destroyed meanwhile leaves a null, which
//   is skipped as the double loop skips it.
void EntityManager::RunBroadPhasePairs()
{
    // Indexing rather than iterators: hooks may append entities, which take part.
    for (std::size_t firstIndex = 0; firstIndex < mEntities.size(); ++firstIndex)
    {
        std::size_t after = firstIndex;
        bool isRowStale = true;
        while (isRowStale)
        {
            isRowStale = false;
            for (const std::uint32_t secondIndex : mBroadPhase->Gather(firstIndex, after))
            {
                const std::uint64_t changesBefore = mCollisionChanges;
                // Read from the list each time: a hook may have destroyed either.
                Entity* const first = mEntities[firstIndex];
                Entity* const second = mEntities[secondIndex];
                if (first != nullptr && second != nullptr)
                {
                    CallHooksIfColliding(*first, *second);
                }
                // A change may also have replaced the candidates under this loop.
                if (mCollisionChanges != changesBefore)
                {
                    after = secondIndex;
                    isRowStale = true;
                    break;
                }
            }
        }
    }
}

void EntityManager::RunEveryPair()
{
    for (std::size_t firstIndex = 0; firstIndex < mEntities.size(); ++firstIndex)
    {
        for (std::size_t secondIndex = firstIndex + 1; secondIndex < mEntities.size(); ++secondIndex)
        {
            Entity* const first = mEntities[firstIndex];
            if (first == nullptr || !first->mIsCollidable)
            {
                break;
            }
            Entity* const second = mEntities[secondIndex];
            if (second != nullptr && second->mIsCollidable)
            {
                CallHooksIfColliding(*first, *second);
            }
        }
    }
}

void EntityManager::CallHooksIfColliding(Entity& first, Entity& second)
{
    if (&first == &second)
    {
        kf_error("kfInternalError: Should never do collision against the same entity.");
        return;
    }
    if (first.IsCollidingWith(second))
    {
        first.OnCollideWith(second);
        second.OnCollideWith(first);
    }
}

void EntityManager::NoteCollisionChange(Entity& entity)
{
    if (mCollisionPass != CollisionPass::kBroadPhase)
    {
        return;
    }
    mBroadPhase->Update(entity.mCollisionPassIndex, CollisionBoundOf(entity));
    ++mCollisionChanges;
}

kfImplementation::CollisionBound EntityManager::CollisionBoundOf(const Entity& entity)
{
    return kfImplementation::CollisionBound::Around(entity.GetPosition(), entity.mReach, entity.mLowerCorner,
                                                    entity.mUpperCorner, entity.mIsCollidable);
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
