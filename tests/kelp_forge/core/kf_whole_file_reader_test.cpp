#include "kelp_forge/core/kf_whole_file_reader.hpp"
#include "support/kf_test_files.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

using KelpForge::Core::ReadWholeFile;
using KelpForge::Core::WholeFile;
using KelpForge::Core::WholeFileFailure;
using KelpForge::Testing::TemporaryFolder;
using KelpForge::Testing::WriteFile;

TEST(WholeFileReaderTest, ReadsOnlyRegularFilesWithinTheLimit)
{
    const TemporaryFolder folder;
    WriteFile(folder.PathOf("empty"), "");
    const std::string five = folder.PathOf("five");
    WriteFile(five, "12345");
    // Opening a pipe without a writer would block for ever.
    const std::string pipe = folder.PathOf("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string locked = folder.PathOf("locked");
    WriteFile(locked, "secret");
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    // Root reads a file whatever its permissions say.
    const bool isLockedReadable = std::ifstream(locked).is_open();

    constexpr std::uintmax_t kAny = std::numeric_limits<std::uintmax_t>::max();
    struct Case
    {
        const char* name;
        std::string path;
        std::uintmax_t maximumBytes;
        WholeFileFailure failure;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"empty", folder.PathOf("empty"), 0, WholeFileFailure::kNone, ""},
        {"exactly the limit", five, 5, WholeFileFailure::kNone, "12345"},
        {"one over the limit", five, 4, WholeFileFailure::kTooLarge, ""},
        {"folder", folder.GetPath().string(), kAny, WholeFileFailure::kNotARegularFile, ""},
        {"device", "/dev/zero", kAny, WholeFileFailure::kNotARegularFile, ""},
        {"pipe", pipe, kAny, WholeFileFailure::kNotARegularFile, ""},
        {"missing", folder.PathOf("missing"), kAny, WholeFileFailure::kMissing, ""},
        {"no permission", locked, kAny,
         isLockedReadable ? WholeFileFailure::kNone : WholeFileFailure::kUnreadable,
         isLockedReadable ? "secret" : ""},
    };
    for (const Case& testCase : cases)
    {
        SCOPED_TRACE(testCase.name);
        const WholeFile file = ReadWholeFile(testCase.path, testCase.maximumBytes);
        EXPECT_EQ(file.failure, testCase.failure);
        EXPECT_EQ(file.IsRead(), testCase.failure == WholeFileFailure::kNone);
        EXPECT_EQ(std::string(file.bytes.begin(), file.bytes.end()), testCase.bytes);
    }
}
