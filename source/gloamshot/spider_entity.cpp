#include "gloamshot/spider_entity.hpp"

#include "gloamshot/content_names.hpp"

#include "kelp_forge/game/kf_entity_manager.hpp"

namespace Gloamshot
{

SpiderEntity::SpiderEntity(const KelpForge::Math::Vector2& position)
    : TargetEntity(position, kSpiderHitRadius), mSpiderSprite(kSpriteSheetName, "spider")
{
    AddEntityType(sEntityType);
    mSpiderSprite.SetOrigin(KelpForge::Graphics::AnchorLocation::kAnchorCenter);
    AddGraphic(mSpiderSprite);
}

void SpiderEntity::OnHit()
{
    GetEntityManager()->RemoveEntity(this);
}

} // namespace Gloamshot
