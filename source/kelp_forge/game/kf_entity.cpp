#include "kelp_forge/game/kf_entity.hpp"

#include "kelp_forge/game/kf_entity_manager.hpp"
#include "kelp_forge/graphics/kf_basic_shapes.hpp"

#include <algorithm>
#include <cmath>

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

void Entity::OnPositionChanged()
{
    GraphicList::OnPositionChanged();
    NoteCollisionChange();
}

void Entity::AddBoundingCircle(float radius, const Math::Vector2& center)
{
    AddBoundingVolume(Math::BoundingVolume(radius), center);
}

void Entity::AddBoundingBox(float width, float height, const Math::Vector2& center)
{
    AddBoundingVolume(Math::BoundingVolume(width, height), center);
}

void Entity::SetCollidable(bool isCollidable)
{
    mIsCollidable = isCollidable;
    NoteCollisionChange();
}

void Entity::AddBoundingVolume(const Math::BoundingVolume& volume, const Math::Vector2& center)
{
    // Sizes of 0 or less are kept, and the exact test then still finds overlaps as far as their
    // magnitudes reach (two circles of radius -10 overlap 15 apart): the enclosures use the
    // magnitudes.
    Math::Vector2 halfSize;
    float reach = 0.0f;
    if (volume.IsBox())
    {
        halfSize = Math::Vector2(std::fabs(volume.GetWidth()), std::fabs(volume.GetHeight())) * 0.5f;
        reach = halfSize.Length();
    }
    else
    {
        reach = std::fabs(volume.GetRadius());
        halfSize = Math::Vector2(reach, reach);
    }
    const Math::Vector2 lowerCorner = center - halfSize;
    const Math::Vector2 upperCorner = center + halfSize;
    if (mBoundingVolumes.empty())
    {
        mLowerCorner = lowerCorner;
        mUpperCorner = upperCorner;
    }
    mLowerCorner =
        Math::Vector2(std::min(mLowerCorner.x, lowerCorner.x), std::min(mLowerCorner.y, lowerCorner.y));
    mUpperCorner =
        Math::Vector2(std::max(mUpperCorner.x, upperCorner.x), std::max(mUpperCorner.y, upperCorner.y));
    mReach = std::max(mReach, center.Length() + reach);
    mBoundingVolumes.push_back({volume, center});
    mIsCollidable = true;
    NoteCollisionChange();
}

void Entity::NoteCollisionChange()
{
    if (mEntityManager != nullptr)
    {
        mEntityManager->NoteCollisionChange(*this);
    }
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
    for (const PlacedVolume& placed : mBoundingVolumes)
    {
        if (placed.volume.IsBox())
        {
            const float width = placed.volume.GetWidth();
            const float height = placed.volume.GetHeight();
            Graphics::BoxShape box(width, height, color, placed.center);
            box.SetOrigin(Math::Vector2(width, height) * 0.5f);
            box.Render();
            continue;
        }
        const float radius = placed.volume.GetRadius();
        Graphics::CircleShape circle(radius, color, placed.center, kCircleSegments);
        circle.SetOrigin(Math::Vector2(radius, radius));
        circle.Render();
    }
}

} // namespace KelpForge::Game
