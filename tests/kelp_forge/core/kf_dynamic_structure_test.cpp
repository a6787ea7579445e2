#include "kelp_forge/core/kf_dynamic_structure.hpp"
#include "support/kf_error_recorder.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using KelpForge::Core::DynamicStructure;
using KelpForge::Core::kNullValue;
using KelpForge::Testing::ErrorRecorder;
using Messages = std::vector<std::string>;

namespace
{

template <typename ValueType> DynamicStructure Make(const ValueType& value)
{
    DynamicStructure result;
    result.SetValue(value, true);
    return result;
}

DynamicStructure MakeArray()
{
    DynamicStructure result;
    result.PushValue(Make(1));
    result.PushValue(Make(2));
    return result;
}

DynamicStructure MakeStructure()
{
    DynamicStructure result;
    result.AddMember("one", Make(1));
    return result;
}

} // namespace

// [SECTION] Types and children

TEST(DynamicStructureTest, DefaultIsNilWithoutSize)
{
    const DynamicStructure value;
    EXPECT_TRUE(value.IsNil());
    EXPECT_EQ(value.GetValueType(), DynamicStructure::NilType);
    EXPECT_EQ(value.Size(), 0u);
    EXPECT_TRUE(kNullValue.IsNil());
}

TEST(DynamicStructureTest, EachTypeTestAnswersOnlyForItsOwnTag)
{
    const std::vector<DynamicStructure> values = {DynamicStructure(), Make(1),     Make(1.0f),     Make(true),
                                                  Make("text"),       MakeArray(), MakeStructure()};
    for (std::size_t index = 0; index < values.size(); ++index)
    {
        const DynamicStructure& value = values[index];
        EXPECT_EQ(static_cast<std::size_t>(value.GetValueType()), index);
        EXPECT_EQ(value.IsNil(), index == DynamicStructure::NilType);
        EXPECT_EQ(value.IsInteger(), index == DynamicStructure::IntegerType);
        EXPECT_EQ(value.IsString(), index == DynamicStructure::StringType);
        EXPECT_EQ(value.IsArray(), index == DynamicStructure::ArrayType);
        EXPECT_EQ(value.IsStructure(), index == DynamicStructure::StructureType);
        EXPECT_EQ(value.Size(), index == DynamicStructure::ArrayType       ? 2u
                                : index == DynamicStructure::StructureType ? 1u
                                                                           : 0u);
    }
}

