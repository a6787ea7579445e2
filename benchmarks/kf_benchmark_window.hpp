#ifndef KELP_FORGE_BENCHMARKS_BENCHMARK_WINDOW_HPP
#define KELP_FORGE_BENCHMARKS_BENCHMARK_WINDOW_HPP

// The window of the drawing benchmarks: 1280 x 720, vsync off, on the renderer path they measure.
// Textures and texts are carried across its OpenGL context as the game carries them.

#include "kelp_forge/application/kf_realtime_application.hpp"

#ifdef KF_BENCHMARK_WITH_SFML
#include <SFML/Graphics.hpp>
#endif

#include <chrono>
#include <functional>
#include <vector>

namespace KelpForge::Benchmarks
{

inline constexpr int kBenchmarkWindowWidth = 1280;
inline constexpr int kBenchmarkWindowHeight = 720;

enum class RendererPath
{
    kShader, // OpenGL 3.2 core context
    kLegacy, // the driver's default context, fixed-function drawing
};

// What a frame benchmark draws. Each part may be empty.
struct FrameScene
{
    // Once the OpenGL context exists, after the textures have been reloaded.
    std::function<void()> setUp;
    // Once a frame, between the renderer's BeginDraw and EndDraw, on a screen cleared to black.
    std::function<void()> drawFrame;
    // Before the OpenGL context goes, ahead of the textures.
    std::function<void()> tearDown;
};

class BenchmarkWindow : private Application::ApplicationHandlerInterface
{
public:
    // Opens the window; scene.setUp runs before this returns. The scene's functions must stay
    // callable for the window's lifetime.
    explicit BenchmarkWindow(RendererPath path, FrameScene scene = {});
    // Closes the window when it is still open and gives later windows the usual choice of context.
    ~BenchmarkWindow() override;
    BenchmarkWindow(const BenchmarkWindow&) = delete;
    BenchmarkWindow& operator=(const BenchmarkWindow&) = delete;

    // Runs the game loop for 10 frames to warm up and 200 to measure, each drawn by the scene and
    // presented, then closes the window. Mean milliseconds per measured frame.
    [[nodiscard]] double MeasureMillisecondsPerFrame();

private:
    void CollectWindowProperties(Application::WindowProperties& properties) const override;
    void OnGraphicsContextCreated() override;
    void OnGraphicsContextDestroyed() override;
    void OnRealtimeUpdate() override;

    FrameScene mScene;
    Application::RealtimeApplication mApplication;
    int mFrame = 0;
    std::chrono::steady_clock::time_point mStart;
    double mMillisecondsPerFrame = 0.0;
    bool mIsOpen = false;
};

#ifdef KF_BENCHMARK_WITH_SFML
// The yardstick: the sprites drawn by SFML, one draw each, in a window of the same size with vsync
// off, timed as MeasureMillisecondsPerFrame times its frames.
[[nodiscard]] double MeasureSfmlMillisecondsPerFrame(const std::vector<sf::Sprite>& sprites);
#endif

} // namespace KelpForge::Benchmarks

#endif
