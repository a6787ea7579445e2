#ifndef KELP_FORGE_GRAPHICS_GIF_CAPTURE_HPP
#define KELP_FORGE_GRAPHICS_GIF_CAPTURE_HPP

#include "kelp_forge/core/kf_defines.hpp"
#include "kelp_forge/graphics/kf_gif_exporter.hpp"

#include <cstdint>
#include <memory>
#include <span>

namespace kfImplementation
{

// Where a recording takes its pictures from: the window in the game, memory in tests.
class GifPictureSource
{
public:
    virtual ~GifPictureSource() = default;

    // Size of the pictures at the moment, in pixels.
    [[nodiscard]] virtual std::uint16_t GetPictureWidth() const = 0;
    [[nodiscard]] virtual std::uint16_t GetPictureHeight() const = 0;
    // Fills pixels (width × height × 4 bytes) with RGBA pixels, bottom row first.
    virtual void ReadPicture(std::span<std::uint8_t> pixels, std::uint16_t width, std::uint16_t height) = 0;
};

// The state of GIF screen capture: switched on and off by toggles, it takes a picture every 1/15 s
// and hands it to a worker thread that converts it to the output size and writes it to the file
// at once. The worker of a recording runs until the recording is stopped and its last picture is
// written; a new recording first waits for it, and so does Finish and the destructor, so no
// thread outlives the capture and no file is left unfinished.
class GifCapture : private KelpForge::Core::Noncopyable
{
public:
    // Pictures taken but not yet written; taking one more waits for the worker.
    static constexpr std::size_t kQueuedPictureLimit = 4;

    // source must outlive the capture; it is used on the calling thread only.
    explicit GifCapture(GifPictureSource& source);
    ~GifCapture();

    // One frame of capture control, on the thread that owns the source.
    void Update(float deltaTime, bool toggleCapture, const KelpForge::Graphics::GifCaptureSize& outputSize);
    // Stops a recording in progress and waits until its file is complete.
    void Finish();

    [[nodiscard]] bool IsCapturing() const { return mCapturing; }

private:
    struct Recording;

    void StartRecording(const KelpForge::Graphics::GifCaptureSize& outputSize);
    void StopRecording();
    void TakePicture();
    void WaitForWriter();

    GifPictureSource& mSource;
    bool mCapturing = false;
    // The size of the previous recording is kept when a recording asks for an unknown size.
    KelpForge::Graphics::GifCaptureSize mOutputSize = KelpForge::Graphics::kGifCaptureHalfSize;
    float mFrameTimer = -1.0f;
    // The recording in progress, or the last one, whose worker may still be writing.
    std::unique_ptr<Recording> mRecording;
};

} // namespace kfImplementation

#endif
