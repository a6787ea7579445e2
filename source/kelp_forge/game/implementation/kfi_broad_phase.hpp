#ifndef KELP_FORGE_GAME_IMPLEMENTATION_BROAD_PHASE_HPP
#define KELP_FORGE_GAME_IMPLEMENTATION_BROAD_PHASE_HPP

#include "kelp_forge/game/implementation/kfi_collision_bound.hpp"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kfImplementation
{

// Finds, for one entity of a collision pass, the entities after it whose bounds may overlap its
// own, without looking at all of them. Entities are known by their index in the pass.
//
// The bounds live in a uniform grid whose cells are about as wide as the typical bound, hashed
// into a table of about two buckets per entity, so the world needs no limits and far-away
// entities cost nothing. A bound wider than many cells is kept in a list that every search reads.
// A bound that changes during the pass is kept in a second list until there are enough of them to
// place everything anew. Its storage is kept from pass to pass: once the number of entities is
// steady, a pass allocates nothing.
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
    // order, each once. Valid until the next Gather.
    const std::vector<std::uint32_t>& Gather(std::size_t first, std::size_t after);

private:
    enum class Placement : std::uint8_t
    {
        kNowhere,    // not collidable when placed
        kGrid,       // in the buckets of the cells it covers
        kEverywhere, // too wide: in mEverywhere
        kChanged,    // changed since placed: in mChanged
    };
    struct CellRange
    {
        std::int32_t lowerX = 0;
        std::int32_t lowerY = 0;
        std::int32_t upperX = 0;
        std::int32_t upperY = 0;
        [[nodiscard]] std::int64_t CellCount() const;
    };

    void ChooseCellSize();
    // Puts every bound in its place for the table's current size; returns the number of pairs that
    // share a bucket, or the everywhere list, with another bound.
    std::uint64_t Place();
    [[nodiscard]] CellRange RangeOf(const CollisionBound& bound) const;
    [[nodiscard]] std::uint32_t BucketOf(std::int32_t cellX, std::int32_t cellY) const;
    void GatherFromCells(const CollisionBound& bound, const CellRange& range, std::size_t after);
    void GatherFromList(const CollisionBound& bound, const std::vector<std::uint32_t>& list,
                        Placement placement, std::size_t after);

    std::vector<CollisionBound> mBounds;
    std::vector<Placement> mPlacements;
    float mInverseCellSize = 1.0f;
    std::uint32_t mBucketBits = 0;
    // Bucket b holds mEntries[mBucketStarts[b]] up to mEntries[mBucketStarts[b + 1]].
    std::vector<std::uint32_t> mBucketStarts;
    std::vector<std::uint32_t> mEntries;
    std::vector<std::uint32_t> mEverywhere;
    std::vector<std::uint32_t> mChanged;
    std::size_t mChangedLimit = 0;
    std::int64_t mWidestGridCellCount = 0;
    std::vector<float> mSizes;
    std::vector<std::uint32_t> mCandidates;
};

} // namespace kfImplementation

#endif
