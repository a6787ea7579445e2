#ifndef KELP_FORGE_GAME_IMPLEMENTATION_BROAD_PHASE_HPP
#define KELP_FORGE_GAME_IMPLEMENTATION_BROAD_PHASE_HPP

#include "kelp_forge/game/implementation/kfi_collision_bound.hpp"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kfImplementation
{

// Finds, for one entity of a collision pass, the entities after it whose bounds may overlap its
// own, without looking at all of them. Entities are known by their index in the pass.
//
// Each bound goes into the cell of a uniform grid that holds its lower corner. The cells are
// wider than the widest bound, so two bounds can only overlap when their cells are neighbours;
// bounds far wider than is typical are kept in a list instead and tested against every other. The grid
// wraps round (the world needs no limits; far cells share buckets with near ones), and is read
// bucket by bucket against the neighbouring buckets for the pairs that may overlap, which are then
// sorted into rows by their first index. Reading the buckets in their own order keeps the memory
// reads in order, where a search per entity in list order would jump about the grid.
//
// A bound that changes during the pass is kept in a list that every search reads, and its own row
// is searched for in the grid, until there are enough of them to place everything anew. The
// storage is kept from pass to pass: once the number of entities is steady, a pass allocates
// nothing.
class BroadPhase
{
public:
    // Starts a pass over count entities; set every bound before Build.
    void Begin(std::size_t count);
    void SetBound(std::size_t index, const CollisionBound& bound) { mBounds[index] = bound; }
    [[nodiscard]] const CollisionBound& GetBound(std::size_t index) const { return mBounds[index]; }
    // Places the bounds. False when they are so crowded that testing every pair costs less.
    [[nodiscard]] bool Build();
    // The bound of an entity changed during the pass; index one past the last appends an entity.
    void Update(std::size_t index, const CollisionBound& bound);
    // Every index greater than after whose bound may overlap the bound at first, in ascending
    // order, each once. Valid until the next Gather or Update.
    [[nodiscard]] std::span<const std::uint32_t> Gather(std::size_t first, std::size_t after);

private:
    enum class Placement : std::uint8_t
    {
        kNowhere, // not collidable when placed
        kGrid,    // in the bucket of its cell
        kWide,    // far wider than is typical: in mWide
        kChanged, // changed since placed: in mChanged
    };

    void ChooseGrid();
    // Places every bound, then sorts the pairs that may overlap into rows unless there are too
    // many; returns about how many pairs of bounds the grid leaves to test.
    std::uint64_t PlaceAndFindPairs();
    std::uint64_t Place();
    void FindPairs();
    void SortPairsIntoRows();
    [[nodiscard]] std::int32_t CellOf(double coordinate) const;
    [[nodiscard]] std::uint32_t BucketOf(std::int32_t cellX, std::int32_t cellY) const;
    void GatherFromGrid(const CollisionBound& bound, std::size_t after);
    void GatherFromList(const CollisionBound& bound, const std::vector<std::uint32_t>& list,
                        Placement placement, std::size_t after);
    std::span<const std::uint32_t> SortCandidates();

    std::vector<CollisionBound> mBounds;
    std::vector<Placement> mPlacements;
    // Placed bounds are at most mWidestPlaced wide and high.
    float mWidestPlaced = 1.0f;
    double mInverseCellSize = 1.0;
    // Cell x, y lies in bucket (y mod 2^mRowBits) * 2^mColumnBits + x mod 2^mColumnBits, which holds
    // the bounds mPlacedBounds[mBucketStarts[bucket]] up to mPlacedBounds[mBucketStarts[bucket + 1]],
    // copies of mBounds[mPlacedIndices[...]] as they were placed, each in bucket mPlacedBuckets[...].
    std::uint32_t mColumnBits = 0;
    std::uint32_t mRowBits = 0;
    std::vector<std::uint32_t> mBucketStarts;
    std::vector<std::uint32_t> mPlacedIndices;
    std::vector<CollisionBound> mPlacedBounds;
    std::vector<std::uint32_t> mPlacedBuckets;
    std::vector<std::uint32_t> mWide;
    std::vector<std::uint32_t> mChanged;
    std::size_t mChangedLimit = 0;
    // Row i holds mPartners[mRowStarts[i]] up to mPartners[mRowEnds[i]]: the indices after i whose
    // bounds overlapped i's when placed, in ascending order.
    bool mHasRows = false;
    std::vector<std::uint64_t> mPairs;
    std::vector<std::uint32_t> mRowStarts;
    std::vector<std::uint32_t> mRowEnds;
    std::vector<std::uint32_t> mPartners;
    // Scratch space.
    std::vector<std::uint32_t> mBuckets;
    std::vector<float> mSizes;
    std::vector<std::uint32_t> mCandidates;
};

} // namespace kfImplementation

#endif
