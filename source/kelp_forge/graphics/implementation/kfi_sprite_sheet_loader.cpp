#include "kelp_forge/graphics/implementation/kfi_sprite_sheet_loader.hpp"

#include "kelp_forge/core/kf_error.hpp"
#include "kelp_forge/core/kf_json_parser.hpp"
#include "kelp_forge/graphics/kf_texture_manager.hpp"

#include <cstdint>
#include <limits>
#include <utility>

// Every step below stops as soon as any check has fired, its own or one made by a routine it
// called: the running game ends the process at the first report, and a load carried on past it
// would only pile follow-up reports on bad values.

namespace kfImplementation
{
namespace
{

using KelpForge::Graphics::FrameIndex;
using KelpForge::Graphics::PixelSpace;

constexpr PixelSpace kLargestPixelSpace = std::numeric_limits<PixelSpace>::max();
constexpr FrameIndex kLargestFrameIndex = std::numeric_limits<FrameIndex>::max();

// JSON loading turns an empty array (like null) into a member that reads as nil; only its
// presence tells "sprites": [] apart from no "sprites" at all. A present nil is an empty list.
bool IsPresent(const KelpForge::Core::DynamicStructure& member)
{
    return &member != &KelpForge::Core::kNullValue;
}

bool IsList(const KelpForge::Core::DynamicStructure& member)
{
    return member.IsArray() || (member.IsNil() && IsPresent(member));
}

} // namespace

SpriteSheetLoader::SpriteSheetLoader(std::string sheetName, std::string filepath)
    : mSheetName(std::move(sheetName)), mFilePath(std::move(filepath))
{
}

std::optional<KelpForge::Graphics::SpriteSheet> SpriteSheetLoader::Load()
{
    std::optional<SpriteSheet> sheet = ReadSheet(KelpForge::Core::LoadJsonFile(mFilePath));
    if (!sheet.has_value() && mTexture != KelpForge::Graphics::kInvalidTexture)
    {
        KelpForge::Graphics::theTextureManager.DestroyTexture(mTexture);
    }
    return sheet;
}

// [SECTION] The sheet

std::optional<KelpForge::Graphics::SpriteSheet> SpriteSheetLoader::ReadSheet(const DynamicStructure& data)
{
    using KelpForge::Graphics::theTextureManager;

    kf_error_if(!data.IsStructure(),
                "kfDataError: Expected sprite sheet data to be a structure of information.  Sheet: %s",
                mSheetName.c_str());
    if (Failed())
    {
        return std::nullopt;
    }

    // Checked only: no version changes how the file is read.
    const std::string versionMessage = "kfDataError: SpriteSheet \"" + mFilePath + "\"version\"";
    static_cast<void>(data["version"].AsRangedIntegerWithDefault<PixelSpace>(0, versionMessage.c_str(), 0,
                                                                             kLargestPixelSpace));
    if (Failed())
    {
        return std::nullopt;
    }

    const std::string texturePath = data["texture"].AsString(true);
    if (Failed())
    {
        return std::nullopt;
    }
    mTexture = theTextureManager.CreateTextureFromFile(texturePath);
    kf_error_if(mTexture == KelpForge::Graphics::kInvalidTexture, "Was unable to load texture: %s\n",
                texturePath.c_str());
    if (Failed())
    {
        return std::nullopt;
    }

    const PixelSpace spriteWidth = data["sprite_width"].AsRangedIntegerWithDefault<PixelSpace>(
        theTextureManager.GetTextureWidth(mTexture), "kfDataError: \"sprite_width\" out of range.", 0,
        kLargestPixelSpace);
    const PixelSpace spriteHeight = data["sprite_height"].AsRangedIntegerWithDefault<PixelSpace>(
        theTextureManager.GetTextureHeight(mTexture), "kfDataError: \"sprite_height\" out of range.", 0,
        kLargestPixelSpace);
    if (Failed())
    {
        return std::nullopt;
    }

    const DynamicStructure& sprites = data["sprites"];
    kf_error_if(!IsList(sprites),
                "kfDataError: Expected sprite sheet to have an array named: sprites. Sheet: \"%s\"",
                mFilePath.c_str());
    if (Failed())
    {
        return std::nullopt;
    }
    const DynamicStructure& animations = data["animations"];
    kf_error_if(!animations.IsNil() && !animations.IsArray(),
                "kfDataError: \"animations\" must be an array if included in sprite sheet. Sheet: \"%s\",",
                mFilePath.c_str());
    if (Failed())
    {
        return std::nullopt;
    }

    mCurrentRectangle = {0, 0, spriteWidth, spriteHeight};
    if (!ReadSpriteMaps(data["sprite_maps"]))
    {
        return std::nullopt;
    }

    SpriteSheet sheet(mTexture, mSheetName);
    for (std::uint32_t index = 0; index < sprites.Size(); ++index)
    {
        if (!ReadSprite(sprites[index], sheet))
        {
            return std::nullopt;
        }
    }
    if (!ReadAnimations(animations, "", sheet))
    {
        return std::nullopt;
    }
    // Sprites' own animations are read only now, so that their string entries can name any
    // sheet-level animation and their sequences any sprite of the file.
    for (std::uint32_t index = 0; index < sprites.Size(); ++index)
    {
        if (!ReadSpriteAnimations(sprites[index], sheet))
        {
            return std::nullopt;
        }
    }
    return sheet;
}

// [SECTION] Sprite maps

bool SpriteSheetLoader::ReadSpriteMaps(const DynamicStructure& spriteMaps)
{
    if (spriteMaps.IsNil())
    {
        return true;
    }
    kf_error_if(
        !spriteMaps.IsArray(),
        "kfDataError: \"spriteMaps\" must be an array if included in the sprite sheet. SpriteSheet: \"%s\".",
        mFilePath.c_str());
    if (Failed())
    {
        return false;
    }
    for (std::uint32_t index = 0; index < spriteMaps.Size(); ++index)
    {
        if (!ReadSpriteMap(spriteMaps[index]))
        {
            return false;
        }
    }
    return true;
}

bool SpriteSheetLoader::ReadSpriteMap(const DynamicStructure& object)
{
    const DynamicStructure& nameValue = object["name"];
    kf_error_if(!nameValue.IsString(),
                "kfDataError: Expected each sprite map object to have a string \"name\". SpriteSheet: %s",
                mFilePath.c_str());
    if (Failed())
    {
        return false;
    }
    const std::string name = nameValue.AsString(false);
    kf_error_if(
        mSpriteMaps.contains(name),
        "kfDataError: Attempting to add SpriteMap \"%s\" which already exists. Make sure each map has a "
        "unique \"name\". SpriteSheet: \"%s\".",
        name.c_str(), mFilePath.c_str());
    if (Failed())
    {
        return false;
    }
    kf_error_if(
        object["width"].IsNil(),
        "kfDataError: Expected SpriteMap object to have a \"width\". SpriteMap: \"%s\" on SpriteSheet: %s",
        name.c_str(), mFilePath.c_str());
    if (Failed())
    {
        return false;
    }
    kf_error_if(
        object["height"].IsNil(),
        "kfDataError: Expected SpriteMap object to have a \"height\". SpriteMap: \"%s\" on SpriteSheet: %s",
        name.c_str(), mFilePath.c_str());
    if (Failed())
    {
        return false;
    }

    const std::string suffix = RangeSuffix(" is out of range for SpriteMap ", name, " on SpriteSheet ");
    const PixelSpace width = ReadPixelSpace(object, "width", 0, suffix);
    const PixelSpace height = ReadPixelSpace(object, "height", 0, suffix);
    const PixelSpace x = ReadPixelSpace(object, "x", 0, suffix);
    const PixelSpace y = ReadPixelSpace(object, "y", 0, suffix);
    const PixelSpace paddingX = ReadPixelSpace(object, "padding_x", 0, suffix);
    const PixelSpace paddingY = ReadPixelSpace(object, "padding_y", 0, suffix);
    if (Failed())
    {
        return false;
    }
    SpriteMap map(mTexture, width, height, paddingX, paddingY, x, y);
    if (Failed())
    {
        return false;
    }
    mSpriteMaps.emplace(name, map);
    return true;
}

// [SECTION] Sprites

bool SpriteSheetLoader::ReadSprite(const DynamicStructure& object, SpriteSheet& sheet)
{
    const DynamicStructure& nameValue = object["name"];
    kf_error_if(
        nameValue.IsNil(),
        "kfDataError: Expected each sprite frame object to have a string, \"name\". SpriteSheet: \"%s\".",
        mFilePath.c_str());
    if (Failed())
    {
        return false;
    }
    const std::string name = nameValue.AsString(true);
    kf_error_if(name.empty(), "kfDataError: Expected each sprite frame to have a name on SpriteSheet: \"%s\"",
                mFilePath.c_str());
    if (Failed())
    {
        return false;
    }

    const std::string suffix = RangeSuffix(" is out of range for SpriteFrame ", name, " on SpriteSheet ");
    // A "sprite_map" that is not a string (a number, say) is no cell reference at all.
    const DynamicStructure& mapName = object["sprite_map"];
    const SpriteFrame frame = mapName.IsString()
                                  ? ReadCellFrame(object, name, mapName.AsString(false), suffix)
                                  : ReadRectangleFrame(object, suffix);
    if (Failed())
    {
        return false;
    }
    sheet.AddSpriteFrame(name, frame);
    return !Failed();
}

KelpForge::Graphics::SpriteFrame SpriteSheetLoader::ReadCellFrame(const DynamicStructure& object,
                                                                  const std::string& spriteName,
                                                                  const std::string& mapName,
                                                                  const std::string& rangeSuffix)
{
    const auto map = mSpriteMaps.find(mapName);
    kf_error_if(map == mSpriteMaps.end(),
                "kfDataError: Could not find SpriteMap, \"%s\" for SpriteFrame \"%s\" on SpriteSheet \"%s\".",
                mapName.c_str(), spriteName.c_str(), mFilePath.c_str());
    if (Failed())
    {
        return SpriteFrame();
    }

    const DynamicStructure& index = object["map_index"];
    if (index.IsInteger())
    {
        const FrameIndex cell = ReadFrameIndex(index, "kfDataError: \"map_index\"" + rangeSuffix);
        return Failed() ? SpriteFrame() : map->second.GetSpriteFrameAtIndex(cell);
    }
    const DynamicStructure& column = object["map_column"];
    const DynamicStructure& row = object["map_row"];
    if (column.IsInteger() && row.IsInteger())
    {
        const FrameIndex cellColumn = ReadFrameIndex(column, "kfDataError: \"map_column\"" + rangeSuffix);
        const FrameIndex cellRow = ReadFrameIndex(row, "kfDataError: \"map_row\"" + rangeSuffix);
        return Failed() ? SpriteFrame() : map->second.GetSpriteFrameAt(cellColumn, cellRow);
    }
    kf_error(
        "kfDataError: Could not create SpriteFrame, \"%s\" from SpriteMap, \"%s\" there was \"map_index\" or "
        "\"map_column\"/\"map_row\" not specified as Integers. SpriteSheet: \"%s\".",
        spriteName.c_str(), mapName.c_str(), mFilePath.c_str());
    return SpriteFrame();
}

KelpForge::Graphics::SpriteFrame SpriteSheetLoader::ReadRectangleFrame(const DynamicStructure& object,
                                                                       const std::string& rangeSuffix)
{
    const PixelSpace x = ReadPixelSpace(object, "x", 0, rangeSuffix);
    const PixelSpace y = ReadPixelSpace(object, "y", 0, rangeSuffix);
    const PixelSpace width = ReadPixelSpace(object, "width", mCurrentRectangle.width, rangeSuffix);
    const PixelSpace height = ReadPixelSpace(object, "height", mCurrentRectangle.height, rangeSuffix);
    return Failed() ? SpriteFrame() : KelpForge::Graphics::CreateSpriteFrame(mTexture, x, y, width, height);
}

bool SpriteSheetLoader::ReadSpriteAnimations(const DynamicStructure& object, SpriteSheet& sheet)
{
    const std::string name = object["name"].AsString(true);
    const SpriteFrame frame = sheet.GetSpriteFrame(name);
    if (Failed())
    {
        return false;
    }
    mCurrentRectangle = {frame.GetPixelX(), frame.GetPixelY(), frame.GetPixelWidth(), frame.GetPixelHeight()};
    return ReadAnimations(object["animations"], name, sheet);
}

// [SECTION] Animations

bool SpriteSheetLoader::ReadAnimations(const DynamicStructure& animations, const std::string& spriteName,
                                       SpriteSheet& sheet)
{
    if (animations.IsNil())
    {
        return true;
    }
    kf_error_if(
        !animations.IsArray(),
        "kfDataError: \"animations\" must be an array if included in sprite object. SpriteSheet: \"%s\"",
        mSheetName.c_str());
    if (Failed())
    {
        return false;
    }
    std::vector<std::string> namedAnimations;
    for (std::uint32_t index = 0; index < animations.Size(); ++index)
    {
        if (!ReadAnimationEntry(animations[index], spriteName, namedAnimations, sheet))
        {
            return false;
        }
    }
    if (!spriteName.empty())
    {
        static_cast<void>(sheet.AddAnimationsToSprite(spriteName, namedAnimations));
    }
    return !Failed();
}

bool SpriteSheetLoader::ReadAnimationEntry(const DynamicStructure& entry, const std::string& spriteName,
                                           std::vector<std::string>& namedAnimations, SpriteSheet& sheet)
{
    if (entry.IsString())
    {
        kf_error_if(spriteName.empty(),
                    "kfDataError: Expected named animationData only in a sprite frame animation array. "
                    "SpriteSheet: \"%s\".",
                    mFilePath.c_str());
        namedAnimations.push_back(entry.AsString(false));
        return !Failed();
    }

    const DynamicStructure& nameValue = entry["name"];
    kf_error_if(nameValue.IsNil(), "kfDataError: Expected each animation object to have a name. Sheet: %s",
                mFilePath.c_str());
    if (Failed())
    {
        return false;
    }
    const std::string name = nameValue.AsString(true);
    const DynamicStructure& sequenceValue = entry["sequence"];
    kf_error_if(!IsPresent(sequenceValue),
                "kfDataError: Expected each animation object to have \"sequence\". Animation: \"%s\" on "
                "SpriteSheet: \"%s\"",
                name.c_str(), mFilePath.c_str());
    if (Failed())
    {
        return false;
    }

    std::optional<AnimationSequence> sequence;
    if (IsList(sequenceValue))
    {
        sequence = ReadListedSequence(sequenceValue, name, sheet);
    }
    else if (sequenceValue.IsStructure())
    {
        sequence = ReadMappedSequence(sequenceValue, name, spriteName);
    }
    else
    {
        kf_error("kfDataError: Expected animation \"%s\" to have a \"sequence\" array or mapped structure. "
                 "SpriteSheet: %s",
                 name.c_str(), mFilePath.c_str());
    }
    if (!sequence.has_value())
    {
        return false;
    }
    sheet.AddAnimationSequence(spriteName, name, *sequence);
    return !Failed();
}

std::optional<KelpForge::Graphics::AnimationSequence>
SpriteSheetLoader::ReadListedSequence(const DynamicStructure& sequence, const std::string& animationName,
                                      const SpriteSheet& sheet)
{
    AnimationSequence listed(mTexture);
    for (std::uint32_t index = 0; index < sequence.Size(); ++index)
    {
        const DynamicStructure& item = sequence[index];
        kf_error_if(!item.IsString(),
                    "kfDataError: Expected each item in Animation \"%s\" sequence array to be strings. "
                    "SpriteSheet: \"%s\"",
                    animationName.c_str(), mSheetName.c_str());
        if (Failed())
        {
            return std::nullopt;
        }
        const SpriteFrame frame = sheet.GetSpriteFrame(item.AsString(false));
        if (Failed())
        {
            return std::nullopt;
        }
        listed.AddFrame(frame);
        if (Failed())
        {
            return std::nullopt;
        }
    }
    return listed;
}

std::optional<KelpForge::Graphics::AnimationSequence>
SpriteSheetLoader::ReadMappedSequence(const DynamicStructure& sequence, const std::string& animationName,
                                      const std::string& spriteName)
{
    const std::string suffix = RangeSuffix(" is out of range for animation ", animationName, " on sheet ");
    const std::optional<SpriteMap> map = ReadSequenceMap(sequence, animationName, spriteName, suffix);
    if (!map.has_value())
    {
        return std::nullopt;
    }
    const DynamicStructure& frames = sequence["frames"];
    return IsPresent(frames) ? CutListedCells(*map, frames, suffix)
                             : CutRunOfCells(*map, sequence, animationName);
}

std::optional<KelpForge::Graphics::SpriteMap>
SpriteSheetLoader::ReadSequenceMap(const DynamicStructure& sequence, const std::string& animationName,
                                   const std::string& spriteName, const std::string& rangeSuffix)
{
    const DynamicStructure& mapName = sequence["sprite_map"];
    if (mapName.IsString())
    {
        const auto map = mSpriteMaps.find(mapName.AsString(false));
        kf_error_if(map == mSpriteMaps.end(),
                    "kfDataError: Could not find sprite map, \"%s\" for animation \"%s\" on sheet \"%s\".",
                    mapName.AsString(false).c_str(), animationName.c_str(), mFilePath.c_str());
        if (Failed())
        {
            return std::nullopt;
        }
        return map->second;
    }

    // Inside a sprite the grid defaults to cells of the sprite's own size and place; a sheet-level
    // animation has no sprite to take a cell size from.
    if (spriteName.empty())
    {
        kf_error_if(
            sequence["width"].IsNil(),
            "kfDataError: Expected each global mapped animation object to have a width. Animation: \"%s\" "
            "on Sheet: %s",
            animationName.c_str(), mFilePath.c_str());
        if (Failed())
        {
            return std::nullopt;
        }
        kf_error_if(sequence["height"].IsNil(),
                    "kfDataError: Expected each global mapped animation object to have a height. Animation: "
                    "\"%s\" on Sheet: %s",
                    animationName.c_str(), mFilePath.c_str());
        if (Failed())
        {
            return std::nullopt;
        }
    }
    const PixelSpace width = ReadPixelSpace(sequence, "width", mCurrentRectangle.width, rangeSuffix);
    const PixelSpace height = ReadPixelSpace(sequence, "height", mCurrentRectangle.height, rangeSuffix);
    const PixelSpace x = ReadPixelSpace(sequence, "x", mCurrentRectangle.x, rangeSuffix);
    const PixelSpace y = ReadPixelSpace(sequence, "y", mCurrentRectangle.y, rangeSuffix);
    if (Failed())
    {
        return std::nullopt;
    }
    SpriteMap grid(mTexture, width, height, 0, 0, x, y);
    if (Failed())
    {
        return std::nullopt;
    }
    return grid;
}

std::optional<KelpForge::Graphics::AnimationSequence>
SpriteSheetLoader::CutRunOfCells(const SpriteMap& map, const DynamicStructure& sequence,
                                 const std::string& animationName)
{
    const DynamicStructure& start = sequence["start"];
    const DynamicStructure& count = sequence["count"];
    kf_error_if(start.IsNil(),
                "kfDataError: Expected each mapped animation object to have a start frame. Animation: \"%s\" "
                "on Sheet: \"%s\"",
                animationName.c_str(), mFilePath.c_str());
    if (Failed())
    {
        return std::nullopt;
    }
    kf_error_if(count.IsNil(),
                "kfDataError: Expected each mapped animation object to have a frame count. Animation: \"%s\" "
                "on Sheet: \"%s\"",
                animationName.c_str(), mFilePath.c_str());
    if (Failed())
    {
        return std::nullopt;
    }
    const PixelSpace first =
        start.AsRangedInteger<PixelSpace>("kfDataError: \"start\"", 0, kLargestPixelSpace, true);
    const PixelSpace cellCount =
        count.AsRangedInteger<PixelSpace>("kfDataError: \"count\"", 0, kLargestPixelSpace, true);
    if (Failed())
    {
        return std::nullopt;
    }
    AnimationSequence run(map, first, cellCount);
    if (Failed())
    {
        return std::nullopt;
    }
    return run;
}

std::optional<KelpForge::Graphics::AnimationSequence>
SpriteSheetLoader::CutListedCells(const SpriteMap& map, const DynamicStructure& frames,
                                  const std::string& rangeSuffix)
{
    kf_error_if(!IsList(frames),
                "kfDataError: Expected mapped animation object with frames item being an array: %s",
                mFilePath.c_str());
    if (Failed())
    {
        return std::nullopt;
    }
    std::vector<FrameIndex> cells;
    for (std::uint32_t index = 0; index < frames.Size(); ++index)
    {
        cells.push_back(ReadFrameIndex(frames[index], "kfDataError: \"frames\" array[" +
                                                          std::to_string(index) + "] " + rangeSuffix));
        if (Failed())
        {
            return std::nullopt;
        }
    }
    AnimationSequence listed(map, cells);
    if (Failed())
    {
        return std::nullopt;
    }
    return listed;
}

// [SECTION] Numbers

std::string SpriteSheetLoader::RangeSuffix(const char* firstText, const std::string& name,
                                           const char* secondText) const
{
    return firstText + ("\"" + name + "\"") + secondText + ("\"" + mFilePath + "\".");
}

KelpForge::Graphics::PixelSpace SpriteSheetLoader::ReadPixelSpace(const DynamicStructure& object,
                                                                  const char* member, PixelSpace defaultValue,
                                                                  const std::string& rangeSuffix)
{
    const std::string errorMessage = "kfDataError: \"" + std::string(member) + "\"" + rangeSuffix;
    return object[member].AsRangedIntegerWithDefault<PixelSpace>(defaultValue, errorMessage.c_str(), 0,
                                                                 kLargestPixelSpace);
}

KelpForge::Graphics::FrameIndex SpriteSheetLoader::ReadFrameIndex(const DynamicStructure& value,
                                                                  const std::string& errorMessage)
{
    return value.AsRangedInteger<FrameIndex>(errorMessage.c_str(), 0, kLargestFrameIndex, true);
}

} // namespace kfImplementation
