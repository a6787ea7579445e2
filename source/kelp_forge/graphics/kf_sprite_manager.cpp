#include "kelp_forge/graphics/kf_sprite_manager.hpp"

#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/graphics/implementation/kfi_sprite_sheet_loader.hpp"

#include <optional>

namespace KelpForge::Graphics
{

SpriteManager theSpriteManager;

SpriteManager::SpriteManager() = default;

SpriteManager::~SpriteManager() = default;

bool SpriteManager::LoadSpriteSheet(const std::string& spriteSheetName, const std::string& filepath)
{
    std::optional<SpriteSheet> sheet = kfImplementation::SpriteSheetLoader(spriteSheetName, filepath).Load();
    if (!sheet.has_value())
    {
        return false;
    }
    if (!AddSpriteSheet(spriteSheetName, *sheet))
    {
        TextureHandle texture = sheet->GetTexture();
        theTextureManager.DestroyTexture(texture);
        return false;
    }
    return true;
}

bool SpriteManager::AddSpriteSheet(const std::string& spriteSheetName, const SpriteSheet& sheet)
{
    const bool isNew = mSpriteSheets.try_emplace(spriteSheetName, sheet).second;
    kf_error_if(!isNew, "Attempting to add SpriteSheet \"%s\" which already exists in manager.",
                spriteSheetName.c_str());
    return isNew;
}

SpriteFrame SpriteManager::GetSpriteFrame(const std::string& spriteSheetName,
                                          const std::string& spriteName) const
{
    const SpriteSheet* const sheet = FindSpriteSheet(spriteSheetName);
    kf_error_if(sheet == nullptr, "SpriteSheet with name %s does not exist.", spriteSheetName.c_str());
    return sheet != nullptr ? sheet->GetSpriteFrame(spriteName) : SpriteFrame();
}

const SpriteSheet* SpriteManager::FindSpriteSheet(const std::string& spriteSheetName) const
{
    const auto found = mSpriteSheets.find(spriteSheetName);
    return found != mSpriteSheets.end() ? &found->second : nullptr;
}

} // namespace KelpForge::Graphics
