#ifndef KELP_FORGE_GRAPHICS_GRAPHIC_HPP
#define KELP_FORGE_GRAPHICS_GRAPHIC_HPP

#include "kelp_forge/graphics/kf_color.hpp"
#include "kelp_forge/graphics/kf_screen.hpp"
#include "kelp_forge/math/kf_vector2.hpp"

namespace KelpForge::Graphics
{

// Which point of a graphic's pixel size becomes its origin (see Graphic::SetOrigin). A value
// outside this list (through a cast) behaves as kAnchorTopLeft.
enum class AnchorLocation : unsigned int
{
    kAnchorCenter,
    kAnchorTopLeft,
    kAnchorTopCenter,
    kAnchorTopRight,
    kAnchorCenterLeft,
    kAnchorCenterRight,
    kAnchorBottomLeft,
    kAnchorBottomCenter,
    kAnchorBottomRight,
};

// The base of everything that can be drawn. A graphic has a placement in its parent's space
// (position, origin, scale, rotation in degrees clockwise), a depth, a tint and two switches.
// Render() draws the subclass's OnRender() inside the graphic's transform; Update() forwards to
// OnUpdate(). Positions and origins are pixels; the origin is in the graphic's own unscaled
// pixels and is the point placed at the position and turned about.
//
// The transform subtracts the active camera's view position (Camera) scaled by the camera
// factor, once per level of nesting.
class Graphic
{
public:
    Graphic() = default;
    Graphic(const Graphic&) = default;
    Graphic& operator=(const Graphic&) = default;
    virtual ~Graphic();

    // Subclasses that hold colours of their own (lists, shapes) pass the new colour on.
    virtual void SetColor(const Color& color);
    // The drawn size in the graphic's own pixels; 0 for graphics without one (lists).
    [[nodiscard]] virtual PixelSpace GetPixelWidth() const;
    [[nodiscard]] virtual PixelSpace GetPixelHeight() const;

    // Calls OnUpdate(deltaTime) when active. deltaTime is in seconds.
    void Update(float deltaTime);
    // Calls ApplyTransform(), OnRender(), PopTransform() when visible. Needs a ready renderer.
    void Render();

    void SetPosition(float x, float y);
    void SetPosition(const Math::Vector2& position);
    [[nodiscard]] const Math::Vector2& GetPosition() const { return mPosition; }

    // The origin becomes offset plus the anchor's point of the current pixel size. It is computed
    // now and does not follow later changes of the size.
    void SetOrigin(AnchorLocation anchor, const Math::Vector2& offset = Math::Vector2());
    void SetOrigin(const Math::Vector2& origin);
    [[nodiscard]] const Math::Vector2& GetOrigin() const { return mOrigin; }

    // Negative scales are refused (and the scale kept): mirror sprites with their flip switches.
    void SetScale(float scale);
    void SetScale(float scaleX, float scaleY);
    [[nodiscard]] const Math::Vector2& GetScale() const { return mScale; }

    // How strongly the camera's view position moves this graphic: (1, 1) follows the world,
    // (0, 0) stays fixed on screen.
    void SetCameraFactor(const Math::Vector2& cameraFactor);
    [[nodiscard]] const Math::Vector2& GetCameraFactor() const { return mCameraFactor; }

    void SetRotation(float degrees);
    [[nodiscard]] float GetRotation() const { return mRotation; }

    // Orders graphics inside a GraphicList when they are added (lower first) and is the z of the
    // translation: the accumulated depth must stay within -1 to +1 to be drawn.
    void SetDepth(float depth);
    [[nodiscard]] float GetDepth() const { return mDepth; }

    [[nodiscard]] const Color& GetColor() const { return mColor; }

    void SetVisible(bool isVisible);
    [[nodiscard]] bool IsVisible() const { return mIsVisible; }
    void SetActive(bool isActive);
    [[nodiscard]] bool IsActive() const { return mIsActive; }

protected:
    virtual void OnUpdate(float deltaTime);
    virtual void OnRender() = 0;
    // After SetPosition, whichever way it was called (a subclass that must know of every move,
    // such as an entity in a running collision pass, overrides it).
    virtual void OnPositionChanged() {}
    // Pushes the model-view matrix and multiplies on: translate to the position (less the camera),
    // rotate, translate by minus the scaled origin, scale.
    virtual void ApplyTransform();
    virtual void PopTransform();

private:
    Math::Vector2 mPosition;
    Math::Vector2 mCameraFactor = Math::Vector2(1.0f, 1.0f);
    Math::Vector2 mOrigin;
    Math::Vector2 mScale = Math::Vector2(1.0f, 1.0f);
    float mRotation = 0.0f;
    float mDepth = 0.0f;
    bool mIsActive = true;
    bool mIsVisible = true;
    Color mColor;
};

} // namespace KelpForge::Graphics

#endif
