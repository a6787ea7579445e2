#include "kelp_forge/graphics/implementation/kfi_gif_lzw.hpp"

#include <algorithm>

namespace kfImplementation
{

namespace
{

constexpr std::uint8_t kMinimumCodeSize = 8;
constexpr std::uint32_t kClearCode = 256;
constexpr std::uint32_t kEndCode = 257;
constexpr std::uint32_t kFirstCodeSize = 9;
constexpr std::uint32_t kLastCode = 4095;
constexpr std::uint32_t kIndexBits = 8;
constexpr std::uint32_t kCodeBits = 12;
constexpr std::uint32_t kCodeMask = (1u << kCodeBits) - 1;
constexpr std::uint32_t kTransparentIndex = 0;
constexpr std::size_t kSubBlockSize = 255;

// Packs codes least significant bit first into sub-blocks appended to an output buffer.
class CodePacker
{
public:
    explicit CodePacker(std::vector<std::uint8_t>& output) : mOutput(output) {}

    void Write(std::uint32_t code, std::uint32_t codeSize)
    {
        mBits |= code << mBitCount;
        mBitCount += codeSize;
        while (mBitCount >= 8)
        {
            PutByte(static_cast<std::uint8_t>(mBits & 0xFF));
            mBits >>= 8;
            mBitCount -= 8;
        }
    }

    // Pads the last byte with zero bits, closes the last partial sub-block and writes the
    // terminator.
    void Finish()
    {
        if (mBitCount > 0)
        {
            PutByte(static_cast<std::uint8_t>(mBits & 0xFF));
            mBits = 0;
            mBitCount = 0;
        }
        if (mBlockLength > 0)
        {
            mOutput[mBlockStart] = static_cast<std::uint8_t>(mBlockLength);
        }
        mOutput.push_back(0x00);
    }

private:
    void PutByte(std::uint8_t value)
    {
        if (mBlockLength == 0)
        {
            mBlockStart = mOutput.size();
            mOutput.push_back(0);
        }
        mOutput.push_back(value);
        ++mBlockLength;
        if (mBlockLength == kSubBlockSize)
        {
            mOutput[mBlockStart] = static_cast<std::uint8_t>(kSubBlockSize);
            mBlockLength = 0;
        }
    }

    std::vector<std::uint8_t>& mOutput;
    std::uint32_t mBits = 0;
    std::uint32_t mBitCount = 0;
    std::size_t mBlockStart = 0;
    std::size_t mBlockLength = 0;
};

} // namespace

GifLzwEncoder::GifLzwEncoder()
    : mDictionary(std::size_t{1} << kHashBits, 0), mTransparentSlots(std::size_t{1} << kCodeBits, 0)
{
}

std::uint32_t& GifLzwEncoder::FindSlot(std::uint32_t code, std::uint32_t index)
{
    if (index == kTransparentIndex)
    {
        return mTransparentSlots[code];
    }
    const std::uint32_t key = code << kIndexBits | index;
    std::uint32_t slot = (key * 2654435761u) >> (32 - kHashBits);
    while (mDictionary[slot] != 0 && mDictionary[slot] >> kCodeBits != key)
    {
        slot = (slot + 1) & ((1u << kHashBits) - 1);
    }
    return mDictionary[slot];
}

void GifLzwEncoder::ClearDictionary()
{
    std::ranges::fill(mDictionary, 0);
    std::ranges::fill(mTransparentSlots, 0);
}

void GifLzwEncoder::Encode(std::span<const std::uint8_t> indexes, std::vector<std::uint8_t>& output)
{
    output.push_back(kMinimumCodeSize);
    CodePacker packer(output);
    ClearDictionary();

    std::uint32_t codeSize = kFirstCodeSize;
    std::uint32_t nextCode = kEndCode;
    packer.Write(kClearCode, codeSize);

    // The dictionary holds every string added since the last clear code; the current string is
    // the longest one that matches the indexes read so far.
    bool hasCurrent = false;
    std::uint32_t current = 0;
    for (const std::uint8_t index : indexes)
    {
        if (!hasCurrent)
        {
            current = index;
            hasCurrent = true;
            continue;
        }
        std::uint32_t& slot = FindSlot(current, index);
        if (slot != 0)
        {
            current = slot & kCodeMask;
            continue;
        }
        packer.Write(current, codeSize);
        ++nextCode;
        // Never 0: codes start at 258.
        slot = (current << kIndexBits | index) << kCodeBits | nextCode;
        if (nextCode >= (1u << codeSize))
        {
            ++codeSize;
        }
        if (nextCode == kLastCode)
        {
            packer.Write(kClearCode, codeSize);
            ClearDictionary();
            codeSize = kFirstCodeSize;
            nextCode = kEndCode;
        }
        current = index;
    }

    if (hasCurrent)
    {
        packer.Write(current, codeSize);
        // NOTE: a decoder adds a dictionary entry for this last code as for any other, and widens
        // its codes when that entry fills the current width; the clear code after it must be
        // written at the width the decoder will read, or its bits come out shifted.
        ++nextCode;
        if (nextCode >= (1u << codeSize))
        {
            ++codeSize;
        }
    }
    packer.Write(kClearCode, codeSize);
    packer.Write(kEndCode, kFirstCodeSize);
    packer.Finish();
}

} // namespace kfImplementation
