#include "kelp_forge/game/kf_entity.hpp"

#include "kelp_forge/game/kf_entity_manager.hpp"
#include "kelp_forge/graphics/kf_basic_shapes.hpp"

#include <algorithm>

namespace KelpForge::Game
{

Entity::Entity(const std::string& entityType) : mEntityTypes{entityType} {}

Entity::~Entity()
{
    if (mEntityManager != nullptr)
    {
        mEntityManager->ForgetEntity(this);
    }
}

void Entity::AddEntityType(const std::string& entityType)
{
    // A second entry would list the entity twice under that type in its manager's index.
    if (IsEntityOfType(entityType))
    {
        return;
    }
    mEntityTypes.push_back(entityType);
    if (mEntityManager != nullptr)
    {
        mEntityManager->ReindexEntity(this);
    }
}

bool Entity::IsEntityOfType(const std::string& entityType) const
{
    return std::find(mEntityTypes.begin(), mEntityTypes.end(), entityType) != mEntityTypes.end();
}

void Entity::AddBoundingCircle(float radius, const Math::Vector2& center)
{
    mBoundingVolumes.push_back({Math::BoundingVolume(radius), center});
    // A radius of 0 or less never reaches beyond the centre.
    mReach = std::max(mReach, center.Length() + std::max(radius, 0.0f));
    mIsCollidable = true;
}

bool Entity::IsCollidingWith(const Entity& other) const
{
    if (!mIsCollidable || !other.mIsCollidable)
    {
        return false;
    }
    const Math::Vector2& position = GetPosition();
    const Math::Vector2& otherPosition = other.GetPosition();
    for (const PlacedVolume& mine : mBoundingVolumes)
    {
        for (const PlacedVolume& theirs : other.mBoundingVolumes)
        {
            if (mine.volume.IsIntersecting(position + mine.center, theirs.volume,
                                           otherPosition + theirs.center))
            {
                return true;
            }
        }
    }
    return false;
}

void Entity::Simulate()
{
    if (IsActive())
    {
        OnSimulate();
    }
}

void Entity::OnDebugRender()
{
    constexpr int kCircleSegments = 30;
    const Graphics::Color color(mIsCollidable ? 0x80FF0000u : 0x8000FF00u);
    // Entities are only ever given circles.
    for (const PlacedVolume& placed : mBoundingVolumes)
    {
        const float radius = placed.volume.GetRadius();
        Graphics::CircleShape circle(radius, color, placed.center, kCircleSegments);
        circle.SetOrigin(Math::Vector2(radius, radius));
        circle.Render();
    }
}

} // namespace KelpForge::Game
