// The content tool is the only way the game's data/ changes: it must write the same bytes on every
// run, and exactly the files that are committed under data/.

#include "support/kf_test_files.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace
{

using Tree = std::map<std::string, std::vector<unsigned char>>;

// Every file below the folder, by its path relative to the folder.
Tree ReadTree(const std::filesystem::path& folder)
{
    Tree tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    {
        if (entry.is_regular_file())
        {
            tree[std::filesystem::relative(entry.path(), folder).string()] =
                KelpForge::Testing::ReadFile(entry.path());
        }
    }
    return tree;
}

Tree RunTool(const KelpForge::Testing::TemporaryFolder& folder)
{
    const std::string command =
        std::string("\"") + GLOAMSHOT_CONTENT_TOOL + "\" \"" + folder.GetPath().string() + "\"";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return ReadTree(folder.GetPath() / "data");
}

// Names of the files that are missing from one tree or differ between them.
std::vector<std::string> Differences(const Tree& expected, const Tree& actual)
{
    std::vector<std::string> names;
    for (const auto& [name, bytes] : expected)
    {
        const auto found = actual.find(name);
        if (found == actual.end() || found->second != bytes)
        {
            names.push_back(name);
        }
    }
    for (const auto& [name, bytes] : actual)
    {
        if (!expected.contains(name))
        {
            names.push_back(name);
        }
    }
    return names;
}

TEST(GloamshotContentTest, WritesTheSameFilesOnEveryRunAndTheCommittedOnes)
{
    const KelpForge::Testing::TemporaryFolder firstFolder;
    const KelpForge::Testing::TemporaryFolder secondFolder;
    const Tree first = RunTool(firstFolder);
    const Tree second = RunTool(secondFolder);

    for (const char* name : {"gloamshot_sprite_sheet.json", "gloamshot_cave_01.png", "pinewren_logo_512.png",
                             "gloam_cave_01.json", "audio/audio_events.json"})
    {
        EXPECT_TRUE(first.contains(name)) << name;
    }
    EXPECT_EQ(Differences(first, second), std::vector<std::string>{}) << "two runs of the tool differ";
    EXPECT_EQ(Differences(ReadTree(std::filesystem::path(KF_SOURCE_DIR) / "data"), first),
              std::vector<std::string>{})
        << "data/ is not what the tool writes: run gloamshot_content with the project's folder and commit";
}

} // namespace
