#ifndef KELP_FORGE_GAME_ENTITY_HPP
#define KELP_FORGE_GAME_ENTITY_HPP

#include "kelp_forge/graphics/kf_graphic_list.hpp"
#include "kelp_forge/math/kf_vector2.hpp"
#include "kelp_forge/math/unstable/kfu_bounding_volume.hpp"

#include <list>
#include <string>
#include <vector>

namespace KelpForge::Game
{

class EntityManager;

// A game object that is also a drawable group: it carries its own graphics, one or more type names
// by which its manager finds it, and bounding volumes for the collision pass. Derive from it and
// override the On... hooks; the manager calls them once per fixed step (OnSimulate) and for every
// overlapping pair (OnCollideWith).
//
// An entity belongs to at most one EntityManager at a time. Destroying an entity that is still
// managed takes it out of its manager silently (without OnRemove), so an entity that is a member
// of its scene may be destroyed before the scene's entity lists are.
class Entity : public Graphics::GraphicList
{
public:
    explicit Entity(const std::string& entityType);
    ~Entity() override = 0;

    // Appends a type name; the manager, if any, re-indexes the entity under all its names. A name
    // the entity already has changes nothing.
    void AddEntityType(const std::string& entityType);
    // Exact, case-sensitive match with any of the entity's type names.
    [[nodiscard]] bool IsEntityOfType(const std::string& entityType) const;
    // In the order they were given, the constructor's first.
    [[nodiscard]] const std::list<std::string>& GetEntityTypes() const { return mEntityTypes; }
    // The manager the entity belongs to (not owned), or null.
    [[nodiscard]] EntityManager* GetEntityManager() const { return mEntityManager; }

    // Adds a circle of radius pixels whose centre lies at center relative to the entity's position,
    // and makes the entity collidable. A radius of 0 or less is reported and kept (such a circle
    // never overlaps a circle).
    void AddBoundingCircle(float radius, const Math::Vector2& center);
    // Adds a box of width by height pixels, aligned to the axes and centred at center relative to
    // the entity's position, and makes the entity collidable. Sizes of 0 or less are reported and
    // kept; a box whose height is 0 or less is a circle of radius width.
    void AddBoundingBox(float width, float height, const Math::Vector2& center);
    // A non-collidable entity stays managed and is only skipped by the collision pass.
    void SetCollidable(bool isCollidable);
    [[nodiscard]] bool IsCollidable() const { return mIsCollidable; }
    // True when both entities are collidable now and a volume of this entity overlaps a volume of
    // other, each placed at its entity's position plus its centre. Rotation and scale play no part.
    [[nodiscard]] bool IsCollidingWith(const Entity& other) const;

    // Calls OnSimulate() when the entity is active.
    void Simulate();

protected:
    // Once per fixed simulation step, in the order the entities were added to their manager.
    virtual void OnSimulate() {}
    // Called on both entities of an overlapping pair, this one first when it came first. Removing
    // or switching off collisions here is safe: removals wait for the end of the pass.
    virtual void OnCollideWith(Entity& /*other*/) {}
    // After the entity has joined a manager; GetEntityManager() already returns it.
    virtual void OnAdd() {}
    // When the entity leaves its manager; GetEntityManager() still returns it.
    virtual void OnRemove() {}
    // Draws every bounding volume as a half-transparent disc or box centred on its centre, red while
    // the entity is collidable and green while it is not. For debugging: call it from OnRender, where
    // the entity's transform applies (so, unlike collisions, the discs turn and scale with it).
    virtual void OnDebugRender();
    // A collision pass that is running learns of every move at once, however it was made, and
    // tests the pairs still to come where the entity is now. Overrides call this.
    void OnPositionChanged() override;

private:
    friend class EntityManager;

    struct PlacedVolume
    {
        Math::BoundingVolume volume;
        Math::Vector2 center;
    };

    void AddBoundingVolume(const Math::BoundingVolume& volume, const Math::Vector2& center);
    // Tells the manager, if any, that what the collision pass knows of this entity may be stale.
    void NoteCollisionChange();

    std::vector<PlacedVolume> mBoundingVolumes;
    // A circle and a box that enclose every volume, relative to the entity's position: the
    // collision pass skips the pairs whose enclosures are apart without reading their volumes.
    float mReach = 0.0f;
    Math::Vector2 mLowerCorner;
    Math::Vector2 mUpperCorner;
    std::list<std::string> mEntityTypes;
    EntityManager* mEntityManager = nullptr;
    // Where the running collision pass keeps this entity; valid while a pass runs.
    std::size_t mCollisionPassIndex = 0;
    bool mIsCollidable = false;
};

} // namespace KelpForge::Game

#endif
