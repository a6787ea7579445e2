// Firefly cave: a small game built outside KelpForge's source tree, the way a game of your own
// would be (CMakeLists.txt beside it finds the framework installed, or builds it from source).
//
// Carry a lantern through a dark cave with the mouse and catch the fireflies drifting in it; every
// catch chirps, and a new swarm comes out when the last firefly is caught. Escape quits. Only what
// the lantern and the fireflies light up can be seen.
//
// Beside the entities and the scene that examples/bouncing_orbs.cpp explains, it uses:
//   - sprites cut from a sprite sheet loaded from JSON (theSpriteManager),
//   - a polygon shape drawn as a chosen primitive type (the cave's rock teeth),
//   - a line of text,
//   - a drawing pass into a render target: the light map, cleared and drawn between BeginDraw and
//     EndDraw, then laid over the scene,
//   - a named event of an audio event table (theAudioManager).
// Its content files are written at start-up by firefly_content.cpp, so it runs from anywhere.

#include "firefly_content.hpp"

#include "kelp_forge/application/kf_input_state.hpp"
#include "kelp_forge/application/kf_key.hpp"
#include "kelp_forge/application/kf_window_properties.hpp"
#include "kelp_forge/audio/kf_audio_manager.hpp"
#include "kelp_forge/game/kf_entity.hpp"
#include "kelp_forge/game/kf_game_application.hpp"
#include "kelp_forge/game/kf_game_scene.hpp"
#include "kelp_forge/game/kf_game_timer.hpp"
#include "kelp_forge/game/kf_input_action.hpp"
#include "kelp_forge/graphics/kf_basic_shapes.hpp"
#include "kelp_forge/graphics/kf_render_target.hpp"
#include "kelp_forge/graphics/kf_renderer.hpp"
#include "kelp_forge/graphics/kf_screen.hpp"
#include "kelp_forge/graphics/kf_sprite.hpp"
#include "kelp_forge/graphics/kf_sprite_manager.hpp"
#include "kelp_forge/graphics/kf_text.hpp"
#include "kelp_forge/math/kf_random_numbers.hpp"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace Renderer = kfImplementation::Renderer;
using KelpForge::Game::Entity;
using KelpForge::Graphics::Color;
using KelpForge::Graphics::ScreenHeight;
using KelpForge::Graphics::ScreenWidth;
using KelpForge::Math::RandomFloat;
using KelpForge::Math::Vector2;

namespace
{

// Names the content is registered under with the managers.
const std::string kSheetName = "firefly_sheet";
const std::string kSoundTable = "cave_sounds";

// Entity type names. Fireflies and the lantern are also "lights": the light map asks for those.
const std::string kLightType = "Light";
const std::string kFireflyType = "Firefly";
const std::string kLanternType = "Lantern";

constexpr int kSwarmSize = 12;

// Lights are drawn into the light map almost transparent, over a surface cleared to transparent;
// laid over the scene, the map then shows it wherever a light reached and black everywhere else.
constexpr std::uint32_t kLightColor = 0x05FFFFFFu;

float Width()
{
    return static_cast<float>(ScreenWidth());
}

float Height()
{
    return static_cast<float>(ScreenHeight());
}

// ============================================================================================
// 1. The entities
// ============================================================================================

// A sprite of the sheet that lights the cave within lightRadius pixels of its position.
class LightEntity : public Entity
{
public:
    LightEntity(const std::string& entityType, const std::string& spriteName, float lightRadius)
        : Entity(entityType), mSprite(kSheetName, spriteName),
          mLight(lightRadius, Color(kLightColor), Vector2(), 64)
    {
        AddEntityType(kLightType);
        mSprite.SetOrigin(KelpForge::Graphics::AnchorLocation::kAnchorCenter);
        AddGraphic(mSprite);
        AddBoundingCircle(12.0f, Vector2());
        mLight.SetOrigin(Vector2(lightRadius, lightRadius));
    }

