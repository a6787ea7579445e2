#include "kelp_forge/core/kf_json_parser.hpp"
#include "support/kf_error_recorder.hpp"
#include "support/kf_test_files.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using KelpForge::Core::DynamicStructure;
using KelpForge::Core::LoadJsonFile;
using KelpForge::Core::ParseJson;
using KelpForge::Testing::CorpusFolder;
using KelpForge::Testing::ErrorRecorder;
using KelpForge::Testing::WriteFile;
using Messages = std::vector<std::string>;
using Names = std::vector<std::string>;

namespace
{

std::string Nested(int depth, const std::string& innermost)
{
    return std::string(static_cast<std::size_t>(depth), '[') + innermost +
           std::string(static_cast<std::size_t>(depth), ']');
}

// A file in the test's own temporary folder, removed with the fixture.
class JsonFileTest : public ::testing::Test
{
protected:
    std::string Write(const std::string& name, const std::string& contents)
    {
        const std::string path = mFolder.PathOf(name);
        WriteFile(path, contents);
        return path;
    }

    KelpForge::Testing::TemporaryFolder mFolder;
};

} // namespace

// [SECTION] Values

TEST(ParseJsonTest, ScalarMembersArriveWithTheirTypes)
{
    ErrorRecorder recorder;
    const DynamicStructure data = ParseJson(R"({"a": 1, "b": 2.5, "c": "text", "d": true, "e": false})");
    ASSERT_TRUE(data.IsStructure());
    EXPECT_EQ(data["a"].GetValueType(), DynamicStructure::IntegerType);
    EXPECT_EQ(data["a"].AsInteger(false), 1);
    EXPECT_EQ(data["b"].GetValueType(), DynamicStructure::FloatType);
    EXPECT_EQ(data["b"].AsFloat(false), 2.5f);
    EXPECT_EQ(data["c"].AsString(false), "text");
    EXPECT_EQ(data["d"].GetValueType(), DynamicStructure::BooleanType);
    EXPECT_TRUE(data["d"].AsBoolean(false));
    EXPECT_FALSE(data["e"].AsBoolean(false));
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(ParseJsonTest, WholeNumbersBeyondThirtyTwoBitsArriveAsFloats)
{
    const DynamicStructure data = ParseJson(
        "[2147483647, -2147483648, 2147483648, -2147483649, 1e3, 123456789012345678901234567890, -0, 007]");
    ASSERT_EQ(data.Size(), 8u);
    EXPECT_EQ(data[0].GetValueType(), DynamicStructure::IntegerType);
    EXPECT_EQ(data[0].AsInteger(false), 2147483647);
    EXPECT_EQ(data[1].AsInteger(false), -2147483648LL);
    EXPECT_EQ(data[2].GetValueType(), DynamicStructure::FloatType);
    EXPECT_EQ(data[2].AsFloat(false), 2147483648.0f);
    EXPECT_EQ(data[3].GetValueType(), DynamicStructure::FloatType);
    EXPECT_EQ(data[4].GetValueType(), DynamicStructure::FloatType);
    EXPECT_EQ(data[4].AsFloat(false), 1000.0f);
    EXPECT_FLOAT_EQ(data[5].AsFloat(false), 1.2345679e29f);
    EXPECT_EQ(data[6].AsInteger(false), 0);
    EXPECT_EQ(data[7].AsInteger(false), 7);
}

TEST(ParseJsonTest, MalformedNumbersBreakTheirContainer)
{
    for (const char* text : {"[.5]", "[1e5e3]", "[e5]", "[0x10]", "[1.5.2]", "[1e400]", "[tree]", "[True]",
                             "[1.5e]", "[nul]", "[1-2]"})
    {
        EXPECT_TRUE(ParseJson(text).IsNil()) << text;
    }
    EXPECT_FLOAT_EQ(ParseJson("[-1.5E+2]")[0].AsFloat(false), -150.0f);
    EXPECT_EQ(ParseJson("[1 000]")[0].AsInteger(false), 1000); // white space inside a token is skipped
}

TEST(ParseJsonTest, StringsAreTrimmedAndDecoded)
{
    const DynamicStructure data = ParseJson(
        R"(["  padded  ", "\"\\\/\b\f\n\r\t.", "\u0041\u20AC", "a\qb", "\u12", "line\nbreak  \n"])");
    ASSERT_EQ(data.Size(), 6u);
    EXPECT_EQ(data[0].AsString(false), "padded");
    EXPECT_EQ(data[1].AsString(false), "\"\\/\b\f\n\r\t.");
    EXPECT_EQ(data[2].AsString(false), "A\xAC");
    EXPECT_EQ(data[3].AsString(false), "ab");
    EXPECT_EQ(data[4].AsString(false), "12");
    EXPECT_EQ(data[5].AsString(false), "line\nbreak");
}

