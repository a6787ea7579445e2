#include "kelp_forge/core/implementation/kfi_json_value.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <string>

using kfImplementation::Deserialize;
using kfImplementation::JsonValue;

namespace
{

// The message of the runtime error that reading does throw, or "" when it throws none.
template <typename Reading> std::string ThrownMessage(Reading reading)
{
    try
    {
        reading();
    }
    catch (const std::runtime_error& error)
    {
        return error.what();
    }
    return "";
}

const JsonValue& MemberOf(const JsonValue& object, const std::string& key)
{
    for (const JsonValue::Member& member : object.AsObject())
    {
        if (member.first == key)
        {
            return member.second;
        }
    }
    throw std::runtime_error("no member " + key);
}

} // namespace

TEST(JsonValueTest, DefaultIsNull)
{
    const JsonValue value;
    EXPECT_EQ(value.GetValueType(), JsonValue::NullVal);
    EXPECT_FALSE(value.IsNumeric());
}

TEST(JsonValueTest, NumbersKeepTheirThreeFormsInStep)
{
    const JsonValue integer(std::int32_t{-7});
    EXPECT_EQ(integer.AsInteger(), -7);
    EXPECT_EQ(integer.AsFloat(), -7.0f);
    EXPECT_EQ(integer.AsDouble(), -7.0);

    const JsonValue fromDouble(-2.75);
    EXPECT_EQ(fromDouble.GetValueType(), JsonValue::DoubleVal);
    EXPECT_EQ(fromDouble.AsInteger(), -2);
    EXPECT_EQ(fromDouble.AsFloat(), -2.75f);

    const JsonValue fromFloat(3.5f);
    const JsonValue copied(fromFloat);
    EXPECT_EQ(copied.GetValueType(), JsonValue::FloatVal);
    EXPECT_EQ(copied.AsInteger(), 3);
    EXPECT_EQ(copied.AsDouble(), 3.5);
}

TEST(JsonValueTest, AMovedFromValueIsNull)
{
    JsonValue text(std::string("text"));
    const JsonValue moved(std::move(text));
    EXPECT_EQ(moved.AsString(), "text");
    EXPECT_EQ(text.GetValueType(), JsonValue::NullVal);
    JsonValue array(JsonValue::Array{JsonValue(true)});
    JsonValue target;
    target = std::move(array);
    EXPECT_EQ(target.AsArray().size(), 1u);
    EXPECT_EQ(array.GetValueType(), JsonValue::NullVal);
}

