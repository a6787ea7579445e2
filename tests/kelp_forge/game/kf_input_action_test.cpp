#include "kelp_forge/game/kf_input_action.hpp"

#include "kelp_forge/application/implementation/kfi_input_state.hpp"

#include <gtest/gtest.h>

using namespace KelpForge::Application;
using KelpForge::Game::InputAction;

namespace
{

struct ActionState
{
    bool isDown;
    bool isPressed;
    bool isReleased;
    bool operator==(const ActionState&) const = default;
};

ActionState StateOf(const InputAction& action)
{
    return ActionState{action.IsDown(), action.IsPressed(), action.IsReleased()};
}

constexpr ActionState kUp{false, false, false};
constexpr ActionState kJustPressed{true, true, false};
constexpr ActionState kHeld{true, false, false};
constexpr ActionState kJustReleased{false, false, true};

class InputActionTest : public testing::Test
{
protected:
    // Past the first input frame, which forgets everything recorded before it.
    void SetUp() override { kfImplementation::UpdateInputState(); }
};

} // namespace

TEST_F(InputActionTest, EdgesAreSampledPerStepNotPerFrame)
{
    InputAction action(kKeyA);
    kfImplementation::OnKeyDown(kKeyA);
    EXPECT_EQ(StateOf(action), kUp); // nothing sampled yet

    // Frames that run no step leave the press waiting for the next step.
    kfImplementation::UpdateInputState();
    kfImplementation::UpdateInputState();
    InputAction::UpdateInputActions();
    EXPECT_EQ(StateOf(action), kJustPressed);
    InputAction::UpdateInputActions();
    EXPECT_EQ(StateOf(action), kHeld);

    kfImplementation::OnKeyUp(kKeyA);
    EXPECT_EQ(StateOf(action), kHeld);
    InputAction::UpdateInputActions();
    EXPECT_EQ(StateOf(action), kJustReleased);
    InputAction::UpdateInputActions();
    EXPECT_EQ(StateOf(action), kUp);
}

TEST_F(InputActionTest, TwoKeysPressEitherWayAndReleaseWhileTheOtherIsHeld)
{
    InputAction action;
    action.AddBinding(kKeySpace);
    action.AddBinding(kMouseLeft);

    kfImplementation::OnKeyDown(kKeySpace);
    InputAction::UpdateInputActions();
    EXPECT_EQ(StateOf(action), kJustPressed);

    kfImplementation::OnKeyDown(kMouseLeft);
    InputAction::UpdateInputActions();
    EXPECT_TRUE(action.IsPressed()) << "the second key's press shows even while the first is held";
    EXPECT_TRUE(action.IsDown());

    kfImplementation::OnKeyUp(kKeySpace);
    InputAction::UpdateInputActions();
    EXPECT_EQ(StateOf(action), (ActionState{true, false, true}));

    kfImplementation::OnKeyUp(kMouseLeft);
    InputAction::UpdateInputActions();
    EXPECT_EQ(StateOf(action), kJustReleased);
}

TEST_F(InputActionTest, ActionsOnTheSameKeyShareItsSamples)
{
    InputAction first(kKeyEscape);
    InputAction second(kKeyEscape);
    kfImplementation::OnKeyDown(kKeyEscape);
    InputAction::UpdateInputActions();
    EXPECT_EQ(StateOf(first), kJustPressed);
    EXPECT_EQ(StateOf(second), kJustPressed);

    // Binding the key again forgets what was sampled, for every action on it.
    InputAction third;
    third.AddBinding(kKeyEscape);
    EXPECT_EQ(StateOf(first), kUp);
    InputAction::UpdateInputActions();
    EXPECT_EQ(StateOf(first), kJustPressed);
}

TEST_F(InputActionTest, AnActionWithoutKeysIsNeverDown)
{
    InputAction action;
    kfImplementation::OnKeyDown(kKeyA);
    InputAction::UpdateInputActions();
    EXPECT_EQ(StateOf(action), kUp);
}
