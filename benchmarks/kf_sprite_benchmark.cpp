// Sprite drawing speed: N sprites of one 32 x 32 texture per frame, each placed, turned about its
// centre and tinted, drawn with Sprite::Render in a 1280 x 720 window with vsync off; mean
// milliseconds per frame over 200 frames. The positions are those of the renderer's RenderQuad
// figure, so the two figures side by side give the cost of the Graphic transform. Where SFML was
// found at build time, the same sprites drawn with one sf::Sprite draw each are measured too.

#include "kf_benchmark.hpp"

#include "kelp_forge/application/implementation/kfi_context_attempts.hpp"
#include "kelp_forge/application/kf_application_handler_interface.hpp"
#include "kelp_forge/application/kf_realtime_application.hpp"
#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"
#include "kelp_forge/graphics/kf_graphic.hpp"
#include "kelp_forge/graphics/kf_sprite.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"

#include <GL/glew.h>

#ifdef KF_BENCHMARK_WITH_SFML
#include <SFML/Graphics.hpp>
#endif

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace
{

namespace Graphics = KelpForge::Graphics;
using KelpForge::Benchmarks::ReportFigure;
using KelpForge::Benchmarks::SecondsSince;
using KelpForge::Math::Vector2;

constexpr int kWindowWidth = 1280;
constexpr int kWindowHeight = 720;
constexpr int kSpriteSize = 32;
constexpr int kWarmUpFrames = 10;
constexpr int kMeasuredFrames = 200;
constexpr unsigned int kSpriteCounts[] = {1000, 10000};

// Where, how turned and how tinted sprite number index is, the same for every contender.
struct SpritePlacement
{
    Vector2 centre;
    float degrees;
    std::uint32_t colorARGB;
};

SpritePlacement PlaceSprite(unsigned int index)
{
    const float half = kSpriteSize * 0.5f;
    return {Vector2(static_cast<float>(index * 37 % (kWindowWidth - kSpriteSize)) + half,
                    static_cast<float>(index * 91 % (kWindowHeight - kSpriteSize)) + half),
            static_cast<float>(index * 7 % 360), 0xFF000000u | (index * 2654435761u & 0x00FFFFFFu)};
}

class SpriteBenchmarkHandler : public KelpForge::Application::ApplicationHandlerInterface
{
public:
    explicit SpriteBenchmarkHandler(unsigned int spriteCount) : mSpriteCount(spriteCount) {}

    void SetApplication(KelpForge::Application::RealtimeApplication& application)
    {
        mApplication = &application;
    }

    void CollectWindowProperties(KelpForge::Application::WindowProperties& properties) const override
    {
        properties.vsync = false;
    }

    void OnGraphicsContextCreated() override
    {
        Graphics::theTextureManager.ReloadAllTextures();
        if (mTexture == Graphics::kInvalidTexture)
        {
            mTexture = Graphics::theTextureManager.CreateBlankTexture(kSpriteSize, kSpriteSize);
        }
        // Sampled as in the RenderQuad figure, so that the difference is the Graphic transform and
        // the bind rather than the software renderer's cost of filtering.
        Graphics::theTextureManager.BindTexture(mTexture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        mSprites.clear();
        mSprites.reserve(mSpriteCount);
        for (unsigned int index = 0; index < mSpriteCount; ++index)
        {
            const SpritePlacement placement = PlaceSprite(index);
            mSprites.emplace_back(mTexture);
            Graphics::Sprite& sprite = mSprites.back();
            sprite.SetOrigin(Graphics::AnchorLocation::kAnchorCenter);
            sprite.SetPosition(placement.centre);
            sprite.SetRotation(placement.degrees);
            sprite.SetColor(Graphics::Color(placement.colorARGB));
        }
    }

    void OnGraphicsContextDestroyed() override { Graphics::theTextureManager.ReleaseOpenGLTextures(); }

    // The frame swaps after each update, so the update after the last measured frame closes the
    // clock on a frame that has been presented.
    void OnRealtimeUpdate() override
    {
        if (mFrame == kWarmUpFrames)
        {
            mStart = std::chrono::steady_clock::now();
        }
        if (mFrame == kWarmUpFrames + kMeasuredFrames)
        {
            mMillisecondsPerFrame = SecondsSince(mStart) * 1000.0 / kMeasuredFrames;
            mApplication->Close();
            return;
        }
        ++mFrame;

        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        kfImplementation::Renderer::BeginDraw();
        for (Graphics::Sprite& sprite : mSprites)
        {
            sprite.Render();
        }
        kfImplementation::Renderer::EndDraw();
    }

    [[nodiscard]] double MillisecondsPerFrame() const { return mMillisecondsPerFrame; }

private:
    unsigned int mSpriteCount;
    std::vector<Graphics::Sprite> mSprites;
    Graphics::TextureHandle mTexture = Graphics::kInvalidTexture;
    KelpForge::Application::RealtimeApplication* mApplication = nullptr;
    int mFrame = 0;
    std::chrono::steady_clock::time_point mStart;
    double mMillisecondsPerFrame = 0.0;
};

double MeasureSpriteRender(unsigned int spriteCount)
{
    SpriteBenchmarkHandler handler(spriteCount);
    KelpForge::Application::RealtimeApplication application(handler);
    handler.SetApplication(application);
    application.Open();
    application.Run();
    return handler.MillisecondsPerFrame();
}

#ifdef KF_BENCHMARK_WITH_SFML
double MeasureSfmlSprites(unsigned int spriteCount)
{
    sf::RenderWindow window(sf::VideoMode(kWindowWidth, kWindowHeight), "SFML sprites",
                            sf::Style::Titlebar | sf::Style::Close);
    window.setVerticalSyncEnabled(false);
    const std::vector<std::uint8_t> white(kSpriteSize * kSpriteSize * 4, 0xFF);
    sf::Texture texture;
    texture.create(kSpriteSize, kSpriteSize);
    texture.update(white.data());

    std::vector<sf::Sprite> sprites;
    for (unsigned int index = 0; index < spriteCount; ++index)
    {
        const SpritePlacement placement = PlaceSprite(index);
        sprites.emplace_back(texture);
        sf::Sprite& sprite = sprites.back();
        sprite.setOrigin(kSpriteSize * 0.5f, kSpriteSize * 0.5f);
        sprite.setPosition(placement.centre.x, placement.centre.y);
        sprite.setRotation(placement.degrees);
        sprite.setColor(sf::Color(static_cast<sf::Uint8>(placement.colorARGB >> 16),
                                  static_cast<sf::Uint8>(placement.colorARGB >> 8),
                                  static_cast<sf::Uint8>(placement.colorARGB), 255));
    }

    std::chrono::steady_clock::time_point start;
    for (int frame = 0; frame < kWarmUpFrames + kMeasuredFrames; ++frame)
    {
        if (frame == kWarmUpFrames)
        {
            start = std::chrono::steady_clock::now();
        }
        sf::Event event;
        while (window.pollEvent(event))
        {
        }
        window.clear(sf::Color::Black);
        for (const sf::Sprite& sprite : sprites)
        {
            window.draw(sprite);
        }
        window.display();
    }
    return SecondsSince(start) * 1000.0 / kMeasuredFrames;
}
#endif

} // namespace

KF_BENCHMARK(SpriteRender)
{
    for (const unsigned int spriteCount : kSpriteCounts)
    {
        const std::string count = std::to_string(spriteCount);
        kfImplementation::LimitContextAttempts({kfImplementation::ContextProfile::kCore});
        ReportFigure("sprite_render_shader_path_" + count + "_sprites", MeasureSpriteRender(spriteCount),
                     "ms/frame");
        // No profile to ask for: the default context and the fixed-function path.
        kfImplementation::LimitContextAttempts({});
        ReportFigure("sprite_render_legacy_path_" + count + "_sprites", MeasureSpriteRender(spriteCount),
                     "ms/frame");
#ifdef KF_BENCHMARK_WITH_SFML
        ReportFigure("sfml_turned_tinted_sprite_draw_" + count + "_sprites", MeasureSfmlSprites(spriteCount),
                     "ms/frame");
#endif
    }
    kfImplementation::LimitContextAttempts({kfImplementation::ContextProfile::kCore,
                                            kfImplementation::ContextProfile::kCompatible,
                                            kfImplementation::ContextProfile::kES});
}
