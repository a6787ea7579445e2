// Bouncing orbs: a complete KelpForge game in one file, meant to be read top to bottom.
//
// Orbs drift across the window, bounce off its edges and off each other; an orb that is hit takes
// the next colour of the palette, flashes its halo, and a chime plays. Space adds an orb, D shows
// the bounding circles the collision pass uses, Escape quits.
//
// The parts of every KelpForge game are here:
//   1. OrbEntity   an Entity: its state, its graphics, a bounding circle and the hooks the scene
//                  calls (OnSimulate once per 10 ms step, OnCollideWith for every overlapping pair).
//   2. OrbsScene   a GameScene: it holds the entities and the other graphics and reads the input
//                  actions.
//   3. main        opens the window through GameApplication and hands RunGame the first scene.
//
// State changes only in OnSimulate (fixed steps: movement, collisions, input) and OnUpdate (once a
// frame with the real frame time: smooth visual fading). Drawing happens only in OnRender, and
// mostly for free: an entity draws the graphics it holds, a scene draws its entities and graphics.
// Everything is generated in code, so the program needs no content files and runs from anywhere.

#include "kelp_forge/application/kf_key.hpp"
#include "kelp_forge/application/kf_window_properties.hpp"
#include "kelp_forge/audio/kf_audio_manager.hpp"
#include "kelp_forge/game/kf_entity.hpp"
#include "kelp_forge/game/kf_game_application.hpp"
#include "kelp_forge/game/kf_game_scene.hpp"
#include "kelp_forge/game/kf_game_timer.hpp"
#include "kelp_forge/game/kf_input_action.hpp"
#include "kelp_forge/graphics/kf_basic_shapes.hpp"
#include "kelp_forge/graphics/kf_color.hpp"
#include "kelp_forge/graphics/kf_screen.hpp"
#include "kelp_forge/graphics/kf_text.hpp"
#include "kelp_forge/math/kf_random_numbers.hpp"
#include "kelp_forge/math/kf_vector2.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

using KelpForge::Game::Entity;
using KelpForge::Game::GameTimer;
using KelpForge::Graphics::Color;
using KelpForge::Math::RandomFloat;
using KelpForge::Math::Vector2;

namespace
{

// Packed 0xAARRGGBB colours; an orb steps to the next one every time it is hit.
constexpr std::array<std::uint32_t, 6> kPalette = {
    0xFFFF6B6Bu, // coral
    0xFFFFD93Du, // sunflower
    0xFF6BCB77u, // leaf
    0xFF4D96FFu, // cornflower
    0xFFB983FFu, // lavender
    0xFFFF9F45u, // tangerine
};

// Orbs are slightly transparent so that the halo of a hit shows through them; the halo itself
// starts half transparent and fades out.
constexpr std::uint32_t kOrbAlpha = 0xE6000000u;
constexpr std::uint32_t kHaloAlpha = 0x80000000u;
constexpr std::uint32_t kBackground = 0xFF101828u;
constexpr float kHaloFadeSeconds = 0.4f;

// ============================================================================================
// 1. The entity
// ============================================================================================

class OrbEntity : public Entity
{
public:
    // The type name is what the scene asks GetEntitiesByType for.
    static inline const std::string sEntityType = "OrbEntity";
    // Switched by the scene's D action; every orb then draws its bounding circle.
    static inline bool sIsShowingBoundingCircles = false;

    OrbEntity(const Vector2& position, const Vector2& velocity, float radius, std::size_t paletteIndex)
        : Entity(sEntityType), mVelocity(velocity), mRadius(radius), mPaletteIndex(paletteIndex),
          mHalo(radius * 1.6f, Color(0u), Vector2(), 48),
          mDisc(radius, PaletteColor(kOrbAlpha), Vector2(), 48)
    {
        SetPosition(position);

        // A circle shape's centre is at (radius, radius) of its own pixels; making that point the
        // origin puts the centre on the entity's position, where the bounding circle is too.
        mHalo.SetOrigin(Vector2(radius * 1.6f, radius * 1.6f));
        mDisc.SetOrigin(Vector2(radius, radius));

        // By reference: the shapes are members, so the entity (the list) must not delete them.
        // A child's depth adds to its parent's and the depth test keeps the nearer one: a halo a
        // little below the discs glows under its neighbours too instead of veiling them.
        mHalo.SetDepth(-0.1f);
        AddGraphic(mHalo);
        AddGraphic(mDisc);

        // One circle exactly under the disc; adding it also makes the orb collidable.
        AddBoundingCircle(radius, Vector2());
    }

