#include "support/kf_sprite_sheet_files.hpp"

#include "support/kf_test_images.hpp"

namespace KelpForge::Testing
{

SpriteSheetFiles::SpriteSheetFiles() : mTexturePath(mFolder.PathOf("texture.png"))
{
    TestImage image(kSheetTextureWidth, kSheetTextureHeight, 0x0000FFFFu);
    image.Fill(0, 0, 16, 16, 0xFF0000FFu);
    image.Fill(16, 0, 32, 16, 0x00FF00FFu);
    WritePng(mTexturePath, image);
}

std::string SpriteSheetFiles::Write(const std::string& fileName, const std::string& json) const
{
    static const std::string kToken = "@TEXTURE@";
    std::string text = json;
    for (std::size_t found = text.find(kToken); found != std::string::npos; found = text.find(kToken, found))
    {
        text.replace(found, kToken.size(), mTexturePath);
    }
    const std::string path = PathOf(fileName);
    WriteFile(path, text);
    return path;
}

} // namespace KelpForge::Testing
