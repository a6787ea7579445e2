#ifndef KELP_FORGE_TESTS_SUPPORT_SPRITE_SHEET_FILES_HPP
#define KELP_FORGE_TESTS_SUPPORT_SPRITE_SHEET_FILES_HPP

// Sprite sheet files written by a test into a folder of its own, over one small texture.

#include "support/kf_test_files.hpp"

#include <string>

namespace KelpForge::Testing
{

// The texture is 100 x 64 pixels of blue with a red square at (0, 0) and a green one at (16, 0),
// both 16 pixels wide.
inline constexpr int kSheetTextureWidth = 100;
inline constexpr int kSheetTextureHeight = 64;

class SpriteSheetFiles
{
public:
    // Writes the texture.
    SpriteSheetFiles();

    // Writes json as fileName with every @TEXTURE@ replaced by the texture's path, and returns
    // the file's path.
    [[nodiscard]] std::string Write(const std::string& fileName, const std::string& json) const;
    // Where Write puts fileName.
    [[nodiscard]] std::string PathOf(const std::string& fileName) const { return mFolder.PathOf(fileName); }
    [[nodiscard]] const std::string& TexturePath() const { return mTexturePath; }

private:
    TemporaryFolder mFolder;
    std::string mTexturePath;
};

} // namespace KelpForge::Testing

#endif
