#ifndef KELP_FORGE_TESTS_GRAPHICS_RENDERER_TEST_WINDOW_HPP
#define KELP_FORGE_TESTS_GRAPHICS_RENDERER_TEST_WINDOW_HPP

// A 1280 x 720 window whose renderer runs on the chosen path, for tests that draw a frame and read
// its pixels back. The shader path runs on an OpenGL 3.2 core context, the legacy path on a 3.2
// compatibility context, the shader path with "#version 100" shaders on an ES 2.0 context. A 1 x 1 white
// texture is bound, so untextured quads show their colour.

#include "kelp_forge/application/kf_realtime_application.hpp"

#include <GL/glew.h>

#include <cstdint>
#include <vector>

namespace KelpForge::Testing
{

enum class RendererPath
{
    kShader,
    kShaderGLSL100,
    kLegacy,
};

struct Pixel
{
    int red;
    int green;
    int blue;

    bool operator==(const Pixel&) const = default;
};

class RendererTestWindow
{
public:
    explicit RendererTestWindow(RendererPath path);
    ~RendererTestWindow();
    RendererTestWindow(const RendererTestWindow&) = delete;
    RendererTestWindow& operator=(const RendererTestWindow&) = delete;

    // Clears colour and depth and begins drawing.
    void BeginFrame(float clearRed = 0.0f, float clearGreen = 0.0f, float clearBlue = 0.0f);
    // Ends drawing and waits for OpenGL to finish it.
    void EndFrame();
    // x, y in window pixels from the top-left, read from the frame just drawn.
    [[nodiscard]] Pixel ReadPixel(int x, int y) const;

    // Replaces the bound texture with width x height RGBA pixels, sampled without filtering.
    void BindTexture(const std::vector<std::uint8_t>& rgbaPixels, int width, int height);
    // A linked program with the renderer's attributes and none of its uniforms; the caller deletes it.
    [[nodiscard]] GLuint BuildProgramWithoutUniforms() const;

private:
    class QuietHandler : public Application::ApplicationHandlerInterface
    {
    };

    QuietHandler mHandler;
    Application::RealtimeApplication mApplication;
    GLuint mTexture = 0;
};

} // namespace KelpForge::Testing

#endif
