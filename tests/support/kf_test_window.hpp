#ifndef KELP_FORGE_TESTS_SUPPORT_TEST_WINDOW_HPP
#define KELP_FORGE_TESTS_SUPPORT_TEST_WINDOW_HPP

// A real window for tests that draw a frame and read its pixels back. Its handler does what the
// game application's does when the OpenGL context comes and goes: textures and texts give up their
// OpenGL objects before the context is destroyed and get them back once a new one exists, so
// closing and reopening the window exercises their release and reload.

#include "kelp_forge/application/kf_realtime_application.hpp"

#include <optional>
#include <ostream>

namespace KelpForge::Testing
{

struct Pixel
{
    int red;
    int green;
    int blue;

    bool operator==(const Pixel&) const = default;
};

inline std::ostream& operator<<(std::ostream& stream, const Pixel& pixel)
{
    return stream << "(" << pixel.red << ", " << pixel.green << ", " << pixel.blue << ")";
}

inline constexpr Pixel kBlackPixel = {0, 0, 0};
inline constexpr Pixel kRedPixel = {255, 0, 0};
inline constexpr Pixel kGreenPixel = {0, 255, 0};
inline constexpr Pixel kBluePixel = {0, 0, 255};
inline constexpr Pixel kWhitePixel = {255, 255, 255};

enum class RendererPath
{
    kShader,        // OpenGL 3.2 core context
    kShaderGLSL100, // ES 2.0 context, "#version 100" shaders
    kLegacy,        // the driver's default context (compatibility on Mesa), fixed-function drawing
};

// "Shader", "ShaderGLSL100" or "Legacy", which also names parameterised cases after their path
// through ::testing::PrintToStringParamName().
std::ostream& operator<<(std::ostream& stream, RendererPath path);

class TestWindow : private Application::ApplicationHandlerInterface
{
public:
    // Opens a 1280 x 720 window on the first context the window layer can make, as the game does.
    TestWindow();
    // Opens a 1280 x 720 window whose renderer runs on path.
    explicit TestWindow(RendererPath path);
    // Opens a window of width x height pixels on the first context the window layer can make.
    TestWindow(int width, int height);
    ~TestWindow() override;
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    // Both do nothing when the window already is in that state. Only one window can be open in a
    // process at a time; Open fails the test when it leaves no renderer ready.
    void Open();
    void Close();

    // Clears colour and depth and begins drawing.
    void BeginFrame(float clearRed = 0.0f, float clearGreen = 0.0f, float clearBlue = 0.0f);
    // Ends drawing and waits for OpenGL to finish it.
    void EndFrame();
    // x, y in window pixels from the top-left, read from the frame just drawn.
    [[nodiscard]] Pixel ReadPixel(int x, int y) const;

private:
    TestWindow(int width, int height, std::optional<RendererPath> path);

    void CollectWindowProperties(Application::WindowProperties& properties) const override;
    void OnGraphicsContextCreated() override;
    void OnGraphicsContextDestroyed() override;

    Application::RealtimeApplication mApplication;
    int mWidth;
    int mHeight;
    bool mIsOpen = false;
};

} // namespace KelpForge::Testing

#endif
