#include "gloamshot/scene_manager.hpp"

#include "game_content.hpp"

#include "kelp_forge/application/implementation/kfi_input_state.hpp"
#include "kelp_forge/game/implementation/kfi_scene_director.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <map>

using KelpForge::Application::kKeySpace;
using kfImplementation::SceneDirector;
using namespace Gloamshot;
using namespace Gloamshot::Testing;

namespace
{

// Space goes down (true) or up (false) at the steps given.
using SpaceChanges = std::map<int, bool>;

// Runs one-step frames on the open scene until it asks for next; the step that asked, or 0 after
// lastStep steps. afterStep sees every step.
int StepsUntilRequested(KelpForge::Game::GameScene& next, int lastStep, const SpaceChanges& space,
                        const std::function<void(int step)>& afterStep)
{
    for (int step = 1; step <= lastStep; ++step)
    {
        RunFrame(0.01f,
                 [&]
                 {
                     const auto change = space.find(step);
                     if (change != space.end())
                     {
                         change->second ? kfImplementation::OnKeyDown(kKeySpace)
                                        : kfImplementation::OnKeyUp(kKeySpace);
                     }
                 });
        afterStep(step);
        if (SceneDirector::GetRequestedScene() == &next)
        {
            return step;
        }
    }
    return 0;
}

} // namespace

TEST_F(GameFixture, SplashFadesForFourSecondsAndASkipJumpsToTheFadeOut)
{
    KelpForge::Game::GameScene& splash = SceneManager::GetScene(kSplashScene);
    const struct
    {
        int releaseStep;
        int requestStep;
        std::map<int, float> alphaAfterStep;
    } cases[] = {{0, 400, {{50, 0.5f}, {200, 1.0f}, {390, 0.2f}}},
                 {21, 70, {{20, 0.2f}, {21, 0.98f}}},
                 {360, 400, {{361, 0.78f}}}};
    for (const auto& testCase : cases)
    {
        OpenScene(splash);
        std::map<int, float> alphas;
        const auto recordAlpha = [&](int step) { alphas[step] = splash.GetColor().GetAlpha(); };
        const SpaceChanges skip = {{testCase.releaseStep - 1, true}, {testCase.releaseStep, false}};
        EXPECT_EQ(StepsUntilRequested(SceneManager::GetScene(kTitleScene), 500, skip, recordAlpha),
                  testCase.requestStep)
            << "release in step " << testCase.releaseStep;
        for (const auto& [step, alpha] : testCase.alphaAfterStep)
        {
            EXPECT_NEAR(alphas[step], alpha, 1e-4f) << "step " << step;
        }
    }
}

TEST_F(GameFixture, TitleFadesInOverFiftyStepsAndSpaceStartsPlayFiftyStepsLater)
{
    KelpForge::Game::GameScene& title = SceneManager::GetScene(kTitleScene);
    KelpForge::Game::GameScene& gameplay = SceneManager::GetScene(kGameplayScene);
    std::map<int, float> alphas;
    const auto recordAlpha = [&](int step) { alphas[step] = title.GetColor().GetAlpha(); };

    OpenScene(title);
    EXPECT_EQ(StepsUntilRequested(gameplay, 60, {}, recordAlpha), 0);
    EXPECT_NEAR(alphas[25], 0.48f, 1e-4f);
    EXPECT_NEAR(alphas[49], 0.96f, 1e-4f);
    EXPECT_EQ(alphas[50], 1.0f);

    // Pressed in the first step: the fade out starts from opaque whatever the fade in had reached,
    // and a second press while it runs changes nothing.
    OpenScene(title);
    EXPECT_EQ(StepsUntilRequested(gameplay, 60, {{1, true}, {10, false}, {20, true}}, recordAlpha), 51);
    EXPECT_EQ(alphas[2], 1.0f);
    EXPECT_NEAR(alphas[27], 0.5f, 1e-4f);
    EXPECT_EQ(alphas[51], 0.0f);
}
