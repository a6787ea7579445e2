#include "gloamshot/lantern_entity.hpp"

#include "gloamshot/content_names.hpp"

#include "kelp_forge/audio/kf_audio_manager.hpp"

namespace Gloamshot
{

LanternEntity::LanternEntity(const KelpForge::Math::Vector2& position)
    : TargetEntity(position, kLanternHitRadius), mLanternSprite(kSpriteSheetName, "lantern"),
      mLight(kUnlitLanternRadius)
{
    mLanternSprite.SetOrigin(KelpForge::Graphics::AnchorLocation::kAnchorCenter);
    AddGraphic(mLanternSprite);
}

void LanternEntity::OnUpdate(float deltaTime)
{
    TargetEntity::OnUpdate(deltaTime);
    mLight.mPosition = GetPosition();
}

void LanternEntity::OnHit()
{
    mLight.mRadius = kLitLanternRadius;
    KelpForge::Audio::theAudioManager.PlayEvent(kAudioTableName, kLanternLightEvent);
}

} // namespace Gloamshot
