#include "gloamshot/target_entity.hpp"

#include "gloamshot/arrow_entity.hpp"

namespace Gloamshot
{

TargetEntity::TargetEntity(const KelpForge::Math::Vector2& position, float hitRadius)
    : Entity(sEntityType), mHitRadius(hitRadius)
{
    SetPosition(position);
    AddBoundingCircle(mHitRadius, KelpForge::Math::Vector2());
}

TargetEntity::~TargetEntity() = default;

void TargetEntity::OnCollideWith(KelpForge::Game::Entity& other)
{
    Entity::OnCollideWith(other);
    if (other.IsEntityOfType(ArrowEntity::sEntityType))
    {
        SetCollidable(false);
        OnHit();
    }
}

} // namespace Gloamshot
