#ifndef KELP_FORGE_CORE_WHOLE_FILE_READER_HPP
#define KELP_FORGE_CORE_WHOLE_FILE_READER_HPP

// Reads a whole file into memory under the rules every loader shares. Only regular files are read:
// a folder, a device or a pipe is refused without being opened, since reading one could block or
// never end. A file larger than the caller's limit is refused before any memory is taken for it.
// Nothing is reported here; each loader words its own message from the failure.

#include <cstdint>
#include <string>
#include <vector>

namespace KelpForge::Core
{

enum class WholeFileFailure
{
    kNone,
    kMissing,
    kNotARegularFile,
    kTooLarge,
    kOutOfMemory,
    // Could not be opened or read to its end: no permission, or it shrank while being read.
    kUnreadable,
};

struct WholeFile
{
    std::vector<unsigned char> bytes; // empty on failure
    WholeFileFailure failure = WholeFileFailure::kNone;

    [[nodiscard]] bool IsRead() const { return failure == WholeFileFailure::kNone; }
};

[[nodiscard]] WholeFile ReadWholeFile(const std::string& path, std::uintmax_t maximumBytes);

} // namespace KelpForge::Core

#endif
