#ifndef KELP_FORGE_TESTS_GAME_PROBE_SCENE_HPP
#define KELP_FORGE_TESTS_GAME_PROBE_SCENE_HPP

// A scene for tests that writes its hook calls into a shared log ("open A", "close A",
// "simulate A", "update A") and can run extra code when it simulates.

#include "kelp_forge/game/kf_game_scene.hpp"
#include "kf_probe_entity.hpp"

#include <functional>
#include <string>
#include <utility>

namespace KelpForge::Testing
{

class ProbeScene : public Game::GameScene
{
public:
    ProbeScene(std::string name, EventLog& log) : mName(std::move(name)), mLog(log) {}

    std::function<void()> onSimulate;

protected:
    void OnOpen() override
    {
        GameScene::OnOpen();
        mLog.push_back("open " + mName);
    }
    void OnClose() override
    {
        GameScene::OnClose();
        mLog.push_back("close " + mName);
    }
    void OnSimulate() override
    {
        mLog.push_back("simulate " + mName);
        if (onSimulate)
        {
            onSimulate();
        }
        GameScene::OnSimulate();
    }
    void OnUpdate(float deltaTime) override
    {
        mLog.push_back("update " + mName);
        GameScene::OnUpdate(deltaTime);
    }

private:
    std::string mName;
    EventLog& mLog;
};

} // namespace KelpForge::Testing

#endif
