#include "kelp_forge/game/implementation/kfi_default_scene.hpp"

#include "kelp_forge/audio/kf_audio_manager.hpp"
#include "kelp_forge/game/implementation/kfi_framework_logo.hpp"
#include "kelp_forge/graphics/kf_screen.hpp"
#include "kelp_forge/graphics/kf_sprite.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"

#include <cstdint>

using KelpForge::Graphics::Color;
using KelpForge::Graphics::TextureHandle;

namespace kfImplementation
{
namespace
{

constexpr std::uint32_t kOpaqueWhite = 0xFFFFFFFF;
constexpr std::uint32_t kTransparentWhite = 0x00FFFFFF;

// The logo texture, made once and kept for the process. Textures made from memory do not survive a
// lost OpenGL context, so a new context gets a new one.
TextureHandle LogoTexture()
{
    using KelpForge::Graphics::theTextureManager;
    static TextureHandle logo = KelpForge::Graphics::kInvalidTexture;
    if (logo != KelpForge::Graphics::kInvalidTexture && theTextureManager.GetOpenGLTextureName(logo) == 0)
    {
        theTextureManager.DestroyTexture(logo);
    }
    if (logo == KelpForge::Graphics::kInvalidTexture)
    {
        logo = theTextureManager.CreateTextureFromFileData(theFrameworkLogoPng, theFrameworkLogoPngSize);
    }
    return logo;
}

} // namespace

void DefaultScene::SetUp(KelpForge::Game::GameScene& nextScene)
{
    mNextScene = &nextScene;
    mDisplayTimer = KelpForge::Game::GameTimer(sDisplayMilliseconds);
    mSoundTimer = KelpForge::Game::GameTimer(sSoundDelayMilliseconds);
}

void DefaultScene::OnRender()
{
    KelpForge::Graphics::Sprite logo(LogoTexture());
    logo.SetOrigin(KelpForge::Graphics::AnchorLocation::kAnchorCenter);
    logo.SetPosition(KelpForge::Graphics::ScreenCenter());
    logo.SetColor(mFadeColor);
    logo.Render();
}

void DefaultScene::OnSimulate()
{
    if (mNextScene != nullptr && !mDisplayTimer.IsZero())
    {
        if (mDisplayTimer.DecrementStep())
        {
            mFadeColor = Color(kTransparentWhite);
            ChangeToScene(*mNextScene);
            mNextScene = nullptr;
        }
        if (mDisplayTimer.GetMilliseconds() < sFadeMilliseconds)
        {
            const float t = 1.0f - static_cast<float>(mDisplayTimer.GetMilliseconds()) / sFadeMilliseconds;
            mFadeColor = KelpForge::Graphics::ColorLerp(t, Color(kOpaqueWhite), Color(kTransparentWhite));
        }
    }
    if (!mSoundTimer.IsZero() && mSoundTimer.DecrementStep())
    {
        KelpForge::Audio::theAudioManager.PlaySound(KelpForge::Audio::theBuiltInSoundHandle);
    }
}

DefaultScene& GetDefaultScene()
{
    static DefaultScene defaultScene;
    return defaultScene;
}

} // namespace kfImplementation
