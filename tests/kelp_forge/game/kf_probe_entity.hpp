#ifndef KELP_FORGE_TESTS_GAME_PROBE_ENTITY_HPP
#define KELP_FORGE_TESTS_GAME_PROBE_ENTITY_HPP

// An entity for tests that writes every hook call into a shared log ("simulate A",
// "collide A with B", "add A", "remove A", "delete A") and can run extra code from its hooks.

#include "kelp_forge/game/kf_entity.hpp"
#include "kelp_forge/game/kf_entity_manager.hpp"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace KelpForge::Testing
{

using EventLog = std::vector<std::string>;

class ProbeEntity : public Game::Entity
{
public:
    ProbeEntity(std::string name, EventLog& log, const std::string& entityType = "ProbeEntity")
        : Entity(entityType), mName(std::move(name)), mLog(log)
    {
    }
    ~ProbeEntity() override { mLog.push_back("delete " + mName); }

    [[nodiscard]] const std::string& Name() const { return mName; }

    std::function<void()> onSimulate;
    std::function<void(Game::Entity& other)> onCollide;

protected:
    void OnSimulate() override
    {
        mLog.push_back("simulate " + mName);
        if (onSimulate)
        {
            onSimulate();
        }
    }
    void OnCollideWith(Game::Entity& other) override
    {
        mLog.push_back("collide " + mName + " with " + static_cast<ProbeEntity&>(other).Name());
        if (onCollide)
        {
            onCollide(other);
        }
    }
    void OnAdd() override { mLog.push_back("add " + mName); }
    void OnRemove() override { mLog.push_back("remove " + mName); }

private:
    std::string mName;
    EventLog& mLog;
};

class ProbeEntityManager : public Game::EntityManager
{
};

} // namespace KelpForge::Testing

#endif
