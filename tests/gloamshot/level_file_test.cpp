#include "gloamshot/level_file.hpp"

#include "support/kf_error_recorder.hpp"
#include "support/kf_test_files.hpp"

#include <gtest/gtest.h>

#include <sstream>

using namespace Gloamshot;
using Messages = std::vector<std::string>;

namespace
{

// One line per backdrop and object, as "spider 10 20" or "cave 1 2: 2 4, 3 5".
std::string Describe(const LevelDescription& level)
{
    static const char* const kTypeNames[] = {"spider", "lantern", "cave"};
    std::ostringstream text;
    for (const std::string& image : level.backdropImages)
    {
        text << "backdrop " << image << "\n";
    }
    for (const LevelObject& object : level.objects)
    {
        text << kTypeNames[static_cast<int>(object.type)] << " " << object.position.x << " "
             << object.position.y;
        for (std::size_t point = 0; point < object.points.size(); ++point)
        {
            text << (point == 0 ? ": " : ", ") << object.points[point].x << " " << object.points[point].y;
        }
        text << "\n";
    }
    return text.str();
}

} // namespace

TEST(LevelFileTest, LayersAndObjectsAreReadByExactNames)
{
    const struct
    {
        const char* name;
        const char* json;
        const char* level;
    } cases[] = {
        {"integer and float positions",
         R"({"layers": [{"name": "level_objects", "type": "objectgroup", "objects": [
             {"name": "a", "type": "spider", "x": 10, "y": 20}, {"type": "lantern", "x": 10.5, "y": "20.25"}]}]})",
         "spider 10 20\nlantern 10.5 20.25\n"},
        {"unknown and mis-cased types and layer names",
         R"({"layers": [{"name": "Backdrop", "image": "a.png"}, {"name": "Level_Objects", "objects": [
             {"type": "spider"}]}, {"name": "level_objects", "objects": [{"type": "Spider"}, {"type": "bat"},
             {"type": "lantern", "x": 1, "y": 2}]}]})",
         "lantern 1 2\n"},
        {"caves with and without a polygon",
         R"({"layers": [{"name": "level_objects", "objects": [{"type": "cave", "x": 1, "y": 2},
             {"type": "cave", "x": 1, "y": 2, "polygon": [{"x": 1, "y": 2}, {"x": 2, "y": 3.5}]}]}]})",
         "cave 1 2\ncave 1 2: 2 4, 3 5.5\n"},
        {"several backdrops and object layers in file order",
         R"({"layers": [{"name": "backdrop", "image": "a.png"}, {"name": "level_objects", "objects": [
             {"type": "spider"}]}, {"name": "backdrop"}, {"name": "level_objects", "objects": [
             {"type": "lantern"}]}]})",
         "backdrop a.png\nbackdrop \nspider 0 0\nlantern 0 0\n"},
        {"a document without layers", R"({"level": []})", ""},
    };
    KelpForge::Testing::TemporaryFolder folder;
    for (const auto& testCase : cases)
    {
        KelpForge::Testing::ErrorRecorder recorder;
        KelpForge::Testing::WriteFile(folder.PathOf("level.json"), testCase.json);
        EXPECT_EQ(Describe(ReadLevelFile(folder.PathOf("level.json"))), testCase.level) << testCase.name;
        EXPECT_EQ(recorder.Messages(), Messages{}) << testCase.name;
    }
}

TEST(LevelFileTest, BrokenAndMissingFilesAreReportedOnce)
{
    KelpForge::Testing::TemporaryFolder folder;
    const std::string broken = folder.PathOf("broken.json");
    KelpForge::Testing::ErrorRecorder recorder;
    for (const char* text : {R"({"layers": [)", R"({"layers": [],})", "", "42"})
    {
        KelpForge::Testing::WriteFile(broken, text);
        recorder.Clear();
        EXPECT_EQ(Describe(ReadLevelFile(broken)), "");
        EXPECT_EQ(recorder.Messages(), Messages{"kfDataError: Level file is not valid JSON: " + broken})
            << text;
    }

    const std::string missing = folder.PathOf("missing.json");
    recorder.Clear();
    EXPECT_EQ(Describe(ReadLevelFile(missing)), "");
    EXPECT_EQ(recorder.Messages(), Messages{"Was unable to load json file: " + missing + "\n"});
}
