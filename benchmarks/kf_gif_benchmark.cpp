// GIF capture on 1280 x 720 pictures like the game's (black, with textured discs of light that
// drift a little from one picture to the next): pictures encoded per second at full and half size
// through the whole recording path (taking, queueing, converting, palette, LZW, file), the peak
// memory of a 60-second recording, and, when ffmpeg is installed, ffmpeg making one palette per
// picture with one thread on the same pictures.

#include "kf_benchmark.hpp"

#include "kelp_forge/graphics/implementation/kfi_gif_capture.hpp"

#include <stdlib.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

namespace
{

using KelpForge::Benchmarks::ReportFigure;
using KelpForge::Benchmarks::SecondsSince;
using KelpForge::Graphics::GifCaptureSize;
using KelpForge::Graphics::kGifCaptureFullSize;
using KelpForge::Graphics::kGifCaptureHalfSize;

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr std::size_t kPictureBytes = static_cast<std::size_t>(kWidth) * kHeight * 4;
constexpr float kFrameInterval = 1.0f / 15.0f;
constexpr int kTextureSize = 256;

struct Light
{
    float x;
    float y;
    float radius;
    float red;
    float green;
    float blue;
    // Pixels a picture along x and y.
    float driftX;
    float driftY;
};

// The archer's bow, lanterns and arrows in flight.
const std::vector<Light> kLights{
    {180, 560, 150, 1.00f, 0.85f, 0.60f, 0.8f, 0.3f},   {520, 200, 110, 1.00f, 0.75f, 0.35f, 0.0f, 0.4f},
    {900, 330, 110, 1.00f, 0.75f, 0.35f, 0.3f, -0.2f},  {1120, 140, 110, 0.95f, 0.70f, 0.30f, 0.0f, 0.0f},
    {300, 420, 70, 0.80f, 0.90f, 1.00f, 9.0f, -4.0f},   {650, 520, 70, 0.80f, 0.90f, 1.00f, 7.0f, 2.5f},
    {1000, 600, 70, 0.80f, 0.90f, 1.00f, -6.0f, -5.0f},
};

// Paints the picture of a given number, bottom row first as the window's read-back gives it.
class GameLikePictures
{
public:
    GameLikePictures() : mTexture(static_cast<std::size_t>(kTextureSize) * kTextureSize)
    {
        // Rough stone: value noise of a few octaves, between 90 and 255.
        std::uint32_t state = 2024;
        std::vector<float> noise(mTexture.size());
        for (float& value : noise)
        {
            state = state * 1664525u + 1013904223u;
            value = static_cast<float>(state >> 8) / static_cast<float>(1u << 24);
        }
        for (int y = 0; y < kTextureSize; ++y)
        {
            for (int x = 0; x < kTextureSize; ++x)
            {
                float value = 0.0f;
                float weight = 0.5f;
                for (int octave = 0; octave < 4; ++octave)
                {
                    const int step = 1 << octave;
                    value += weight *
                             noise[static_cast<std::size_t>(((y / step) * 37 % kTextureSize) * kTextureSize +
                                                            (x / step) * 53 % kTextureSize)];
                    weight *= 0.5f;
                }
                mTexture[static_cast<std::size_t>(y) * kTextureSize + x] =
                    90.0f + 165.0f * std::min(value, 1.0f);
            }
        }
    }

