#ifndef KELP_FORGE_GRAPHICS_CAMERA_HPP
#define KELP_FORGE_GRAPHICS_CAMERA_HPP

#include "kelp_forge/math/kf_vector2.hpp"

namespace KelpForge::Graphics
{

// A view position, a view rotation and a shake. Every Graphic subtracts the active camera's view
// position (position plus shake offset) in its transform; the game scene turns the scene by the
// active camera's rotation about the screen centre.
class Camera
{
public:
    Camera() = default;
    virtual ~Camera();

    // Advances the shake by deltaTime seconds, once per simulation step. While shaking, the shake
    // offset is drawn anew from the shared random sequence (x first) each step; the step in which
    // the time runs out keeps its offset until the next update clears it.
    void Update(float deltaTime);

    // The view position: position plus the current shake offset.
    [[nodiscard]] Math::Vector2 GetPosition() const { return mPosition + mShakeOffset; }
    void SetPosition(const Math::Vector2& position);
    // Degrees the view is turned, clockwise on screen.
    [[nodiscard]] float GetRotation() const { return mRotation; }
    void SetRotation(float degrees);

    // Shakes for durationInSeconds with offsets of up to magnitude pixels per axis. A negative
    // magnitude is refused and leaves the camera as it was.
    void Shake(float magnitude, float durationInSeconds);
    [[nodiscard]] bool IsShaking() const { return mShakeTime >= 0.0f; }

private:
    Math::Vector2 mPosition;
    Math::Vector2 mShakeOffset;
    float mRotation = 0.0f;
    float mShakeMagnitude = 0.0f;
    float mShakeTime = -1.0f;
};

// Makes camera active without owning it: it must outlive its time as the active camera.
void SetCamera(Camera& camera);
// Makes camera active and owned: it is deleted when another camera (or none) replaces it, or at
// exit. A null pointer clears the active camera. Either form first deletes the previous active
// camera if that one was owned, unless it is the camera being set.
void SetCamera(Camera* camera);
// The active camera, or a process-wide default camera (at rest at (0, 0)) while none is set.
[[nodiscard]] Camera& GetActiveCamera();

} // namespace KelpForge::Graphics

#endif
