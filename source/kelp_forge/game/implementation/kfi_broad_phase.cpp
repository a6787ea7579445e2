#include "kelp_forge/game/implementation/kfi_broad_phase.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kfImplementation
{
namespace
{

// Cell coordinates stay within +-2^30, so that ranges and loops over them cannot overflow.
constexpr double kFarthestCell = 1073741824.0;
// Bounds whose sizes tell the typical size; more tell nothing new.
constexpr std::size_t kSizeSampleCount = 63;
// A bound wider or higher than this many typical ones is kept out of the grid, so that a few huge
// bounds do not make every cell huge.
constexpr float kWidestInTypicalSizes = 4.0f;
// Cells half as wide again as the widest placed bound hold a few bounds each, which the pairs are
// found among: fewer, fuller cells cost less to walk than many near-empty ones, up to a point.
constexpr double kCellSizeInWidest = 1.5;
constexpr double kBucketsPerEntity = 2.0;
// Too few columns or rows would make a bucket its own neighbour.
constexpr std::uint32_t kFewestColumnOrRowBits = 2;
constexpr std::size_t kCandidatesReserved = 64;
// Pairs to test, per entity, beyond which the pairs are not sorted into rows (which would take
// memory in proportion) and each row is searched for in the grid instead.
constexpr std::uint64_t kRowPairsPerEntity = 16;
constexpr std::uint64_t kFewestRowPairs = 1024;

std::uint64_t PairKey(std::uint32_t first, std::uint32_t second)
{
    return first < second ? std::uint64_t{first} << 32 | second : std::uint64_t{second} << 32 | first;
}

// The fewest bits that count, at most 2^30, fits in.
std::uint32_t BitsFor(double count)
{
    std::uint32_t bits = 0;
    while (bits < 30 && static_cast<double>(std::uint32_t{1} << bits) < count)
    {
        ++bits;
    }
    return bits;
}

// The sizes of the lists vary from step to step even in a steady crowd: keeping as much again in
// reserve, and some more for small crowds, lets them vary without allocating.
constexpr std::size_t kSpareEntries = 64;

template <typename Value> void ResizeWithRoom(std::vector<Value>& values, std::size_t size)
{
    if (size > values.capacity())
    {
        values.reserve(size * 2 + kSpareEntries);
    }
    values.resize(size);
}

// For a list filled one by one, after filling.
template <typename Value> void KeepRoom(std::vector<Value>& values)
{
    if (values.capacity() < values.size() + values.size() / 2 + kSpareEntries)
    {
        values.reserve(values.size() * 2 + kSpareEntries);
    }
}

float SizeOf(const CollisionBound& bound)
{
    return std::max(bound.upper.x - bound.lower.x, bound.upper.y - bound.lower.y);
}

} // namespace

void BroadPhase::Begin(std::size_t count)
{
    mBounds.resize(count);
}

bool BroadPhase::Build()
{
    const std::size_t count = mBounds.size();
    ChooseGrid();
    // Reading the changed list costs every search; placing everything anew costs every entity.
    mChangedLimit = 16 + static_cast<std::size_t>(2.0 * std::sqrt(static_cast<double>(count)));
    // Rows rarely hold more; a longer one grows it once.
    mCandidates.reserve(kCandidatesReserved);
    const std::uint64_t pairsToTest = PlaceAndFindPairs();
    const std::uint64_t allPairs = static_cast<std::uint64_t>(count) * (count - (count > 0 ? 1 : 0)) / 2;
    return pairsToTest <= allPairs / 2;
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
        PlaceAndFindPairs();
    }
}