    void Paint(int number, std::uint8_t* pixels) const
    {
        std::fill(pixels, pixels + kPictureBytes, 0);
        for (std::size_t pixel = 3; pixel < kPictureBytes; pixel += 4)
        {
            pixels[pixel] = 255;
        }
        for (const Light& light : kLights)
        {
            const float centerX = light.x + light.driftX * static_cast<float>(number);
            const float centerY = light.y + light.driftY * static_cast<float>(number) +
                                  2.0f * std::sin(static_cast<float>(number) * 0.3f + light.x);
            const int left = std::max(0, static_cast<int>(centerX - light.radius));
            const int right = std::min(kWidth - 1, static_cast<int>(centerX + light.radius));
            const int top = std::max(0, static_cast<int>(centerY - light.radius));
            const int bottom = std::min(kHeight - 1, static_cast<int>(centerY + light.radius));
            for (int y = top; y <= bottom; ++y)
            {
                std::uint8_t* row = pixels + static_cast<std::size_t>(kHeight - 1 - y) * kWidth * 4;
                for (int x = left; x <= right; ++x)
                {
                    const float distance =
                        std::hypot(static_cast<float>(x) - centerX, static_cast<float>(y) - centerY);
                    if (distance >= light.radius)
                    {
                        continue;
                    }
                    const float falloff = (1.0f - distance / light.radius) * (1.0f - distance / light.radius);
                    const float stone = mTexture[static_cast<std::size_t>(y % kTextureSize) * kTextureSize +
                                                 static_cast<std::size_t>(x % kTextureSize)];
                    const float channels[3] = {light.red, light.green, light.blue};
                    for (int channel = 0; channel < 3; ++channel)
                    {
                        const float added = falloff * stone * channels[channel];
                        row[x * 4 + channel] =
                            static_cast<std::uint8_t>(std::min(255.0f, row[x * 4 + channel] + added));
                    }
                }
            }
        }
    }

private:
    std::vector<float> mTexture;
};

// Gives painted pictures, either kept from before or painted when asked for.
class BenchmarkPictureSource : public kfImplementation::GifPictureSource
{
public:
    BenchmarkPictureSource(const GameLikePictures& painter,
                           const std::vector<std::vector<std::uint8_t>>* kept)
        : mPainter(painter), mKept(kept)
    {
    }

    std::uint16_t GetPictureWidth() const override { return kWidth; }
    std::uint16_t GetPictureHeight() const override { return kHeight; }
    void ReadPicture(std::span<std::uint8_t> pixels, std::uint16_t, std::uint16_t) override
    {
        if (mKept != nullptr)
        {
            // Back and forth through the kept pictures, so that every step is a small one.
            const int count = static_cast<int>(mKept->size());
            const int phase = mNumber % (2 * count - 2);
            const auto& picture =
                (*mKept)[static_cast<std::size_t>(phase < count ? phase : 2 * count - 2 - phase)];
            std::copy(picture.begin(), picture.end(), pixels.begin());
        }
        else
        {
            mPainter.Paint(mNumber, pixels.data());
        }
        ++mNumber;
    }

private:
    const GameLikePictures& mPainter;
    const std::vector<std::vector<std::uint8_t>>* mKept;
    int mNumber = 0;
};

double ProcessCpuSeconds()
{
    timespec time{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
}

struct RecordingTime
{
    double wallSeconds;
    // Both threads: the one that takes the pictures and the writer. On a busy machine this says
    // more than the wall time.
    double cpuSeconds;
};

// Records pictureCount pictures as the game would, one per 1/15 s frame, from the start of the
// recording until its file is complete.
RecordingTime Record(kfImplementation::GifPictureSource& source, GifCaptureSize size, int pictureCount)
{
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ProcessCpuSeconds();
    kfImplementation::GifCapture capture(source);
    capture.Update(kFrameInterval, true, size);
    for (int picture = 1; picture < pictureCount; ++picture)
    {
        capture.Update(kFrameInterval, false, size);
    }
    capture.Finish();
    return {SecondsSince(start), ProcessCpuSeconds() - cpuStart};
}

// Kilobytes of a line of /proc/self/status such as "VmHWM:".
double ReadStatusKilobytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
    {
        if (line.rfind(key, 0) == 0)
        {
            return std::stod(line.substr(key.size()));
        }
    }
    return 0.0;
}

// A working directory for the captures, removed afterwards.
class ScratchDirectory
{
public:
    ScratchDirectory() : mOriginal(std::filesystem::current_path())
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kf_gif_benchmark_XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
        {
            mPath = pattern;
            std::filesystem::current_path(mPath);
        }
    }
    ~ScratchDirectory()
    {
        std::filesystem::current_path(mOriginal);
        if (!mPath.empty())
        {
            std::filesystem::remove_all(mPath);
        }
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    double GifMegabytes() const
    {
        double bytes = 0;
        for (const auto& entry : std::filesystem::directory_iterator(mPath))
        {
            bytes += static_cast<double>(entry.file_size());
        }
        return bytes / 1e6;
    }
    const std::filesystem::path& GetPath() const { return mPath; }

private:
    std::filesystem::path mOriginal;
    std::filesystem::path mPath;
};

std::vector<std::vector<std::uint8_t>> PaintPictures(const GameLikePictures& painter, int count)
{
    std::vector<std::vector<std::uint8_t>> pictures(static_cast<std::size_t>(count),
                                                    std::vector<std::uint8_t>(kPictureBytes));
    for (int number = 0; number < count; ++number)
    {
        painter.Paint(number, pictures[static_cast<std::size_t>(number)].data());
    }
    return pictures;
}

} // namespace

