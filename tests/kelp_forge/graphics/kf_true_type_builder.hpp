#ifndef KELP_FORGE_TESTS_GRAPHICS_TRUE_TYPE_BUILDER_HPP
#define KELP_FORGE_TESTS_GRAPHICS_TRUE_TYPE_BUILDER_HPP

// Builds small TrueType files for tests, so that metrics, glyph shapes and kerning are known
// exactly and a table can be broken on purpose. Glyph 0 is the missing glyph (no outline, advance
// chosen with SetMissingGlyphAdvance). Tables: cmap (format 4), glyf, head, hhea, hmtx, kern
// (when pairs were added), loca (long), maxp.

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace KelpForge::Testing
{

struct OutlinePoint
{
    std::int16_t x;
    std::int16_t y;
    bool isOnCurve = true;
};

using Contour = std::vector<OutlinePoint>;

struct GlyphComponent
{
    std::uint16_t glyph;
    std::int16_t offsetX;
    std::int16_t offsetY;
};

class TrueTypeBuilder
{
public:
    TrueTypeBuilder& SetUnitsPerEm(std::uint16_t unitsPerEm)
    {
        mUnitsPerEm = unitsPerEm;
        return *this;
    }
    TrueTypeBuilder& SetVerticalMetrics(std::int16_t ascent, std::int16_t descent, std::int16_t lineGap)
    {
        mAscent = ascent;
        mDescent = descent;
        mLineGap = lineGap;
        return *this;
    }
    TrueTypeBuilder& SetMissingGlyphAdvance(std::uint16_t advance)
    {
        mGlyphs[0].advance = advance;
        return *this;
    }
    // Returns the new glyph's index.
    std::uint16_t AddGlyph(std::uint16_t advance, std::vector<Contour> contours)
    {
        mGlyphs.push_back({advance, std::move(contours), {}});
        return static_cast<std::uint16_t>(mGlyphs.size() - 1);
    }
    std::uint16_t AddCompositeGlyph(std::uint16_t advance, std::vector<GlyphComponent> components)
    {
        mGlyphs.push_back({advance, {}, std::move(components)});
        return static_cast<std::uint16_t>(mGlyphs.size() - 1);
    }
    // A rectangle from (left, bottom) to (right, top) in font units, y upwards.
    static Contour Rectangle(std::int16_t left, std::int16_t bottom, std::int16_t right, std::int16_t top)
    {
        return {{left, bottom}, {left, top}, {right, top}, {right, bottom}};
    }
    TrueTypeBuilder& MapCharacter(std::uint16_t codePoint, std::uint16_t glyph)
    {
        mCharacters[codePoint] = glyph;
        return *this;
    }
    TrueTypeBuilder& AddKerningPair(std::uint16_t left, std::uint16_t right, std::int16_t value)
    {
        mKerning[{left, right}] = value;
        return *this;
    }
    // Writes these flags into every component record instead of the usual word offsets, to
    // build composites of other kinds.
    TrueTypeBuilder& SetCompositeFlags(std::uint16_t flags)
    {
        mCompositeFlags = flags;
        return *this;
    }

    std::vector<unsigned char> Build() const
    {
        std::map<std::string, std::vector<unsigned char>> tables;
        tables["cmap"] = BuildCharacterMap();
        std::vector<unsigned char> locations;
        tables["glyf"] = BuildGlyphs(locations);
        tables["loca"] = locations;
        tables["head"] = BuildHeader();
        tables["hhea"] = BuildHorizontalHeader();
        tables["hmtx"] = BuildHorizontalMetrics();
        tables["maxp"] = BuildMaximumProfile();
        if (!mKerning.empty())
        {
            tables["kern"] = BuildKerning();
        }
        return Assemble(tables);
    }

    // Where a table starts in a built file, or 0 when it has none.
    static std::uint32_t TableOffset(const std::vector<unsigned char>& font, const std::string& tag)
    {
        const std::uint16_t tableCount = static_cast<std::uint16_t>(font[4] << 8 | font[5]);
        for (std::size_t index = 0; index < tableCount; ++index)
        {
            const std::size_t record = 12 + 16 * index;
            if (std::string(font.begin() + static_cast<std::ptrdiff_t>(record),
                            font.begin() + static_cast<std::ptrdiff_t>(record) + 4) == tag)
            {
                return static_cast<std::uint32_t>(font[record + 8]) << 24 | font[record + 9] << 16 |
                       font[record + 10] << 8 | font[record + 11];
            }
        }
        return 0;
    }
    static void Put16(std::vector<unsigned char>& bytes, std::size_t offset, std::uint16_t value)
    {
        bytes[offset] = static_cast<unsigned char>(value >> 8);
        bytes[offset + 1] = static_cast<unsigned char>(value);
    }
    static void Put32(std::vector<unsigned char>& bytes, std::size_t offset, std::uint32_t value)
    {
        Put16(bytes, offset, static_cast<std::uint16_t>(value >> 16));
        Put16(bytes, offset + 2, static_cast<std::uint16_t>(value));
    }

private:
    struct GlyphRecord
    {
        std::uint16_t advance;
        std::vector<Contour> contours;
        std::vector<GlyphComponent> components;
    };

    static void Append16(std::vector<unsigned char>& bytes, std::uint16_t value)
    {
        bytes.push_back(static_cast<unsigned char>(value >> 8));
        bytes.push_back(static_cast<unsigned char>(value));
    }
    static void Append32(std::vector<unsigned char>& bytes, std::uint32_t value)
    {
        Append16(bytes, static_cast<std::uint16_t>(value >> 16));
        Append16(bytes, static_cast<std::uint16_t>(value));
    }

    std::vector<unsigned char> BuildCharacterMap() const
    {
        std::vector<std::pair<std::uint16_t, std::uint16_t>> segments(mCharacters.begin(), mCharacters.end());
        segments.emplace_back(0xFFFF, 0);
        const std::uint16_t segmentCount = static_cast<std::uint16_t>(segments.size());
        std::uint16_t searchRange = 1;
        std::uint16_t entrySelector = 0;
        while (searchRange * 2 <= segmentCount)
        {
            searchRange = static_cast<std::uint16_t>(searchRange * 2);
            ++entrySelector;
        }
        std::vector<unsigned char> subtable;
        Append16(subtable, 4);
        Append16(subtable, static_cast<std::uint16_t>(16 + 8 * segmentCount));
        Append16(subtable, 0);
        Append16(subtable, static_cast<std::uint16_t>(2 * segmentCount));
        Append16(subtable, static_cast<std::uint16_t>(2 * searchRange));
        Append16(subtable, entrySelector);
        Append16(subtable, static_cast<std::uint16_t>(2 * segmentCount - 2 * searchRange));
        for (const auto& segment : segments)
        {
            Append16(subtable, segment.first);
        }
        Append16(subtable, 0);
        for (const auto& segment : segments)
        {
            Append16(subtable, segment.first);
        }
        for (const auto& segment : segments)
        {
            Append16(subtable, static_cast<std::uint16_t>(
                                   segment.first == 0xFFFF ? 1 : segment.second - segment.first));
        }
        for (std::size_t index = 0; index < segments.size(); ++index)
        {
            Append16(subtable, 0);
        }
        std::vector<unsigned char> table;
        Append16(table, 0);
        Append16(table, 1);
        Append16(table, 3);
        Append16(table, 1);
        Append32(table, 12);
        table.insert(table.end(), subtable.begin(), subtable.end());
        return table;
    }

    std::vector<unsigned char> BuildSimpleGlyph(const std::vector<Contour>& contours) const
    {
        std::int16_t minX = 0x7FFF, minY = 0x7FFF, maxX = -0x8000, maxY = -0x8000;
        for (const Contour& contour : contours)
        {
            for (const OutlinePoint& point : contour)
            {
                minX = std::min(minX, point.x);
                minY = std::min(minY, point.y);
                maxX = std::max(maxX, point.x);
                maxY = std::max(maxY, point.y);
            }
        }
        std::vector<unsigned char> glyph;
        Append16(glyph, static_cast<std::uint16_t>(contours.size()));
        Append16(glyph, static_cast<std::uint16_t>(minX));
        Append16(glyph, static_cast<std::uint16_t>(minY));
        Append16(glyph, static_cast<std::uint16_t>(maxX));
        Append16(glyph, static_cast<std::uint16_t>(maxY));
        std::size_t end = 0;
        for (const Contour& contour : contours)
        {
            end += contour.size();
            Append16(glyph, static_cast<std::uint16_t>(end - 1));
        }
        Append16(glyph, 0); // no instructions
        std::vector<unsigned char> xs, ys;
        std::int16_t x = 0, y = 0;
        for (const Contour& contour : contours)
        {
            for (const OutlinePoint& point : contour)
            {
                glyph.push_back(point.isOnCurve ? 0x01 : 0x00);
                Append16(xs, static_cast<std::uint16_t>(point.x - x));
                Append16(ys, static_cast<std::uint16_t>(point.y - y));
                x = point.x;
                y = point.y;
            }
        }
        glyph.insert(glyph.end(), xs.begin(), xs.end());
        glyph.insert(glyph.end(), ys.begin(), ys.end());
        return glyph;
    }

    std::vector<unsigned char> BuildCompositeGlyph(const std::vector<GlyphComponent>& components) const
    {
        std::vector<unsigned char> glyph;
        Append16(glyph, 0xFFFF);
        for (int index = 0; index < 4; ++index)
        {
            Append16(glyph, 0);
        }
        for (std::size_t index = 0; index < components.size(); ++index)
        {
            constexpr std::uint16_t kWordsAndOffsets = 0x0003;
            constexpr std::uint16_t kMoreComponents = 0x0020;
            const bool isLast = index + 1 == components.size();
            Append16(glyph, mCompositeFlags ? mCompositeFlags
                                            : static_cast<std::uint16_t>(kWordsAndOffsets |
                                                                         (isLast ? 0 : kMoreComponents)));
            Append16(glyph, components[index].glyph);
            Append16(glyph, static_cast<std::uint16_t>(components[index].offsetX));
            Append16(glyph, static_cast<std::uint16_t>(components[index].offsetY));
        }
        return glyph;
    }

    std::vector<unsigned char> BuildGlyphs(std::vector<unsigned char>& locations) const
    {
        std::vector<unsigned char> glyphs;
        for (const GlyphRecord& record : mGlyphs)
        {
            Append32(locations, static_cast<std::uint32_t>(glyphs.size()));
            std::vector<unsigned char> glyph;
            if (!record.components.empty())
            {
                glyph = BuildCompositeGlyph(record.components);
            }
            else if (!record.contours.empty())
            {
                glyph = BuildSimpleGlyph(record.contours);
            }
            glyphs.insert(glyphs.end(), glyph.begin(), glyph.end());
            while (glyphs.size() % 4 != 0)
            {
                glyphs.push_back(0);
            }
        }
        Append32(locations, static_cast<std::uint32_t>(glyphs.size()));
        return glyphs;
    }

    std::vector<unsigned char> BuildHeader() const
    {
        std::vector<unsigned char> head(54, 0);
        Put32(head, 0, 0x00010000);
        Put32(head, 12, 0x5F0F3CF5);
        Put16(head, 18, mUnitsPerEm);
        Put16(head, 50, 1); // long loca offsets
        return head;
    }

    std::vector<unsigned char> BuildHorizontalHeader() const
    {
        std::vector<unsigned char> hhea(36, 0);
        Put32(hhea, 0, 0x00010000);
        Put16(hhea, 4, static_cast<std::uint16_t>(mAscent));
        Put16(hhea, 6, static_cast<std::uint16_t>(mDescent));
        Put16(hhea, 8, static_cast<std::uint16_t>(mLineGap));
        Put16(hhea, 34, static_cast<std::uint16_t>(mGlyphs.size()));
        return hhea;
    }

    std::vector<unsigned char> BuildHorizontalMetrics() const
    {
        std::vector<unsigned char> hmtx;
        for (const GlyphRecord& record : mGlyphs)
        {
            Append16(hmtx, record.advance);
            Append16(hmtx, 0);
        }
        return hmtx;
    }

    std::vector<unsigned char> BuildMaximumProfile() const
    {
        std::vector<unsigned char> maxp;
        Append32(maxp, 0x00005000);
        Append16(maxp, static_cast<std::uint16_t>(mGlyphs.size()));
        return maxp;
    }

    std::vector<unsigned char> BuildKerning() const
    {
        std::vector<unsigned char> kern;
        Append16(kern, 0); // version
        Append16(kern, 1); // one subtable
        Append16(kern, 0); // subtable version
        Append16(kern, static_cast<std::uint16_t>(14 + 6 * mKerning.size()));
        Append16(kern, 1); // horizontal, format 0
        Append16(kern, static_cast<std::uint16_t>(mKerning.size()));
        Append16(kern, 0);
        Append16(kern, 0);
        Append16(kern, 0);
        for (const auto& [pair, value] : mKerning)
        {
            Append16(kern, pair.first);
            Append16(kern, pair.second);
            Append16(kern, static_cast<std::uint16_t>(value));
        }
        return kern;
    }

    static std::vector<unsigned char>
    Assemble(const std::map<std::string, std::vector<unsigned char>>& tables)
    {
        std::vector<unsigned char> font;
        Append32(font, 0x00010000);
        Append16(font, static_cast<std::uint16_t>(tables.size()));
        Append16(font, 0);
        Append16(font, 0);
        Append16(font, 0);
        std::size_t offset = 12 + 16 * tables.size();
        for (const auto& [tag, table] : tables)
        {
            font.insert(font.end(), tag.begin(), tag.end());
            Append32(font, 0);
            Append32(font, static_cast<std::uint32_t>(offset));
            Append32(font, static_cast<std::uint32_t>(table.size()));
            offset += (table.size() + 3) / 4 * 4;
        }
        for (const auto& [tag, table] : tables)
        {
            font.insert(font.end(), table.begin(), table.end());
            while (font.size() % 4 != 0)
            {
                font.push_back(0);
            }
        }
        return font;
    }

    std::uint16_t mUnitsPerEm = 1000;
    std::int16_t mAscent = 800;
    std::int16_t mDescent = -200;
    std::int16_t mLineGap = 0;
    std::uint16_t mCompositeFlags = 0;
    std::vector<GlyphRecord> mGlyphs = {GlyphRecord{0, {}, {}}};
    std::map<std::uint16_t, std::uint16_t> mCharacters;
    std::map<std::pair<std::uint16_t, std::uint16_t>, std::int16_t> mKerning;
};

} // namespace KelpForge::Testing

#endif
