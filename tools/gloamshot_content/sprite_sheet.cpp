#include "sprite_sheet.hpp"

#include <algorithm>
#include <cstddef>
#include <string>

namespace Gloamshot::Content
{
namespace
{

// Transparent space around every frame, so that filtering and smaller mipmap levels do not mix
// neighbouring sprites.
constexpr int kGap = 4;

int PowerOfTwoAtLeast(int value)
{
    int power = 1;
    while (power < value)
    {
        power *= 2;
    }
    return power;
}

} // namespace

SpriteSheet PackSpriteSheet(const std::vector<SpritePicture>& pictures, const std::string& texturePath)
{
    int width = kGap;
    int height = 0;
    for (const SpritePicture& picture : pictures)
    {
        width += picture.width + kGap;
        height = std::max(height, picture.height + 2 * kGap);
    }
    SpriteSheet sheet{PowerOfTwoAtLeast(width), PowerOfTwoAtLeast(height), {}, {}};
    sheet.rgba.assign(static_cast<std::size_t>(sheet.width) * sheet.height * 4, 0);
    sheet.json = "{\n    \"version\": 1,\n    \"texture\": \"" + texturePath + "\",\n    \"sprites\": [\n";
    int left = kGap;
    for (std::size_t index = 0; index < pictures.size(); ++index)
    {
        const SpritePicture& picture = pictures[index];
        for (int y = 0; y < picture.height; ++y)
        {
            std::copy_n(&picture.rgba[static_cast<std::size_t>(y) * picture.width * 4], picture.width * 4,
                        &sheet.rgba[(static_cast<std::size_t>(y + kGap) * sheet.width + left) * 4]);
        }
        sheet.json += "        {\"name\": \"" + picture.name + "\", \"x\": " + std::to_string(left) +
                      ", \"y\": " + std::to_string(kGap) + ", \"width\": " + std::to_string(picture.width) +
                      ", \"height\": " + std::to_string(picture.height) + "}" +
                      (index + 1 < pictures.size() ? ",\n" : "\n");
        left += picture.width + kGap;
    }
    sheet.json += "    ]\n}\n";
    return sheet;
}

} // namespace Gloamshot::Content