TEST(ParseJsonTest, StringElementsKeepTheirCommasAndBrackets)
{
    const DynamicStructure data = ParseJson(R"(["a,b", "c]d", "e{f", "g\",h", "i\\", [1], "{"])");
    ASSERT_EQ(data.Size(), 7u);
    EXPECT_EQ(data[0].AsString(false), "a,b");
    EXPECT_EQ(data[1].AsString(false), "c]d");
    EXPECT_EQ(data[2].AsString(false), "e{f");
    EXPECT_EQ(data[3].AsString(false), "g\",h");
    EXPECT_EQ(data[4].AsString(false), "i\\");
    EXPECT_EQ(data[5][0].AsInteger(false), 1);
    EXPECT_EQ(data[6].AsString(false), "{");
}

// [SECTION] Containers

TEST(ParseJsonTest, NullElementsAndEmptyPlacesAreDropped)
{
    EXPECT_EQ(ParseJson("[1, null, 2]").Size(), 2u);
    EXPECT_EQ(ParseJson("[1,,2]").Size(), 2u);
    EXPECT_EQ(ParseJson("[1, 2,]").Size(), 2u);
    EXPECT_EQ(ParseJson("[,]").Size(), 0u);
    const DynamicStructure data = ParseJson(R"({"a": null, "b": 1})");
    EXPECT_EQ(data.GetMemberNames(), (Names{"a", "b"}));
    EXPECT_TRUE(data["a"].IsNil());
}

TEST(ParseJsonTest, ATrailingCommaBreaksAnObject)
{
    EXPECT_TRUE(ParseJson(R"({"a": 1,})").IsNil());
    const DynamicStructure data = ParseJson(R"({"inner": {"a": 1,}, "b": 2})");
    EXPECT_TRUE(data["inner"].IsNil());
    EXPECT_EQ(data["b"].AsInteger(false), 2);
}

TEST(ParseJsonTest, KeysComeBackSortedAndARepeatedKeyKeepsTheLastValue)
{
    const DynamicStructure data = ParseJson(R"({"b": 1, "a": 2, "b": 3})");
    EXPECT_EQ(data.GetMemberNames(), (Names{"a", "b"}));
    EXPECT_EQ(data["b"].AsInteger(false), 3);
}

TEST(ParseJsonTest, KeysAreTakenRaw)
{
    const DynamicStructure data = ParseJson(R"({"a\"b": 1, "c\\": 2, "\u0041": 3})");
    EXPECT_EQ(data.GetMemberNames(), (Names{"\\u0041", "a\\\"b", "c\\\\"}));
}

TEST(ParseJsonTest, OnlyAnObjectOrAnArrayMakesADocument)
{
    for (const char* text :
         {"", "   ", "42", "\"text\"", "true", "null", "{", "[", "{]", "[1}", "x[1]", "[1]x"})
    {
        EXPECT_TRUE(ParseJson(text).IsNil()) << text;
    }
    EXPECT_EQ(ParseJson("\n\t [7] \r\n").Size(), 1u);
}

TEST(ParseJsonTest, BrokenObjectsAreNil)
{
    for (const char* text : {R"({"": 1})", R"({"a" 1})", R"({"a": 1, "b})", R"({a: 1})", R"({"a": "open})"})
    {
        EXPECT_TRUE(ParseJson(text).IsNil()) << text;
    }
}

TEST(ParseJsonTest, TheInnermostBrokenContainerBecomesNil)
{
    const DynamicStructure data = ParseJson(R"({"list": [1, [2, x], 3], "object": {"k": tru}, "ok": [4]})");
    ASSERT_EQ(data["list"].Size(), 2u);
    EXPECT_EQ(data["list"][1].AsInteger(false), 3);
    EXPECT_TRUE(data["object"].IsNil());
    EXPECT_EQ(data["ok"][0].AsInteger(false), 4);
}

TEST(ParseJsonTest, AClosingBracketOfTheWrongKindFailsTheParentToo)
{
    EXPECT_TRUE(ParseJson("[1, [2}, 3]").IsNil());
    const DynamicStructure data = ParseJson(R"({"outer": {"list": [1, {2]}, "x": 1}, "y": 2})");
    EXPECT_TRUE(data.IsNil());
}

TEST(ParseJsonTest, EmptyContainersReadAsMissingWithoutAReport)
{
    ErrorRecorder recorder;
    EXPECT_TRUE(ParseJson("{}").IsNil());
    EXPECT_TRUE(ParseJson("[]").IsNil());
    const DynamicStructure data = ParseJson(R"([{}, [], 1, [[]]])");
    EXPECT_EQ(data.Size(), 1u);
    EXPECT_TRUE(ParseJson(R"({"a": {}})")["a"].IsNil());
    EXPECT_TRUE(recorder.Messages().empty());
}

// [SECTION] Nesting depth

