#include "kelp_forge/graphics/kf_camera.hpp"

#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/math/kf_random_numbers.hpp"

namespace KelpForge::Graphics
{

namespace
{

// Deletes an owned active camera at exit so that it is not reported as leaked.
struct ActiveCamera
{
    Camera* camera = nullptr;
    bool isOwned = false;

    ActiveCamera() = default;
    ActiveCamera(const ActiveCamera&) = delete;
    ActiveCamera& operator=(const ActiveCamera&) = delete;
    ~ActiveCamera() { Replace(nullptr, false); }

    void Replace(Camera* newCamera, bool isNewOwned)
    {
        if (newCamera == camera)
        {
            // Setting the active camera again must not delete it; handing it over by pointer
            // makes it owned.
            isOwned = isOwned || isNewOwned;
            return;
        }
        if (isOwned)
        {
            delete camera;
        }
        camera = newCamera;
        isOwned = newCamera != nullptr && isNewOwned;
    }
};

ActiveCamera& TheActiveCamera()
{
    static ActiveCamera activeCamera;
    return activeCamera;
}

} // namespace

Camera::~Camera() = default;

void Camera::Update(float deltaTime)
{
    if (mShakeTime < 0.0f)
    {
        mShakeOffset = Math::Vector2();
        return;
    }
    mShakeTime -= deltaTime;
    const float x = Math::RandomFloat(-mShakeMagnitude, mShakeMagnitude);
    const float y = Math::RandomFloat(-mShakeMagnitude, mShakeMagnitude);
    mShakeOffset = Math::Vector2(x, y);
}

void Camera::SetPosition(const Math::Vector2& position)
{
    mPosition = position;
}

void Camera::SetRotation(float degrees)
{
    mRotation = degrees;
}

void Camera::Shake(float magnitude, float durationInSeconds)
{
    const bool isNegative = !(magnitude >= 0.0f);
    kf_error_if(isNegative, "kfExternalError: Expected shake magnitude(%.3f) to be 0.0 or greater.",
                static_cast<double>(magnitude));
    if (!isNegative)
    {
        mShakeMagnitude = magnitude;
        mShakeTime = durationInSeconds;
    }
}

void SetCamera(Camera& camera)
{
    TheActiveCamera().Replace(&camera, false);
}

void SetCamera(Camera* camera)
{
    TheActiveCamera().Replace(camera, true);
}

Camera& GetActiveCamera()
{
    static Camera defaultCamera;
    Camera* const active = TheActiveCamera().camera;
    return active != nullptr ? *active : defaultCamera;
}

} // namespace KelpForge::Graphics