TEST(JsonValueTest, OutOfRangeFormsSaturate)
{
    const JsonValue huge(1e300);
    EXPECT_EQ(huge.AsInteger(), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(huge.AsFloat(), std::numeric_limits<float>::infinity());
    const JsonValue negative(-1e300);
    EXPECT_EQ(negative.AsInteger(), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(negative.AsFloat(), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(JsonValue(std::numeric_limits<double>::quiet_NaN()).AsInteger(), 0);
}

TEST(JsonValueTest, AccessorsRefuseOtherKinds)
{
    const JsonValue text(std::string("text"));
    const JsonValue number(1.5);
    EXPECT_EQ(ThrownMessage([&] { (void)number.AsString(); }), "json mValueType==StringVal required");
    EXPECT_EQ(ThrownMessage([&] { (void)text.AsInteger(); }), "json mValueType==IsNumeric() required");
    EXPECT_EQ(ThrownMessage([&] { (void)text.AsFloat(); }), "json mValueType==IsNumeric() required");
    EXPECT_EQ(ThrownMessage([&] { (void)text.AsDouble(); }), "json mValueType==IsNumeric() required");
    EXPECT_EQ(ThrownMessage([&] { (void)text.AsObject(); }), "json mValueType==ObjectVal required");
    EXPECT_EQ(ThrownMessage([&] { (void)text.AsArray(); }), "json mValueType==ArrayVal required");
    EXPECT_EQ(ThrownMessage([&] { (void)text.AsBool(); }), "json mValueType==BoolVal required");
    EXPECT_EQ(ThrownMessage([&] { (void)number.AsInteger(); }), "");
    EXPECT_EQ(text.AsString(), "text");
}

TEST(DeserializeTest, IntegersWithinThirtyTwoBitsAreIntValsAndOthersDoubleVals)
{
    const JsonValue document = Deserialize("[1, 2.0, 4294967296, 5e-1, -3]");
    const JsonValue::Array& elements = document.AsArray();
    ASSERT_EQ(elements.size(), 5u);
    EXPECT_EQ(elements[0].GetValueType(), JsonValue::IntVal);
    EXPECT_EQ(elements[1].GetValueType(), JsonValue::DoubleVal);
    EXPECT_EQ(elements[2].GetValueType(), JsonValue::DoubleVal);
    EXPECT_EQ(elements[2].AsDouble(), 4294967296.0);
    EXPECT_EQ(elements[3].AsDouble(), 0.5);
    EXPECT_EQ(elements[4].AsInteger(), -3);
}

TEST(DeserializeTest, ObjectsKeepNullMembersAndArraysDropNullElements)
{
    const JsonValue document = Deserialize(R"({"list": [null, true, null], "nothing": null})");
    ASSERT_EQ(document.AsObject().size(), 2u);
    EXPECT_EQ(MemberOf(document, "nothing").GetValueType(), JsonValue::NullVal);
    ASSERT_EQ(MemberOf(document, "list").AsArray().size(), 1u);
    EXPECT_TRUE(MemberOf(document, "list").AsArray()[0].AsBool());
}

TEST(JsonValueTest, ObjectsSortTheirMembersAndKeepTheLastOfARepeatedKey)
{
    JsonValue::Object members;
    for (int index = 0; index < 40; ++index)
    {
        // Enough members to pass the small-object path, with every key given twice.
        members.emplace_back("k" + std::to_string(39 - index % 20), JsonValue(std::int32_t{index}));
    }
    const JsonValue object(std::move(members));
    ASSERT_EQ(object.AsObject().size(), 20u);
    EXPECT_EQ(object.AsObject().front().first, "k20");
    EXPECT_EQ(object.AsObject().front().second.AsInteger(), 39);
    EXPECT_EQ(object.AsObject().back().first, "k39");
    EXPECT_EQ(object.AsObject().back().second.AsInteger(), 20);

    const JsonValue small(
        JsonValue::Object{{"b", JsonValue(true)}, {"a", JsonValue(1.0)}, {"b", JsonValue(false)}});
    ASSERT_EQ(small.AsObject().size(), 2u);
    EXPECT_EQ(small.AsObject()[0].first, "a");
    EXPECT_FALSE(small.AsObject()[1].second.AsBool());
}

TEST(DeserializeTest, EmptyContainersAreEmptyNotNull)
{
    EXPECT_EQ(Deserialize("{}").GetValueType(), JsonValue::ObjectVal);
    EXPECT_EQ(Deserialize("[ ]").GetValueType(), JsonValue::ArrayVal);
}

TEST(DeserializeTest, AContainerWithoutItsClosingBracketTakesTheRestAndBreaks)
{
    // The inner array never closes inside the outer one, so it takes the rest and is dropped.
    const JsonValue document = Deserialize("[1, [2, 3 ]");
    ASSERT_EQ(document.AsArray().size(), 1u);
    EXPECT_EQ(document.AsArray()[0].AsInteger(), 1);
}

TEST(DeserializeTest, TheTextNeedNotOutliveTheCall)
{
    JsonValue document;
    {
        std::string text = R"({"key": ["value"]})";
        document = Deserialize(text);
        text.assign(text.size(), 'x');
    }
    EXPECT_EQ(MemberOf(document, "key").AsArray()[0].AsString(), "value");
}
