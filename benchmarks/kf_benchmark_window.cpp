#include "kf_benchmark_window.hpp"

#include "kf_benchmark.hpp"

#include "kelp_forge/application/implementation/kfi_context_attempts.hpp"
#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"
#include "kelp_forge/graphics/kf_text.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"

#include <GL/glew.h>

namespace KelpForge::Benchmarks
{
namespace
{

constexpr int kWarmUpFrames = 10;
constexpr int kMeasuredFrames = 200;

void CallIfSet(const std::function<void()>& function)
{
    if (function)
    {
        function();
    }
}

} // namespace

BenchmarkWindow::BenchmarkWindow(RendererPath path, FrameScene scene)
    : mScene(std::move(scene)), mApplication(*this)
{
    using kfImplementation::ContextProfile;
    if (path == RendererPath::kShader)
    {
        kfImplementation::LimitContextAttempts({ContextProfile::kCore});
    }
    else
    {
        // No profile to ask for: the default context and the fixed-function path.
        kfImplementation::LimitContextAttempts({});
    }
    mApplication.Open();
    mIsOpen = true;
}

BenchmarkWindow::~BenchmarkWindow()
{
    if (mIsOpen)
    {
        mApplication.Close();
    }
    using kfImplementation::ContextProfile;
    kfImplementation::LimitContextAttempts(
        {ContextProfile::kCore, ContextProfile::kCompatible, ContextProfile::kES});
}

double BenchmarkWindow::MeasureMillisecondsPerFrame()
{
    mApplication.Run();
    mIsOpen = false;
    return mMillisecondsPerFrame;
}

void BenchmarkWindow::CollectWindowProperties(Application::WindowProperties& properties) const
{
    properties.windowWidth = kBenchmarkWindowWidth;
    properties.windowHeight = kBenchmarkWindowHeight;
    properties.vsync = false;
}

void BenchmarkWindow::OnGraphicsContextCreated()
{
    Graphics::theTextureManager.ReloadAllTextures();
    Graphics::RebuildAllTexts();
    CallIfSet(mScene.setUp);
}

void BenchmarkWindow::OnGraphicsContextDestroyed()
{
    CallIfSet(mScene.tearDown);
    Graphics::theTextureManager.ReleaseOpenGLTextures();
    Graphics::ReleaseAllTexts();
}

// The frame swaps after each update, so the update after the last measured frame closes the clock
// on a frame that has been presented.
void BenchmarkWindow::OnRealtimeUpdate()
{
    if (mFrame == kWarmUpFrames)
    {
        mStart = std::chrono::steady_clock::now();
    }
    if (mFrame == kWarmUpFrames + kMeasuredFrames)
    {
        mMillisecondsPerFrame = SecondsSince(mStart) * 1000.0 / kMeasuredFrames;
        mApplication.Close();
        return;
    }
    ++mFrame;

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    kfImplementation::Renderer::BeginDraw();
    CallIfSet(mScene.drawFrame);
    kfImplementation::Renderer::EndDraw();
}

#ifdef KF_BENCHMARK_WITH_SFML
double MeasureSfmlMillisecondsPerFrame(const std::vector<sf::Sprite>& sprites)
{
    sf::RenderWindow window(sf::VideoMode(kBenchmarkWindowWidth, kBenchmarkWindowHeight), "SFML sprites",
                            sf::Style::Titlebar | sf::Style::Close);
    window.setVerticalSyncEnabled(false);
    // Without a window manager SFML may leave part of its window below the screen's edge, and a
    // partly hidden window presents fewer pixels; centre it fully on screen, as ours is.
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    window.setPosition(sf::Vector2i((static_cast<int>(desktop.width) - kBenchmarkWindowWidth) / 2,
                                    (static_cast<int>(desktop.height) - kBenchmarkWindowHeight) / 2));
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

} // namespace KelpForge::Benchmarks
