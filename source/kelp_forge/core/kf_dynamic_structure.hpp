#ifndef KELP_FORGE_CORE_DYNAMIC_STRUCTURE_HPP
#define KELP_FORGE_CORE_DYNAMIC_STRUCTURE_HPP

#include "kelp_forge/core/kf_error.hpp"

#include <cinttypes>
#include <concepts>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace KelpForge::Core
{

// The variant value of all loaded data: nil, a 64-bit integer, a float, a boolean, a string, an
// array of values or a structure of named values. A value owns its contents outright; copying one
// copies the whole tree.
//
// Reading is forgiving: a missing member reads as nil, and every typed getter either refuses a value
// of another type (implicitConversion false: reported) or converts it (implicitConversion true).
class DynamicStructure
{
public:
    // The numbers are what "type(%d)" in the messages prints.
    enum ValueType : std::int32_t
    {
        NilType = 0,
        IntegerType = 1,
        FloatType = 2,
        BooleanType = 3,
        StringType = 4,
        ArrayType = 5,
        StructureType = 6,
    };

    using Array = std::vector<DynamicStructure>;
    // Members sorted by byte-wise comparison of their names, not in the order they were added.
    using Structure = std::map<std::string, DynamicStructure, std::less<>>;

    constexpr DynamicStructure() noexcept = default;
    DynamicStructure(const DynamicStructure& other);
    DynamicStructure(DynamicStructure&& other) noexcept;
    DynamicStructure& operator=(const DynamicStructure& other);
    DynamicStructure& operator=(DynamicStructure&& other) noexcept;
    ~DynamicStructure();

    [[nodiscard]] ValueType GetValueType() const { return mValueType; }
    [[nodiscard]] bool IsNil() const { return mValueType == NilType; }
    [[nodiscard]] bool IsInteger() const { return mValueType == IntegerType; }
    [[nodiscard]] bool IsString() const { return mValueType == StringType; }
    [[nodiscard]] bool IsArray() const { return mValueType == ArrayType; }
    [[nodiscard]] bool IsStructure() const { return mValueType == StructureType; }

    // Elements of an array, members of a structure, 0 for every other type.
    [[nodiscard]] std::uint32_t Size() const;

    // The value of the asked type. Another type is reported when implicitConversion is false, and
    // converted (after the report, too) by the ConvertTo routine of the asked type.
    [[nodiscard]] std::int64_t AsInteger(bool implicitConversion) const;
    [[nodiscard]] float AsFloat(bool implicitConversion) const;
    [[nodiscard]] bool AsBoolean(bool implicitConversion) const;
    [[nodiscard]] std::string AsString(bool implicitConversion) const;

    // Nil, or another type without implicitConversion, gives defaultValue without a report; with it,
    // another type converts as the ConvertTo routines do (which report arrays and structures).
    [[nodiscard]] std::int64_t AsIntegerWithDefault(std::int64_t defaultValue, bool implicitConversion) const;
    [[nodiscard]] float AsFloatWithDefault(float defaultValue, bool implicitConversion) const;
    [[nodiscard]] bool AsBooleanWithDefault(bool defaultValue, bool implicitConversion) const;

    // AsInteger checked against minimumValue..maximumValue; errorMessage (typically a "kfDataError:"
    // text naming the field) leads the report. A negative value is reported by both checks. After a
    // report the result is clamped into the range, so a caller that carries on stays within it.
    template <std::unsigned_integral T>
    [[nodiscard]] T AsRangedInteger(const char* errorMessage, T minimumValue, T maximumValue,
                                    bool implicitConversion) const
    {
        return CheckRange(AsInteger(implicitConversion), errorMessage, minimumValue, maximumValue);
    }
    // The same, reading with AsIntegerWithDefault(defaultValue, true): a nil value gives
    // defaultValue, which passes through the same checks.
    template <std::unsigned_integral T>
    [[nodiscard]] T AsRangedIntegerWithDefault(T defaultValue, const char* errorMessage, T minimumValue,
                                               T maximumValue) const
    {
        return CheckRange(AsIntegerWithDefault(defaultValue, true), errorMessage, minimumValue, maximumValue);
    }

    // Conversions used by the getters. Arrays and structures convert to nothing: reported, and the
    // neutral value (0, 0.0, false, empty) is returned.
    [[nodiscard]] std::int64_t ConvertToInteger() const;
    [[nodiscard]] float ConvertToFloat() const;
    [[nodiscard]] bool ConvertToBoolean() const;
    [[nodiscard]] std::string ConvertToString() const;

    // The member of that exact (case-sensitive) name, or kNullValue when there is none. Nil reads as
    // a structure without members; any other non-structure is reported and gives kNullValue. The
    // reference lives as long as this value is not changed.
    [[nodiscard]] const DynamicStructure& GetMember(std::string_view name) const;
    [[nodiscard]] const DynamicStructure& operator[](std::string_view name) const { return GetMember(name); }

    // The names of a structure's members in their sorted order; empty for every other type.
    [[nodiscard]] std::vector<std::string> GetMemberNames() const;

    // The element at index of an array. A non-array or an index past the end is reported and gives
    // kNullValue.
    [[nodiscard]] const DynamicStructure& GetValue(std::uint32_t index) const;
    [[nodiscard]] const DynamicStructure& operator[](std::uint32_t index) const { return GetValue(index); }

    // Replace this value. Without implicitConversion the current type must be nil or the type being
    // set (reported otherwise); the value is replaced either way.
    void SetValue(int value, bool implicitConversion);
    void SetValue(float value, bool implicitConversion);
    void SetValue(bool value, bool implicitConversion);
    void SetValue(const std::string& value, bool implicitConversion);
    // Without this overload a text literal would pick the bool overload.
    void SetValue(const char* value, bool implicitConversion)
    {
        SetValue(std::string(value), implicitConversion);
    }

    // Appends a copy of value (which may be an element of this very array) and returns the stored
    // element, valid until this array next changes. A nil target becomes an empty array first.
    // Refused with a report, returning *this unchanged: a target that is neither nil nor an array,
    // or a nil value.
    DynamicStructure& PushValue(const DynamicStructure& value);
    DynamicStructure& PushValue(DynamicStructure&& value);

    // Adds a copy of value under name and returns the stored member. A nil target becomes an empty
    // structure first. Refused with a report: a target that is neither nil nor a structure (returns
    // *this unchanged), or a name already present (returns that member unchanged).
    DynamicStructure& AddMember(std::string_view name, const DynamicStructure& value);
    DynamicStructure& AddMember(std::string_view name, DynamicStructure&& value);

    // Frees the contents and leaves nil.
    void SetToNil();

private:
    template <std::unsigned_integral T>
    static T CheckRange(std::int64_t value, const char* errorMessage, T minimumValue, T maximumValue)
    {
        kf_error_if(value < 0, "%s (Expected _value(%" PRId64 ") to be greater than 0 for unsigned ranges.",
                    errorMessage, value);
        const bool isBelow = value < 0 || static_cast<std::uint64_t>(value) < minimumValue;
        const bool isAbove = value >= 0 && static_cast<std::uint64_t>(value) > maximumValue;
        kf_error_if(isBelow || isAbove, "%s (Expected: %" PRIu64 " <= _value(%" PRId64 ")_ <= %" PRIu64,
                    errorMessage, static_cast<std::uint64_t>(minimumValue), value,
                    static_cast<std::uint64_t>(maximumValue));
        if (isBelow)
        {
            return minimumValue;
        }
        if (isAbove)
        {
            return maximumValue;
        }
        return static_cast<T>(value);
    }

    // Frees the payload without resetting the tag.
    void FreePayload();

    // One slot shared by the inline values and the owning pointers; only the member matching
    // mValueType is meaningful.
    union Payload
    {
        std::int64_t mInteger;
        float mFloat;
        bool mBoolean;
        std::string* mString;
        Array* mArray;
        Structure* mStructure;
    };

    ValueType mValueType = NilType;
    Payload mPayload = {.mInteger = 0};
};

// The shared nil that GetMember and GetValue hand out when there is nothing to give. Constant
// initialised, so it is usable from any other static initialiser.
extern constinit const DynamicStructure kNullValue;

// The texts ConvertToString gives for booleans and nil.
inline constexpr std::string_view kTrueAsString = "true";
inline constexpr std::string_view kFalseAsString = "false";
inline constexpr std::string_view kEmptyString = "";

} // namespace KelpForge::Core

#endif
