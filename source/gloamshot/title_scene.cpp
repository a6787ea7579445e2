#include "gloamshot/title_scene.hpp"

#include "gloamshot/scene_manager.hpp"

#include "kelp_forge/graphics/kf_color.hpp"
#include "kelp_forge/graphics/kf_screen.hpp"
#include "kelp_forge/graphics/kf_text.hpp"

namespace Gloamshot
{

using KelpForge::Game::GameTimer;
using KelpForge::Graphics::ColorLerp;
using KelpForge::Graphics::ColorPreset;

namespace
{

constexpr unsigned int kTitleFadeInTime = 500;
constexpr unsigned int kTitleFadeOutTime = 500;
constexpr float kTitleTextSize = 85.0f;

} // namespace

TitleScene::TitleScene() : mFadeInTimer(kTitleFadeInTime), mFadeOutTimer(0)
{
    auto* title =
        new KelpForge::Graphics::Text("Gloamshot", kTitleTextSize, KelpForge::Graphics::kDefaultFont);
    title->SetOrigin(KelpForge::Graphics::AnchorLocation::kAnchorCenter);
    title->SetPosition(KelpForge::Graphics::ScreenCenter());
    AddGraphic(title);
    mQuitAction.AddBinding(KelpForge::Application::kKeyEscape);
    mStartAction.AddBinding(KelpForge::Application::kKeySpace);
    mStartAction.AddBinding(KelpForge::Application::kMouseLeft);
}

void TitleScene::OnOpen()
{
    GameScene::OnOpen();
    mFadeInTimer = GameTimer(kTitleFadeInTime);
    mFadeOutTimer = GameTimer::Zero();
    SetColor(ColorPreset::kTransparent);
}

void TitleScene::OnSimulate()
{
    if (!mFadeInTimer.IsZero())
    {
        const float t = mFadeInTimer.GetPercentageOf(GameTimer(kTitleFadeInTime));
        SetColor(ColorLerp(t, ColorPreset::kDefaultColor, ColorPreset::kTransparent));
        if (mFadeInTimer.DecrementStep())
        {
            SetColor(ColorPreset::kDefaultColor);
        }
    }
    if (!mFadeOutTimer.IsZero())
    {
        // Starts from opaque white whatever the fade in had reached.
        const float t = mFadeOutTimer.GetPercentageOf(GameTimer(kTitleFadeOutTime));
        SetColor(ColorLerp(t, ColorPreset::kTransparent, ColorPreset::kDefaultColor));
        if (mFadeOutTimer.DecrementStep())
        {
            SetColor(ColorPreset::kTransparent);
            SceneManager::ChangeToScene(kGameplayScene);
        }
    }
    else if (mStartAction.IsPressed())
    {
        mFadeOutTimer = GameTimer(kTitleFadeOutTime);
    }
    if (mQuitAction.IsReleased())
    {
        SceneManager::QuitGame();
    }
    GameScene::OnSimulate();
}

} // namespace Gloamshot
