#include "kelp_forge/core/kf_dynamic_structure.hpp"

#include "kelp_forge/core/kf_string.hpp"

#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

namespace KelpForge::Core
{

constinit const DynamicStructure kNullValue;

namespace
{

// Truncates toward zero; values beyond the 64-bit range give the nearest limit and NaN gives 0,
// where a plain cast would be undefined.
std::int64_t TruncateToInteger(float value)
{
    constexpr float kTwoToThe63 = 9223372036854775808.0f;
    if (std::isnan(value))
    {
        return 0;
    }
    if (value >= kTwoToThe63)
    {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (value < -kTwoToThe63)
    {
        return std::numeric_limits<std::int64_t>::min();
    }
    return static_cast<std::int64_t>(value);
}

} // namespace

// [SECTION] Lifetime

DynamicStructure::DynamicStructure(const DynamicStructure& other) : mValueType(other.mValueType)
{
    switch (other.mValueType)
    {
    case StringType:
        mPayload.mString = new std::string(*other.mPayload.mString);
        break;
    case ArrayType:
        mPayload.mArray = new Array(*other.mPayload.mArray);
        break;
    case StructureType:
        mPayload.mStructure = new Structure(*other.mPayload.mStructure);
        break;
    default:
        mPayload = other.mPayload;
        break;
    }
}

DynamicStructure::DynamicStructure(DynamicStructure&& other) noexcept
    : mValueType(other.mValueType), mPayload(other.mPayload)
{
    other.mValueType = NilType;
    other.mPayload.mInteger = 0;
}

DynamicStructure& DynamicStructure::operator=(const DynamicStructure& other)
{
    // Copy first: other may live inside this value's own tree.
    DynamicStructure copy(other);
    return *this = std::move(copy);
}

DynamicStructure& DynamicStructure::operator=(DynamicStructure&& other) noexcept
{
    if (this != &other)
    {
        // Take other's contents before freeing ours, which may hold other.
        DynamicStructure taken(std::move(other));
        FreePayload();
        mValueType = taken.mValueType;
        mPayload = taken.mPayload;
        taken.mValueType = NilType;
    }
    return *this;
}

DynamicStructure::~DynamicStructure()
{
    FreePayload();
}

void DynamicStructure::FreePayload()
{
    switch (mValueType)
    {
    case StringType:
        delete mPayload.mString;
        break;
    case ArrayType:
        delete mPayload.mArray;
        break;
    case StructureType:
        delete mPayload.mStructure;
        break;
    default:
        break;
    }
}

void DynamicStructure::SetToNil()
{
    FreePayload();
    mValueType = NilType;
    mPayload.mInteger = 0;
}

std::uint32_t DynamicStructure::Size() const
{
    switch (mValueType)
    {
    case ArrayType:
        return static_cast<std::uint32_t>(mPayload.mArray->size());
    case StructureType:
        return static_cast<std::uint32_t>(mPayload.mStructure->size());
    default:
        return 0;
    }
}

// [SECTION] Typed getters

std::int64_t DynamicStructure::AsInteger(bool implicitConversion) const
{
    if (mValueType == IntegerType)
    {
        return mPayload.mInteger;
    }
    kf_error_if(!implicitConversion,
                "This is not an IntegerType, type-safety required without implicit conversion.\n");
    return ConvertToInteger();
}

float DynamicStructure::AsFloat(bool implicitConversion) const
{
    if (mValueType == FloatType)
    {
        return mPayload.mFloat;
    }
    kf_error_if(!implicitConversion,
                "This is not an FloatType, type-safety required without implicit conversion.\n");
    return ConvertToFloat();
}

bool DynamicStructure::AsBoolean(bool implicitConversion) const
{
    if (mValueType == BooleanType)
    {
        return mPayload.mBoolean;
    }
    kf_error_if(!implicitConversion,
                "This is not an BooleanType, type-safety required without implicit conversion.\n");
    return ConvertToBoolean();
}

std::string DynamicStructure::AsString(bool implicitConversion) const
{
    if (mValueType == StringType)
    {
        return *mPayload.mString;
    }
    kf_error_if(!implicitConversion,
                "This is not an StringType, type-safety required without implicit conversion.\n");
    return ConvertToString();
}

std::int64_t DynamicStructure::AsIntegerWithDefault(std::int64_t defaultValue, bool implicitConversion) const
{
    if (mValueType == IntegerType)
    {
        return mPayload.mInteger;
    }
    return IsNil() || !implicitConversion ? defaultValue : ConvertToInteger();
}

float DynamicStructure::AsFloatWithDefault(float defaultValue, bool implicitConversion) const
{
    if (mValueType == FloatType)
    {
        return mPayload.mFloat;
    }
    return IsNil() || !implicitConversion ? defaultValue : ConvertToFloat();
}

bool DynamicStructure::AsBooleanWithDefault(bool defaultValue, bool implicitConversion) const
{
    if (mValueType == BooleanType)
    {
        return mPayload.mBoolean;
    }
    return IsNil() || !implicitConversion ? defaultValue : ConvertToBoolean();
}

// [SECTION] Conversions

std::int64_t DynamicStructure::ConvertToInteger() const
{
    switch (mValueType)
    {
    case NilType:
        return 0;
    case IntegerType:
        return mPayload.mInteger;
    case FloatType:
        return TruncateToInteger(mPayload.mFloat);
    case BooleanType:
        return mPayload.mBoolean ? 1 : 0;
    case StringType:
        return FromString<std::int64_t>(*mPayload.mString);
    default:
        kf_error("Cannot convert this type(%d) to an integer.\n", static_cast<int>(mValueType));
        return 0;
    }
}

float DynamicStructure::ConvertToFloat() const
{
    switch (mValueType)
    {
    case NilType:
        return 0.0f;
    case IntegerType:
        return static_cast<float>(mPayload.mInteger);
    case FloatType:
        return mPayload.mFloat;
    case BooleanType:
        return mPayload.mBoolean ? 1.0f : 0.0f;
    case StringType:
        return FromString<float>(*mPayload.mString);
    default:
        kf_error("Cannot convert this type(%d) to a float.\n", static_cast<int>(mValueType));
        return 0.0f;
    }
}

bool DynamicStructure::ConvertToBoolean() const
{
    switch (mValueType)
    {
    case NilType:
        return false;
    case IntegerType:
        return mPayload.mInteger != 0;
    case FloatType:
        return !(mPayload.mFloat > -0.00001f && mPayload.mFloat < 0.00001f);
    case BooleanType:
        return mPayload.mBoolean;
    case StringType:
        return *mPayload.mString == "1" || *mPayload.mString == kTrueAsString;
    default:
        kf_error("Cannot convert this type(%d) to a boolean.\n", static_cast<int>(mValueType));
        return false;
    }
}

std::string DynamicStructure::ConvertToString() const
{
    switch (mValueType)
    {
    case NilType:
        return std::string(kEmptyString);
    case IntegerType:
        return ToString(mPayload.mInteger);
    case FloatType:
        return ToString(mPayload.mFloat);
    case BooleanType:
        return std::string(mPayload.mBoolean ? kTrueAsString : kFalseAsString);
    case StringType:
        return *mPayload.mString;
    default:
        kf_error("Cannot convert this type(%d) to a string.\n", static_cast<int>(mValueType));
        return std::string(kEmptyString);
    }
}

// [SECTION] Children

const DynamicStructure& DynamicStructure::GetMember(std::string_view name) const
{
    if (IsNil())
    {
        return kNullValue;
    }
    if (!IsStructure())
    {
        kf_error("Expected this DynamicStructure to be an StructureType or a NilType.\n");
        return kNullValue;
    }
    const auto member = mPayload.mStructure->find(name);
    return member == mPayload.mStructure->end() ? kNullValue : member->second;
}

std::vector<std::string> DynamicStructure::GetMemberNames() const
{
    std::vector<std::string> names;
    if (IsStructure())
    {
        names.reserve(mPayload.mStructure->size());
        for (const auto& member : *mPayload.mStructure)
        {
            names.push_back(member.first);
        }
    }
    return names;
}

const DynamicStructure& DynamicStructure::GetValue(std::uint32_t index) const
{
    if (!IsArray())
    {
        kf_error("kfExternalError: Expected this DynamicStructure to be an ArrayType.\n");
        return kNullValue;
    }
    if (index >= mPayload.mArray->size())
    {
        kf_error("kfExternalError: Expected index to be in bounds of array size.\n");
        return kNullValue;
    }
    return (*mPayload.mArray)[index];
}

// [SECTION] Building

void DynamicStructure::SetValue(int value, bool implicitConversion)
{
    kf_error_if(!implicitConversion && !IsNil() && mValueType != IntegerType,
                "Expected NilType or IntegerType types in order to set a integer value.\n");
    SetToNil();
    mValueType = IntegerType;
    mPayload.mInteger = value;
}

void DynamicStructure::SetValue(float value, bool implicitConversion)
{
    kf_error_if(!implicitConversion && !IsNil() && mValueType != FloatType,
                "Expected NilType or FloatType types in order to set a float value.\n");
    SetToNil();
    mValueType = FloatType;
    mPayload.mFloat = value;
}

void DynamicStructure::SetValue(bool value, bool implicitConversion)
{
    kf_error_if(!implicitConversion && !IsNil() && mValueType != BooleanType,
                "Expected NilType or BooleanType types in order to set a booelean value.\n");
    SetToNil();
    mValueType = BooleanType;
    mPayload.mBoolean = value;
}

void DynamicStructure::SetValue(const std::string& value, bool implicitConversion)
{
    kf_error_if(!implicitConversion && !IsNil() && !IsString(),
                "Expected NilType or StringType types in order to set a string value.\n");
    // Copy first: value may be this value's own string.
    std::string* const copy = new std::string(value);
    SetToNil();
    mValueType = StringType;
    mPayload.mString = copy;
}

DynamicStructure& DynamicStructure::PushValue(const DynamicStructure& value)
{
    // Copy before the array grows: value may be one of its elements.
    DynamicStructure copy(value);
    return PushValue(std::move(copy));
}

DynamicStructure& DynamicStructure::PushValue(DynamicStructure&& value)
{
    if (!IsNil() && !IsArray())
    {
        kf_error("kfExternalError: Expected this DynamicStructure to be NilType or ArrayType.");
        return *this;
    }
    if (value.IsNil())
    {
        kf_error("Cannot push a Nil value into an array.\n");
        return *this;
    }
    DynamicStructure taken(std::move(value));
    if (IsNil())
    {
        mPayload.mArray = new Array();
        mValueType = ArrayType;
    }
    return mPayload.mArray->emplace_back(std::move(taken));
}

DynamicStructure& DynamicStructure::AddMember(std::string_view name, const DynamicStructure& value)
{
    // Copy first: value may be one of this structure's members.
    DynamicStructure copy(value);
    return AddMember(name, std::move(copy));
}

DynamicStructure& DynamicStructure::AddMember(std::string_view name, DynamicStructure&& value)
{
    if (!IsNil() && !IsStructure())
    {
        kf_error("kfExternalError: Expected this DynamicStructure to be NilType or StructureType.");
        return *this;
    }
    DynamicStructure taken(std::move(value));
    if (IsNil())
    {
        mPayload.mStructure = new Structure();
        mValueType = StructureType;
    }
    Structure& members = *mPayload.mStructure;
    // Names that arrive in order (as converted JSON objects do) are appended without a search.
    const bool isPastTheLast = !members.empty() && members.rbegin()->first < name;
    const auto position = isPastTheLast ? members.end() : members.lower_bound(name);
    if (position != members.end() && position->first == name)
    {
        const std::string nameText(name);
        kf_error("kfExternalError: Expected not to find a member with name \"%s\" already existing.",
                 nameText.c_str());
        return position->second;
    }
    return members
        .emplace_hint(position, std::piecewise_construct, std::forward_as_tuple(name),
                      std::forward_as_tuple(std::move(taken)))
        ->second;
}

} // namespace KelpForge::Core
