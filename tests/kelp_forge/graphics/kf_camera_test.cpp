#include "kelp_forge/graphics/kf_camera.hpp"

#include "support/kf_error_recorder.hpp"

#include <gtest/gtest.h>

#include <cstdint>

using KelpForge::Graphics::Camera;
using KelpForge::Graphics::GetActiveCamera;
using KelpForge::Graphics::SetCamera;
using KelpForge::Math::Vector2;
using KelpForge::Testing::ErrorRecorder;

namespace
{

// The framework's generator, written out again: every test runs in a fresh process, so the
// shared sequence starts from state 1 (first raw value 41).
class ExpectedRandomSequence
{
public:
    float NextFloat(float minimumValue, float maximumValue)
    {
        mState = mState * 214013u + 2531011u;
        const auto raw = static_cast<float>((mState >> 16) & 0x7FFFu);
        return raw * (1.0f / 32768.0f) * (maximumValue - minimumValue) + minimumValue;
    }

private:
    std::uint32_t mState = 1;
};

class CountedCamera : public Camera
{
public:
    explicit CountedCamera(int& deleteCount) : mDeleteCount(deleteCount) {}
    ~CountedCamera() override { ++mDeleteCount; }

private:
    int& mDeleteCount;
};

} // namespace

TEST(CameraTest, WithoutASceneCameraTheDefaultCameraRestsAtZero)
{
    EXPECT_EQ(GetActiveCamera().GetPosition(), Vector2(0.0f, 0.0f));
    EXPECT_EQ(GetActiveCamera().GetRotation(), 0.0f);
    EXPECT_FALSE(GetActiveCamera().IsShaking());
}

TEST(CameraTest, ShakeDrawsXThenYFromTheSharedRandomSequence)
{
    ExpectedRandomSequence expected;
    Camera camera;
    camera.SetPosition(Vector2(100.0f, 50.0f));
    camera.Shake(4.0f, 0.025f);
    for (int step = 0; step < 3; ++step)
    {
        camera.Update(0.01f);
        const float x = expected.NextFloat(-4.0f, 4.0f);
        const float y = expected.NextFloat(-4.0f, 4.0f);
        EXPECT_EQ(camera.GetPosition(), Vector2(100.0f + x, 50.0f + y)) << "step " << step;
    }
    // The third step took the time below zero; its offset stays until the next update clears it.
    EXPECT_FALSE(camera.IsShaking());
    EXPECT_NE(camera.GetPosition(), Vector2(100.0f, 50.0f));
    camera.Update(0.01f);
    EXPECT_EQ(camera.GetPosition(), Vector2(100.0f, 50.0f));
}

TEST(CameraTest, ACameraAtRestDrawsNoRandomNumbers)
{
    Camera camera;
    camera.Update(0.01f);
    EXPECT_EQ(camera.GetPosition(), Vector2(0.0f, 0.0f));
    // The sequence is untouched: a shake now starts from its first value.
    ExpectedRandomSequence expected;
    camera.Shake(1.0f, 1.0f);
    camera.Update(0.01f);
    EXPECT_EQ(camera.GetPosition().x, expected.NextFloat(-1.0f, 1.0f));
}

TEST(CameraTest, NegativeShakeMagnitudeIsRefused)
{
    ErrorRecorder recorder;
    Camera camera;
    camera.Shake(-2.0f, 1.0f);
    EXPECT_FALSE(camera.IsShaking());
    EXPECT_EQ(recorder.Messages(),
              (std::vector<std::string>{
                  "kfExternalError: Expected shake magnitude(-2.000) to be 0.0 or greater."}));
}

TEST(CameraTest, ACameraSetByReferenceIsActiveAndNeverDeleted)
{
    int deleteCount = 0;
    {
        CountedCamera camera(deleteCount);
        camera.SetPosition(Vector2(7.0f, 8.0f));
        SetCamera(camera);
        EXPECT_EQ(&GetActiveCamera(), &camera);
        EXPECT_EQ(GetActiveCamera().GetPosition(), Vector2(7.0f, 8.0f));
        SetCamera(nullptr);
        EXPECT_EQ(deleteCount, 0);
        EXPECT_EQ(GetActiveCamera().GetPosition(), Vector2(0.0f, 0.0f));
    }
    EXPECT_EQ(deleteCount, 1);
}

TEST(CameraTest, AnOwnedCameraIsDeletedWhenReplaced)
{
    int deleteCount = 0;
    SetCamera(new CountedCamera(deleteCount));
    SetCamera(new CountedCamera(deleteCount));
    EXPECT_EQ(deleteCount, 1);
    Camera sceneCamera;
    SetCamera(sceneCamera);
    EXPECT_EQ(deleteCount, 2);
    SetCamera(nullptr);
    EXPECT_EQ(deleteCount, 2);
}

TEST(CameraTest, SettingTheActiveOwnedCameraAgainKeepsItAlive)
{
    int deleteCount = 0;
    auto* const camera = new CountedCamera(deleteCount);
    SetCamera(camera);
    SetCamera(camera);
    SetCamera(*camera);
    EXPECT_EQ(deleteCount, 0);
    EXPECT_EQ(&GetActiveCamera(), camera);
    SetCamera(nullptr);
    EXPECT_EQ(deleteCount, 1);
}
