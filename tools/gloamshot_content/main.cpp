// Makes every content file of Gloamshot: the sprite sheet and its picture, the cave backdrop, the
// maker's logo, the level, and the audio event table with its sounds. Everything is drawn and
// synthesised from fixed seeds, so two runs write byte-identical files.
// Usage: gloamshot_content <folder>   (writes <folder>/data/..., as the game's working directory
// sees them; run it with the project's root folder and commit what it writes)

#include "audio_content.hpp"
#include "cave_backdrop.hpp"
#include "cave_layout.hpp"
#include "content_writer.hpp"
#include "level_file.hpp"
#include "pinewren_logo.hpp"
#include "sprite_pictures.hpp"
#include "sprite_sheet.hpp"

#include <cstdio>

namespace
{

using namespace Gloamshot::Content;

bool WriteSprites(ContentWriter& writer)
{
    const SpriteSheet sheet = PackSpriteSheet(
        {DrawArcher(), DrawBow(), DrawArrow(), DrawSpider(), DrawLantern()}, "data/gloamshot_sprites.png");
    return writer.WritePng("data/gloamshot_sprites.png", sheet.width, sheet.height, 4, sheet.rgba) &&
           writer.WriteText("data/gloamshot_sprite_sheet.json", sheet.json);
}

bool WriteCave(ContentWriter& writer)
{
    const CaveLayout layout = MakeCaveLayout();
    return writer.WritePng("data/gloamshot_cave_01.png", kWorldWidth, kWorldHeight, 3,
                           PaintCaveBackdrop(layout)) &&
           writer.WriteText("data/gloam_cave_01.json", MakeLevelJson(layout, "gloamshot_cave_01.png"));
}

bool WriteLogo(ContentWriter& writer)
{
    const KelpForge::Tools::Lettering lettering(GLOAMSHOT_LOGO_FONT);
    if (!lettering.IsValid())
    {
        std::fprintf(stderr, "gloamshot_content: cannot read the font %s\n", GLOAMSHOT_LOGO_FONT);
        return false;
    }
    return writer.WritePng("data/pinewren_logo_512.png", kLogoSide, kLogoSide, 4,
                           DrawPinewrenLogo(lettering));
}

} // namespace

int main(int argumentCount, char** arguments)
{
    if (argumentCount != 2)
    {
        std::fprintf(stderr, "usage: gloamshot_content <folder>\n");
        return 2;
    }
    ContentWriter writer(arguments[1]);
    const bool isWritten =
        WriteSprites(writer) && WriteCave(writer) && WriteLogo(writer) && WriteAudioContent(writer);
    return isWritten ? 0 : 1;
}