    // Set during the collision pass of the latest step; the scene plays the chime for it.
    [[nodiscard]] bool WasHitThisStep() const { return mWasHitThisStep; }

protected:
    // Once per 10 ms step: move, then bounce off the window edges. Speeds are pixels per second,
    // so a step moves by speed times the step length.
    void OnSimulate() override
    {
        mWasHitThisStep = false;

        Vector2 position = GetPosition() + mVelocity * GameTimer::GetSecondsPerStep();
        const float right = static_cast<float>(KelpForge::Graphics::ScreenWidth()) - mRadius;
        const float bottom = static_cast<float>(KelpForge::Graphics::ScreenHeight()) - mRadius;
        // Clamp back inside as well as turning round, or a fast orb could stick in the edge.
        if (position.x < mRadius || position.x > right)
        {
            position.x = std::clamp(position.x, mRadius, right);
            mVelocity.x = -mVelocity.x;
        }
        if (position.y < mRadius || position.y > bottom)
        {
            position.y = std::clamp(position.y, mRadius, bottom);
            mVelocity.y = -mVelocity.y;
        }
        SetPosition(position);
    }

    // The pass calls this on both orbs of an overlapping pair, one after the other. Each orb
    // bounces off the other as off a wall through their two centres; that wall does not turn when
    // the first orb steps back, so both calls reflect the same way whichever runs first.
    void OnCollideWith(Entity& other) override
    {
        if (!other.IsEntityOfType(sEntityType))
        {
            return;
        }
        const OrbEntity& otherOrb = static_cast<const OrbEntity&>(other);
        const Vector2 betweenCentres = otherOrb.GetPosition() - GetPosition();
        const Vector2 towardOther = betweenCentres.Normalized();

        // Step back by half of what still overlaps (the other orb does the same in its turn), so
        // the pair comes apart instead of colliding again step after step.
        const float overlap = mRadius + otherOrb.mRadius - betweenCentres.Length();
        SetPosition(GetPosition() - towardOther * (overlap * 0.5f));

        // Reflect only while still moving toward the other orb; once apart, leave it alone.
        const float approachSpeed = mVelocity.Dot(towardOther);
        if (approachSpeed > 0.0f)
        {
            mVelocity -= towardOther * (2.0f * approachSpeed);
        }

        mPaletteIndex = (mPaletteIndex + 1) % kPalette.size();
        mDisc.SetColor(PaletteColor(kOrbAlpha));
        mHaloSeconds = kHaloFadeSeconds;
        mWasHitThisStep = true;
    }

    // Once a frame with the real frame time: a purely visual fade has no need of fixed steps.
    void OnUpdate(float deltaTime) override
    {
        mHaloSeconds = std::max(0.0f, mHaloSeconds - deltaTime);
        const float strength = mHaloSeconds / kHaloFadeSeconds;
        mHalo.SetColor(KelpForge::Graphics::ColorLerp(strength, Color(0u), PaletteColor(kHaloAlpha)));
        Entity::OnUpdate(deltaTime); // updates the children; keep it
    }

    // Only draws, reading state that OnSimulate and OnUpdate have set. Entity::OnRender draws the
    // children (halo, then disc) inside the entity's transform.
    void OnRender() override
    {
        Entity::OnRender();
        if (sIsShowingBoundingCircles)
        {
            OnDebugRender();
        }
    }

private:
    [[nodiscard]] Color PaletteColor(std::uint32_t alpha) const
    {
        return Color((kPalette[mPaletteIndex] & 0x00FFFFFFu) | alpha);
    }

