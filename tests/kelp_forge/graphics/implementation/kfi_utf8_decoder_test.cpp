#include "kelp_forge/graphics/implementation/kfi_utf8_decoder.hpp"

#include <gtest/gtest.h>

#include <string>

namespace
{

using kfImplementation::Text::DecodeUtf8;
using CodePoints = std::vector<std::int32_t>;

TEST(Utf8DecoderTest, DecodesOneToFourByteSequences)
{
    EXPECT_EQ(DecodeUtf8("A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8F\xB9"), (CodePoints{0x41, 0xE9, 0x20AC, 0x1F3F9}));
}

TEST(Utf8DecoderTest, StrayContinuationBytesBecomeNegativeCodePoints)
{
    EXPECT_EQ(DecodeUtf8("\x80\xBF"), (CodePoints{-128, -65}));
}

TEST(Utf8DecoderTest, ContinuationBytesAreTakenWithoutChecking)
{
    // "AB" after 0xE0 are read as continuation bytes: only their low 6 bits count.
    EXPECT_EQ(DecodeUtf8("\xE0"
                         "AB"),
              (CodePoints{(0x01 << 6) | 0x02}));
    // 0xF8 to 0xFF count as four-byte leads with their low 3 bits.
    EXPECT_EQ(DecodeUtf8("\xFF\x80\x80\x80"), (CodePoints{0x07 << 18}));
}

TEST(Utf8DecoderTest, ZeroByteEndsTheTextAlsoInsideASequence)
{
    EXPECT_EQ(DecodeUtf8(std::string("A\0B", 3)), (CodePoints{0x41}));
    EXPECT_EQ(DecodeUtf8(std::string("\xE2\x82\0B", 4)), (CodePoints{(0x02 << 6) | 0x02}));
}

TEST(Utf8DecoderTest, EndOfTextInsideASequenceKeepsTheBitsRead)
{
    EXPECT_EQ(DecodeUtf8("\xC3"), (CodePoints{0x03}));
    EXPECT_TRUE(DecodeUtf8("").empty());
}

TEST(Utf8DecoderTest, LineBreakIsAnOrdinaryCodePoint)
{
    EXPECT_EQ(DecodeUtf8("a\nb"), (CodePoints{'a', '\n', 'b'}));
}

} // namespace
