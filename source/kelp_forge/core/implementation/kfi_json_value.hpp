#ifndef KELP_FORGE_CORE_IMPLEMENTATION_JSON_VALUE_HPP
#define KELP_FORGE_CORE_IMPLEMENTATION_JSON_VALUE_HPP

// The intermediate value of JSON loading and the text parser that builds it. Loaders never see
// these: ParseJson (kf_json_parser) converts the tree into a DynamicStructure and discards it.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kfImplementation
{

// Containers nested deeper than this are broken and parse as null, like any other broken
// container, so that hostile input cannot exhaust the stack. The top-level container is level 1.
inline constexpr int kMaximumJsonNestingDepth = 256;

// One JSON value. Its parts sit side by side rather than in a union; only those matching the type
// are meaningful. Numbers keep their integer, float and double forms in step.
class JsonValue
{
public:
    enum ValueType : std::int32_t
    {
        NullVal = 0,
        StringVal = 1,
        IntVal = 2,
        FloatVal = 3,
        DoubleVal = 4,
        ObjectVal = 5,
        ArrayVal = 6,
        BoolVal = 7,
    };

    using Member = std::pair<std::string, JsonValue>;
    // An ordered map kept in one vector: members sorted by byte-wise key comparison, each key once.
    using Object = std::vector<Member>;
    // Elements in text order.
    using Array = std::vector<JsonValue>;

    JsonValue() = default;
    JsonValue(const JsonValue& other);
    JsonValue(JsonValue&& other) noexcept;
    JsonValue& operator=(const JsonValue& other);
    JsonValue& operator=(JsonValue&& other) noexcept;
    ~JsonValue();
    explicit JsonValue(std::int32_t value);
    // Out-of-range conversions saturate: the integer form at the 32-bit limits (NaN gives 0), the
    // float form at infinity.
    explicit JsonValue(float value);
    explicit JsonValue(double value);
    explicit JsonValue(bool value);
    explicit JsonValue(std::string value);
    // members in any order; they are sorted, and of a repeated key the last one given is kept.
    explicit JsonValue(Object members);
    explicit JsonValue(Array value);

    [[nodiscard]] ValueType GetValueType() const { return mValueType; }
    [[nodiscard]] bool IsNumeric() const
    {
        return mValueType == IntVal || mValueType == FloatVal || mValueType == DoubleVal;
    }

    // Each throws std::runtime_error ("json mValueType==... required") for a value of another kind.
    // The numeric ones accept every numeric kind and return the stored form of the asked width.
    [[nodiscard]] const std::string& AsString() const;
    [[nodiscard]] std::int32_t AsInteger() const;
    [[nodiscard]] float AsFloat() const;
    [[nodiscard]] double AsDouble() const;
    [[nodiscard]] const Object& AsObject() const;
    [[nodiscard]] Object& AsObject();
    [[nodiscard]] const Array& AsArray() const;
    [[nodiscard]] Array& AsArray();
    [[nodiscard]] bool AsBool() const;

private:
    ValueType mValueType = NullVal;
    std::int32_t mInteger = 0;
    float mFloat = 0.0f;
    bool mBool = false;
    double mDouble = 0.0;
    // Strings and arrays are rarer than numbers and objects: held on the heap only when present,
    // they keep the many small values (and the memory a document occupies) small.
    std::unique_ptr<std::string> mString;
    Object mObject;
    std::unique_ptr<Array> mArray;
};

// Parses text whose whole content is one object or one array. Anything else, and malformed text,
// gives NullVal without a report; inside a document the innermost broken container becomes null.
// The text need not outlive the call.
[[nodiscard]] JsonValue Deserialize(std::string_view text);

} // namespace kfImplementation

#endif
