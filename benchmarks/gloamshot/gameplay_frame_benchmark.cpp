// Gloamshot's whole gameplay frame in a 1280 x 720 window with vsync off: the fixed steps of a
// 60 Hz frame, the update with the light map pass, the drawing of the scene and the light map, and
// the buffer swap. Mean milliseconds per frame over 200 frames, on the shipped level as it opens,
// and with 200 arrows stuck in its walls (each with its glowing light and its collision circle).

#include "kf_benchmark.hpp"

#include "gloamshot/arrow_entity.hpp"
#include "gloamshot/content_names.hpp"
#include "gloamshot/gameplay_scene.hpp"
#include "gloamshot/level_file.hpp"

#include "kelp_forge/application/implementation/kfi_platform.hpp"
#include "kelp_forge/audio/kf_audio_manager.hpp"
#include "kelp_forge/game/implementation/kfi_scene_frame.hpp"
#include "kelp_forge/game/kf_game_application.hpp"
#include "kelp_forge/graphics/kf_renderer.hpp"
#include "kelp_forge/graphics/kf_sprite_manager.hpp"

#include <GL/glew.h>

#include <chrono>
#include <filesystem>
#include <vector>

namespace
{

using KelpForge::Benchmarks::ReportFigure;
using KelpForge::Benchmarks::SecondsSince;
using KelpForge::Math::Vector2;

constexpr float kFrameSeconds = 1.0f / 60.0f;
constexpr int kWarmUpFrames = 20;
constexpr int kMeasuredFrames = 200;
constexpr std::size_t kStuckArrows = 200;

void RunFrames(int count)
{
    for (int frame = 0; frame < count; ++frame)
    {
        kfImplementation::RunSceneFrame(kFrameSeconds);
        kfImplementation::SwapPlatformBuffers();
    }
}

double MeasureMillisecondsPerFrame()
{
    RunFrames(kWarmUpFrames);
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    RunFrames(kMeasuredFrames);
    glFinish();
    return SecondsSince(start) * 1000.0 / kMeasuredFrames;
}

// Points along the level's walls, spread evenly over all of them, that are far enough from every
// spider and lantern for an arrow stuck there to touch none.
std::vector<Vector2> WallPointsAwayFromTargets(const Gloamshot::LevelDescription& level)
{
    std::vector<Vector2> targets;
    std::vector<Vector2> wallPoints;
    for (const Gloamshot::LevelObject& object : level.objects)
    {
        if (object.type == Gloamshot::LevelObjectType::kCave)
        {
            wallPoints.insert(wallPoints.end(), object.points.begin(), object.points.end());
        }
        else
        {
            targets.push_back(object.position);
        }
    }
    std::vector<Vector2> chosen;
    const std::size_t stride = std::max<std::size_t>(1, wallPoints.size() / kStuckArrows);
    for (std::size_t index = 0; index < wallPoints.size() && chosen.size() < kStuckArrows; index += stride)
    {
        const Vector2 point = wallPoints[index];
        const bool isClear =
            std::all_of(targets.begin(), targets.end(),
                        [&point](const Vector2& target) { return (target - point).Length() > 48.0f; });
        if (isClear)
        {
            chosen.push_back(point);
        }
    }
    return chosen;
}

// An arrow that starts on a wall point crosses the wall in its first step and sticks there.
void StickArrowsInTheWalls(Gloamshot::GameplayScene& scene)
{
    for (const Vector2& point : WallPointsAwayFromTargets(Gloamshot::ReadLevelFile(Gloamshot::kLevelFile)))
    {
        scene.AddEntity(new Gloamshot::ArrowEntity(point, Vector2(0.0f, 400.0f)));
    }
    RunFrames(1);
}

} // namespace

KF_BENCHMARK(GameplayFrame)
{
    // The game reads its content relative to the project folder.
    const std::filesystem::path previousFolder = std::filesystem::current_path();
    std::filesystem::current_path(GLOAMSHOT_PROJECT_DIR);
    {
        KelpForge::Game::GameApplication application(KelpForge::Application::kWindowed, 0, 0, false);
        static_cast<void>(KelpForge::Graphics::theSpriteManager.LoadSpriteSheet(Gloamshot::kSpriteSheetName,
                                                                                Gloamshot::kSpriteSheetFile));
        static_cast<void>(KelpForge::Audio::theAudioManager.LoadEventTable(Gloamshot::kAudioTableName,
                                                                           Gloamshot::kAudioTableFile));
        Gloamshot::GameplayScene scene;
        KelpForge::Game::GameScene::ChangeToScene(scene);
        ReportFigure("gameplay_frame_shipped_level", MeasureMillisecondsPerFrame(), "ms");

        StickArrowsInTheWalls(scene);
        ReportFigure("gameplay_frame_200_stuck_arrows", MeasureMillisecondsPerFrame(), "ms");
        application.Close();
    }
    std::filesystem::current_path(previousFolder);
}
