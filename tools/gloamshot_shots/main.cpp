// Prints where every one of the archer's 60 shots goes in a level, flown with the game's own arrow
// step, walls and collision test, so that a program driving the real game with the mouse knows
// which drag hits which spider or lantern.
// Usage: gloamshot_shots <level file> <sprite sheet file>
// Output, one record a line, numbers in world units:
//   bow <x> <y>                                   the shooting point (the bow's pivot)
//   target <object index> spider|lantern <x> <y>  every target of the level
//   shot <aim index> <power level> <release x> <release y> wall|out <steps> <end x> <end y>
//        [<object index>@<step> ...]              the window pixel where releasing the mouse button
//                                                 fires the shot, how the shot ends, after how
//                                                 many 10 ms steps, and the targets it touches,
//                                                 first touch first

#include "gloamshot/level_file.hpp"
#include "gloamshot/shot_reachability.hpp"

#include "kelp_forge/core/kf_error.hpp"

#include <cstdio>
#include <optional>
#include <string>

namespace
{

// Reports every failed check on standard error and remembers that one fired.
class ErrorPrinter : public KelpForge::Core::Error::ErrorHandlerInterface
{
public:
    void OnErrorFired(const std::string& errorMessage) override
    {
        std::fprintf(stderr, "%s\n", errorMessage.c_str());
        mHasFired = true;
    }
    bool mHasFired = false;
};

void PrintTargets(const Gloamshot::LevelDescription& level)
{
    for (std::size_t index = 0; index < level.objects.size(); ++index)
    {
        const Gloamshot::LevelObject& object = level.objects[index];
        if (object.type != Gloamshot::LevelObjectType::kCave)
        {
            std::printf("target %zu %s %.6g %.6g\n", index,
                        object.type == Gloamshot::LevelObjectType::kSpider ? "spider" : "lantern",
                        static_cast<double>(object.position.x), static_cast<double>(object.position.y));
        }
    }
}

void PrintShot(const Gloamshot::ShotOutcome& outcome, const KelpForge::Math::Vector2& release)
{
    std::printf("shot %d %d %.0f %.0f %s %u %.6g %.6g", outcome.shot.aimIndex, outcome.shot.powerLevel,
                static_cast<double>(release.x), static_cast<double>(release.y),
                outcome.endsInWall ? "wall" : "out", outcome.steps,
                static_cast<double>(outcome.endPosition.x), static_cast<double>(outcome.endPosition.y));
    for (const Gloamshot::TargetTouch& touch : outcome.touches)
    {
        std::printf(" %zu@%u", touch.objectIndex, touch.step);
    }
    std::printf("\n");
}

} // namespace

int main(int argumentCount, char** arguments)
{
    if (argumentCount != 3)
    {
        std::fprintf(stderr, "Usage: gloamshot_shots <level file> <sprite sheet file>\n");
        return 2;
    }
    ErrorPrinter printer;
    KelpForge::Core::Error::AddErrorHandler(&printer);
    const Gloamshot::LevelDescription level = Gloamshot::ReadLevelFile(arguments[1]);
    const KelpForge::Math::Vector2 shootingPoint = Gloamshot::ShootingPointFromSpriteSheet(arguments[2]);
    KelpForge::Core::Error::RemoveErrorHandler(&printer);
    if (printer.mHasFired)
    {
        return 1;
    }

    std::printf("bow %.9g %.9g\n", static_cast<double>(shootingPoint.x),
                static_cast<double>(shootingPoint.y));
    PrintTargets(level);
    for (const Gloamshot::ShotOutcome& outcome : Gloamshot::FlyEveryShot(level, shootingPoint))
    {
        const std::optional<KelpForge::Math::Vector2> release =
            Gloamshot::ReleasePointOfShot(outcome.shot, shootingPoint);
        if (!release)
        {
            std::fprintf(stderr, "gloamshot_shots: no whole pixel gives aim %d and power %d\n",
                         outcome.shot.aimIndex, outcome.shot.powerLevel);
            return 1;
        }
        PrintShot(outcome, *release);
    }
    return 0;
}
