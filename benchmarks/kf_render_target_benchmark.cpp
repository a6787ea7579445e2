// The light map's per-frame cost: a 1280 x 720 render target bound, cleared and finished (read
// back, premultiplied, uploaded with mipmaps) in a 1280 x 720 window; mean milliseconds per pass
// over 100 passes.

#include "kf_benchmark.hpp"
#include "kf_benchmark_window.hpp"

#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"
#include "kelp_forge/graphics/kf_render_target.hpp"

#include <GL/glew.h>

#include <chrono>

namespace
{

namespace Renderer = kfImplementation::Renderer;
using KelpForge::Benchmarks::ReportFigure;
using KelpForge::Benchmarks::SecondsSince;

constexpr int kWarmUpPasses = 5;
constexpr int kMeasuredPasses = 100;

void RunPass(KelpForge::Graphics::RenderTarget& target)
{
    target.BindRenderTarget();
    Renderer::BeginDraw();
    glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Renderer::EndDraw();
    target.FinishRenderTarget();
}

} // namespace

KF_BENCHMARK(RenderTarget)
{
    const KelpForge::Benchmarks::BenchmarkWindow window(KelpForge::Benchmarks::RendererPath::kShader);
    if (!Renderer::IsRendererReady())
    {
        return;
    }
    KelpForge::Graphics::RenderTarget target(1280, 720);
    for (int pass = 0; pass < kWarmUpPasses; ++pass)
    {
        RunPass(target);
    }
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    for (int pass = 0; pass < kMeasuredPasses; ++pass)
    {
        RunPass(target);
    }
    glFinish();
    ReportFigure("render_target_1280x720_pass", SecondsSince(start) * 1000.0 / kMeasuredPasses, "ms");
}
