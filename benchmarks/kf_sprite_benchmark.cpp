// Sprite drawing speed: N sprites of one 32 x 32 texture per frame, each placed, turned about its
// centre and tinted, drawn with Sprite::Render in a 1280 x 720 window with vsync off; mean
// milliseconds per frame over 200 frames. The positions are those of the renderer's RenderQuad
// figure. Turned quads cover more partly-covered pixel blocks than upright ones, which costs a
// software rasteriser more, so the same turned, tinted quads are also drawn bare (their corners
// worked out once, one RenderPrimitive each): that figure beside Sprite::Render gives the cost of
// the Graphic transform alone. Where SFML was found at build time, the same sprites drawn with one
// sf::Sprite draw each are measured too.

#include "kf_benchmark.hpp"
#include "kf_benchmark_window.hpp"

#include "kelp_forge/graphics/implementation/kfi_renderer.hpp"
#include "kelp_forge/graphics/kf_color.hpp"
#include "kelp_forge/graphics/kf_graphic.hpp"
#include "kelp_forge/graphics/kf_sprite.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"

#include <GL/glew.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace
{

namespace Graphics = KelpForge::Graphics;
namespace Renderer = kfImplementation::Renderer;
using KelpForge::Benchmarks::BenchmarkWindow;
using KelpForge::Benchmarks::kBenchmarkWindowHeight;
using KelpForge::Benchmarks::kBenchmarkWindowWidth;
using KelpForge::Benchmarks::RendererPath;
using KelpForge::Math::Vector2;

constexpr int kSpriteSize = 32;
constexpr unsigned int kSpriteCounts[] = {1000, 10000};

// Where, how turned and how tinted sprite number index is, the same for every contender.
struct SpritePlacement
{
    Vector2 centre;
    float degrees;
    std::uint32_t colorARGB;
};

SpritePlacement PlaceSprite(unsigned int index)
{
    const float half = kSpriteSize * 0.5f;
    return {Vector2(static_cast<float>(index * 37 % (kBenchmarkWindowWidth - kSpriteSize)) + half,
                    static_cast<float>(index * 91 % (kBenchmarkWindowHeight - kSpriteSize)) + half),
            static_cast<float>(index * 7 % 360), 0xFF000000u | (index * 2654435761u & 0x00FFFFFFu)};
}

Graphics::TextureHandle MakeNearestSampledTexture()
{
    const Graphics::TextureHandle texture =
        Graphics::theTextureManager.CreateBlankTexture(kSpriteSize, kSpriteSize);
    // Sampled as in the RenderQuad figure, so that the difference is the Graphic transform and the
    // bind rather than the software renderer's cost of filtering.
    Graphics::theTextureManager.BindTexture(texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return texture;
}

// The four corners of a placed sprite in RenderQuad's order, turned clockwise about its centre.
std::array<Renderer::Vertex, 4> TurnedQuad(const SpritePlacement& placement)
{
    const float radians = placement.degrees * 3.1415927f / 180.0f;
    const float cosine = std::cos(radians);
    const float sine = std::sin(radians);
    const std::uint32_t colorABGR = Graphics::Color(placement.colorARGB).GetColorABGR();
    const auto corner = [&](float x, float y, float u, float v)
    {
        return Renderer::Vertex{placement.centre.x + cosine * x - sine * y,
                                placement.centre.y + sine * x + cosine * y, colorABGR, u, v};
    };
    const float half = kSpriteSize * 0.5f;
    return {corner(-half, half, 0.0f, 1.0f), corner(-half, -half, 0.0f, 0.0f), corner(half, half, 1.0f, 1.0f),
            corner(half, -half, 1.0f, 0.0f)};
}

double MeasureBareTurnedQuads(RendererPath path, unsigned int quadCount)
{
    std::vector<std::array<Renderer::Vertex, 4>> quads;
    for (unsigned int index = 0; index < quadCount; ++index)
    {
        quads.push_back(TurnedQuad(PlaceSprite(index)));
    }
    Graphics::TextureHandle texture = 0;
    const auto drawQuads = [&quads, &texture]
    {
        Graphics::theTextureManager.BindTexture(texture);
        for (const std::array<Renderer::Vertex, 4>& quad : quads)
        {
            Renderer::RenderPrimitive(Renderer::PrimitiveType::kTriangleStrip, quad.data(), 4);
        }
    };
    BenchmarkWindow window(path, {[&texture] { texture = MakeNearestSampledTexture(); }, drawQuads,
                                  [&texture] { Graphics::theTextureManager.DestroyTexture(texture); }});
    return window.MeasureMillisecondsPerFrame();
}

double MeasureSpriteRender(RendererPath path, unsigned int spriteCount)
{
    std::vector<Graphics::Sprite> sprites;
    const auto makeSprites = [&sprites, spriteCount]
    {
        const Graphics::TextureHandle texture = MakeNearestSampledTexture();
        sprites.reserve(spriteCount);
        for (unsigned int index = 0; index < spriteCount; ++index)
        {
            const SpritePlacement placement = PlaceSprite(index);
            sprites.emplace_back(texture);
            Graphics::Sprite& sprite = sprites.back();
            sprite.SetOrigin(Graphics::AnchorLocation::kAnchorCenter);
            sprite.SetPosition(placement.centre);
            sprite.SetRotation(placement.degrees);
            sprite.SetColor(Graphics::Color(placement.colorARGB));
        }
    };
    const auto drawSprites = [&sprites]
    {
        for (Graphics::Sprite& sprite : sprites)
        {
            sprite.Render();
        }
    };
    BenchmarkWindow window(path, {makeSprites, drawSprites, {}});
    return window.MeasureMillisecondsPerFrame();
}

#ifdef KF_BENCHMARK_WITH_SFML
double MeasureSfmlSprites(unsigned int spriteCount)
{
    const std::vector<std::uint8_t> white(kSpriteSize * kSpriteSize * 4, 0xFF);
    sf::Texture texture;
    texture.create(kSpriteSize, kSpriteSize);
    texture.update(white.data());

    std::vector<sf::Sprite> sprites;
    for (unsigned int index = 0; index < spriteCount; ++index)
    {
        const SpritePlacement placement = PlaceSprite(index);
        sprites.emplace_back(texture);
        sf::Sprite& sprite = sprites.back();
        sprite.setOrigin(kSpriteSize * 0.5f, kSpriteSize * 0.5f);
        sprite.setPosition(placement.centre.x, placement.centre.y);
        sprite.setRotation(placement.degrees);
        sprite.setColor(sf::Color(static_cast<sf::Uint8>(placement.colorARGB >> 16),
                                  static_cast<sf::Uint8>(placement.colorARGB >> 8),
                                  static_cast<sf::Uint8>(placement.colorARGB), 255));
    }
    return KelpForge::Benchmarks::MeasureSfmlMillisecondsPerFrame(sprites);
}
#endif

} // namespace

KF_BENCHMARK(SpriteRender)
{
    using KelpForge::Benchmarks::Contender;
    for (const unsigned int spriteCount : kSpriteCounts)
    {
        const std::string count = std::to_string(spriteCount);
        std::vector<Contender> contenders;
        for (const RendererPath path : {RendererPath::kShader, RendererPath::kLegacy})
        {
            const std::string pathName = path == RendererPath::kShader ? "shader" : "legacy";
            contenders.push_back({"sprite_render_" + pathName + "_path_" + count + "_sprites",
                                  [path, spriteCount] { return MeasureSpriteRender(path, spriteCount); }});
            contenders.push_back({"bare_turned_quads_" + pathName + "_path_" + count + "_quads",
                                  [path, spriteCount] { return MeasureBareTurnedQuads(path, spriteCount); }});
        }
#ifdef KF_BENCHMARK_WITH_SFML
        contenders.push_back({"sfml_turned_tinted_sprite_draw_" + count + "_sprites",
                              [spriteCount] { return MeasureSfmlSprites(spriteCount); }});
#endif
        KelpForge::Benchmarks::ReportBestOfInterleavedRounds(contenders, "ms/frame");
    }
}