TEST(DynamicStructureTest, GetMemberOnNilGivesTheSharedNilSilently)
{
    ErrorRecorder recorder;
    const DynamicStructure nil;
    EXPECT_EQ(&nil.GetMember("anything"), &kNullValue);
    EXPECT_EQ(&nil["anything"], &kNullValue);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(DynamicStructureTest, GetMemberOnAnIntegerFailsTheStructureCheck)
{
    ErrorRecorder recorder;
    EXPECT_EQ(&Make(3).GetMember("a"), &kNullValue);
    EXPECT_EQ(recorder.Messages(),
              Messages{"Expected this DynamicStructure to be an StructureType or a NilType.\n"});
}

TEST(DynamicStructureTest, GetMemberIsExactAndCaseSensitive)
{
    ErrorRecorder recorder;
    DynamicStructure structure;
    structure.AddMember("Name", Make("archer"));
    const std::string key = "Name";
    EXPECT_EQ(structure.GetMember(key).AsString(false), "archer");
    EXPECT_EQ(structure["Name"].AsString(false), "archer");
    EXPECT_EQ(&structure.GetMember("name"), &kNullValue);
    EXPECT_EQ(&structure.GetMember("Nam"), &kNullValue);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(DynamicStructureTest, MembersAreSortedByName)
{
    DynamicStructure structure;
    structure.AddMember("b", Make(2));
    structure.AddMember("a", Make(1));
    structure.AddMember("B", Make(3));
    structure.AddMember("\xC3\xA9", Make(4)); // a byte above 127 sorts after every ASCII name
    EXPECT_EQ(structure.GetMemberNames(), (std::vector<std::string>{"B", "a", "b", "\xC3\xA9"}));
    EXPECT_EQ(structure.Size(), 4u);
}

TEST(DynamicStructureTest, GetValueChecksTypeThenBounds)
{
    ErrorRecorder recorder;
    const DynamicStructure array = MakeArray();
    EXPECT_EQ(array.GetValue(0).AsInteger(false), 1);
    EXPECT_EQ(array[1].AsInteger(false), 2);
    EXPECT_TRUE(recorder.Messages().empty());

    EXPECT_EQ(&array.GetValue(2), &kNullValue);
    EXPECT_EQ(&MakeStructure().GetValue(0), &kNullValue);
    EXPECT_EQ(&DynamicStructure().GetValue(0), &kNullValue);
    EXPECT_EQ(recorder.Messages(),
              (Messages{"kfExternalError: Expected index to be in bounds of array size.\n",
                        "kfExternalError: Expected this DynamicStructure to be an ArrayType.\n",
                        "kfExternalError: Expected this DynamicStructure to be an ArrayType.\n"}));
}

// [SECTION] Typed getters and conversions

TEST(DynamicStructureTest, ConversionToInteger)
{
    ErrorRecorder recorder;
    EXPECT_EQ(DynamicStructure().AsInteger(true), 0);
    EXPECT_EQ(Make(-9).AsInteger(true), -9);
    EXPECT_EQ(Make(-2.7f).AsInteger(true), -2);
    EXPECT_EQ(Make(2.7f).AsInteger(true), 2);
    EXPECT_EQ(Make(3.0e30f).AsInteger(true), INT64_MAX);
    EXPECT_EQ(Make(true).AsInteger(true), 1);
    EXPECT_EQ(Make(false).AsInteger(true), 0);
    EXPECT_EQ(Make(" 42").AsInteger(true), 42);
    EXPECT_EQ(Make("12abc").AsInteger(true), 12);
    EXPECT_TRUE(recorder.Messages().empty());
    EXPECT_EQ(MakeArray().AsInteger(true), 0);
    EXPECT_EQ(MakeStructure().AsInteger(true), 0);
    EXPECT_EQ(recorder.Messages(), (Messages{"Cannot convert this type(5) to an integer.\n",
                                             "Cannot convert this type(6) to an integer.\n"}));
}

TEST(DynamicStructureTest, ConversionToFloat)
{
    ErrorRecorder recorder;
    EXPECT_EQ(DynamicStructure().AsFloat(true), 0.0f);
    EXPECT_EQ(Make(3).AsFloat(true), 3.0f);
    EXPECT_EQ(Make(0.5f).AsFloat(true), 0.5f);
    EXPECT_EQ(Make(true).AsFloat(true), 1.0f);
    EXPECT_EQ(Make(false).AsFloat(true), 0.0f);
    EXPECT_EQ(Make("0.5").AsFloat(true), 0.5f);
    EXPECT_TRUE(recorder.Messages().empty());
    EXPECT_EQ(MakeArray().AsFloat(true), 0.0f);
    EXPECT_EQ(MakeStructure().AsFloat(true), 0.0f);
    EXPECT_EQ(recorder.Messages(), (Messages{"Cannot convert this type(5) to a float.\n",
                                             "Cannot convert this type(6) to a float.\n"}));
}

TEST(DynamicStructureTest, ConversionToBoolean)
{
    ErrorRecorder recorder;
    EXPECT_FALSE(DynamicStructure().AsBoolean(true));
    EXPECT_FALSE(Make(0).AsBoolean(true));
    EXPECT_TRUE(Make(-3).AsBoolean(true));
    EXPECT_FALSE(Make(0.000001f).AsBoolean(true));
    EXPECT_FALSE(Make(-0.000001f).AsBoolean(true));
    EXPECT_TRUE(Make(0.00001f).AsBoolean(true));
    EXPECT_TRUE(Make(-0.00001f).AsBoolean(true));
    EXPECT_TRUE(Make(true).AsBoolean(true));
    EXPECT_TRUE(Make("1").AsBoolean(true));
    EXPECT_TRUE(Make("true").AsBoolean(true));
    EXPECT_FALSE(Make("TRUE").AsBoolean(true));
    EXPECT_FALSE(Make(" true").AsBoolean(true));
    EXPECT_FALSE(Make("2").AsBoolean(true));
    EXPECT_TRUE(recorder.Messages().empty());
    EXPECT_FALSE(MakeArray().AsBoolean(true));
    EXPECT_FALSE(MakeStructure().AsBoolean(true));
    EXPECT_EQ(recorder.Messages(), (Messages{"Cannot convert this type(5) to a boolean.\n",
                                             "Cannot convert this type(6) to a boolean.\n"}));
}

TEST(DynamicStructureTest, ConversionToString)
{
    ErrorRecorder recorder;
    EXPECT_EQ(DynamicStructure().AsString(true), "");
    EXPECT_EQ(Make(-5).AsString(true), "-5");
    EXPECT_EQ(Make(0.1f).AsString(true), "0.1");
    EXPECT_EQ(Make(1.0f).AsString(true), "1");
    EXPECT_EQ(Make(10000000.0f).AsString(true), "1e+07");
    EXPECT_EQ(Make(true).AsString(true), "true");
    EXPECT_EQ(Make(false).AsString(true), "false");
    EXPECT_EQ(Make("as is ").AsString(true), "as is ");
    EXPECT_TRUE(recorder.Messages().empty());
    EXPECT_EQ(MakeArray().AsString(true), "");
    EXPECT_EQ(MakeStructure().AsString(true), "");
    EXPECT_EQ(recorder.Messages(), (Messages{"Cannot convert this type(5) to a string.\n",
                                             "Cannot convert this type(6) to a string.\n"}));
}

TEST(DynamicStructureTest, TypedGettersWithoutConversionReportAndStillConvert)
{
    ErrorRecorder recorder;
    const DynamicStructure text = Make("7");
    EXPECT_EQ(text.AsInteger(false), 7);
    EXPECT_EQ(text.AsFloat(false), 7.0f);
    EXPECT_FALSE(text.AsBoolean(false));
    EXPECT_EQ(Make(7).AsString(false), "7");
    EXPECT_EQ(recorder.Messages(),
              (Messages{"This is not an IntegerType, type-safety required without implicit conversion.\n",
                        "This is not an FloatType, type-safety required without implicit conversion.\n",
                        "This is not an BooleanType, type-safety required without implicit conversion.\n",
                        "This is not an StringType, type-safety required without implicit conversion.\n"}));
}

TEST(DynamicStructureTest, GettersWithDefaultNeverReport)
{
    ErrorRecorder recorder;
    DynamicStructure structure;
    structure.AddMember("integer", Make(3));
    structure.AddMember("text", Make("0.5"));
    structure.AddMember("upper", Make("TRUE"));
    structure.AddMember("one", Make("1"));
    structure.AddMember("tiny", Make(0.000001f));

    EXPECT_EQ(structure["missing"].AsFloatWithDefault(1.0f, true), 1.0f);
    EXPECT_EQ(structure["integer"].AsFloatWithDefault(1.0f, true), 3.0f);
    EXPECT_EQ(structure["text"].AsFloatWithDefault(1.0f, true), 0.5f);
    EXPECT_EQ(structure["text"].AsFloatWithDefault(1.0f, false), 1.0f);

    EXPECT_FALSE(structure["upper"].AsBooleanWithDefault(false, true));
    EXPECT_TRUE(structure["one"].AsBooleanWithDefault(false, true));
    EXPECT_FALSE(structure["tiny"].AsBooleanWithDefault(true, true));
    EXPECT_TRUE(structure["one"].AsBooleanWithDefault(true, false));

    EXPECT_EQ(structure["missing"].AsIntegerWithDefault(-4, true), -4);
    EXPECT_EQ(structure["text"].AsIntegerWithDefault(-4, true), 0);
    EXPECT_EQ(structure["text"].AsIntegerWithDefault(-4, false), -4);
    EXPECT_EQ(structure["integer"].AsIntegerWithDefault(-4, false), 3);
    EXPECT_TRUE(recorder.Messages().empty());
}

// [SECTION] Ranged getters

TEST(DynamicStructureTest, RangedIntegerAcceptsTheLimitsOfItsRange)
{
    ErrorRecorder recorder;
    EXPECT_EQ(Make(0).AsRangedInteger<std::uint16_t>("kfDataError: \"x\"", 0, 65535, true), 0);
    EXPECT_EQ(Make(65535).AsRangedInteger<std::uint16_t>("kfDataError: \"x\"", 0, 65535, true), 65535);
    EXPECT_EQ(Make("17").AsRangedInteger<std::uint16_t>("kfDataError: \"x\"", 0, 65535, true), 17);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(DynamicStructureTest, RangedIntegerReportsANegativeValueTwice)
{
    ErrorRecorder recorder;
    EXPECT_EQ(Make(-1).AsRangedInteger<std::uint16_t>("kfDataError: \"x\"", 0, 65535, true), 0);
    EXPECT_EQ(recorder.Messages(),
              (Messages{"kfDataError: \"x\" (Expected _value(-1) to be greater than 0 for unsigned ranges.",
                        "kfDataError: \"x\" (Expected: 0 <= _value(-1)_ <= 65535"}));
}

TEST(DynamicStructureTest, RangedIntegerReportsAValueOutsideTheRangeAndClampsIt)
{
    ErrorRecorder recorder;
    EXPECT_EQ(Make(65536).AsRangedInteger<std::uint16_t>("kfDataError: \"x\"", 0, 65535, true), 65535);
    EXPECT_EQ(Make(0).AsRangedInteger<std::uint16_t>("kfDataError: \"width\"", 1, 64, true), 1);
    EXPECT_EQ(recorder.Messages(), (Messages{"kfDataError: \"x\" (Expected: 0 <= _value(65536)_ <= 65535",
                                             "kfDataError: \"width\" (Expected: 1 <= _value(0)_ <= 64"}));
}

TEST(DynamicStructureTest, RangedIntegerPrintsSixtyFourBitValuesWhole)
{
    ErrorRecorder recorder;
    DynamicStructure large;
    large.SetValue("8589934592", true); // 2^33, beyond what a 32-bit format could print
    EXPECT_EQ(large.AsRangedInteger<std::uint32_t>("kfDataError: \"map_index\"", 0, 4294967295u, true),
              4294967295u);
    EXPECT_EQ(recorder.Messages(),
              Messages{"kfDataError: \"map_index\" (Expected: 0 <= _value(8589934592)_ <= 4294967295"});
}

TEST(DynamicStructureTest, RangedIntegerWithDefaultChecksTheDefaultToo)
{
    ErrorRecorder recorder;
    const DynamicStructure nil;
    EXPECT_EQ(nil.AsRangedIntegerWithDefault<std::uint16_t>(12, "kfDataError: \"y\"", 0, 65535), 12);
    EXPECT_EQ(Make("40").AsRangedIntegerWithDefault<std::uint16_t>(12, "kfDataError: \"y\"", 0, 65535), 40);
    EXPECT_TRUE(recorder.Messages().empty());
    EXPECT_EQ(nil.AsRangedIntegerWithDefault<std::uint16_t>(12, "kfDataError: \"padding_x\"", 0, 0), 0);
    EXPECT_EQ(recorder.Messages(), Messages{"kfDataError: \"padding_x\" (Expected: 0 <= _value(12)_ <= 0"});
}

// [SECTION] Building

TEST(DynamicStructureTest, SetValueWithoutConversionAcceptsNilOrTheSameType)
{
    ErrorRecorder recorder;
    DynamicStructure value;
    value.SetValue(-1, false);
    EXPECT_EQ(value.AsInteger(false), -1); // sign-extended to 64 bits
    value.SetValue(5, false);
    EXPECT_EQ(value.AsInteger(false), 5);
    EXPECT_TRUE(recorder.Messages().empty());

    value.SetValue(1.5f, false);
    value.SetValue(true, false);
    value.SetValue("text", false);
    value.SetValue(2, false);
    EXPECT_EQ(value.AsInteger(false), 2);
    EXPECT_EQ(recorder.Messages(),
              (Messages{"Expected NilType or FloatType types in order to set a float value.\n",
                        "Expected NilType or BooleanType types in order to set a booelean value.\n",
                        "Expected NilType or StringType types in order to set a string value.\n",
                        "Expected NilType or IntegerType types in order to set a integer value.\n"}));
}

TEST(DynamicStructureTest, SetValueWithConversionReplacesAnyType)
{
    ErrorRecorder recorder;
    DynamicStructure value = Make("a string to free");
    value.SetValue(0.25f, true);
    EXPECT_EQ(value.GetValueType(), DynamicStructure::FloatType);
    EXPECT_EQ(value.AsFloat(false), 0.25f);

    DynamicStructure tree = MakeStructure();
    tree.SetValue(std::string("leaf"), true);
    EXPECT_EQ(tree.AsString(false), "leaf");
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(DynamicStructureTest, PushingIntoNilMakesAOneElementArray)
{
    DynamicStructure array;
    DynamicStructure& stored = array.PushValue(Make("first"));
    EXPECT_TRUE(array.IsArray());
    EXPECT_EQ(array.Size(), 1u);
    EXPECT_EQ(&stored, &array[0]);
    EXPECT_EQ(stored.AsString(false), "first");
}

TEST(DynamicStructureTest, PushingNilOrIntoAnotherTypeIsRefused)
{
    ErrorRecorder recorder;
    DynamicStructure array = MakeArray();
    EXPECT_EQ(&array.PushValue(DynamicStructure()), &array);
    EXPECT_EQ(array.Size(), 2u);

    DynamicStructure nil;
    nil.PushValue(kNullValue);
    EXPECT_TRUE(nil.IsNil());

    DynamicStructure text = Make("text");
    EXPECT_EQ(&text.PushValue(Make(1)), &text);
    EXPECT_EQ(text.AsString(false), "text");
    EXPECT_EQ(
        recorder.Messages(),
        (Messages{"Cannot push a Nil value into an array.\n", "Cannot push a Nil value into an array.\n",
                  "kfExternalError: Expected this DynamicStructure to be NilType or ArrayType."}));
}

TEST(DynamicStructureTest, PushingAnElementOfTheSameArrayIsSafe)
{
    DynamicStructure array;
    array.PushValue(Make(std::string(100, 'x'))); // long enough to live on the heap
    for (int round = 0; round < 40; ++round)
    {
        array.PushValue(array[0]); // the vector grows several times on the way
    }
    ASSERT_EQ(array.Size(), 41u);
    EXPECT_EQ(array[40].AsString(false), std::string(100, 'x'));
}

TEST(DynamicStructureTest, AddingMembersIntoNilMakesAStructure)
{
    DynamicStructure structure;
    DynamicStructure& stored = structure.AddMember("a", Make(1));
    EXPECT_TRUE(structure.IsStructure());
    EXPECT_EQ(&stored, &structure["a"]);
}

TEST(DynamicStructureTest, AddingADuplicateOrIntoAnotherTypeIsRefused)
{
    ErrorRecorder recorder;
    DynamicStructure structure = MakeStructure();
    DynamicStructure& existing = structure.AddMember("one", Make(100));
    EXPECT_EQ(&existing, &structure["one"]);
    EXPECT_EQ(existing.AsInteger(false), 1);

    DynamicStructure array = MakeArray();
    EXPECT_EQ(&array.AddMember("a", Make(1)), &array);
    EXPECT_EQ(array.Size(), 2u);
    EXPECT_EQ(recorder.Messages(),
              (Messages{"kfExternalError: Expected not to find a member with name \"one\" already existing.",
                        "kfExternalError: Expected this DynamicStructure to be NilType or StructureType."}));
}

TEST(DynamicStructureTest, AddingAMemberOfTheSameStructureIsSafe)
{
    DynamicStructure structure;
    structure.AddMember("m", Make(std::string(100, 'm')));
    for (char name = 'a'; name < 'l'; ++name)
    {
        structure.AddMember(std::string(1, name), structure["m"]);
    }
    EXPECT_EQ(structure["a"].AsString(false), std::string(100, 'm'));
    EXPECT_EQ(structure.Size(), 12u);
}

// [SECTION] Ownership

TEST(DynamicStructureTest, CopiesAreDeepAndIndependent)
{
    DynamicStructure copy;
    {
        DynamicStructure original;
        DynamicStructure& inner = original.AddMember("list", MakeArray());
        inner.PushValue(MakeStructure());
        original.AddMember("name", Make(std::string(64, 'n')));
        copy = original;
        original.AddMember("later", Make(1));
        EXPECT_EQ(copy.Size(), 2u);
    } // The original and all its parts are freed here; the copy must not share any of them.
    ASSERT_EQ(copy["list"].Size(), 3u);
    EXPECT_EQ(copy["list"][2]["one"].AsInteger(false), 1);
    EXPECT_EQ(copy["name"].AsString(false), std::string(64, 'n'));

    const DynamicStructure constructed(copy);
    copy.SetToNil();
    EXPECT_TRUE(copy.IsNil());
    EXPECT_EQ(constructed["list"][0].AsInteger(false), 1);
}

TEST(DynamicStructureTest, AssigningAPartOfAValueToItselfIsSafe)
{
    DynamicStructure tree;
    DynamicStructure& branch = tree.AddMember("branch", MakeStructure());
    branch.AddMember("leaf", Make(std::string(64, 'l')));
    tree = tree["branch"];
    EXPECT_EQ(tree["leaf"].AsString(false), std::string(64, 'l'));

    DynamicStructure moved = MakeStructure();
    moved.AddMember("inner", MakeArray());
    DynamicStructure& inner = const_cast<DynamicStructure&>(moved["inner"]);
    moved = std::move(inner);
    EXPECT_TRUE(moved.IsArray());
    EXPECT_EQ(moved.Size(), 2u);

    const DynamicStructure& self = tree;
    tree = self;
    EXPECT_EQ(tree.Size(), 2u);
}
