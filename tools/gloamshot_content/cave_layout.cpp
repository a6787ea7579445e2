#include "cave_layout.hpp"

#include "content_random.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace Gloamshot::Content
{
namespace
{

// A corner of a wall as designed; the tool roughens the straight runs between corners.
struct Corner
{
    float x;
    float y;
    // How strongly the run from this corner to the next is roughened: 0 keeps it straight.
    float roughness = 1.0f;
};

constexpr float kRunPieceLength = 10.0f;
constexpr float kRoughnessAmplitude = 9.0f;

// The open cave, clockwise on screen from the upper end of the left wall: the ceiling with its
// stalactites, the right wall, the floor with the big stalagmite, the basin and the archer's
// ledge, and the left wall.
const std::vector<Corner> kOutline{
    {34, 190},   {60, 150},   {110, 118},  {150, 104},    {176, 126},    {186, 168},    {196, 120},
    {240, 84},   {300, 80},   {330, 86},   {352, 130},    {366, 196},    {380, 128},    {400, 90},
    {450, 70},   {490, 52},   {540, 40},   {590, 50},     {630, 72},     {660, 90},     {680, 150},
    {692, 210},  {700, 250},  {712, 200},  {734, 140},    {760, 100},    {820, 84},     {880, 80},
    {910, 92},   {922, 140},  {936, 96},   {970, 96},     {996, 120},    {1008, 176},   {1020, 118},
    {1050, 108}, {1100, 104}, {1120, 116}, {1132, 160},   {1146, 124},   {1200, 150},   {1236, 200},
    {1246, 280}, {1240, 380}, {1250, 480}, {1244, 560},   {1236, 630},   {1180, 640},   {1110, 630},
    {1040, 636}, {980, 628},  {920, 640},  {880, 648},    {850, 640},    {822, 610},    {804, 560},
    {792, 520},  {784, 494},  {772, 530},  {752, 580},    {730, 610},    {690, 655},    {620, 672},
    {560, 680},  {500, 676},  {440, 668},  {425, 664},    {412, 622},    {403, 594},    {394, 624},
    {380, 650},  {320, 624},  {270, 600},  {240, 590, 0}, {180, 589, 0}, {120, 589, 0}, {70, 590},
    {40, 600},   {30, 560},   {24, 480},   {30, 400},     {22, 320},     {30, 240},
};

// A shelf of rock standing free on the right, under which a spider hangs.
const std::vector<Corner> kShelf{
    {1000, 440}, {1040, 424}, {1100, 420}, {1160, 428}, {1190, 444},
    {1170, 466}, {1120, 476}, {1060, 478}, {1016, 466},
};

// Turns designed corners into a closed chain of whole-unit wall points: each run is cut into
// pieces about kRunPieceLength long whose joints are pushed across the run by smooth noise, fading
// to nothing at the corners so that tips and ledges stay where they were designed.
std::vector<Point> Roughen(const std::vector<Corner>& corners, std::uint32_t seed)
{
    std::vector<Point> chain;
    float travelled = 0.0f;
    auto append = [&chain](float x, float y)
    {
        const Point point{std::round(x), std::round(y)};
        if (chain.empty() || chain.back() != point)
        {
            chain.push_back(point);
        }
    };
    for (std::size_t index = 0; index < corners.size(); ++index)
    {
        const Corner& from = corners[index];
        const Corner& to = corners[(index + 1) % corners.size()];
        const float runX = to.x - from.x;
        const float runY = to.y - from.y;
        const float length = std::hypot(runX, runY);
        const int pieces = std::max(1, static_cast<int>(std::lround(length / kRunPieceLength)));
        append(from.x, from.y);
        for (int piece = 1; piece < pieces; ++piece)
        {
            const float t = static_cast<float>(piece) / static_cast<float>(pieces);
            const float fade = std::sqrt(std::sin(t * 3.1415927f));
            const float push = from.roughness * kRoughnessAmplitude * fade *
                               (0.75f * LineNoise((travelled + t * length) / 45.0f, seed) +
                                0.25f * LineNoise((travelled + t * length) / 11.0f, seed + 1));
            append(from.x + runX * t - runY / length * push, from.y + runY * t + runX / length * push);
        }
        travelled += length;
    }
    chain.push_back(chain.front());
    return chain;
}

} // namespace

CaveLayout MakeCaveLayout()
{
    CaveLayout layout;
    layout.walls.push_back(Roughen(kOutline, 11));
    layout.walls.push_back(Roughen(kShelf, 12));
    layout.spiders = {
        {{520, 646}, false},  {{540, 92}, true},   {{940, 612}, false},
        {{1080, 386}, false}, {{1080, 530}, true}, {{1160, 606}, false},
    };
    layout.lanterns = {
        {{450, 630}, false},
        {{640, 180}, true},
        {{1020, 402}, false},
        {{1060, 600}, false},
    };
    return layout;
}

} // namespace Gloamshot::Content
