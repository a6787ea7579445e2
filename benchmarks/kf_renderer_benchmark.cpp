// Sprite-style drawing speed: N textured 32 x 32 quads per frame, each its own RenderQuad call as
// sprites draw, in a 1280 x 720 window with vsync off; mean milliseconds per frame over 200 frames.
// Where SFML was found at build time, the same sprites drawn with one sf::Sprite draw each are
// measured side by side on the same display.

#include "kf_benchmark.hpp"
#include "kf_benchmark_window.hpp"

#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"

#include <GL/glew.h>

#include <cstdint>
#include <string>
#include <vector>

namespace
{

namespace Renderer = kfImplementation::Renderer;
using KelpForge::Benchmarks::BenchmarkWindow;
using KelpForge::Benchmarks::kBenchmarkWindowHeight;
using KelpForge::Benchmarks::kBenchmarkWindowWidth;
using KelpForge::Benchmarks::RendererPath;
using KelpForge::Math::Vector2;

constexpr int kQuadSize = 32;

// The same scattered positions for every contender.
std::vector<Vector2> QuadPositions(unsigned int count)
{
    std::vector<Vector2> positions;
    positions.reserve(count);
    for (unsigned int index = 0; index < count; ++index)
    {
        positions.emplace_back(static_cast<float>(index * 37 % (kBenchmarkWindowWidth - kQuadSize)),
                               static_cast<float>(index * 91 % (kBenchmarkWindowHeight - kQuadSize)));
    }
    return positions;
}

// A 32 x 32 checker board, opaque, RGBA.
std::vector<std::uint8_t> CheckerPixels()
{
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < kQuadSize; ++y)
    {
        for (int x = 0; x < kQuadSize; ++x)
        {
            const std::uint8_t shade = (x / 8 + y / 8) % 2 == 0 ? 255 : 96;
            pixels.insert(pixels.end(), {shade, shade, 255, 255});
        }
    }
    return pixels;
}

double MeasureRenderQuad(RendererPath path, unsigned int quadCount)
{
    const std::vector<Vector2> positions = QuadPositions(quadCount);
    GLuint texture = 0;
    const auto makeTexture = [&texture]
    {
        const std::vector<std::uint8_t> pixels = CheckerPixels();
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kQuadSize, kQuadSize, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     pixels.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    };
    const auto drawQuads = [&texture, &positions]
    {
        glBindTexture(GL_TEXTURE_2D, texture);
        const Vector2 size(kQuadSize, kQuadSize);
        for (const Vector2& position : positions)
        {
            Renderer::RenderQuad(position, position + size, 0xFFFFFFFFu, 0.0f, 0.0f, 1.0f, 1.0f);
        }
    };
    BenchmarkWindow window(path, {makeTexture, drawQuads, [&texture] { glDeleteTextures(1, &texture); }});
    return window.MeasureMillisecondsPerFrame();
}

#ifdef KF_BENCHMARK_WITH_SFML
double MeasureSfmlSprites(unsigned int quadCount)
{
    const std::vector<std::uint8_t> pixels = CheckerPixels();
    sf::Texture texture;
    texture.create(kQuadSize, kQuadSize);
    texture.update(pixels.data());
    std::vector<sf::Sprite> sprites;
    for (const Vector2& position : QuadPositions(quadCount))
    {
        sprites.emplace_back(texture);
        sprites.back().setPosition(position.x, position.y);
    }
    return KelpForge::Benchmarks::MeasureSfmlMillisecondsPerFrame(sprites);
}
#endif

void CompareAt(unsigned int quadCount)
{
    const std::string count = std::to_string(quadCount);
    std::vector<KelpForge::Benchmarks::Contender> contenders = {
        {"render_quad_shader_path_" + count + "_quads",
         [quadCount] { return MeasureRenderQuad(RendererPath::kShader, quadCount); }},
        {"render_quad_legacy_path_" + count + "_quads",
         [quadCount] { return MeasureRenderQuad(RendererPath::kLegacy, quadCount); }},
    };
#ifdef KF_BENCHMARK_WITH_SFML
    contenders.push_back(
        {"sfml_sprite_draw_" + count + "_quads", [quadCount] { return MeasureSfmlSprites(quadCount); }});
#endif
    KelpForge::Benchmarks::ReportBestOfInterleavedRounds(contenders, "ms/frame");
}

} // namespace

KF_BENCHMARK(RendererThousandQuads)
{
    CompareAt(1000);
}

KF_BENCHMARK(RendererTenThousandQuads)
{
    CompareAt(10000);
}
