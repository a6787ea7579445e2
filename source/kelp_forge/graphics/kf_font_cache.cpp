#include "kelp_forge/graphics/kf_font_cache.hpp"

#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/graphics/implementation/kfi_built_in_font.hpp"

#include <map>
#include <memory>

namespace KelpForge::Graphics
{
namespace
{

std::map<std::string, std::unique_ptr<Font>>& FontCache()
{
    static std::map<std::string, std::unique_ptr<Font>> cache;
    return cache;
}

void RegisterBuiltInFont(std::map<std::string, std::unique_ptr<Font>>& cache)
{
    if (cache.contains(kDefaultFont))
    {
        return;
    }
    std::unique_ptr<Font> font =
        Font::LoadFromData(kfImplementation::Text::kBuiltInFont, kfImplementation::Text::kBuiltInFontSize);
    kf_error_if(font == nullptr, "kfInternalError: The built-in font could not be loaded.");
    cache.emplace(kDefaultFont, std::move(font));
}

} // namespace

Font* GetFont(const std::string& fontName)
{
    std::map<std::string, std::unique_ptr<Font>>& cache = FontCache();
    // Registered before any lookup, so that the empty name never reaches the file system.
    RegisterBuiltInFont(cache);
    if (const auto found = cache.find(fontName); found != cache.end())
    {
        return found->second.get();
    }
    std::unique_ptr<Font> font = Font::LoadFromFile(fontName);
    kf_error_if(font == nullptr, "kfExternalError: Was unable to load font from file: \"%s\"",
                fontName.c_str());
    return cache.emplace(fontName, std::move(font)).first->second.get();
}

} // namespace KelpForge::Graphics