    Vector2 mVelocity; // pixels per second
    float mRadius;
    std::size_t mPaletteIndex;
    float mHaloSeconds = 0.0f; // time left of the halo's fade after a hit
    bool mWasHitThisStep = false;
    KelpForge::Graphics::CircleShape mHalo;
    KelpForge::Graphics::CircleShape mDisc;
};

// ============================================================================================
// 2. The scene
// ============================================================================================

class OrbsScene : public KelpForge::Game::GameScene
{
public:
    OrbsScene()
        : mBackground(static_cast<float>(KelpForge::Graphics::ScreenWidth()),
                      static_cast<float>(KelpForge::Graphics::ScreenHeight()), Color(kBackground), Vector2()),
          mCaption("Space adds an orb    D shows the bounding circles    Escape quits", 22.0f),
          // The caption is rasterised as it is made, so its pixel size is known here.
          mCaptionBar(static_cast<float>(mCaption.GetPixelWidth()) + 32.0f,
                      static_cast<float>(mCaption.GetPixelHeight()) + 20.0f, Color(0xC0101828u),
                      Vector2(8.0f, 8.0f)),
          mAddOrb(KelpForge::Application::kKeySpace), mToggleCircles(KelpForge::Application::kKeyD),
          mQuit(KelpForge::Application::kKeyEscape)
    {
        // Depth orders a list's members: the background below the orbs (depth 0), the caption
        // on a dimmed bar above them. All are members of the scene, so they are added by reference.
        mBackground.SetDepth(-0.5f);
        AddGraphic(mBackground);

        mCaptionBar.SetDepth(0.4f);
        AddGraphic(mCaptionBar);

        mCaption.SetColor(Color(0xFFE8ECF4u));
        mCaption.SetPosition(24.0f, 18.0f);
        mCaption.SetDepth(0.5f);
        AddGraphic(mCaption);

        for (int orb = 0; orb < kStartingOrbs; ++orb)
        {
            AddRandomOrb();
        }
    }

protected:
    // One fixed step: read input (the actions were sampled just before), then let the entity
    // manager simulate every orb and run the collision pass, then react to its outcome.
    void OnSimulate() override
    {
        if (mQuit.IsPressed())
        {
            // The frame still finishes, drawing included; then the window closes.
            KelpForge::Game::GameApplication::QuitGame();
        }
        if (mAddOrb.IsPressed())
        {
            AddRandomOrb();
        }
        if (mToggleCircles.IsPressed())
        {
            OrbEntity::sIsShowingBoundingCircles = !OrbEntity::sIsShowingBoundingCircles;
        }

        GameScene::OnSimulate();

        // One chime per burst of hits, at most every 120 ms, rather than two per colliding pair.
        const bool isChimeReady = mChimeTimer.DecrementStep();
        if (isChimeReady && AnyOrbWasHit())
        {
            PlayChime();
            mChimeTimer = GameTimer(120);
        }
    }

private:
    static constexpr int kStartingOrbs = 8;
    static constexpr std::size_t kMostOrbs = 40;

    void AddRandomOrb()
    {
        if (GetEntitiesByType(OrbEntity::sEntityType).size() >= kMostOrbs)
        {
            return;
        }
        const float radius = RandomFloat(18.0f, 42.0f);
        const Vector2 position(
            RandomFloat(radius, static_cast<float>(KelpForge::Graphics::ScreenWidth()) - radius),
            RandomFloat(radius, static_cast<float>(KelpForge::Graphics::ScreenHeight()) - radius));
        const Vector2 velocity(RandomFloat(-260.0f, 260.0f), RandomFloat(-260.0f, 260.0f));
        const auto paletteIndex =
            static_cast<std::size_t>(RandomFloat() * static_cast<float>(kPalette.size()));

        // By pointer: the scene owns the orb from now on and deletes it when the scene goes.
        AddEntity(new OrbEntity(position, velocity, radius, paletteIndex));
    }

    [[nodiscard]] bool AnyOrbWasHit() const
    {
        for (const Entity* entity : GetEntitiesByType(OrbEntity::sEntityType))
        {
            if (static_cast<const OrbEntity*>(entity)->WasHitThisStep())
            {
                return true;
            }
        }
        return false;
    }

    static void PlayChime()
    {
        // The framework's built-in chime: it has played once at start-up, so its handle is known.
        // A busy mixer (every channel playing) drops the sound silently, which is fine here.
        KelpForge::Audio::AudioManager& audio = KelpForge::Audio::theAudioManager;
        const KelpForge::Audio::AudioChannel channel =
            audio.PlaySound(KelpForge::Audio::theBuiltInSoundHandle);
        channel.SetVolume(0.35f);
        channel.SetPitch(RandomFloat(1.2f, 2.0f));
    }

    KelpForge::Graphics::BoxShape mBackground;
    KelpForge::Graphics::Text mCaption;
    KelpForge::Graphics::BoxShape mCaptionBar; // after mCaption, whose size it takes
    KelpForge::Game::InputAction mAddOrb;
    KelpForge::Game::InputAction mToggleCircles;
    KelpForge::Game::InputAction mQuit;
    GameTimer mChimeTimer = GameTimer::Zero();
};

} // namespace

// ============================================================================================
// 3. The entry point
// ============================================================================================

int main()
{
    // Opens a 1280 by 720 window (sizes 0 in windowed mode) with vsync, and from now on shows any
    // failed check in a message box. Create it before anything that needs the OpenGL context.
    KelpForge::Game::GameApplication application(KelpForge::Application::kWindowed, 0, 0, true);
    application.SetWindowTitle("KelpForge: bouncing orbs");

    // The scene is owned here and outlives RunGame. RunGame shows the framework's logo for 2.5 s
    // of simulated time, then makes the scene current and runs until QuitGame or the window closes.
    OrbsScene scene;
    application.RunGame(scene);
    return 0;
}
