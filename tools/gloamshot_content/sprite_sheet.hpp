#ifndef GLOAMSHOT_CONTENT_SPRITE_SHEET_HPP
#define GLOAMSHOT_CONTENT_SPRITE_SHEET_HPP

// Lays the sprites side by side on one texture and describes them in a sprite sheet file.

#include "picture_drawing.hpp"

#include <string>
#include <vector>

namespace Gloamshot::Content
{

struct SpriteSheet
{
    int width;
    int height;
    std::vector<unsigned char> rgba;
    // The sheet file's text, naming the texture by texturePath.
    std::string json;
};

[[nodiscard]] SpriteSheet PackSpriteSheet(const std::vector<SpritePicture>& pictures,
                                          const std::string& texturePath);

} // namespace Gloamshot::Content

#endif
