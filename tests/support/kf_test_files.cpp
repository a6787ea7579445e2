#include "kf_test_files.hpp"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace KelpForge::Testing
{

std::string CurrentTestName()
{
    const ::testing::TestInfo* const test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (test == nullptr)
    {
        return "outside_a_test";
    }
    std::string name = std::string(test->test_suite_name()) + "." + test->name();
    // Parameterised cases are named "Instance/Suite.Case/Parameter": one folder, not three.
    std::replace(name.begin(), name.end(), '/', '_');
    return name;
}

TemporaryFolder::TemporaryFolder()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / ("kf_" + CurrentTestName() + "_XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr)
    {
        ADD_FAILURE() << "cannot make a temporary folder like " << pattern;
        return;
    }
    mPath = pattern;
}

TemporaryFolder::~TemporaryFolder()
{
    if (!mPath.empty())
    {
        std::error_code ignored;
        std::filesystem::remove_all(mPath, ignored);
    }
}

std::string TemporaryFolder::PathOf(const std::string& fileName) const
{
    return (mPath / fileName).string();
}

std::vector<std::string> TemporaryFolder::FileNames(const std::string& extension) const
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(mPath, error))
    {
        std::string name = entry.path().filename().string();
        if (name.ends_with(extension))
        {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

ScratchWorkingDirectory::ScratchWorkingDirectory() : mOriginalDirectory(std::filesystem::current_path())
{
    if (!GetPath().empty())
    {
        std::filesystem::current_path(GetPath());
    }
}

ScratchWorkingDirectory::~ScratchWorkingDirectory()
{
    std::filesystem::current_path(mOriginalDirectory);
}

std::filesystem::path TestFolder()
{
    const std::filesystem::path folder = std::filesystem::current_path() / "test_files" / CurrentTestName();
    std::filesystem::create_directories(folder);
    return folder;
}

void WriteFile(const std::filesystem::path& path, std::span<const unsigned char> bytes)
{
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(file.good()) << "cannot write " << path;
}

void WriteFile(const std::filesystem::path& path, std::string_view text)
{
    WriteFile(path, std::span(reinterpret_cast<const unsigned char*>(text.data()), text.size()));
}

std::vector<unsigned char> ReadFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

namespace
{

std::filesystem::path CorporaFolder()
{
    const char* const chosen = std::getenv("KF_CORPORA_DIR");
    return chosen != nullptr && *chosen != '\0'
               ? std::filesystem::path(chosen)
               : std::filesystem::path(KF_DEFAULT_CORPORA_DIR).lexically_normal();
}

} // namespace

std::filesystem::path CorpusFolder(std::string_view kind)
{
    return CorporaFolder() / kind;
}

std::string MissingCorporaReason()
{
    const std::filesystem::path folder = CorporaFolder();
    std::error_code ignored;
    if (std::filesystem::is_directory(folder, ignored))
    {
        return {};
    }
    return "no public test corpora at " + folder.string() +
           "; set KF_CORPORA_DIR to the folder that holds their json, png, wav and ogg folders";
}

} // namespace KelpForge::Testing
