// What one screen-sized draw costs, the unit every full-screen layer of a frame pays: frames of a
// 1280 x 720 window with vsync off that draw nothing, one sprite of a 1280 x 720 texture at its own
// size (sampled as the texture manager samples every texture, with mipmaps), or one box of plain
// colour over the whole window. A figure minus the empty frame is the draw's own cost. Mean
// milliseconds per frame over 200 frames, the best of three interleaved rounds.

#include "kf_benchmark.hpp"
#include "kf_benchmark_window.hpp"

#include "kelp_forge/graphics/kf_basic_shapes.hpp"
#include "kelp_forge/graphics/kf_sprite.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"

#include <memory>

namespace
{

namespace Graphics = KelpForge::Graphics;
using KelpForge::Benchmarks::BenchmarkWindow;
using KelpForge::Benchmarks::kBenchmarkWindowHeight;
using KelpForge::Benchmarks::kBenchmarkWindowWidth;
using KelpForge::Benchmarks::RendererPath;

double MeasureEmptyFrames()
{
    BenchmarkWindow window(RendererPath::kShader);
    return window.MeasureMillisecondsPerFrame();
}

double MeasureScreenSizedSprite()
{
    Graphics::TextureHandle texture = Graphics::kInvalidTexture;
    std::unique_ptr<Graphics::Sprite> sprite;
    const auto makeSprite = [&texture, &sprite]
    {
        texture =
            Graphics::theTextureManager.CreateBlankTexture(kBenchmarkWindowWidth, kBenchmarkWindowHeight);
        sprite = std::make_unique<Graphics::Sprite>(texture);
    };
    // A sprite never gives its texture back; its owner does.
    const auto dropSprite = [&texture, &sprite]
    {
        sprite.reset();
        Graphics::theTextureManager.DestroyTexture(texture);
    };
    BenchmarkWindow window(RendererPath::kShader, {makeSprite, [&sprite] { sprite->Render(); }, dropSprite});
    return window.MeasureMillisecondsPerFrame();
}

double MeasureScreenSizedBox()
{
    Graphics::BoxShape box(static_cast<float>(kBenchmarkWindowWidth),
                           static_cast<float>(kBenchmarkWindowHeight), Graphics::Color(0xFF000000u),
                           KelpForge::Math::Vector2());
    BenchmarkWindow window(RendererPath::kShader, {{}, [&box] { box.Render(); }, {}});
    return window.MeasureMillisecondsPerFrame();
}

} // namespace

KF_BENCHMARK(ScreenSizedPass)
{
    KelpForge::Benchmarks::ReportBestOfInterleavedRounds(
        {{"empty_frame_1280x720", MeasureEmptyFrames},
         {"screen_sized_sprite_frame_1280x720", MeasureScreenSizedSprite},
         {"screen_sized_box_frame_1280x720", MeasureScreenSizedBox}},
        "ms/frame");
}
