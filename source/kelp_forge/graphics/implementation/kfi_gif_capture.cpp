#include "kelp_forge/graphics/implementation/kfi_gif_capture.hpp"

#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/graphics/implementation/kfi_gif_picture_queue.hpp"
#include "kelp_forge/graphics/implementation/kfi_gif_writer.hpp"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace kfImplementation
{

using KelpForge::Graphics::GifCaptureSize;
using KelpForge::Graphics::kGifCaptureFullSize;
using KelpForge::Graphics::kGifCaptureHalfSize;

namespace
{

constexpr float kFrameInterval = 1.0f / 15.0f;
// Hundredths of a second, truncated: 6.
constexpr auto kFrameDelay = static_cast<std::uint16_t>(kFrameInterval * 100.0f);
// Enough for every recording a person can start within one second.
constexpr int kFileNameAttempts = 1000;

// Opens a new file named after the local date and time; when that name is taken, tries the same
// name with "_2", "_3", ... before the extension. Null when no file could be made.
GifFile OpenNewCaptureFile()
{
    const std::time_t now = std::time(nullptr);
    std::tm localTime{};
    localtime_r(&now, &localTime);
    char firstName[64];
    if (std::strftime(firstName, sizeof(firstName), "%Y%m%d_%H%M%S_screencap.gif", &localTime) == 0)
    {
        return nullptr;
    }

    const std::string first = firstName;
    const std::string stem = first.substr(0, first.size() - std::string_view(".gif").size());
    for (int attempt = 1; attempt <= kFileNameAttempts; ++attempt)
    {
        const std::string name = attempt == 1 ? first : stem + "_" + std::to_string(attempt) + ".gif";
        // "x" fails instead of truncating a file that exists, even one made a moment ago.
        if (std::FILE* file = std::fopen(name.c_str(), "wbx"))
        {
            return GifFile(file);
        }
        if (errno != EEXIST)
        {
            return nullptr;
        }
    }
    return nullptr;
}

// Turns a picture taken bottom row first into one of the output size, top row first. Half size
// keeps every second pixel of every second row, starting with the bottom row's first pixel.
void ConvertPicture(std::span<const std::uint8_t> taken, std::uint32_t takenWidth, GifCaptureSize size,
                    std::span<std::uint8_t> converted, std::uint32_t width, std::uint32_t height)
{
    const std::uint32_t step = size == kGifCaptureFullSize ? 1 : 2;
    const std::size_t takenRowBytes = static_cast<std::size_t>(takenWidth) * 4;
    for (std::uint32_t y = 0; y < height; ++y)
    {
        const std::uint8_t* source = taken.data() + static_cast<std::size_t>(y) * step * takenRowBytes;
        std::uint8_t* target = converted.data() + static_cast<std::size_t>(height - 1 - y) * width * 4;
        if (step == 1)
        {
            std::copy(source, source + static_cast<std::size_t>(width) * 4, target);
            continue;
        }
        for (std::uint32_t x = 0; x < width; ++x)
        {
            std::copy(source + static_cast<std::size_t>(x) * 2 * 4,
                      source + static_cast<std::size_t>(x) * 2 * 4 + 4,
                      target + static_cast<std::size_t>(x) * 4);
        }
    }
}

} // namespace

struct GifCapture::Recording
{
    GifPictureQueue queue{kQueuedPictureLimit};
    GifWriter writer;
    GifCaptureSize size = kGifCaptureHalfSize;
    std::uint16_t takenWidth = 0;
    std::uint16_t takenHeight = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::thread worker;

    // The worker: writes every picture as it arrives, then finishes the file.
    void Write()
    {
        std::vector<std::uint8_t> converted(static_cast<std::size_t>(width) * height * 4);
        GifPictureQueue::Picture picture;
        while (queue.Pop(picture))
        {
            ConvertPicture(picture, takenWidth, size, converted, width, height);
            queue.ReturnSpareBuffer(std::move(picture));
            writer.WriteFrame(converted);
        }
        writer.End();
    }
};

GifCapture::GifCapture(GifPictureSource& source) : mSource(source) {}

GifCapture::~GifCapture()
{
    Finish();
}

void GifCapture::Update(float deltaTime, bool toggleCapture, const GifCaptureSize& outputSize)
{
    if (toggleCapture)
    {
        if (mCapturing)
        {
            StopRecording();
        }
        else
        {
            StartRecording(outputSize);
        }
    }
    if (mCapturing)
    {
        mFrameTimer -= deltaTime;
        if (mFrameTimer < 0.0f)
        {
            TakePicture();
            mFrameTimer += kFrameInterval;
        }
    }
}

void GifCapture::Finish()
{
    if (mCapturing)
    {
        StopRecording();
    }
    WaitForWriter();
}

void GifCapture::StartRecording(const GifCaptureSize& outputSize)
{
    WaitForWriter();

    if (outputSize == kGifCaptureFullSize || outputSize == kGifCaptureHalfSize)
    {
        mOutputSize = outputSize;
    }
    else
    {
        kf_error("kfInternalError: Unknown GIF capture outputSize value.");
    }

    auto recording = std::make_unique<Recording>();
    recording->size = mOutputSize;
    recording->takenWidth = mSource.GetPictureWidth();
    recording->takenHeight = mSource.GetPictureHeight();
    const int divisor = mOutputSize == kGifCaptureFullSize ? 1 : 2;
    recording->width = static_cast<std::uint16_t>(recording->takenWidth / divisor);
    recording->height = static_cast<std::uint16_t>(recording->takenHeight / divisor);
    recording->writer.Begin(OpenNewCaptureFile(), recording->width, recording->height, kFrameDelay);
    recording->worker = std::thread(&Recording::Write, recording.get());
    mRecording = std::move(recording);

    mCapturing = true;
    mFrameTimer = 0.0f;
}

void GifCapture::StopRecording()
{
    mCapturing = false;
    mRecording->queue.Close();
}

void GifCapture::TakePicture()
{
    GifPictureQueue::Picture picture = mRecording->queue.TakeSpareBuffer();
    picture.resize(static_cast<std::size_t>(mRecording->takenWidth) * mRecording->takenHeight * 4);
    mSource.ReadPicture(picture, mRecording->takenWidth, mRecording->takenHeight);
    mRecording->queue.Push(std::move(picture));
}

void GifCapture::WaitForWriter()
{
    if (mRecording == nullptr)
    {
        return;
    }
    if (mRecording->worker.joinable())
    {
        mRecording->worker.join();
    }
    mRecording.reset();
}

} // namespace kfImplementation
