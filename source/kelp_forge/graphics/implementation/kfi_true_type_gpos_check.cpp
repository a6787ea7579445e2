// Mirrors stb_truetype's GPOS kerning lookup, which reads the pair set offset and count of a
// covered glyph before it compares the coverage index with the pair set count: every read it can
// make for a glyph below numberOfGlyphs is checked.

#include "kelp_forge/graphics/implementation/kfi_true_type_gpos_check.hpp"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace kfImplementation::TrueType
{
namespace
{

// Work a hostile GPOS table could demand is bounded; real fonts need a small fraction of it.
constexpr std::uint64_t kGposWorkLimit = std::uint64_t{1} << 22;

struct Interval
{
    std::uint32_t first;
    std::uint32_t last;
};

class GposChecker
{
public:
    GposChecker(const Region& gpos, std::uint16_t numberOfGlyphs)
        : mGpos(gpos), mNumberOfGlyphs(numberOfGlyphs)
    {
    }

    bool Check()
    {
        if (!mGpos.Has(0, 4))
        {
            return false;
        }
        if (mGpos.U16(0) != 1 || mGpos.U16(2) != 0)
        {
            return true; // stb_truetype reads no further
        }
        if (!mGpos.Has(0, 10))
        {
            return false;
        }
        const Region lookupList = mGpos.From(mGpos.U16(8));
        const std::uint16_t lookupCount = lookupList.U16(0);
        if (!lookupList.Has(0, 2 + 2 * std::uint64_t{lookupCount}))
        {
            return false;
        }
        for (std::uint64_t index = 0; index < lookupCount; ++index)
        {
            if (!Spend(1) || !CheckLookup(lookupList.From(lookupList.U16(2 + 2 * index))))
            {
                return false;
            }
        }
        return true;
    }

private:
    bool Spend(std::uint64_t work)
    {
        mWork += work;
        return mWork <= kGposWorkLimit;
    }

    bool CheckLookup(const Region& lookup)
    {
        if (!lookup.Has(0, 6))
        {
            return false;
        }
        constexpr std::uint16_t kPairAdjustment = 2;
        if (lookup.U16(0) != kPairAdjustment || !mCheckedLookups.insert(lookup.Offset()).second)
        {
            return true;
        }
        const std::uint16_t subtableCount = lookup.U16(4);
        if (!lookup.Has(6, 2 * std::uint64_t{subtableCount}))
        {
            return false;
        }
        for (std::uint64_t index = 0; index < subtableCount; ++index)
        {
            const Region subtable = lookup.From(lookup.U16(6 + 2 * index));
            if (!Spend(1) ||
                (mCheckedSubtables.insert(subtable.Offset()).second && !CheckPairSubtable(subtable)))
            {
                return false;
            }
        }
        return true;
    }

    // Every coverage index a glyph below numberOfGlyphs can produce, as sorted, disjoint closed
    // intervals; false when the coverage table cannot be read.
    bool FindCoverageIndices(const Region& coverage, std::vector<Interval>& indices)
    {
        indices.clear();
        if (!coverage.Has(0, 4))
        {
            return false;
        }
        const std::uint16_t format = coverage.U16(0);
        const std::uint16_t count = coverage.U16(2);
        if (format == 1)
        {
            if (!coverage.Has(4, 2 * std::uint64_t{count}))
            {
                return false;
            }
            if (count > 0)
            {
                indices.push_back({0, count - 1u});
            }
        }
        else if (format == 2)
        {
            if (!coverage.Has(4, 6 * std::uint64_t{count}) || !Spend(count))
            {
                return false;
            }
            for (std::uint64_t index = 0; index < count; ++index)
            {
                const std::uint64_t record = 4 + 6 * index;
                const std::uint32_t first = coverage.U16(record);
                const std::uint32_t last =
                    std::min<std::uint32_t>(coverage.U16(record + 2), mNumberOfGlyphs - 1u);
                if (first <= last)
                {
                    const std::uint32_t firstIndex = coverage.U16(record + 4);
                    indices.push_back({firstIndex, firstIndex + (last - first)});
                }
            }
            MergeIntervals(indices);
        }
        return true; // other formats match no glyph
    }

    static void MergeIntervals(std::vector<Interval>& intervals)
    {
        std::sort(intervals.begin(), intervals.end(),
                  [](const Interval& left, const Interval& right) { return left.first < right.first; });
        std::vector<Interval> merged;
        for (const Interval& interval : intervals)
        {
            if (!merged.empty() && interval.first <= merged.back().last + 1)
            {
                merged.back().last = std::max(merged.back().last, interval.last);
            }
            else
            {
                merged.push_back(interval);
            }
        }
        intervals = std::move(merged);
    }

    bool CheckPairSubtable(const Region& subtable)
    {
        if (!subtable.Has(0, 4))
        {
            return false;
        }
        std::vector<Interval> coverageIndices;
        if (!FindCoverageIndices(subtable.From(subtable.U16(2)), coverageIndices))
        {
            return false;
        }
        if (coverageIndices.empty())
        {
            return true; // never read past the coverage
        }
        if (!subtable.Has(0, 8) || subtable.U16(4) != 4 || subtable.U16(6) != 0)
        {
            return subtable.Has(0, 8); // only x-advance pairs are read
        }
        switch (subtable.U16(0))
        {
        case 1:
            return CheckPairSets(subtable, coverageIndices);
        case 2:
            return CheckClassPairs(subtable);
        default:
            return true;
        }
    }

    // The pair set offset and the pair count behind it are read for every covered glyph, before
    // the coverage index is compared with the pair set count.
    bool CheckPairSets(const Region& subtable, const std::vector<Interval>& coverageIndices)
    {
        if (!subtable.Has(0, 10))
        {
            return false;
        }
        const std::uint16_t pairSetCount = subtable.U16(8);
        for (const Interval& interval : coverageIndices)
        {
            if (!Spend(interval.last - interval.first + 1) ||
                !subtable.Has(10 + 2 * std::uint64_t{interval.first},
                              2 * std::uint64_t{interval.last - interval.first + 1}))
            {
                return false;
            }
            for (std::uint64_t index = interval.first; index <= interval.last; ++index)
            {
                const std::uint16_t pairSet = subtable.U16(10 + 2 * index);
                if (!subtable.Has(pairSet, 2) ||
                    (index < pairSetCount &&
                     !subtable.Has(pairSet + 2, 4 * std::uint64_t{subtable.U16(pairSet)})))
                {
                    return false;
                }
            }
        }
        return true;
    }

    static bool CheckClassDefinition(const Region& classDefinition)
    {
        if (!classDefinition.Has(0, 2))
        {
            return false;
        }
        switch (classDefinition.U16(0))
        {
        case 1:
            return classDefinition.Has(0, 6) &&
                   classDefinition.Has(6, 2 * std::uint64_t{classDefinition.U16(4)});
        case 2:
            return classDefinition.Has(0, 4) &&
                   classDefinition.Has(4, 6 * std::uint64_t{classDefinition.U16(2)});
        default:
            return true;
        }
    }

    static bool CheckClassPairs(const Region& subtable)
    {
        if (!subtable.Has(0, 16) || !CheckClassDefinition(subtable.From(subtable.U16(8))) ||
            !CheckClassDefinition(subtable.From(subtable.U16(10))))
        {
            return false;
        }
        const std::uint64_t recordCount = std::uint64_t{subtable.U16(12)} * subtable.U16(14);
        return subtable.Has(16, 2 * recordCount);
    }

    Region mGpos;
    std::uint16_t mNumberOfGlyphs;
    std::uint64_t mWork = 0;
    std::unordered_set<std::uint64_t> mCheckedLookups;
    std::unordered_set<std::uint64_t> mCheckedSubtables;
};

} // namespace

bool CheckGlyphPositioning(const Region& gpos, std::uint16_t numberOfGlyphs)
{
    return GposChecker(gpos, numberOfGlyphs).Check();
}

} // namespace kfImplementation::TrueType
