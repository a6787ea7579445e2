#include "content_writer.hpp"

#include "asset_kit/wave_encoding.hpp"

#include <stb/stb_image_write.h>

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

namespace Gloamshot::Content
{
namespace
{

void AppendBytes(void* context, void* data, int size)
{
    auto* bytes = static_cast<std::vector<unsigned char>*>(context);
    const auto* first = static_cast<const unsigned char*>(data);
    bytes->insert(bytes->end(), first, first + size);
}

} // namespace

ContentWriter::ContentWriter(std::string folder) : mFolder(std::move(folder)) {}

bool ContentWriter::WriteBytes(const std::string& name, const std::vector<unsigned char>& bytes)
{
    const std::filesystem::path path = std::filesystem::path(mFolder) / name;
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error || !KelpForge::Tools::WriteWholeFile(path.string(), bytes))
    {
        std::fprintf(stderr, "gloamshot_content: cannot write %s\n", path.string().c_str());
        return false;
    }
    return true;
}

bool ContentWriter::WriteText(const std::string& name, const std::string& text)
{
    return WriteBytes(name, std::vector<unsigned char>(text.begin(), text.end()));
}

bool ContentWriter::WritePng(const std::string& name, int width, int height, int channels,
                             const std::vector<unsigned char>& pixels)
{
    std::vector<unsigned char> bytes;
    if (stbi_write_png_to_func(AppendBytes, &bytes, width, height, channels, pixels.data(),
                               width * channels) == 0)
    {
        std::fprintf(stderr, "gloamshot_content: cannot encode %s\n", name.c_str());
        return false;
    }
    return WriteBytes(name, bytes);
}

} // namespace Gloamshot::Content