    // Draws its circle of light into the light map. The circle is not one of the entity's graphics,
    // which the scene draws.
    void RenderLight()
    {
        mLight.SetPosition(GetPosition());
        mLight.Render();
    }

private:
    KelpForge::Graphics::Sprite mSprite;
    KelpForge::Graphics::CircleShape mLight;
};

class FireflyEntity : public LightEntity
{
public:
    explicit FireflyEntity(const Vector2& position)
        : LightEntity(kFireflyType, "firefly", 45.0f),
          mVelocity(RandomFloat(-kSpeed, kSpeed), RandomFloat(-kSpeed, kSpeed))
    {
        SetPosition(position);
    }

protected:
    // Wanders: the velocity takes a random nudge every step, and turns back at the cave's edges.
    void OnSimulate() override
    {
        const float seconds = KelpForge::Game::GameTimer::GetSecondsPerStep();
        mVelocity += Vector2(RandomFloat(-1.0f, 1.0f), RandomFloat(-1.0f, 1.0f)) * (kWander * seconds);
        if (mVelocity.Length() > kSpeed)
        {
            mVelocity = mVelocity.Normalized() * kSpeed;
        }
        const Vector2 position = GetPosition() + mVelocity * seconds;
        if ((position.x < kMargin && mVelocity.x < 0.0f) ||
            (position.x > Width() - kMargin && mVelocity.x > 0.0f))
        {
            mVelocity.x = -mVelocity.x;
        }
        if ((position.y < kMargin && mVelocity.y < 0.0f) ||
            (position.y > Height() - kMargin && mVelocity.y > 0.0f))
        {
            mVelocity.y = -mVelocity.y;
        }
        SetPosition(position);
    }

    // Caught: the firefly leaves the scene, which owns it and deletes it once the pass is over.
    void OnCollideWith(Entity& other) override
    {
        if (other.IsEntityOfType(kLanternType))
        {
            GetEntityManager()->RemoveEntity(this);
        }
    }

private:
    static constexpr float kSpeed = 110.0f;  // pixels per second at the most
    static constexpr float kWander = 400.0f; // pixels per second gained or lost per second
    static constexpr float kMargin = 40.0f;

    Vector2 mVelocity;
};

class LanternEntity : public LightEntity
{
public:
    LanternEntity() : LightEntity(kLanternType, "lantern", 170.0f)
    {
        SetPosition(KelpForge::Graphics::ScreenCenter());
    }

protected:
    // Closes a fifth of the way to the mouse every step, so that it trails the cursor a little.
    void OnSimulate() override
    {
        SetPosition(GetPosition() + (KelpForge::Application::GetMousePosition() - GetPosition()) * 0.2f);
    }
};

// ============================================================================================
// 2. The scene
// ============================================================================================

class CaveScene : public KelpForge::Game::GameScene
{
public:
    CaveScene()
        : mCaveFloor(Width(), Height(), Color(0xFF2A2433u), Vector2()),
          mRockTeeth(Renderer::PrimitiveType::kTriangles), mCaption("", 24.0f),
          mLightMap(ScreenWidth(), ScreenHeight()),
          mDarkness(Width(), Height(), Color(0xFF000000u), Vector2()),
          mQuit(KelpForge::Application::kKeyEscape)
    {
        mCaveFloor.SetDepth(-0.5f);
        AddGraphic(mCaveFloor);
        AddRockTeeth();
        mRockTeeth.SetColor(Color(0xFF4A4058u));
        mRockTeeth.SetDepth(-0.4f);
        AddGraphic(mRockTeeth);

        // By reference: the lantern is a member; the fireflies are handed over (by pointer).
        AddEntity(mLantern);
        ReleaseSwarm();

        // Behind the circles (depth 0): the depth test keeps it out of every lit pixel.
        mDarkness.SetDepth(-0.5f);

        // Not in the scene's list: OnRender draws the caption itself, over the light map.
        mCaption.SetColor(Color(0xFFE8ECF4u));
        mCaption.SetPosition(24.0f, 18.0f);
        mCaption.SetDepth(0.9f);
        ShowCaught();
    }

protected:
    void OnSimulate() override
    {
        if (mQuit.IsPressed())
        {
            KelpForge::Game::GameApplication::QuitGame();
        }

        const std::size_t before = GetEntitiesByType(kFireflyType).size();
        GameScene::OnSimulate(); // moves everything, then the collision pass catches fireflies
        const std::size_t after = GetEntitiesByType(kFireflyType).size();
        if (after < before)
        {
            KelpForge::Audio::theAudioManager.PlayEvent(kSoundTable, "caught");
            mCaught += before - after;
            ShowCaught();
        }
        if (after == 0)
        {
            ReleaseSwarm();
        }
    }

