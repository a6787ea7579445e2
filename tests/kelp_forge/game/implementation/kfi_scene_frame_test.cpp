#include "kelp_forge/game/implementation/kfi_scene_frame.hpp"

#include "kelp_forge/application/implementation/kfi_input_state.hpp"
#include "kelp_forge/game/kf_input_action.hpp"

#include <gtest/gtest.h>

using KelpForge::Application::kKeyD;
using KelpForge::Game::InputAction;

TEST(SceneFrameTest, InputActionsAreSampledOnceBeforeEveryStep)
{
    kfImplementation::UpdateInputState();
    InputAction action(kKeyD);
    kfImplementation::OnKeyDown(kKeyD);

    // No step: the press waits.
    kfImplementation::RunSceneFrame(0.005f);
    EXPECT_FALSE(action.IsDown());

    // One step sees the press.
    kfImplementation::RunSceneFrame(0.01f);
    EXPECT_TRUE(action.IsPressed());

    // A frame without a step keeps it; the next step sees it as held.
    kfImplementation::RunSceneFrame(0.0f);
    EXPECT_TRUE(action.IsPressed());
    kfImplementation::RunSceneFrame(0.01f);
    EXPECT_FALSE(action.IsPressed());
    EXPECT_TRUE(action.IsDown());

    // A release and a new press between two steps of one frame: the first step sees the release,
    // the second sees the press again.
    kfImplementation::OnKeyUp(kKeyD);
    kfImplementation::RunSceneFrame(0.01f);
    EXPECT_TRUE(action.IsReleased());
    kfImplementation::OnKeyDown(kKeyD);
    kfImplementation::RunSceneFrame(0.02f);
    EXPECT_FALSE(action.IsPressed()) << "two steps ran: the press was seen by the first only";
    EXPECT_TRUE(action.IsDown());
}