KF_BENCHMARK(GifCaptureRate)
{
    constexpr int kKeptPictures = 30;
    constexpr int kRecordedPictures = 90;
    const GameLikePictures painter;
    const std::vector<std::vector<std::uint8_t>> pictures = PaintPictures(painter, kKeptPictures);
    for (const GifCaptureSize size : {kGifCaptureFullSize, kGifCaptureHalfSize})
    {
        const std::string name =
            size == kGifCaptureFullSize ? "gif_capture_full_size" : "gif_capture_half_size";
        ScratchDirectory directory;
        BenchmarkPictureSource source(painter, &pictures);
        const RecordingTime time = Record(source, size, kRecordedPictures);
        ReportFigure(name + "_rate", kRecordedPictures / time.wallSeconds, "pictures/s");
        ReportFigure(name + "_rate_per_cpu_second", kRecordedPictures / time.cpuSeconds, "pictures/cpu-s");
        ReportFigure(name + "_file_per_picture", directory.GifMegabytes() * 1000.0 / kRecordedPictures, "KB");
    }

    // The same pictures, top row first, through the ffmpeg command of one palette per picture.
    if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0)
    {
        std::printf("ffmpeg not installed: no comparison\n");
        return;
    }
    ScratchDirectory directory;
    {
        std::ofstream frames("frames.rgba", std::ios::binary);
        for (int number = 0; number < kRecordedPictures; ++number)
        {
            const int phase = number % (2 * kKeptPictures - 2);
            const auto& picture = pictures[static_cast<std::size_t>(
                phase < kKeptPictures ? phase : 2 * kKeptPictures - 2 - phase)];
            for (int row = kHeight - 1; row >= 0; --row)
            {
                frames.write(reinterpret_cast<const char*>(picture.data()) +
                                 static_cast<std::ptrdiff_t>(row) * kWidth * 4,
                             kWidth * 4);
            }
        }
    }
    rusage childrenBefore{};
    getrusage(RUSAGE_CHILDREN, &childrenBefore);
    const auto start = std::chrono::steady_clock::now();
    const int result =
        std::system("ffmpeg -loglevel error -y -threads 1 -f rawvideo -pix_fmt rgba -s 1280x720 -i "
                    "frames.rgba -filter_complex "
                    "\"split[a][b];[a]palettegen=stats_mode=single[p];[b][p]paletteuse=new=1\" "
                    "out.gif");
    const double seconds = SecondsSince(start);
    rusage childrenAfter{};
    getrusage(RUSAGE_CHILDREN, &childrenAfter);
    const auto cpuSeconds = [](const rusage& usage)
    {
        return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
               static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    };
    if (result == 0)
    {
        ReportFigure("gif_ffmpeg_one_palette_per_picture_rate", kRecordedPictures / seconds, "pictures/s");
        ReportFigure("gif_ffmpeg_one_palette_per_picture_rate_per_cpu_second",
                     kRecordedPictures / (cpuSeconds(childrenAfter) - cpuSeconds(childrenBefore)),
                     "pictures/cpu-s");
        ReportFigure("gif_ffmpeg_file_per_picture",
                     static_cast<double>(std::filesystem::file_size("out.gif")) / 1000.0 / kRecordedPictures,
                     "KB");
    }
}

KF_BENCHMARK(GifCaptureMemory)
{
    // 60 seconds at 15 pictures a second, taken as fast as the writer accepts them: the queue is
    // full all the time, the most memory a recording can hold.
    constexpr int kPictures = 60 * 15;
    const GameLikePictures painter;
    ScratchDirectory directory;
    BenchmarkPictureSource source(painter, nullptr);
    {
        std::ofstream resetPeak("/proc/self/clear_refs");
        resetPeak << "5";
    }
    const double before = ReadStatusKilobytes("VmRSS:");
    const RecordingTime time = Record(source, kGifCaptureFullSize, kPictures);
    const double peak = ReadStatusKilobytes("VmHWM:");
    ReportFigure("gif_60s_recording_peak_memory", peak / 1024.0, "MB");
    ReportFigure("gif_60s_recording_peak_memory_added", (peak - before) / 1024.0, "MB");
    ReportFigure("gif_60s_recording_rate_painting_included", kPictures / time.wallSeconds, "pictures/s");
}
