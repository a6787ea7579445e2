#ifndef KELP_FORGE_TESTS_GRAPHICS_DRAWABLES_TEST_WINDOW_HPP
#define KELP_FORGE_TESTS_GRAPHICS_DRAWABLES_TEST_WINDOW_HPP

// A 1280 x 720 window for tests that draw graphics and read the pixels back. Its handler does
// what the game application does with the texture manager when the context comes and goes, so
// closing and reopening the window exercises the release and reload of textures.

#include "kelp_forge/application/kf_realtime_application.hpp"

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

class DrawablesTestWindow : private Application::ApplicationHandlerInterface
{
public:
    // Opens the window.
    DrawablesTestWindow();
    ~DrawablesTestWindow() override;
    DrawablesTestWindow(const DrawablesTestWindow&) = delete;
    DrawablesTestWindow& operator=(const DrawablesTestWindow&) = delete;

    void Open();
    void Close();

    // Clears to black and begins drawing.
    void BeginFrame();
    // Ends drawing and waits for OpenGL to finish it.
    void EndFrame();
    // x, y in window pixels from the top-left, read from the frame just drawn.
    [[nodiscard]] Pixel ReadPixel(int x, int y) const;

private:
    void OnGraphicsContextCreated() override;
    void OnGraphicsContextDestroyed() override;

    Application::RealtimeApplication mApplication;
    bool mIsOpen = false;
};

} // namespace KelpForge::Testing

#endif
