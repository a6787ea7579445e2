#include "kelp_forge/graphics/kf_gif_exporter.hpp"

#include "kelp_forge/graphics/implementation/kfi_gif_capture.hpp"
#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"
#include "kelp_forge/graphics/kf_screen.hpp"

namespace KelpForge::Graphics
{

namespace
{

// Pictures of the window: what the current read buffer holds when the picture is taken.
class WindowPictureSource : public kfImplementation::GifPictureSource
{
public:
    std::uint16_t GetPictureWidth() const override { return ScreenWidth(); }
    std::uint16_t GetPictureHeight() const override { return ScreenHeight(); }

    void ReadPicture(std::span<std::uint8_t> pixels, std::uint16_t width, std::uint16_t height) override
    {
        kfImplementation::Renderer::ReadPixels(0, 0, width, height, pixels.data());
    }
};

WindowPictureSource theWindowPictureSource;
// Destroyed before the source it reads from; its destructor waits for a file still being written,
// so a capture is completed even when the process ends without FinishGifCapture.
kfImplementation::GifCapture theGifCapture(theWindowPictureSource);

} // namespace

void UpdateGifCapture(float deltaTime, bool toggleCapture, const GifCaptureSize& outputSize)
{
    theGifCapture.Update(deltaTime, toggleCapture, outputSize);
}

void FinishGifCapture()
{
    theGifCapture.Finish();
}

} // namespace KelpForge::Graphics
