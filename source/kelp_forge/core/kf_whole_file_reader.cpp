#include "kelp_forge/core/kf_whole_file_reader.hpp"

#include <filesystem>
#include <fstream>
#include <new>

namespace KelpForge::Core
{

namespace
{

WholeFile Failed(WholeFileFailure failure)
{
    return WholeFile{{}, failure};
}

} // namespace

WholeFile ReadWholeFile(const std::string& path, std::uintmax_t maximumBytes)
{
    std::error_code error;
    const std::filesystem::file_type type = std::filesystem::status(path, error).type();
    if (type == std::filesystem::file_type::not_found)
    {
        return Failed(WholeFileFailure::kMissing);
    }
    if (type != std::filesystem::file_type::regular)
    {
        return Failed(error ? WholeFileFailure::kUnreadable : WholeFileFailure::kNotARegularFile);
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
    {
        return Failed(WholeFileFailure::kUnreadable);
    }
    if (size > maximumBytes)
    {
        return Failed(WholeFileFailure::kTooLarge);
    }
    WholeFile file;
    try
    {
        file.bytes.resize(static_cast<std::size_t>(size));
    }
    catch (const std::bad_alloc&)
    {
        return Failed(WholeFileFailure::kOutOfMemory);
    }
    std::ifstream stream(path, std::ios::binary);
    stream.read(reinterpret_cast<char*>(file.bytes.data()), static_cast<std::streamsize>(size));
    if (!stream.is_open() || static_cast<std::uintmax_t>(stream.gcount()) != size)
    {
        return Failed(WholeFileFailure::kUnreadable);
    }
    return file;
}

} // namespace KelpForge::Core