    // NOTE: the light map is drawn here, not in OnRender. The frame's own pass into the window
    // begins after OnUpdate, and BeginDraw takes its projection from the viewport bound at the time.
    void OnUpdate(float deltaTime) override
    {
        GameScene::OnUpdate(deltaTime);
        DrawLightMap();
    }

    void OnRender() override
    {
        GameScene::OnRender();

        // The light map over the finished picture, then the caption over both. A render target's
        // picture is stored bottom row first; ask for its texture every time it is shown.
        KelpForge::Graphics::Sprite lightMap(mLightMap.GetTextureHandle());
        lightMap.SetFlippedVertical(true);
        lightMap.SetDepth(0.8f);
        lightMap.Render();
        mCaption.Render();
    }

private:
    void DrawLightMap()
    {
        mLightMap.BindRenderTarget();
        Renderer::BeginDraw();
        Renderer::Clear(Color(0x00FFFFFFu));
        for (Entity* light : GetEntitiesByType(kLightType))
        {
            static_cast<LightEntity*>(light)->RenderLight();
        }
        mDarkness.Render();
        Renderer::EndDraw();
        mLightMap.FinishRenderTarget();
    }

    // Rock teeth hang from the ceiling and rise from the floor, one triangle each, wound clockwise
    // on screen as the renderer wants its front faces.
    void AddRockTeeth()
    {
        for (float left = 0.0f; left < Width(); left += 80.0f)
        {
            const float middle = left + 40.0f;
            mRockTeeth.AddVertex(Vector2(left, 0.0f));
            mRockTeeth.AddVertex(Vector2(left + 80.0f, 0.0f));
            mRockTeeth.AddVertex(Vector2(middle, RandomFloat(40.0f, 130.0f)));
            mRockTeeth.AddVertex(Vector2(left + 80.0f, Height()));
            mRockTeeth.AddVertex(Vector2(left, Height()));
            mRockTeeth.AddVertex(Vector2(middle, Height() - RandomFloat(30.0f, 90.0f)));
        }
    }

    // Fireflies come out on the half of the cave away from the lantern.
    void ReleaseSwarm()
    {
        const bool isLanternLeft = mLantern.GetPosition().x < Width() / 2.0f;
        const float left = isLanternLeft ? Width() * 0.6f : 60.0f;
        const float right = isLanternLeft ? Width() - 60.0f : Width() * 0.4f;
        for (int firefly = 0; firefly < kSwarmSize; ++firefly)
        {
            AddEntity(
                new FireflyEntity(Vector2(RandomFloat(left, right), RandomFloat(140.0f, Height() - 100.0f))));
        }
    }

    void ShowCaught()
    {
        mCaption.SetText("Fireflies caught: " + std::to_string(mCaught) + "    Escape quits");
    }

    KelpForge::Graphics::BoxShape mCaveFloor;
    KelpForge::Graphics::PolygonShape mRockTeeth;
    KelpForge::Graphics::Text mCaption;
    KelpForge::Graphics::RenderTarget mLightMap;
    KelpForge::Graphics::BoxShape mDarkness;
    KelpForge::Game::InputAction mQuit;
    LanternEntity mLantern;
    std::size_t mCaught = 0;
};

} // namespace

// ============================================================================================
// 3. The entry point
// ============================================================================================

int main()
{
    KelpForge::Game::GameApplication application(KelpForge::Application::kWindowed, 0, 0, true);
    application.SetWindowTitle("Firefly cave");

    // Content paths are read relative to the working folder, as for a game started from its own
    // folder: the game writes its content, then works from there.
    const std::filesystem::path contentFolder =
        std::filesystem::temp_directory_path() / "kelp_forge_firefly_cave";
    if (!FireflyCave::WriteContent(contentFolder))
    {
        return 1;
    }
    std::filesystem::current_path(contentFolder);
    if (!KelpForge::Graphics::theSpriteManager.LoadSpriteSheet(kSheetName, FireflyCave::kSpriteSheetFile) ||
        !KelpForge::Audio::theAudioManager.LoadEventTable(kSoundTable, FireflyCave::kAudioEventFile))
    {
        return 1;
    }

    CaveScene scene;
    application.RunGame(scene);
    return 0;
}
