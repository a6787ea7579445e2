#include "gloamshot/target_entity.hpp"

#include "entity_list.hpp"
#include "gloamshot/arrow_entity.hpp"

#include <gtest/gtest.h>

#include <vector>

using Gloamshot::Testing::EntityList;
using KelpForge::Game::Entity;
using KelpForge::Math::Vector2;
using namespace Gloamshot;

namespace
{

class CountingTarget : public TargetEntity
{
public:
    CountingTarget() : TargetEntity(Vector2(100.0f, 100.0f), 32.0f) {}
    int hits = 0;

protected:
    void OnHit() override { ++hits; }
};

// An arrow's collision circle without its picture, or another thing with the same circle.
class Probe : public Entity
{
public:
    Probe(const std::string& type, const Vector2& position) : Entity(type)
    {
        SetPosition(position);
        AddBoundingCircle(kArrowCollisionRadius, Vector2());
    }
};

} // namespace

TEST(TargetEntityTest, OnlyArrowsHitAndOnlyOncePerTarget)
{
    const struct
    {
        const char* name;
        std::vector<Vector2> arrows;
        const char* probeType;
        int hits;
    } cases[] = {
        {"two arrows in one step", {Vector2(100, 100), Vector2(110, 100)}, "ArrowEntity", 1},
        {"centres 39.9 apart", {Vector2(139.9f, 100)}, "ArrowEntity", 1},
        {"centres 40 apart only touch", {Vector2(140, 100)}, "ArrowEntity", 0},
        {"not an arrow", {Vector2(100, 100)}, "SpiderEntity", 0},
    };
    for (const auto& testCase : cases)
    {
        EntityList scene;
        CountingTarget target;
        scene.AddEntity(target);
        for (const Vector2& position : testCase.arrows)
        {
            scene.AddEntity(new Probe(testCase.probeType, position));
        }
        scene.Simulate();
        scene.Simulate();
        EXPECT_EQ(target.hits, testCase.hits) << testCase.name;
        EXPECT_EQ(target.IsCollidable(), testCase.hits == 0) << testCase.name;
    }
}
