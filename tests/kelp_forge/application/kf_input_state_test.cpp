#include "kelp_forge/application/kf_input_state.hpp"

#include "kelp_forge/application/implementation/kfi_input_state.hpp"
#include "kelp_forge/application/implementation/linux/kfi_linux_test_events.hpp"
#include "kelp_forge/application/kf_realtime_application.hpp"
#include "support/kf_error_recorder.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

using namespace KelpForge::Application;
using KelpForge::Testing::ErrorRecorder;
namespace Testing = kfImplementation::Testing;

namespace
{

// Runs one script step per frame: step i runs inside the i-th OnRealtimeUpdate, so the events it
// pushes are delivered by the pump of the next frame. The frame closes after the last step.
class ScriptedHandler : public ApplicationHandlerInterface
{
public:
    explicit ScriptedHandler(std::vector<std::function<void()>> steps) : mSteps(std::move(steps)) {}

    void OnRealtimeUpdate() override
    {
        if (mNextStep < mSteps.size())
        {
            mSteps[mNextStep++]();
        }
        if (mNextStep == mSteps.size())
        {
            mApplication->Close();
        }
    }

    void RunScript()
    {
        RealtimeApplication application(*this);
        mApplication = &application;
        application.Open();
        application.Run();
        mApplication = nullptr;
    }

    [[nodiscard]] size_t StepsRun() const { return mNextStep; }

private:
    std::vector<std::function<void()>> mSteps;
    size_t mNextStep = 0;
    RealtimeApplication* mApplication = nullptr;
};

struct KeyState
{
    bool isDown;
    bool isPressed;
    bool isReleased;
    bool operator==(const KeyState&) const = default;
};

KeyState StateOf(Key key)
{
    return KeyState{IsKeyDown(key), IsKeyPressed(key), IsKeyReleased(key)};
}

constexpr KeyState kUp{false, false, false};
constexpr KeyState kJustPressed{true, true, false};
constexpr KeyState kHeld{true, false, false};
constexpr KeyState kJustReleased{false, false, true};

} // namespace

TEST(InputStateTest, EdgesCompareWithTheStateAtTheStartOfTheFrame)
{
    kfImplementation::UpdateInputState();
    EXPECT_EQ(StateOf(kKeyA), kUp);
    kfImplementation::OnKeyDown(kKeyA);
    EXPECT_EQ(StateOf(kKeyA), kJustPressed);
    kfImplementation::UpdateInputState();
    EXPECT_EQ(StateOf(kKeyA), kHeld);
    kfImplementation::OnKeyUp(kKeyA);
    EXPECT_EQ(StateOf(kKeyA), kJustReleased);
    kfImplementation::UpdateInputState();
    EXPECT_EQ(StateOf(kKeyA), kUp);
}

TEST(InputStateTest, AKeyHeldBeforeTheFirstFrameReadsAsUp)
{
    kfImplementation::OnKeyDown(kKeySpace);
    kfImplementation::OnKeyDown(kMouseLeft);
    kfImplementation::UpdateInputState();
    EXPECT_EQ(StateOf(kKeySpace), kUp);
    EXPECT_EQ(StateOf(kMouseLeft), kUp);

    // Only the first frame forgets.
    kfImplementation::OnKeyDown(kKeySpace);
    kfImplementation::UpdateInputState();
    EXPECT_EQ(StateOf(kKeySpace), kHeld);
}

TEST(InputStateTest, KeysOutsideTheKnownRangeAreReportedAndReadAsUp)
{
    ErrorRecorder recorder;
    kfImplementation::UpdateInputState();
    const Key unknown = static_cast<Key>(kNumberOfKeys);
    kfImplementation::OnKeyDown(unknown);
    EXPECT_FALSE(IsKeyDown(unknown));
    EXPECT_FALSE(IsKeyPressed(static_cast<Key>(-1)));
    ASSERT_EQ(recorder.Messages().size(), 3u);
    EXPECT_EQ(recorder.Messages()[0], "kfExternalError: Key 46 is not one of the 46 known keys.");
    EXPECT_EQ(recorder.Messages()[2], "kfExternalError: Key -1 is not one of the 46 known keys.");
    EXPECT_FALSE(IsKeyDown(kMouseMiddle));
}

TEST(InputStateTest, MousePositionIsKeptAsStoredAndConvertedToFloats)
{
    kfImplementation::SetMousePosition(-5, 700);
    int x = 0;
    int y = 0;
    GetMousePosition(x, y);
    EXPECT_EQ(x, -5);
    EXPECT_EQ(y, 700);
    EXPECT_EQ(GetMousePosition(), KelpForge::Math::Vector2(-5.0f, 700.0f));
}

