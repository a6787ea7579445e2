// Checks a TrueType file against every read stb_truetype makes on the paths the framework uses.
// Each check mirrors one stb_truetype routine; where that routine reads before it decides (the
// cmap format 4 binary search), the check covers every read it could make. Glyph outlines and
// GPOS have files of their own.
//
// [SECTION] Table directory and fixed-size tables
// [SECTION] cmap
// [SECTION] kern
// [SECTION] Entry point

#include "kelp_forge/graphics/implementation/kfi_true_type_validator.hpp"

#include "kelp_forge/graphics/implementation/kfi_true_type_glyph_check.hpp"
#include "kelp_forge/graphics/implementation/kfi_true_type_gpos_check.hpp"
#include "kelp_forge/graphics/implementation/kfi_true_type_region.hpp"

#include <algorithm>
#include <array>
#include <string_view>

namespace kfImplementation::TrueType
{
namespace
{

// [SECTION] Table directory and fixed-size tables

struct Tables
{
    Region cmap, loca, head, glyf, hhea, hmtx, maxp, kern, gpos;
    bool hasKern = false;
    bool hasGpos = false;
};

constexpr std::uint32_t kTrueTypeVersion = 0x00010000u;
constexpr std::uint32_t kAppleTrueTypeVersion = 0x74727565u; // "true"

// Like stb_truetype, takes the first record of a tag and treats an offset of 0 as no table.
std::optional<Region> FindTable(const Region& file, std::uint16_t tableCount, std::string_view tag,
                                bool& isFound)
{
    isFound = false;
    for (std::uint64_t index = 0; index < tableCount; ++index)
    {
        const std::uint64_t record = 12 + 16 * index;
        const bool isTag = file.U8(record) == static_cast<unsigned char>(tag[0]) &&
                           file.U8(record + 1) == static_cast<unsigned char>(tag[1]) &&
                           file.U8(record + 2) == static_cast<unsigned char>(tag[2]) &&
                           file.U8(record + 3) == static_cast<unsigned char>(tag[3]);
        if (!isTag)
        {
            continue;
        }
        const std::uint32_t offset = file.U32(record + 8);
        const std::uint32_t length = file.U32(record + 12);
        if (offset == 0)
        {
            return Region();
        }
        if (!file.Has(offset, length))
        {
            return std::nullopt;
        }
        isFound = true;
        return file.Slice(offset, length);
    }
    return Region();
}

std::optional<Tables> ReadTables(const Region& file)
{
    const std::uint32_t version = file.U32(0);
    if (!file.Has(0, 12) || (version != kTrueTypeVersion && version != kAppleTrueTypeVersion))
    {
        return std::nullopt;
    }
    const std::uint16_t tableCount = file.U16(4);
    if (!file.Has(12, std::uint64_t{16} * tableCount))
    {
        return std::nullopt;
    }

    Tables tables;
    const std::array<std::pair<std::string_view, Region*>, 7> required = {{{"cmap", &tables.cmap},
                                                                           {"loca", &tables.loca},
                                                                           {"head", &tables.head},
                                                                           {"glyf", &tables.glyf},
                                                                           {"hhea", &tables.hhea},
                                                                           {"hmtx", &tables.hmtx},
                                                                           {"maxp", &tables.maxp}}};
    for (const auto& [tag, region] : required)
    {
        bool isFound = false;
        const std::optional<Region> table = FindTable(file, tableCount, tag, isFound);
        if (!table || !isFound)
        {
            return std::nullopt;
        }
        *region = *table;
    }
    const std::optional<Region> kern = FindTable(file, tableCount, "kern", tables.hasKern);
    const std::optional<Region> gpos = FindTable(file, tableCount, "GPOS", tables.hasGpos);
    if (!kern || !gpos)
    {
        return std::nullopt;
    }
    tables.kern = *kern;
    tables.gpos = *gpos;
    return tables;
}

struct FixedFacts
{
    std::uint16_t numberOfGlyphs = 0;
    std::uint16_t unitsPerEm = 0;
    bool isLongLoca = false;
};

constexpr std::uint16_t kSmallestUnitsPerEm = 16;
constexpr std::uint16_t kLargestUnitsPerEm = 16384;

std::optional<FixedFacts> CheckFixedTables(const Tables& tables)
{
    if (!tables.head.Has(0, 54) || !tables.maxp.Has(0, 6) || !tables.hhea.Has(0, 36))
    {
        return std::nullopt;
    }
    FixedFacts facts;
    facts.unitsPerEm = tables.head.U16(18);
    const std::uint16_t indexToLocFormat = tables.head.U16(50);
    facts.numberOfGlyphs = tables.maxp.U16(4);
    const std::uint16_t longMetricCount = tables.hhea.U16(34);
    facts.isLongLoca = indexToLocFormat == 1;

    // A units-per-em of 0 would make the scale infinite; the range is the one TrueType allows.
    if (facts.unitsPerEm < kSmallestUnitsPerEm || facts.unitsPerEm > kLargestUnitsPerEm ||
        indexToLocFormat > 1 || facts.numberOfGlyphs == 0 || longMetricCount == 0)
    {
        return std::nullopt;
    }
    // Glyphs past the long metrics read the last advance and a bearing of their own.
    const std::uint64_t shortMetricCount =
        facts.numberOfGlyphs > longMetricCount ? facts.numberOfGlyphs - longMetricCount : 0;
    if (!tables.hmtx.Has(0, std::uint64_t{4} * longMetricCount + 2 * shortMetricCount))
    {
        return std::nullopt;
    }
    return facts;
}

// [SECTION] cmap

bool IsPowerOfTwo(std::uint32_t value)
{
    return value != 0 && (value & (value - 1)) == 0;
}

// stb_truetype's binary search walks with the header's searchRange, entrySelector and rangeShift,
// so they must be the values derived from the segment count for it to stay inside the arrays.
bool CheckSegmentMapping(const Region& subtable)
{
    if (!subtable.Has(0, 14))
    {
        return false;
    }
    const std::uint32_t segmentCount = subtable.U16(6) >> 1;
    const std::uint32_t searchRange = subtable.U16(8) >> 1;
    const std::uint32_t entrySelector = subtable.U16(10);
    const std::uint32_t rangeShift = subtable.U16(12) >> 1;
    if (segmentCount == 0 || !IsPowerOfTwo(searchRange) || searchRange > segmentCount ||
        searchRange * 2 <= segmentCount ||
        (std::uint32_t{1} << std::min(entrySelector, 31u)) != searchRange ||
        rangeShift != segmentCount - searchRange)
    {
        return false;
    }
    const std::uint64_t startCounts = 16 + 2 * std::uint64_t{segmentCount};
    const std::uint64_t rangeOffsets = 16 + 6 * std::uint64_t{segmentCount};
    if (!subtable.Has(0, 16 + 8 * std::uint64_t{segmentCount}))
    {
        return false;
    }
    for (std::uint64_t segment = 0; segment < segmentCount; ++segment)
    {
        const std::uint16_t end = subtable.U16(14 + 2 * segment);
        const std::uint16_t start = subtable.U16(startCounts + 2 * segment);
        const std::uint16_t rangeOffset = subtable.U16(rangeOffsets + 2 * segment);
        // Glyph ids of such a segment sit rangeOffset bytes past its own idRangeOffset entry.
        if (rangeOffset != 0 && start <= end &&
            !subtable.Has(
                rangeOffsets + 2 * segment + rangeOffset + 2 * static_cast<std::uint64_t>(end - start), 2))
        {
            return false;
        }
    }
    return true;
}

bool CheckCharacterMapSubtable(const Region& subtable)
{
    if (!subtable.Has(0, 2))
    {
        return false;
    }
    switch (subtable.U16(0))
    {
    case 0:
        return subtable.Has(0, 4) && subtable.Has(0, std::max<std::uint64_t>(subtable.U16(2), 6));
    case 4:
        return CheckSegmentMapping(subtable);
    case 6:
        return subtable.Has(0, 10) && subtable.Has(10, 2 * std::uint64_t{subtable.U16(8)});
    case 12:
    case 13:
        return subtable.Has(0, 16) && subtable.Has(16, 12 * std::uint64_t{subtable.U32(12)});
    default:
        // stb_truetype asserts on every other format.
        return false;
    }
}

bool CheckCharacterMap(const Region& cmap)
{
    constexpr std::uint16_t kUnicodePlatform = 0;
    constexpr std::uint16_t kMicrosoftPlatform = 3;
    constexpr std::uint16_t kMicrosoftUnicodeBmp = 1;
    constexpr std::uint16_t kMicrosoftUnicodeFull = 10;

    const std::uint16_t recordCount = cmap.U16(2);
    if (!cmap.Has(0, 4 + 8 * std::uint64_t{recordCount}))
    {
        return false;
    }
    // The same choice stb_truetype makes: the last Unicode record wins, its offset added in 32 bits.
    std::uint32_t indexMap = 0;
    for (std::uint64_t index = 0; index < recordCount; ++index)
    {
        const std::uint64_t record = 4 + 8 * index;
        const std::uint16_t platform = cmap.U16(record);
        const std::uint16_t encoding = cmap.U16(record + 2);
        if (platform == kUnicodePlatform ||
            (platform == kMicrosoftPlatform &&
             (encoding == kMicrosoftUnicodeBmp || encoding == kMicrosoftUnicodeFull)))
        {
            indexMap = static_cast<std::uint32_t>(cmap.Offset()) + cmap.U32(record + 4);
        }
    }
    if (indexMap < cmap.Offset())
    {
        return false;
    }
    return CheckCharacterMapSubtable(cmap.From(indexMap - cmap.Offset()));
}

// [SECTION] kern

bool CheckKern(const Region& kern)
{
    // Only the first subtable is read, and only when it is horizontal kerning.
    if (!kern.Has(0, 4) || kern.U16(2) < 1)
    {
        return kern.Has(0, 4);
    }
    if (!kern.Has(0, 10) || kern.U16(8) != 1)
    {
        return kern.Has(0, 10);
    }
    return kern.Has(0, 12) && kern.Has(18, 6 * std::uint64_t{kern.U16(10)});
}

} // namespace

// [SECTION] Entry point

std::optional<FontSummary> ValidateTrueTypeFont(std::span<const unsigned char> fontData)
{
    if (fontData.size() > kMaxFontFileSize)
    {
        return std::nullopt;
    }
    const Region file(fontData, 0, fontData.size());
    const std::optional<Tables> tables = ReadTables(file);
    if (!tables)
    {
        return std::nullopt;
    }
    const std::optional<FixedFacts> facts = CheckFixedTables(*tables);
    if (!facts || !CheckCharacterMap(tables->cmap))
    {
        return std::nullopt;
    }
    if (tables->hasKern && !CheckKern(tables->kern))
    {
        return std::nullopt;
    }
    if (tables->hasGpos && !CheckGlyphPositioning(tables->gpos, facts->numberOfGlyphs))
    {
        return std::nullopt;
    }
    std::optional<std::vector<std::uint32_t>> spans =
        CheckGlyphOutlines(tables->loca, tables->glyf, facts->isLongLoca, facts->numberOfGlyphs);
    if (!spans)
    {
        return std::nullopt;
    }
    FontSummary summary;
    summary.numberOfGlyphs = facts->numberOfGlyphs;
    summary.unitsPerEm = facts->unitsPerEm;
    summary.hasKernTable = tables->hasKern;
    summary.outlineSpans = std::move(*spans);
    return summary;
}

} // namespace kfImplementation::TrueType
