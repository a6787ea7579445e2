#ifndef KELP_FORGE_GRAPHICS_IMPLEMENTATION_TRUE_TYPE_REGION_HPP
#define KELP_FORGE_GRAPHICS_IMPLEMENTATION_TRUE_TYPE_REGION_HPP

#include <cstdint>
#include <span>

namespace kfImplementation::TrueType
{

// A window on a font file, which must outlive it; the window itself must lie within the file.
// Every read is checked with Has() first; a read outside still returns 0 rather than touching
// memory, so a missed check cannot read out of bounds. Values are big-endian, as in the file.
class Region
{
public:
    Region() = default;
    Region(std::span<const unsigned char> file, std::uint64_t offset, std::uint64_t length)
        : mFile(file), mOffset(offset), mLength(length)
    {
    }

    [[nodiscard]] bool Has(std::uint64_t offset, std::uint64_t length) const
    {
        return offset <= mLength && length <= mLength - offset;
    }
    [[nodiscard]] std::uint64_t Offset() const { return mOffset; }
    [[nodiscard]] std::uint64_t Length() const { return mLength; }
    // The part of this region from offset on, or an empty region when offset lies beyond it.
    [[nodiscard]] Region From(std::uint64_t offset) const
    {
        return offset <= mLength ? Region(mFile, mOffset + offset, mLength - offset)
                                 : Region(mFile, mOffset, 0);
    }
    [[nodiscard]] Region Slice(std::uint64_t offset, std::uint64_t length) const
    {
        return Has(offset, length) ? Region(mFile, mOffset + offset, length) : Region(mFile, mOffset, 0);
    }

    [[nodiscard]] std::uint8_t U8(std::uint64_t offset) const { return Has(offset, 1) ? Byte(offset) : 0; }
    [[nodiscard]] std::int8_t S8(std::uint64_t offset) const { return static_cast<std::int8_t>(U8(offset)); }
    [[nodiscard]] std::uint16_t U16(std::uint64_t offset) const
    {
        return Has(offset, 2) ? static_cast<std::uint16_t>(Byte(offset) << 8 | Byte(offset + 1)) : 0;
    }
    [[nodiscard]] std::int16_t S16(std::uint64_t offset) const
    {
        return static_cast<std::int16_t>(U16(offset));
    }
    [[nodiscard]] std::uint32_t U32(std::uint64_t offset) const
    {
        return Has(offset, 4) ? static_cast<std::uint32_t>(U16(offset)) << 16 | U16(offset + 2) : 0;
    }

private:
    [[nodiscard]] unsigned int Byte(std::uint64_t offset) const { return mFile[mOffset + offset]; }

    std::span<const unsigned char> mFile;
    std::uint64_t mOffset = 0;
    std::uint64_t mLength = 0;
};

} // namespace kfImplementation::TrueType

#endif