TEST(InputStateTest, HoldingAKeyPressesOnceAndAutoRepeatChangesNothing)
{
    std::vector<KeyState> seen;
    ScriptedHandler handler({
        [&] { Testing::PushKeyEvent(SDLK_a, true); },
        [&]
        {
            seen.push_back(StateOf(kKeyA));
            Testing::PushKeyEvent(SDLK_a, true, true);
        },
        [&]
        {
            seen.push_back(StateOf(kKeyA));
            Testing::PushKeyEvent(SDLK_a, false);
        },
        [&]
        {
            seen.push_back(StateOf(kKeyA));
            // A repeat arriving for a released key is not a press either.
            Testing::PushKeyEvent(SDLK_a, true, true);
        },
        [&] { seen.push_back(StateOf(kKeyA)); },
    });
    handler.RunScript();
    EXPECT_EQ(handler.StepsRun(), 5u);
    EXPECT_EQ(seen, (std::vector<KeyState>{kJustPressed, kHeld, kJustReleased, kUp}));
}

TEST(InputStateTest, APressAndReleaseWithinOneFrameIsLost)
{
    KeyState seen = kJustPressed;
    ScriptedHandler handler({
        [&]
        {
            Testing::PushKeyEvent(SDLK_SPACE, true);
            Testing::PushKeyEvent(SDLK_SPACE, false);
        },
        [&] { seen = StateOf(kKeySpace); },
    });
    handler.RunScript();
    EXPECT_EQ(seen, kUp);
}

TEST(InputStateTest, EveryKnownKeyIsTranslatedAndOthersAreIgnored)
{
    std::vector<std::pair<SDL_Keycode, Key>> table;
    for (int digit = 0; digit < 10; ++digit)
    {
        table.emplace_back(SDLK_0 + digit, static_cast<Key>(kKey0 + digit));
    }
    for (int letter = 0; letter < 26; ++letter)
    {
        table.emplace_back(SDLK_a + letter, static_cast<Key>(kKeyA + letter));
    }
    table.insert(table.end(), {{SDLK_SPACE, kKeySpace},
                               {SDLK_ESCAPE, kKeyEscape},
                               {SDLK_RETURN, kKeyEnter},
                               {SDLK_UP, kKeyUp},
                               {SDLK_DOWN, kKeyDown},
                               {SDLK_LEFT, kKeyLeft},
                               {SDLK_RIGHT, kKeyRight}});

    std::vector<int> wrongKeys;
    int downCountWithUnknownKeys = -1;
    ScriptedHandler handler({
        [&]
        {
            for (const auto& [keycode, key] : table)
            {
                Testing::PushKeyEvent(keycode, true);
            }
        },
        [&]
        {
            for (const auto& [keycode, key] : table)
            {
                if (!IsKeyPressed(key))
                {
                    wrongKeys.push_back(key);
                }
                Testing::PushKeyEvent(keycode, false);
            }
            Testing::PushKeyEvent(SDLK_F1, true);
            Testing::PushKeyEvent(SDLK_LSHIFT, true);
            Testing::PushKeyEvent(SDLK_KP_5, true);
        },
        [&]
        {
            downCountWithUnknownKeys = 0;
            for (int key = 0; key < kNumberOfKeys; ++key)
            {
                downCountWithUnknownKeys += IsKeyDown(static_cast<Key>(key)) ? 1 : 0;
            }
        },
    });
    handler.RunScript();
    EXPECT_TRUE(wrongKeys.empty());
    EXPECT_EQ(downCountWithUnknownKeys, 0);
}

TEST(InputStateTest, MouseButtonsAreKeysWithEdges)
{
    std::vector<KeyState> left;
    std::vector<KeyState> right;
    std::vector<KeyState> middle;
    auto sample = [&]
    {
        left.push_back(StateOf(kMouseLeft));
        right.push_back(StateOf(kMouseRight));
        middle.push_back(StateOf(kMouseMiddle));
    };
    ScriptedHandler handler({
        [&]
        {
            Testing::PushMouseButtonEvent(SDL_BUTTON_LEFT, true);
            Testing::PushMouseButtonEvent(SDL_BUTTON_MIDDLE, true);
            Testing::PushMouseButtonEvent(SDL_BUTTON_X1, true);
        },
        [&]
        {
            sample();
            Testing::PushMouseButtonEvent(SDL_BUTTON_LEFT, false);
            Testing::PushMouseButtonEvent(SDL_BUTTON_RIGHT, true);
        },
        [&] { sample(); },
    });
    handler.RunScript();
    EXPECT_EQ(left, (std::vector<KeyState>{kJustPressed, kJustReleased}));
    EXPECT_EQ(right, (std::vector<KeyState>{kUp, kJustPressed}));
    EXPECT_EQ(middle, (std::vector<KeyState>{kJustPressed, kHeld}));
}

TEST(InputStateTest, TheMousePositionIsReadInClientPixelsAtTheStartOfEachFrame)
{
    std::vector<KelpForge::Math::Vector2> seen;
    ScriptedHandler handler({
        [&] { Testing::WarpMouseInWindow(321, 123); },
        [&]
        {
            seen.push_back(GetMousePosition());
            Testing::WarpMouseInWindow(5, 700);
        },
        [&] { seen.push_back(GetMousePosition()); },
    });
    handler.RunScript();
    EXPECT_EQ(seen, (std::vector<KelpForge::Math::Vector2>{{321.0f, 123.0f}, {5.0f, 700.0f}}));
}
