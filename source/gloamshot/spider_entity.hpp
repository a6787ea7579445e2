#ifndef GLOAMSHOT_SPIDER_ENTITY_HPP
#define GLOAMSHOT_SPIDER_ENTITY_HPP

#include "gloamshot/target_entity.hpp"

#include "kelp_forge/graphics/kf_sprite.hpp"

#include <string>

namespace Gloamshot
{

inline constexpr float kSpiderHitRadius = 32.0f;

// A spider of the level: every one must be shot to win. A hit spider leaves its manager at the end
// of that step and is deleted if the manager owns it.
class SpiderEntity : public TargetEntity
{
public:
    static inline const std::string sEntityType = "SpiderEntity";

    // Needs the sprite sheet "gloam_sheet".
    explicit SpiderEntity(const KelpForge::Math::Vector2& position);

protected:
    void OnHit() override;

private:
    KelpForge::Graphics::Sprite mSpiderSprite;
};

} // namespace Gloamshot

#endif
