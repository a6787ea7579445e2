// Sprite-style drawing speed: N textured 32 x 32 quads per frame, each its own RenderQuad call as
// sprites draw, in a 1280 x 720 window with vsync off; mean milliseconds per frame over 200 frames.
// Where SFML was found at build time, the same sprites drawn with one sf::Sprite draw each are
// measured side by side on the same display.

#include "kf_benchmark.hpp"

#include "kelp_forge/application/implementation/kfi_context_attempts.hpp"
#include "kelp_forge/application/kf_application_handler_interface.hpp"
#include "kelp_forge/application/kf_realtime_application.hpp"
#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"

#include <GL/glew.h>

#ifdef KF_BENCHMARK_WITH_SFML
#include <SFML/Graphics.hpp>
#endif

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace
{

namespace Renderer = kfImplementation::Renderer;
using KelpForge::Benchmarks::ReportFigure;
using KelpForge::Benchmarks::SecondsSince;
using KelpForge::Math::Vector2;

constexpr int kWindowWidth = 1280;
constexpr int kWindowHeight = 720;
constexpr int kQuadSize = 32;
constexpr int kWarmUpFrames = 10;
constexpr int kMeasuredFrames = 200;

// The same scattered positions for every contender.
std::vector<Vector2> QuadPositions(unsigned int count)
{
    std::vector<Vector2> positions;
    positions.reserve(count);
    for (unsigned int index = 0; index < count; ++index)
    {
        positions.emplace_back(static_cast<float>(index * 37 % (kWindowWidth - kQuadSize)),
                               static_cast<float>(index * 91 % (kWindowHeight - kQuadSize)));
    }
    return positions;
}

// A 32 x 32 checker board, opaque, RGBA.
std::vector<std::uint8_t> CheckerPixels()
{
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < kQuadSize; ++y)
    {
        for (int x = 0; x < kQuadSize; ++x)
        {
            const std::uint8_t shade = (x / 8 + y / 8) % 2 == 0 ? 255 : 96;
            pixels.insert(pixels.end(), {shade, shade, 255, 255});
        }
    }
    return pixels;
}

class QuadBenchmarkHandler : public KelpForge::Application::ApplicationHandlerInterface
{
public:
    explicit QuadBenchmarkHandler(unsigned int quadCount) : mPositions(QuadPositions(quadCount)) {}

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
        const std::vector<std::uint8_t> pixels = CheckerPixels();
        glGenTextures(1, &mTexture);
        glBindTexture(GL_TEXTURE_2D, mTexture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kQuadSize, kQuadSize, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     pixels.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    }

    void OnGraphicsContextDestroyed() override { glDeleteTextures(1, &mTexture); }

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
        Renderer::BeginDraw();
        glBindTexture(GL_TEXTURE_2D, mTexture);
        const Vector2 size(kQuadSize, kQuadSize);
        for (const Vector2& position : mPositions)
        {
            Renderer::RenderQuad(position, position + size, 0xFFFFFFFFu, 0.0f, 0.0f, 1.0f, 1.0f);
        }
        Renderer::EndDraw();
    }

    [[nodiscard]] double MillisecondsPerFrame() const { return mMillisecondsPerFrame; }

private:
    std::vector<Vector2> mPositions;
    KelpForge::Application::RealtimeApplication* mApplication = nullptr;
    GLuint mTexture = 0;
    int mFrame = 0;
    std::chrono::steady_clock::time_point mStart;
    double mMillisecondsPerFrame = 0.0;
};

double MeasureRenderQuad(unsigned int quadCount)
{
    QuadBenchmarkHandler handler(quadCount);
    KelpForge::Application::RealtimeApplication application(handler);
    handler.SetApplication(application);
    application.Open();
    application.Run();
    return handler.MillisecondsPerFrame();
}

#ifdef KF_BENCHMARK_WITH_SFML
double MeasureSfmlSprites(unsigned int quadCount)
{
    sf::RenderWindow window(sf::VideoMode(kWindowWidth, kWindowHeight), "SFML sprites",
                            sf::Style::Titlebar | sf::Style::Close);
    window.setVerticalSyncEnabled(false);
    const std::vector<std::uint8_t> pixels = CheckerPixels();
    sf::Texture texture;
    texture.create(kQuadSize, kQuadSize);
    texture.update(pixels.data());

    std::vector<sf::Sprite> sprites;
    for (const Vector2& position : QuadPositions(quadCount))
    {
        sprites.emplace_back(texture);
        sprites.back().setPosition(position.x, position.y);
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

// The machine may be shared, so each contender runs kRounds times, interleaved with the others,
// and the best round stands for it.
void CompareAt(unsigned int quadCount)
{
    using kfImplementation::ContextProfile;
    constexpr int kRounds = 3;
    double shaderPath = 1e9;
    double legacyPath = 1e9;
    [[maybe_unused]] double sfml = 1e9;
    for (int round = 0; round < kRounds; ++round)
    {
        kfImplementation::LimitContextAttempts({ContextProfile::kCore});
        shaderPath = std::min(shaderPath, MeasureRenderQuad(quadCount));
        // No profile to ask for: the default context and the fixed-function path.
        kfImplementation::LimitContextAttempts({});
        legacyPath = std::min(legacyPath, MeasureRenderQuad(quadCount));
#ifdef KF_BENCHMARK_WITH_SFML
        sfml = std::min(sfml, MeasureSfmlSprites(quadCount));
#endif
    }
    kfImplementation::LimitContextAttempts(
        {ContextProfile::kCore, ContextProfile::kCompatible, ContextProfile::kES});

    const std::string count = std::to_string(quadCount);
    ReportFigure("render_quad_shader_path_" + count + "_quads", shaderPath, "ms/frame");
    ReportFigure("render_quad_legacy_path_" + count + "_quads", legacyPath, "ms/frame");
#ifdef KF_BENCHMARK_WITH_SFML
    ReportFigure("sfml_sprite_draw_" + count + "_quads", sfml, "ms/frame");
#endif
}

} // namespace

KF_BENCHMARK(RendererThousandQuads)
{
    CompareAt(1000);
}

KF_BENCHMARK(RendererTenThousandQuads)
{
    CompareAt(10000);
}
