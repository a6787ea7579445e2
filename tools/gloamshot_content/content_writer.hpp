#ifndef GLOAMSHOT_CONTENT_CONTENT_WRITER_HPP
#define GLOAMSHOT_CONTENT_CONTENT_WRITER_HPP

// Writes the content files under one folder, by the names the game opens them with
// ("data/..."), making the folders they need.

#include <string>
#include <vector>

namespace Gloamshot::Content
{

class ContentWriter
{
public:
    explicit ContentWriter(std::string folder);

    // Each returns false, after saying why on the standard error, when the file cannot be written.
    bool WriteBytes(const std::string& name, const std::vector<unsigned char>& bytes);
    bool WriteText(const std::string& name, const std::string& text);
    // channels is 3 (RGB) or 4 (RGBA), 8 bits each, rows from the top.
    bool WritePng(const std::string& name, int width, int height, int channels,
                  const std::vector<unsigned char>& pixels);

private:
    std::string mFolder;
};

} // namespace Gloamshot::Content

#endif