TEST(ParseJsonTest, NestingUpToTheLimitIsKept)
{
    DynamicStructure data = ParseJson(Nested(256, "1"));
    for (int level = 1; level < 256; ++level)
    {
        ASSERT_EQ(data.Size(), 1u) << level;
        data = DynamicStructure(data[0]);
    }
    EXPECT_EQ(data[0].AsInteger(false), 1);
}

TEST(ParseJsonTest, NestingPastTheLimitIsABrokenContainer)
{
    EXPECT_TRUE(ParseJson(Nested(257, "1")).IsNil());
    const DynamicStructure data = ParseJson("[0, " + Nested(300, "1") + ", 2]");
    ASSERT_EQ(data.Size(), 2u);
    EXPECT_EQ(data[1].AsInteger(false), 2);
}

TEST(ParseJsonTest, HostileNestingNeitherCrashesNorHangs)
{
    EXPECT_TRUE(ParseJson(std::string(100000, '[')).IsNil());
    EXPECT_TRUE(ParseJson(Nested(100000, "")).IsNil());
    EXPECT_TRUE(ParseJson("[" + std::string(100000, '[') + "]").IsNil());
    std::string objects;
    for (int level = 0; level < 50000; ++level)
    {
        objects += R"({"a":)";
    }
    EXPECT_TRUE(ParseJson("[" + objects + "]").IsNil());
}

// [SECTION] Files

TEST_F(JsonFileTest, LoadsAFile)
{
    ErrorRecorder recorder;
    const std::string path = Write("level.json", "{\n  \"layers\": [{\"name\": \"walls\"}]\n}\n");
    const DynamicStructure data = LoadJsonFile(path);
    EXPECT_EQ(data["layers"][0]["name"].AsString(false), "walls");
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(JsonFileTest, AMissingFileIsReportedAndGivesNil)
{
    ErrorRecorder recorder;
    const std::string path = mFolder.PathOf("missing.json");
    EXPECT_TRUE(LoadJsonFile(path).IsNil());
    EXPECT_TRUE(LoadJsonFile(mFolder.GetPath().string()).IsNil()); // a folder opens, but is no file
    EXPECT_EQ(recorder.Messages(),
              (Messages{"Was unable to load json file: " + path + "\n",
                        "Was unable to load json file: " + mFolder.GetPath().string() + "\n"}));
}

TEST_F(JsonFileTest, AFileOver256MiBIsRefusedBeforeItIsRead)
{
    ErrorRecorder recorder;
    const std::string path = Write("huge.json", "[1]");
    // Grown with a hole, so it takes no room on disk; read, it would give the array before the zeros.
    std::filesystem::resize_file(path, (std::uintmax_t{256} << 20) + 1);
    EXPECT_TRUE(LoadJsonFile(path).IsNil());
    EXPECT_EQ(recorder.Messages(), Messages{"Was unable to allocate memory to load json file: " + path});
}

TEST_F(JsonFileTest, AnEmptyFileGivesNilWithoutAReport)
{
    ErrorRecorder recorder;
    EXPECT_TRUE(LoadJsonFile(Write("empty.json", "")).IsNil());
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(JsonFileTest, TheTextEndsAtTheFirstZeroByte)
{
    EXPECT_EQ(LoadJsonFile(Write("zero.json", std::string("[1]\0[2, 3]", 10))).Size(), 1u);
    EXPECT_TRUE(LoadJsonFile(Write("cut.json", std::string("[1, \0 2]", 8))).IsNil());
}

TEST(JsonCorpusTest, EveryCorpusFileLoadsOrGivesNil)
{
    KF_SKIP_WITHOUT_CORPORA();
    ErrorRecorder recorder;
    std::size_t fileCount = 0;
    std::size_t loadedCount = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CorpusFolder("json")))
    {
        const DynamicStructure data = LoadJsonFile(entry.path().string());
        ++fileCount;
        loadedCount += data.IsNil() ? 0 : 1;
    }
    EXPECT_GT(fileCount, 300u);
    EXPECT_GT(loadedCount, 0u);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(JsonCorpusTest, AcceptedSamplesLoadWithTheirContent)
{
    KF_SKIP_WITHOUT_CORPORA();
    const std::string folder = CorpusFolder("json").string() + "/";
    const DynamicStructure basic = LoadJsonFile(folder + "y_object_basic.json");
    EXPECT_EQ(basic["asd"].AsString(false), "sdf");
    const DynamicStructure heterogeneous = LoadJsonFile(folder + "y_array_heterogeneous.json");
    ASSERT_EQ(heterogeneous.Size(), 2u); // [null, 1, "1", {}]
    EXPECT_EQ(heterogeneous[1].AsString(false), "1");
    EXPECT_TRUE(LoadJsonFile(folder + "y_structure_lonely_int.json").IsNil());
}
