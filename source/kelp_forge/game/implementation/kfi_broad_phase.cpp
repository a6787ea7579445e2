#include "kelp_forge/game/implementation/kfi_broad_phase.hpp"

#include <algorithm>
#include <cmath>

namespace kfImplementation
{
namespace
{

// Cell coordinates stay within +-2^30, so that ranges and loops over them cannot overflow; an
// infinite or NaN coordinate lands on the far end that makes its range widest.
constexpr float kFarthestCell = 1073741824.0f;
// Bounds whose sizes set the cell size; more tell nothing new about the typical size.
constexpr std::size_t kSizeSampleCount = 63;
constexpr std::size_t kFewestBucketBits = 4;
// Entries placed in the buckets, per bucket at most; wider bounds beyond it go to the list that
// every search reads, which keeps the memory bounded whatever the sizes.
constexpr std::size_t kEntriesPerBucket = 4;

std::int32_t LowerCell(float scaledCoordinate)
{
    const float cell = std::floor(scaledCoordinate);
    return !(cell >= -kFarthestCell) ? static_cast<std::int32_t>(-kFarthestCell)
                                     : static_cast<std::int32_t>(std::min(cell, kFarthestCell));
}

std::int32_t UpperCell(float scaledCoordinate)
{
    const float cell = std::floor(scaledCoordinate);
    return !(cell <= kFarthestCell) ? static_cast<std::int32_t>(kFarthestCell)
                                    : static_cast<std::int32_t>(std::max(cell, -kFarthestCell));
}

} // namespace

std::int64_t BroadPhase::CellRange::CellCount() const
{
    return (static_cast<std::int64_t>(upperX) - lowerX + 1) *
           (static_cast<std::int64_t>(upperY) - lowerY + 1);
}

void BroadPhase::Begin(std::size_t count)
{
    mBounds.resize(count);
}

bool BroadPhase::Build()
{
    const std::size_t count = mBounds.size();
    ChooseCellSize();
    mBucketBits = kFewestBucketBits;
    while ((std::size_t{1} << mBucketBits) < 2 * count)
    {
        ++mBucketBits;
    }
    mWidestGridCellCount = std::max<std::int64_t>(64, std::int64_t{1} << (mBucketBits - 3));
    // Reading the changed list costs every search; placing everything anew costs every entity.
    mChangedLimit = 16 + static_cast<std::size_t>(2.0 * std::sqrt(static_cast<double>(count)));
    const std::uint64_t sharedPairs = Place();
    const std::uint64_t allPairs = static_cast<std::uint64_t>(count) * (count - (count > 0 ? 1 : 0)) / 2;
    return sharedPairs <= allPairs / 2;
}

void BroadPhase::Update(std::size_t index, const CollisionBound& bound)
{
    if (index == mBounds.size())
    {
        mBounds.push_back(bound);
        mPlacements.push_back(Placement::kNowhere);
    }
    else
    {
        mBounds[index] = bound;
    }
    // A bound that is switched off is skipped where it lies; one that may now overlap something
    // new must be found by every search from now on.
    if (!bound.isCollidable || mPlacements[index] == Placement::kChanged)
    {
        return;
    }
    mPlacements[index] = Placement::kChanged;
    mChanged.push_back(static_cast<std::uint32_t>(index));
    if (mChanged.size() > mChangedLimit)
    {
        Place();
    }
}

const std::vector<std::uint32_t>& BroadPhase::Gather(std::size_t first, std::size_t after)
{
    mCandidates.clear();
    const CollisionBound bound = mBounds[first];
    if (!bound.isCollidable)
    {
        return mCandidates;
    }
    const CellRange range = RangeOf(bound);
    const std::int64_t cellCount = range.CellCount();
    if (cellCount > mWidestGridCellCount || static_cast<std::uint64_t>(cellCount) > mBounds.size() - after)
    {
        // Reading every later bound costs less than reading the cells.
        for (std::size_t index = after + 1; index < mBounds.size(); ++index)
        {
            if (MayOverlap(bound, mBounds[index]))
            {
                mCandidates.push_back(static_cast<std::uint32_t>(index));
            }
        }
        return mCandidates;
    }
    GatherFromCells(bound, range, after);
    GatherFromList(bound, mEverywhere, Placement::kEverywhere, after);
    GatherFromList(bound, mChanged, Placement::kChanged, after);
    // A bound spread over several cells, or two cells sharing a bucket, shows an entry twice.
    std::sort(mCandidates.begin(), mCandidates.end());
    mCandidates.erase(std::unique(mCandidates.begin(), mCandidates.end()), mCandidates.end());
    return mCandidates;
}

void BroadPhase::ChooseCellSize()
{
    mSizes.clear();
    for (const CollisionBound& bound : mBounds)
    {
        const float size = std::max(bound.upper.x - bound.lower.x, bound.upper.y - bound.lower.y);
        if (bound.isCollidable && std::isfinite(size))
        {
            mSizes.push_back(size);
        }
    }
    if (mSizes.size() > kSizeSampleCount)
    {
        const std::size_t stride = mSizes.size() / kSizeSampleCount;
        for (std::size_t sample = 0; sample < kSizeSampleCount; ++sample)
        {
            mSizes[sample] = mSizes[sample * stride];
        }
        mSizes.resize(kSizeSampleCount);
    }
    // The median: a few huge or tiny bounds do not make every cell too large or too small.
    float cellSize = 1.0f;
    if (!mSizes.empty())
    {
        const auto middle = mSizes.begin() + static_cast<std::ptrdiff_t>(mSizes.size() / 2);
        std::nth_element(mSizes.begin(), middle, mSizes.end());
        cellSize = *middle > 0.0f ? *middle : 1.0f;
    }
    mInverseCellSize = 1.0f / cellSize;
}

std::uint64_t BroadPhase::Place()
{
    const std::size_t bucketCount = std::size_t{1} << mBucketBits;
    mPlacements.assign(mBounds.size(), Placement::kNowhere);
    mEverywhere.clear();
    mChanged.clear();
    mBucketStarts.assign(bucketCount + 1, 0);
    std::size_t entryCount = 0;
    for (std::size_t index = 0; index < mBounds.size(); ++index)
    {
        if (!mBounds[index].isCollidable)
        {
            continue;
        }
        const CellRange range = RangeOf(mBounds[index]);
        const std::int64_t cellCount = range.CellCount();
        if (cellCount > mWidestGridCellCount ||
            entryCount + static_cast<std::size_t>(cellCount) > kEntriesPerBucket * bucketCount)
        {
            mPlacements[index] = Placement::kEverywhere;
            mEverywhere.push_back(static_cast<std::uint32_t>(index));
            continue;
        }
        mPlacements[index] = Placement::kGrid;
        entryCount += static_cast<std::size_t>(cellCount);
        for (std::int32_t cellY = range.lowerY; cellY <= range.upperY; ++cellY)
        {
            for (std::int32_t cellX = range.lowerX; cellX <= range.upperX; ++cellX)
            {
                ++mBucketStarts[BucketOf(cellX, cellY)];
            }
        }
    }

    // Each bucket's start is first set to its end, then moved back over its entries as they go in.
    std::uint64_t sharedPairs = static_cast<std::uint64_t>(mEverywhere.size()) * mBounds.size();
    std::uint32_t end = 0;
    for (std::size_t bucket = 0; bucket < bucketCount; ++bucket)
    {
        const std::uint64_t entries = mBucketStarts[bucket];
        sharedPairs += entries * (entries - (entries > 0 ? 1 : 0)) / 2;
        end += mBucketStarts[bucket];
        mBucketStarts[bucket] = end;
    }
    mBucketStarts[bucketCount] = end;
    mEntries.resize(end);
    for (std::size_t index = 0; index < mBounds.size(); ++index)
    {
        if (mPlacements[index] != Placement::kGrid)
        {
            continue;
        }
        const CellRange range = RangeOf(mBounds[index]);
        for (std::int32_t cellY = range.lowerY; cellY <= range.upperY; ++cellY)
        {
            for (std::int32_t cellX = range.lowerX; cellX <= range.upperX; ++cellX)
            {
                mEntries[--mBucketStarts[BucketOf(cellX, cellY)]] = static_cast<std::uint32_t>(index);
            }
        }
    }
    return sharedPairs;
}

BroadPhase::CellRange BroadPhase::RangeOf(const CollisionBound& bound) const
{
    CellRange range;
    range.lowerX = LowerCell(bound.lower.x * mInverseCellSize);
    range.lowerY = LowerCell(bound.lower.y * mInverseCellSize);
    range.upperX = UpperCell(bound.upper.x * mInverseCellSize);
    range.upperY = UpperCell(bound.upper.y * mInverseCellSize);
    return range;
}

std::uint32_t BroadPhase::BucketOf(std::int32_t cellX, std::int32_t cellY) const
{
    const std::uint32_t mixed =
        (static_cast<std::uint32_t>(cellX) * 0x9E3779B1u) ^ (static_cast<std::uint32_t>(cellY) * 0x85EBCA77u);
    return (mixed * 0xC2B2AE3Du) >> (32u - mBucketBits);
}

void BroadPhase::GatherFromCells(const CollisionBound& bound, const CellRange& range, std::size_t after)
{
    for (std::int32_t cellY = range.lowerY; cellY <= range.upperY; ++cellY)
    {
        for (std::int32_t cellX = range.lowerX; cellX <= range.upperX; ++cellX)
        {
            const std::uint32_t bucket = BucketOf(cellX, cellY);
            for (std::uint32_t entry = mBucketStarts[bucket]; entry < mBucketStarts[bucket + 1]; ++entry)
            {
                const std::uint32_t index = mEntries[entry];
                if (index > after && mPlacements[index] == Placement::kGrid &&
                    MayOverlap(bound, mBounds[index]))
                {
                    mCandidates.push_back(index);
                }
            }
        }
    }
}

void BroadPhase::GatherFromList(const CollisionBound& bound, const std::vector<std::uint32_t>& list,
                                Placement placement, std::size_t after)
{
    for (const std::uint32_t index : list)
    {
        if (index > after && mPlacements[index] == placement && MayOverlap(bound, mBounds[index]))
        {
            mCandidates.push_back(index);
        }
    }
}

} // namespace kfImplementation
