#ifndef KELP_FORGE_GRAPHICS_SPRITE_MANAGER_HPP
#define KELP_FORGE_GRAPHICS_SPRITE_MANAGER_HPP

#include "kelp_forge/core/kf_defines.hpp"
#include "kelp_forge/graphics/kf_sprite_frame.hpp"
#include "kelp_forge/graphics/kf_sprite_sheet.hpp"

#include <map>
#include <string>

namespace KelpForge::Graphics
{

// The sprite sheets of the program by name. Sheets are added once and kept until the program
// ends; nothing is ever removed or replaced. Everything runs on the thread that owns the OpenGL
// context.
//
// Sprite sheet files are JSON: a "texture" image path (relative to the working directory), the
// default "sprite_width" and "sprite_height", an array of "sprites" given as pixel rectangles or
// as cells of the file's "sprite_maps", and "animations" at the sheet's level or with one
// sprite, as lists of sprite names or as runs of grid cells.
class SpriteManager : private Core::Noncopyable
{
public:
    SpriteManager();
    ~SpriteManager();

    // Reads the sprite sheet file at filepath and adds it as spriteSheetName. True when the sheet
    // was added; the first problem with the file is reported and the load stops there, adding
    // nothing. A loaded sheet keeps one reference to its texture for the rest of the program; a
    // load that fails gives back the reference it took.
    [[nodiscard]] bool LoadSpriteSheet(const std::string& spriteSheetName, const std::string& filepath);
    // Stores a copy of sheet under a new name and returns true; a name already taken is reported
    // and returns false. No texture reference is taken for the sheet.
    bool AddSpriteSheet(const std::string& spriteSheetName, const SpriteSheet& sheet);

    // A copy of the frame spriteName of the sheet spriteSheetName. An unknown sheet or sprite is
    // reported and gives an empty frame on no texture.
    [[nodiscard]] SpriteFrame GetSpriteFrame(const std::string& spriteSheetName,
                                             const std::string& spriteName) const;
    // The sheet of that name, or nullptr. Sheets are never removed, so the pointer stays valid.
    [[nodiscard]] const SpriteSheet* FindSpriteSheet(const std::string& spriteSheetName) const;

private:
    std::map<std::string, SpriteSheet> mSpriteSheets;
};

// The process-wide sprite manager, built during static initialisation.
extern SpriteManager theSpriteManager;

} // namespace KelpForge::Graphics

#endif