std::span<const std::uint32_t> BroadPhase::Gather(std::size_t first, std::size_t after)
{
    const CollisionBound& bound = mBounds[first];
    if (mHasRows && first < mRowEnds.size() && mPlacements[first] != Placement::kChanged)
    {
        const std::uint32_t* const rowEnd = mPartners.data() + mRowEnds[first];
        const std::uint32_t* const rowStart =
            std::upper_bound(static_cast<const std::uint32_t*>(mPartners.data() + mRowStarts[first]), rowEnd,
                             static_cast<std::uint32_t>(after));
        if (mChanged.empty())
        {
            return {rowStart, rowEnd};
        }
        mCandidates.assign(rowStart, rowEnd);
        GatherFromList(bound, mChanged, Placement::kChanged, after);
        return SortCandidates();
    }

    mCandidates.clear();
    if (!bound.isCollidable)
    {
        return mCandidates;
    }
    if (SizeOf(bound) <= mWidestPlaced * kWidestInTypicalSizes)
    {
        GatherFromGrid(bound, after);
        GatherFromList(bound, mWide, Placement::kWide, after);
        GatherFromList(bound, mChanged, Placement::kChanged, after);
        return SortCandidates();
    }
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

void BroadPhase::ChooseGrid()
{
    mSizes.clear();
    for (const CollisionBound& bound : mBounds)
    {
        if (bound.isCollidable && std::isfinite(SizeOf(bound)))
        {
            mSizes.push_back(SizeOf(bound));
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
    float typicalSize = 1.0f;
    if (!mSizes.empty())
    {
        const auto middle = mSizes.begin() + static_cast<std::ptrdiff_t>(mSizes.size() / 2);
        std::nth_element(mSizes.begin(), middle, mSizes.end());
        typicalSize = *middle;
    }

    // The cells are sized by the widest bound that is not far wider than the typical one.
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    float left = kInfinity;
    float top = kInfinity;
    float right = -kInfinity;
    float bottom = -kInfinity;
    mWidestPlaced = 0.0f;
    for (const CollisionBound& bound : mBounds)
    {
        const float size = SizeOf(bound);
        if (bound.isCollidable && size <= typicalSize * kWidestInTypicalSizes)
        {
            mWidestPlaced = std::max(mWidestPlaced, size);
            left = std::min(left, bound.lower.x);
            top = std::min(top, bound.lower.y);
            right = std::max(right, bound.lower.x);
            bottom = std::max(bottom, bound.lower.y);
        }
    }
    mWidestPlaced = mWidestPlaced > 0.0f ? mWidestPlaced : 1.0f;
    // The lower corners of two placed bounds that overlap are at most mWidestPlaced apart, and so
    // always fall in neighbouring cells: the products with a float coordinate are exact in double,
    // and fall short of a whole cell.
    mInverseCellSize = (1.0 - 1e-6) / (static_cast<double>(mWidestPlaced) * kCellSizeInWidest);

    // Large enough to hold the placed corners without wrapping, unless that takes too many buckets:
    // then the longer side wraps first.
    const bool hasExtent = left <= right && top <= bottom;
    const double columns = hasExtent ? (static_cast<double>(right) - left) * mInverseCellSize + 2.0 : 1.0;
    const double rows = hasExtent ? (static_cast<double>(bottom) - top) * mInverseCellSize + 2.0 : 1.0;
    mColumnBits = std::max(kFewestColumnOrRowBits, BitsFor(columns));
    mRowBits = std::max(kFewestColumnOrRowBits, BitsFor(rows));
    const std::uint32_t bucketBits = std::max(
        2 * kFewestColumnOrRowBits, BitsFor(static_cast<double>(mBounds.size()) * kBucketsPerEntity));
    while (mColumnBits + mRowBits > bucketBits)
    {
        (mColumnBits >= mRowBits ? mColumnBits : mRowBits) -= 1;
    }
}

std::uint64_t BroadPhase::PlaceAndFindPairs()
{
    const std::uint64_t pairsToTest = Place();
    mHasRows = pairsToTest <= kRowPairsPerEntity * mBounds.size() + kFewestRowPairs;
    if (mHasRows)
    {
        FindPairs();
        SortPairsIntoRows();
    }
    return pairsToTest;
}

std::uint64_t BroadPhase::Place()
{
    const std::size_t bucketCount = std::size_t{1} << (mColumnBits + mRowBits);
    mPlacements.assign(mBounds.size(), Placement::kNowhere);
    mWide.clear();
    mChanged.clear();
    ResizeWithRoom(mBucketStarts, bucketCount + 1);
    std::fill(mBucketStarts.begin(), mBucketStarts.end(), 0);
    mBuckets.resize(mBounds.size());
    std::size_t placedCount = 0;
    for (std::size_t index = 0; index < mBounds.size(); ++index)
    {
        const CollisionBound& bound = mBounds[index];
        if (!bound.isCollidable)
        {
            continue;
        }
        // Written to hold NaN sizes too.
        if (!(SizeOf(bound) <= mWidestPlaced))
        {
            mPlacements[index] = Placement::kWide;
            mWide.push_back(static_cast<std::uint32_t>(index));
            continue;
        }
        mPlacements[index] = Placement::kGrid;
        mBuckets[index] = BucketOf(CellOf(bound.lower.x), CellOf(bound.lower.y));
        ++mBucketStarts[mBuckets[index]];
        ++placedCount;
    }

    // A bucket's bounds are tested with each other and with those of four neighbours, about as
    // many as its own. Each bucket's start is first set to its end, then moved back over its
    // bounds as they go in.
    std::uint64_t pairsToTest = static_cast<std::uint64_t>(mWide.size()) * mBounds.size();
    std::uint32_t end = 0;
    for (std::size_t bucket = 0; bucket < bucketCount; ++bucket)
    {
        const std::uint64_t bucketSize = mBucketStarts[bucket];
        pairsToTest += bucketSize * bucketSize * 5 / 2;
        end += mBucketStarts[bucket];
        mBucketStarts[bucket] = end;
    }
    mBucketStarts[bucketCount] = end;
    ResizeWithRoom(mPlacedIndices, placedCount);
    for (std::size_t index = mBounds.size(); index-- > 0;)
    {
        if (mPlacements[index] == Placement::kGrid)
        {
            mPlacedIndices[--mBucketStarts[mBuckets[index]]] = static_cast<std::uint32_t>(index);
        }
    }
    ResizeWithRoom(mPlacedBounds, placedCount);
    ResizeWithRoom(mPlacedBuckets, placedCount);
    for (std::size_t placed = 0; placed < placedCount; ++placed)
    {
        mPlacedBounds[placed] = mBounds[mPlacedIndices[placed]];
        mPlacedBuckets[placed] = mBuckets[mPlacedIndices[placed]];
    }
    return pairsToTest;
}

void BroadPhase::FindPairs()
{
    mPairs.clear();
    const std::uint32_t columnMask = (std::uint32_t{1} << mColumnBits) - 1;
    // Read through local pointers: adding a pair may allocate, after which the compiler would read
    // every member again.
    const std::uint32_t* const bucketStarts = mBucketStarts.data();
    const CollisionBound* const placedBounds = mPlacedBounds.data();
    const std::uint32_t* const placedIndices = mPlacedIndices.data();
    const auto placedCount = static_cast<std::uint32_t>(mPlacedBounds.size());
    const auto testRange = [&](std::uint32_t placed, std::uint32_t from, std::uint32_t to)
    {
        const CollisionBound& bound = placedBounds[placed];
        for (std::uint32_t other = from; other < to; ++other)
        {
            if (MayOverlap(bound, placedBounds[other]))
            {
                mPairs.push_back(PairKey(placedIndices[placed], placedIndices[other]));
            }
        }
    };
    // From bucket to bucket that holds bounds, skipping the empty ones (most of them).
    for (std::uint32_t start = 0; start < placedCount;)
    {
        const std::uint32_t bucket = mPlacedBuckets[start];
        const std::uint32_t end = bucketStarts[bucket + 1];
        // Half of the eight neighbours: the other half reach this bucket from theirs. Neighbouring
        // buckets of a row are neighbours in mPlacedBounds too, so the bucket itself, the one on
        // its right and the three below make two runs of bounds, unless the grid wraps there.
        const auto cellX = static_cast<std::int32_t>(bucket & columnMask);
        const auto cellY = static_cast<std::int32_t>(bucket >> mColumnBits);
        const std::uint32_t neighbours[] = {BucketOf(cellX + 1, cellY), BucketOf(cellX - 1, cellY + 1),
                                            BucketOf(cellX, cellY + 1), BucketOf(cellX + 1, cellY + 1)};
        std::uint32_t runStarts[4] = {bucket, 0, 0, 0};
        std::uint32_t runEnds[4] = {bucket + 1, 0, 0, 0};
        std::size_t runCount = 1;
        for (const std::uint32_t neighbour : neighbours)
        {
            if (neighbour == runEnds[runCount - 1])
            {
                ++runEnds[runCount - 1];
            }
            else
            {
                runStarts[runCount] = neighbour;
                runEnds[runCount++] = neighbour + 1;
            }
        }
        for (std::uint32_t placed = start; placed < end; ++placed)
        {
            testRange(placed, placed + 1, bucketStarts[runEnds[0]]);
            for (std::size_t run = 1; run < runCount; ++run)
            {
                testRange(placed, bucketStarts[runStarts[run]], bucketStarts[runEnds[run]]);
            }
        }
        start = end;
    }
    for (const std::uint32_t wide : mWide)
    {
        for (std::size_t index = 0; index < mBounds.size(); ++index)
        {
            if (index != wide && MayOverlap(mBounds[wide], mBounds[index]))
            {
                mPairs.push_back(PairKey(wide, static_cast<std::uint32_t>(index)));
            }
        }
    }
    KeepRoom(mPairs);
}

void BroadPhase::SortPairsIntoRows()
{
    // Counted into rows by their first index, the way the buckets were filled; then each row in
    // order. Two wide bounds make their pair twice.
    const std::size_t count = mBounds.size();
    mRowStarts.assign(count + 1, 0);
    for (const std::uint64_t pair : mPairs)
    {
        ++mRowStarts[pair >> 32];
    }
    std::uint32_t end = 0;
    for (std::size_t row = 0; row < count; ++row)
    {
        end += mRowStarts[row];
        mRowStarts[row] = end;
    }
    mRowStarts[count] = end;
    // A row holds no more partners than there are pairs.
    mPartners.reserve(mPairs.capacity());
    mPartners.resize(end);
    for (const std::uint64_t pair : mPairs)
    {
        mPartners[--mRowStarts[pair >> 32]] = static_cast<std::uint32_t>(pair);
    }
    mRowEnds.resize(count);
    for (std::size_t row = 0; row < count; ++row)
    {
        std::uint32_t* const rowStart = mPartners.data() + mRowStarts[row];
        std::uint32_t* rowEnd = mPartners.data() + mRowStarts[row + 1];
        if (rowEnd - rowStart > 1)
        {
            std::sort(rowStart, rowEnd);
            rowEnd = std::unique(rowStart, rowEnd);
        }
        mRowEnds[row] = static_cast<std::uint32_t>(rowEnd - mPartners.data());
    }
}

std::int32_t BroadPhase::CellOf(double coordinate) const
{
    // Without std::floor, which is a library call on the processors that the build targets.
    const double scaled = std::clamp(coordinate * mInverseCellSize, -kFarthestCell, kFarthestCell);
    const auto cell = static_cast<std::int32_t>(scaled);
    return static_cast<double>(cell) > scaled ? cell - 1 : cell;
}

std::uint32_t BroadPhase::BucketOf(std::int32_t cellX, std::int32_t cellY) const
{
    const std::uint32_t columnMask = (std::uint32_t{1} << mColumnBits) - 1;
    const std::uint32_t rowMask = (std::uint32_t{1} << mRowBits) - 1;
    return (static_cast<std::uint32_t>(cellY) & rowMask) << mColumnBits |
           (static_cast<std::uint32_t>(cellX) & columnMask);
}

void BroadPhase::GatherFromGrid(const CollisionBound& bound, std::size_t after)
{
    // The lower corners of the placed bounds that may overlap this one lie at most a cell before
    // its own, and not beyond its upper corner; one more cell before covers the rounding of the
    // subtraction. A range longer than the grid visits each bucket once.
    const std::int64_t firstX = CellOf(static_cast<double>(bound.lower.x) - mWidestPlaced) - 1;
    const std::int64_t firstY = CellOf(static_cast<double>(bound.lower.y) - mWidestPlaced) - 1;
    const std::int64_t columns =
        std::min<std::int64_t>(CellOf(bound.upper.x) - firstX + 1, std::int64_t{1} << mColumnBits);
    const std::int64_t rows =
        std::min<std::int64_t>(CellOf(bound.upper.y) - firstY + 1, std::int64_t{1} << mRowBits);
    for (std::int64_t row = 0; row < rows; ++row)
    {
        for (std::int64_t column = 0; column < columns; ++column)
        {
            const std::uint32_t bucket =
                BucketOf(static_cast<std::int32_t>(firstX + column), static_cast<std::int32_t>(firstY + row));
            for (std::uint32_t placed = mBucketStarts[bucket]; placed < mBucketStarts[bucket + 1]; ++placed)
            {
                const std::uint32_t index = mPlacedIndices[placed];
                if (index > after && MayOverlap(bound, mPlacedBounds[placed]))
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

std::span<const std::uint32_t> BroadPhase::SortCandidates()
{
    // A bound found both where it was placed and in mChanged shows up twice.
    std::sort(mCandidates.begin(), mCandidates.end());
    mCandidates.erase(std::unique(mCandidates.begin(), mCandidates.end()), mCandidates.end());
    return mCandidates;
}

} // namespace kfImplementation
