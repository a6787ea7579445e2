#include "gloamshot/gameplay_scene.hpp"

#include "gloamshot/cave_form_entity.hpp"
#include "gloamshot/content_names.hpp"
#include "gloamshot/lantern_entity.hpp"
#include "gloamshot/level_file.hpp"
#include "gloamshot/light_object.hpp"
#include "gloamshot/scene_manager.hpp"
#include "gloamshot/spider_entity.hpp"

#include "kelp_forge/application/kf_input_state.hpp"
#include "kelp_forge/audio/kf_audio_manager.hpp"
#include "kelp_forge/graphics/kf_basic_shapes.hpp"
#include "kelp_forge/graphics/kf_gif_exporter.hpp"
#include "kelp_forge/graphics/kf_renderer.hpp"
#include "kelp_forge/graphics/kf_screen.hpp"

namespace Gloamshot
{

using KelpForge::Graphics::Color;
using KelpForge::Graphics::PixelSpace;
namespace Renderer = kfImplementation::Renderer;

namespace
{

constexpr PixelSpace kLightMapWidth = 1280;
constexpr PixelSpace kLightMapHeight = 720;
// White with no alpha: where a light draws, the light map ends up almost transparent.
constexpr std::uint32_t kLightMapClearColor = 0x00FFFFFFu;
constexpr std::uint32_t kUnlitColor = 0xFF000000u;
// Behind the lights' depth 0, so the depth test keeps the black out of every lit pixel.
constexpr float kUnlitDepth = -0.5f;

KelpForge::Game::Entity* CreateLevelEntity(const LevelObject& object)
{
    switch (object.type)
    {
    case LevelObjectType::kSpider:
        return new SpiderEntity(object.position);
    case LevelObjectType::kLantern:
        return new LanternEntity(object.position);
    case LevelObjectType::kCave:
        break;
    }
    return new CaveFormEntity(object.points);
}

} // namespace

GameplayScene::GameplayScene() : mBackdrop(kDefaultBackdropFile), mLightMap(kLightMapWidth, kLightMapHeight)
{
    AddGraphic(mBackdrop);
}

void GameplayScene::LoadLevel(const std::string& filepath)
{
    ClearEntities();
    const LevelDescription level = ReadLevelFile(filepath);
    // The backdrop stays in the graphics at its place; only its picture changes.
    for (const std::string& image : level.backdropImages)
    {
        mBackdrop = KelpForge::Graphics::Sprite(kDataFolder + image);
    }
    for (const LevelObject& object : level.objects)
    {
        AddEntity(CreateLevelEntity(object));
    }
    AddEntity(mArcher);
}

void GameplayScene::OnOpen()
{
    GameScene::OnOpen();
    LoadLevel(kLevelFile);
}

void GameplayScene::OnClose()
{
    GameScene::OnClose();
    ClearEntities();
}

void GameplayScene::OnSimulate()
{
    GameScene::OnSimulate();
    // Winning and restarting are one action. R is a raw key edge of the frame, so every step of
    // the frame that saw the press restarts again.
    if (GetEntitiesByType(SpiderEntity::sEntityType).empty() ||
        KelpForge::Application::IsKeyPressed(KelpForge::Application::kKeyR))
    {
        KelpForge::Audio::theAudioManager.PlayEvent(kAudioTableName, kYouWinEvent);
        LoadLevel(kLevelFile);
    }
}

void GameplayScene::OnUpdate(float deltaTime)
{
    GameScene::OnUpdate(deltaTime);
    if (KelpForge::Application::IsKeyReleased(KelpForge::Application::kKeyEscape))
    {
        SceneManager::QuitGame();
    }
    KelpForge::Graphics::UpdateGifCapture(deltaTime,
                                          KelpForge::Application::IsKeyPressed(KelpForge::Application::kKeyG),
                                          KelpForge::Graphics::kGifCaptureFullSize);
    // After the entities have updated, so every light sits where its owner is now.
    DrawLightMap();
}

void GameplayScene::DrawLightMap()
{
    if (!Renderer::IsRendererReady())
    {
        return;
    }
    mLightMap.BindRenderTarget();
    Renderer::BeginDraw();
    Renderer::Clear(Color(kLightMapClearColor));
    for (const LightObject* light : GetLights())
    {
        light->Render();
    }
    KelpForge::Graphics::BoxShape unlit(static_cast<float>(kLightMapWidth),
                                        static_cast<float>(kLightMapHeight), Color(kUnlitColor),
                                        KelpForge::Math::Vector2());
    unlit.SetDepth(kUnlitDepth);
    unlit.Render();
    Renderer::EndDraw();
    mLightMap.FinishRenderTarget();
}

void GameplayScene::OnRender()
{
    GameScene::OnRender();
    // Laid over the finished picture outside the camera's turn; the target stores it bottom-up.
    KelpForge::Graphics::Sprite lightMap(mLightMap.GetTextureHandle());
    lightMap.SetFlippedVertical(true);
    lightMap.SetOrigin(KelpForge::Graphics::AnchorLocation::kAnchorCenter);
    lightMap.SetPosition(KelpForge::Graphics::ScreenCenter());
    lightMap.Render();
}

} // namespace Gloamshot
