#include "gloamshot/splash_scene.hpp"

#include "gloamshot/content_names.hpp"
#include "gloamshot/scene_manager.hpp"

#include "kelp_forge/graphics/kf_color.hpp"
#include "kelp_forge/graphics/kf_screen.hpp"

namespace Gloamshot
{

using KelpForge::Game::GameTimer;
using KelpForge::Graphics::ColorLerp;
using KelpForge::Graphics::ColorPreset;

namespace
{

constexpr unsigned int kSplashFadeInTime = 1000;
constexpr unsigned int kSplashFadeOutTime = 3500;
constexpr unsigned int kSplashTotalTime = 4000;
constexpr float kLogoScale = 0.5f;

} // namespace

SplashScene::SplashScene() : mLogoSprite(kLogoFile), mSplashTimer(0)
{
    mSkipAction.AddBinding(KelpForge::Application::kKeyEscape);
    mSkipAction.AddBinding(KelpForge::Application::kKeySpace);
    mSkipAction.AddBinding(KelpForge::Application::kMouseLeft);
    mLogoSprite.SetScale(kLogoScale);
    mLogoSprite.SetOrigin(KelpForge::Graphics::AnchorLocation::kAnchorCenter);
    mLogoSprite.SetPosition(KelpForge::Graphics::ScreenCenter());
    AddGraphic(mLogoSprite);
}

void SplashScene::OnOpen()
{
    GameScene::OnOpen();
    SetColor(ColorPreset::kTransparent);
    mSplashTimer = GameTimer::Zero();
}

void SplashScene::OnSimulate()
{
    GameScene::OnSimulate();
    if (mSkipAction.IsReleased() && mSplashTimer < GameTimer(kSplashFadeOutTime))
    {
        mSplashTimer = GameTimer(kSplashFadeOutTime);
    }
    if (mSplashTimer.IncrementStep(GameTimer(kSplashTotalTime)))
    {
        SceneManager::ChangeToScene(kTitleScene);
    }

    if (mSplashTimer < GameTimer(kSplashFadeInTime))
    {
        const float t = mSplashTimer.GetPercentageOf(GameTimer(kSplashFadeInTime));
        SetColor(ColorLerp(t, ColorPreset::kTransparent, ColorPreset::kDefaultColor));
    }
    else if (mSplashTimer < GameTimer(kSplashFadeOutTime))
    {
        SetColor(ColorPreset::kWhite);
    }
    else
    {
        const float t = static_cast<float>(mSplashTimer.GetMilliseconds() - kSplashFadeOutTime) /
                        static_cast<float>(kSplashTotalTime - kSplashFadeOutTime);
        SetColor(ColorLerp(t, ColorPreset::kDefaultColor, ColorPreset::kTransparent));
    }
}

} // namespace Gloamshot
