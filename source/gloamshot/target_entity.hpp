#ifndef GLOAMSHOT_TARGET_ENTITY_HPP
#define GLOAMSHOT_TARGET_ENTITY_HPP

#include "kelp_forge/game/kf_entity.hpp"
#include "kelp_forge/math/kf_vector2.hpp"

#include <string>

namespace Gloamshot
{

// Something in the level an arrow can hit, once: the first arrow that touches it switches its
// collisions off and calls OnHit, so several arrows touching it in one step hit it once.
class TargetEntity : public KelpForge::Game::Entity
{
public:
    static inline const std::string sEntityType = "TargetEntity";

    // One bounding circle of hitRadius centred on position.
    TargetEntity(const KelpForge::Math::Vector2& position, float hitRadius);
    ~TargetEntity() override = 0;

protected:
    void OnCollideWith(KelpForge::Game::Entity& other) override;
    virtual void OnHit() = 0;

    float mHitRadius;
};

} // namespace Gloamshot

#endif
