#ifndef KELP_FORGE_GRAPHICS_IMPLEMENTATION_SPRITE_SHEET_LOADER_HPP
#define KELP_FORGE_GRAPHICS_IMPLEMENTATION_SPRITE_SHEET_LOADER_HPP

#include "kelp_forge/core/kf_dynamic_structure.hpp"
#include "kelp_forge/graphics/implementation/kfi_error_watch.hpp"
#include "kelp_forge/graphics/kf_sprite_map.hpp"
#include "kelp_forge/graphics/kf_sprite_sheet.hpp"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kfImplementation
{

// Reads one sprite sheet file. The loader is the loading context: it lives for one load, and
// the sprite maps declared by the file live and die with it.
class SpriteSheetLoader
{
public:
    SpriteSheetLoader(std::string sheetName, std::string filepath);

    // The sheet described by the file, named sheetName. The first problem with the file is
    // reported and ends the load: nothing is given and the texture reference taken is given back.
    // A sheet that is given carries one reference to its texture, which the caller keeps (or
    // gives back when it does not keep the sheet).
    [[nodiscard]] std::optional<KelpForge::Graphics::SpriteSheet> Load();

private:
    using DynamicStructure = KelpForge::Core::DynamicStructure;
    using FrameIndex = KelpForge::Graphics::FrameIndex;
    using PixelSpace = KelpForge::Graphics::PixelSpace;
    using SpriteFrame = KelpForge::Graphics::SpriteFrame;
    using SpriteMap = KelpForge::Graphics::SpriteMap;
    using SpriteSheet = KelpForge::Graphics::SpriteSheet;
    using AnimationSequence = KelpForge::Graphics::AnimationSequence;

    // Defaults for sizes and positions while a part of the file is read.
    struct Rectangle
    {
        PixelSpace x = 0;
        PixelSpace y = 0;
        PixelSpace width = 0;
        PixelSpace height = 0;
    };

    [[nodiscard]] bool Failed() const { return mErrors.HasFired(); }
    [[nodiscard]] std::optional<SpriteSheet> ReadSheet(const DynamicStructure& data);

    [[nodiscard]] bool ReadSpriteMaps(const DynamicStructure& spriteMaps);
    [[nodiscard]] bool ReadSpriteMap(const DynamicStructure& object);

    [[nodiscard]] bool ReadSprite(const DynamicStructure& object, SpriteSheet& sheet);
    [[nodiscard]] SpriteFrame ReadCellFrame(const DynamicStructure& object, const std::string& spriteName,
                                            const std::string& mapName, const std::string& rangeSuffix);
    [[nodiscard]] SpriteFrame ReadRectangleFrame(const DynamicStructure& object,
                                                 const std::string& rangeSuffix);
    [[nodiscard]] bool ReadSpriteAnimations(const DynamicStructure& object, SpriteSheet& sheet);

    [[nodiscard]] bool ReadAnimations(const DynamicStructure& animations, const std::string& spriteName,
                                      SpriteSheet& sheet);
    [[nodiscard]] bool ReadAnimationEntry(const DynamicStructure& entry, const std::string& spriteName,
                                          std::vector<std::string>& namedAnimations, SpriteSheet& sheet);
    [[nodiscard]] std::optional<AnimationSequence> ReadListedSequence(const DynamicStructure& sequence,
                                                                      const std::string& animationName,
                                                                      const SpriteSheet& sheet);
    [[nodiscard]] std::optional<AnimationSequence> ReadMappedSequence(const DynamicStructure& sequence,
                                                                      const std::string& animationName,
                                                                      const std::string& spriteName);
    [[nodiscard]] std::optional<SpriteMap> ReadSequenceMap(const DynamicStructure& sequence,
                                                           const std::string& animationName,
                                                           const std::string& spriteName,
                                                           const std::string& rangeSuffix);
    // The cells start, start + 1, ... of "start" and "count".
    [[nodiscard]] std::optional<AnimationSequence>
    CutRunOfCells(const SpriteMap& map, const DynamicStructure& sequence, const std::string& animationName);
    // The cells listed in "frames", in order.
    [[nodiscard]] std::optional<AnimationSequence>
    CutListedCells(const SpriteMap& map, const DynamicStructure& frames, const std::string& rangeSuffix);

    // The tail of a range message: firstText "name" secondText "file path".
    [[nodiscard]] std::string RangeSuffix(const char* firstText, const std::string& name,
                                          const char* secondText) const;
    [[nodiscard]] static PixelSpace ReadPixelSpace(const DynamicStructure& object, const char* member,
                                                   PixelSpace defaultValue, const std::string& rangeSuffix);
    [[nodiscard]] static FrameIndex ReadFrameIndex(const DynamicStructure& value,
                                                   const std::string& errorMessage);

    ErrorWatch mErrors;
    std::string mSheetName;
    std::string mFilePath;
    KelpForge::Graphics::TextureHandle mTexture = KelpForge::Graphics::kInvalidTexture;
    Rectangle mCurrentRectangle;
    std::map<std::string, SpriteMap> mSpriteMaps;
};

} // namespace kfImplementation

#endif
