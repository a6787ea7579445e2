#include "kelp_forge/graphics/implementation/kfi_utf8_decoder.hpp"

namespace kfImplementation::Text
{
namespace
{

struct SequenceStart
{
    std::int32_t leadBits;
    int continuationCount;
};

SequenceStart ReadLeadByte(unsigned char leadByte)
{
    switch (leadByte & 0xF0u)
    {
    case 0xC0u:
    case 0xD0u:
        return {static_cast<std::int32_t>(leadByte & 0x1Fu), 1};
    case 0xE0u:
        return {static_cast<std::int32_t>(leadByte & 0x0Fu), 2};
    case 0xF0u:
        return {static_cast<std::int32_t>(leadByte & 0x07u), 3};
    default:
        return {static_cast<std::int8_t>(leadByte), 0};
    }
}

} // namespace

std::vector<std::int32_t> DecodeUtf8(std::string_view text)
{
    std::vector<std::int32_t> codePoints;
    std::size_t position = 0;
    while (position < text.size() && text[position] != '\0')
    {
        const SequenceStart start = ReadLeadByte(static_cast<unsigned char>(text[position]));
        ++position;
        std::int32_t codePoint = start.leadBits;
        for (int index = 0; index < start.continuationCount; ++index)
        {
            if (position >= text.size() || text[position] == '\0')
            {
                break;
            }
            codePoint = (codePoint << 6) |
                        static_cast<std::int32_t>(static_cast<unsigned char>(text[position]) & 0x3Fu);
            ++position;
        }
        codePoints.push_back(codePoint);
    }
    return codePoints;
}

} // namespace kfImplementation::Text
