#ifndef KELP_FORGE_TESTS_SUPPORT_TEST_FILES_HPP
#define KELP_FORGE_TESTS_SUPPORT_TEST_FILES_HPP

// Folders and files that tests make for themselves, and the public test corpora they read.

#include <gtest/gtest.h>

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace KelpForge::Testing
{

// "Suite.Case" of the running test case, usable as a file name.
[[nodiscard]] std::string CurrentTestName();

// A fresh, empty folder of its own under the system's temporary folder, named after the running
// test case, removed with everything in it when destroyed.
class TemporaryFolder
{
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    [[nodiscard]] const std::filesystem::path& GetPath() const { return mPath; }
    [[nodiscard]] std::string PathOf(const std::string& fileName) const;
    // Names of the entries directly in the folder that end in extension (".gif"), or of all of
    // them when it is empty, sorted.
    [[nodiscard]] std::vector<std::string> FileNames(const std::string& extension = "") const;

private:
    std::filesystem::path mPath;
};

// A TemporaryFolder that is the working directory for the object's lifetime; the working
// directory from before is restored before the folder is removed.
class ScratchWorkingDirectory : public TemporaryFolder
{
public:
    ScratchWorkingDirectory();
    ~ScratchWorkingDirectory();
    ScratchWorkingDirectory(const ScratchWorkingDirectory&) = delete;
    ScratchWorkingDirectory& operator=(const ScratchWorkingDirectory&) = delete;

private:
    std::filesystem::path mOriginalDirectory;
};

// The running test case's folder under the working directory, made when missing and never
// emptied: a death test's child, which runs the test case again in a process of its own, finds
// there the files its parent made, and the parent finds the files the child wrote.
[[nodiscard]] std::filesystem::path TestFolder();

// Writes the whole file, replacing what was there and making missing parent folders; a file that
// cannot be written fails the test.
void WriteFile(const std::filesystem::path& path, std::span<const unsigned char> bytes);
void WriteFile(const std::filesystem::path& path, std::string_view text);
// The whole file; empty when it cannot be read.
[[nodiscard]] std::vector<unsigned char> ReadFile(const std::filesystem::path& path);

// The public test corpora's folder of one kind of file ("json", "png", "wav", "ogg"): under the
// folder KF_CORPORA_DIR names when it is set, else under the shared corpora beside the project.
[[nodiscard]] std::filesystem::path CorpusFolder(std::string_view kind);
// One line naming the missing corpora folder and how to provide it; empty when the folder is there.
[[nodiscard]] std::string MissingCorporaReason();

} // namespace KelpForge::Testing

// Skips the running test, with MissingCorporaReason(), on a machine without the public corpora.
#define KF_SKIP_WITHOUT_CORPORA()                                                                            \
    if (const std::string kfMissingCorporaReason = ::KelpForge::Testing::MissingCorporaReason();             \
        kfMissingCorporaReason.empty())                                                                      \
    {                                                                                                        \
    }                                                                                                        \
    else                                                                                                     \
        GTEST_SKIP() << kfMissingCorporaReason

#endif
