// JSON values and the string-cutting parser that builds them.
//
// [SECTION] JsonValue
// [SECTION] Text helpers
// [SECTION] Container extents
// [SECTION] Deserializer
//
// The parser repeatedly cuts the next value off the front of the remaining text. The text is
// never copied: every cut narrows a view into the document. Where a nested container ends is
// looked up in a table of extents that one scan over the document fills before parsing, so the
// whole parse stays linear in the size of the text.

#include "kelp_forge/core/implementation/kfi_json_value.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <system_error>
#include <tuple>
#include <utility>

namespace kfImplementation
{

// [SECTION] JsonValue

namespace
{

std::int32_t TruncateToInt32(double value)
{
    if (std::isnan(value))
    {
        return 0;
    }
    if (value <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
    {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
    {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(value);
}

float NarrowToFloat(double value)
{
    constexpr double kLargestFloat = std::numeric_limits<float>::max();
    if (value > kLargestFloat)
    {
        return std::numeric_limits<float>::infinity();
    }
    if (value < -kLargestFloat)
    {
        return -std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(value);
}

} // namespace

JsonValue::JsonValue(std::int32_t value)
    : mValueType(IntVal), mInteger(value), mFloat(static_cast<float>(value)), mDouble(value)
{
}

JsonValue::JsonValue(float value)
    : mValueType(FloatVal), mInteger(TruncateToInt32(value)), mFloat(value), mDouble(value)
{
}

JsonValue::JsonValue(double value)
    : mValueType(DoubleVal), mInteger(TruncateToInt32(value)), mFloat(NarrowToFloat(value)), mDouble(value)
{
}

JsonValue::JsonValue(bool value) : mValueType(BoolVal), mBool(value) {}

JsonValue::JsonValue(std::string value)
    : mValueType(StringVal), mString(std::make_unique<std::string>(std::move(value)))
{
}

JsonValue::JsonValue(Object members) : mValueType(ObjectVal)
{
    const auto isBefore = [](const Member& left, const Member& right) { return left.first < right.first; };
    // Small objects, the common case, are sorted in place without the buffer stable_sort takes.
    constexpr std::size_t kInsertionSortLimit = 16;
    if (members.size() <= kInsertionSortLimit)
    {
        for (std::size_t sorted = 1; sorted < members.size(); ++sorted)
        {
            if (!isBefore(members[sorted], members[sorted - 1]))
            {
                continue;
            }
            Member held = std::move(members[sorted]);
            std::size_t index = sorted;
            do
            {
                members[index] = std::move(members[index - 1]);
                --index;
            } while (index > 0 && isBefore(held, members[index - 1]));
            members[index] = std::move(held);
        }
    }
    else
    {
        std::stable_sort(members.begin(), members.end(), isBefore);
    }
    // Equal keys now stand together in text order: keep the last of each run.
    std::size_t kept = 0;
    for (std::size_t index = 0; index < members.size(); ++index)
    {
        if (index + 1 < members.size() && members[index + 1].first == members[index].first)
        {
            continue;
        }
        if (kept != index)
        {
            members[kept] = std::move(members[index]);
        }
        ++kept;
    }
    members.erase(members.begin() + static_cast<std::ptrdiff_t>(kept), members.end());
    mObject = std::move(members);
}

JsonValue::JsonValue(Array value) : mValueType(ArrayVal), mArray(std::make_unique<Array>(std::move(value))) {}

JsonValue::JsonValue(const JsonValue& other)
    : mValueType(other.mValueType), mInteger(other.mInteger), mFloat(other.mFloat), mBool(other.mBool),
      mDouble(other.mDouble),
      mString(other.mString ? std::make_unique<std::string>(*other.mString) : nullptr),
      mObject(other.mObject), mArray(other.mArray ? std::make_unique<Array>(*other.mArray) : nullptr)
{
}

JsonValue& JsonValue::operator=(const JsonValue& other)
{
    // Copy first: other may live inside this value.
    JsonValue copy(other);
    return *this = std::move(copy);
}

// A moved-from value is null, so that no accessor can reach a part that has left it.
JsonValue::JsonValue(JsonValue&& other) noexcept
    : mValueType(std::exchange(other.mValueType, NullVal)), mInteger(other.mInteger), mFloat(other.mFloat),
      mBool(other.mBool), mDouble(other.mDouble), mString(std::move(other.mString)),
      mObject(std::move(other.mObject)), mArray(std::move(other.mArray))
{
}

JsonValue& JsonValue::operator=(JsonValue&& other) noexcept
{
    mValueType = std::exchange(other.mValueType, NullVal);
    mInteger = other.mInteger;
    mFloat = other.mFloat;
    mBool = other.mBool;
    mDouble = other.mDouble;
    mString = std::move(other.mString);
    mObject = std::move(other.mObject);
    mArray = std::move(other.mArray);
    return *this;
}

JsonValue::~JsonValue() = default;

const std::string& JsonValue::AsString() const
{
    if (mValueType != StringVal)
    {
        throw std::runtime_error("json mValueType==StringVal required");
    }
    return *mString;
}

std::int32_t JsonValue::AsInteger() const
{
    if (!IsNumeric())
    {
        throw std::runtime_error("json mValueType==IsNumeric() required");
    }
    return mInteger;
}

float JsonValue::AsFloat() const
{
    if (!IsNumeric())
    {
        throw std::runtime_error("json mValueType==IsNumeric() required");
    }
    return mFloat;
}

double JsonValue::AsDouble() const
{
    if (!IsNumeric())
    {
        throw std::runtime_error("json mValueType==IsNumeric() required");
    }
    return mDouble;
}

const JsonValue::Object& JsonValue::AsObject() const
{
    if (mValueType != ObjectVal)
    {
        throw std::runtime_error("json mValueType==ObjectVal required");
    }
    return mObject;
}

JsonValue::Object& JsonValue::AsObject()
{
    return const_cast<Object&>(std::as_const(*this).AsObject());
}

const JsonValue::Array& JsonValue::AsArray() const
{
    if (mValueType != ArrayVal)
    {
        throw std::runtime_error("json mValueType==ArrayVal required");
    }
    return *mArray;
}

JsonValue::Array& JsonValue::AsArray()
{
    return const_cast<Array&>(std::as_const(*this).AsArray());
}

bool JsonValue::AsBool() const
{
    if (mValueType != BoolVal)
    {
        throw std::runtime_error("json mValueType==BoolVal required");
    }
    return mBool;
}

// [SECTION] Text helpers

namespace
{

constexpr std::size_t kNotFound = std::string_view::npos;

// Space, or one of tab, line feed, vertical tab, form feed and carriage return (9 to 13).
bool IsWhiteSpace(char character)
{
    return character == ' ' || static_cast<unsigned char>(character - '\t') <= '\r' - '\t';
}

bool IsDigit(char character)
{
    return character >= '0' && character <= '9';
}

std::string_view TrimFront(std::string_view text)
{
    while (!text.empty() && IsWhiteSpace(text.front()))
    {
        text.remove_prefix(1);
    }
    return text;
}

std::string_view Trim(std::string_view text)
{
    text = TrimFront(text);
    while (!text.empty() && IsWhiteSpace(text.back()))
    {
        text.remove_suffix(1);
    }
    return text;
}

// The first double quote at or after start that no backslash escapes. A backslash escapes the
// character after it, so the quote of \\" still counts.
std::size_t FindUnescapedQuote(std::string_view text, std::size_t start)
{
    for (std::size_t index = start; index < text.size(); ++index)
    {
        if (text[index] == '\\')
        {
            ++index;
        }
        else if (text[index] == '"')
        {
            return index;
        }
    }
    return kNotFound;
}

int HexDigitValue(char character)
{
    if (IsDigit(character))
    {
        return character - '0';
    }
    if (character >= 'a' && character <= 'f')
    {
        return character - 'a' + 10;
    }
    if (character >= 'A' && character <= 'F')
    {
        return character - 'A' + 10;
    }
    return -1;
}

// \uXXXX gives the one byte of its last two hex digits; no UTF-8 is produced. An unknown escape
// drops both of its characters.
std::string DecodeString(std::string_view text)
{
    if (text.find('\\') == kNotFound)
    {
        return std::string(text);
    }
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t index = 0; index < text.size(); ++index)
    {
        const char character = text[index];
        if (character != '\\' || index + 1 == text.size())
        {
            decoded.push_back(character);
            continue;
        }
        const char escaped = text[++index];
        switch (escaped)
        {
        case '"':
        case '\\':
        case '/':
            decoded.push_back(escaped);
            break;
        case 'b':
            decoded.push_back('\b');
            break;
        case 'f':
            decoded.push_back('\f');
            break;
        case 'n':
            decoded.push_back('\n');
            break;
        case 'r':
            decoded.push_back('\r');
            break;
        case 't':
            decoded.push_back('\t');
            break;
        case 'u':
            if (index + 4 < text.size() && HexDigitValue(text[index + 1]) >= 0 &&
                HexDigitValue(text[index + 2]) >= 0 && HexDigitValue(text[index + 3]) >= 0 &&
                HexDigitValue(text[index + 4]) >= 0)
            {
                decoded.push_back(
                    static_cast<char>(HexDigitValue(text[index + 3]) * 16 + HexDigitValue(text[index + 4])));
                index += 4;
            }
            break;
        default:
            break;
        }
    }
    return decoded;
}

bool EndsWith(std::string_view text, std::string_view ending)
{
    return text.size() >= ending.size() && text.substr(text.size() - ending.size()) == ending;
}

// A leading plus is accepted before a digit, as the classic C readers do; from_chars refuses it.
std::string_view WithoutPlusSign(std::string_view token)
{
    if (token.size() > 1 && token[0] == '+' && IsDigit(token[1]))
    {
        token.remove_prefix(1);
    }
    return token;
}

bool ParseDouble(std::string_view token, JsonValue& value)
{
    const std::string_view number = WithoutPlusSign(token);
    double parsed = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), parsed);
    if (error != std::errc() || end != number.data() + number.size())
    {
        return false;
    }
    value = JsonValue(parsed);
    return true;
}

bool ParseInteger(std::string_view token, JsonValue& value)
{
    const std::string_view number = WithoutPlusSign(token);
    std::int64_t parsed = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), parsed);
    if (error == std::errc::invalid_argument || end != number.data() + number.size())
    {
        return false;
    }
    if (error == std::errc() && parsed >= std::numeric_limits<std::int32_t>::min() &&
        parsed <= std::numeric_limits<std::int32_t>::max())
    {
        value = JsonValue(static_cast<std::int32_t>(parsed));
        return true;
    }
    // Whole numbers beyond 32 bits arrive as doubles.
    return ParseDouble(token, value);
}

// A bare token: true, false, null or a number. Malformed tokens fail.
bool ParseToken(std::string_view token, JsonValue& value)
{
    if (token.empty())
    {
        value = JsonValue();
        return true;
    }
    bool hasDigit = false;
    bool hasPoint = false;
    bool hasExponent = false;
    for (std::size_t index = 0; index < token.size(); ++index)
    {
        const char character = token[index];
        if (character == '[' || character == '{')
        {
            return false;
        }
        if (IsDigit(character))
        {
            hasDigit = true;
        }
        else if (character == '.')
        {
            if (!hasDigit)
            {
                return false;
            }
            hasPoint = true;
        }
        else if (character == 'e' || character == 'E')
        {
            // The e of the words true and false is not an exponent.
            const std::string_view before = token.substr(0, index);
            if (character == 'e' && (EndsWith(before, "tru") || EndsWith(before, "fals")))
            {
                continue;
            }
            if (hasExponent || !hasDigit)
            {
                return false;
            }
            hasExponent = true;
        }
    }
    if (token == "true" || token == "false")
    {
        value = JsonValue(token == "true");
        return true;
    }
    if (!hasPoint && !hasExponent)
    {
        if (token == "null")
        {
            value = JsonValue();
            return true;
        }
        return ParseInteger(token, value);
    }
    return ParseDouble(token, value);
}

// [SECTION] Container extents

// Where each container of the document ends, found by one scan that tracks nesting and quoted runs.
// Parsing a container only ever needs the extents of containers that the scan met outside quoted
// runs with the same nesting, so one table serves the whole parse.
class ContainerExtents
{
public:
    enum class Closing
    {
        Closed,    // end is the matching closing bracket
        WrongKind, // end is a closing bracket of the other kind met while this was innermost-open
        Unclosed,  // the text ends first
    };

    struct Extent
    {
        std::size_t open;
        std::size_t end;
        Closing closing;
    };

    void Scan(std::string_view document, std::size_t start)
    {
        std::vector<std::size_t> openExtents;
        bool isInString = false;
        const std::size_t size = document.size();
        for (std::size_t index = start; index < size; ++index)
        {
            // Most bytes play no part: pass them in a tight loop.
            while (index < size && kByteRoles[static_cast<unsigned char>(document[index])] == ByteRole::Other)
            {
                ++index;
            }
            if (index == size)
            {
                break;
            }
            const char character = document[index];
            const ByteRole role = kByteRoles[static_cast<unsigned char>(character)];
            if (role == ByteRole::Escape)
            {
                ++index;
                continue;
            }
            if (role == ByteRole::Quote)
            {
                isInString = !isInString;
                continue;
            }
            if (isInString)
            {
                continue;
            }
            if (role == ByteRole::Opening)
            {
                openExtents.push_back(mExtents.size());
                mExtents.push_back({index, kNotFound, Closing::Unclosed});
            }
            else if (!openExtents.empty())
            {
                Extent& innermost = mExtents[openExtents.back()];
                const char expected = document[innermost.open] == '[' ? ']' : '}';
                if (character == expected)
                {
                    innermost.end = index;
                    innermost.closing = Closing::Closed;
                    openExtents.pop_back();
                    continue;
                }
                // Every open container meets this bracket on the way to its own closing one.
                for (const std::size_t open : openExtents)
                {
                    mExtents[open].end = index;
                    mExtents[open].closing = Closing::WrongKind;
                }
                openExtents.clear();
            }
        }
    }

    // The extent of the container opened at offset open, or nullptr when the scan did not see one.
    const Extent* Find(std::size_t open)
    {
        // Parsing asks for containers in text order, so the next extent is nearly always the one.
        if (mNext < mExtents.size() && mExtents[mNext].open == open)
        {
            return &mExtents[mNext++];
        }
        const auto found =
            std::lower_bound(mExtents.begin(), mExtents.end(), open,
                             [](const Extent& extent, std::size_t offset) { return extent.open < offset; });
        if (found == mExtents.end() || found->open != open)
        {
            return nullptr;
        }
        mNext = static_cast<std::size_t>(found - mExtents.begin()) + 1;
        return &*found;
    }

private:
    // What the scan must notice in a byte; most bytes are none of these and are passed at once.
    enum class ByteRole : std::uint8_t
    {
        Other,
        Escape,
        Quote,
        Opening,
        Closing,
    };

    static constexpr std::array<ByteRole, 256> kByteRoles = []
    {
        std::array<ByteRole, 256> roles{};
        roles['\\'] = ByteRole::Escape;
        roles['"'] = ByteRole::Quote;
        roles['['] = ByteRole::Opening;
        roles['{'] = ByteRole::Opening;
        roles[']'] = ByteRole::Closing;
        roles['}'] = ByteRole::Closing;
        return roles;
    }();

    // Sorted by open, since the scan meets opening brackets in text order.
    std::vector<Extent> mExtents;
    std::size_t mNext = 0;
};

// [SECTION] Deserializer

class Deserializer
{
public:
    explicit Deserializer(std::string_view document) : mDocument(document) {}

    JsonValue ParseDocument()
    {
        const std::string_view text = Trim(mDocument);
        if (text.size() < 2 || !IsContainer(text))
        {
            return JsonValue();
        }
        mExtents.Scan(mDocument, OffsetOf(text));
        return ParseContainer(text, 1);
    }

private:
    static bool IsContainer(std::string_view text)
    {
        return (text.front() == '{' && text.back() == '}') || (text.front() == '[' && text.back() == ']');
    }

    std::size_t OffsetOf(std::string_view part) const
    {
        return static_cast<std::size_t>(part.data() - mDocument.data());
    }

    // text starts with an opening bracket; it is broken unless it also ends with the matching one.
    JsonValue ParseContainer(std::string_view text, int depth)
    {
        text = Trim(text);
        if (depth > kMaximumJsonNestingDepth || text.size() < 2 || !IsContainer(text))
        {
            return JsonValue();
        }
        const std::string_view content = text.substr(1, text.size() - 2);
        return text.front() == '{' ? ParseObject(content, depth) : ParseArray(content, depth);
    }

    // Members and elements gather in vectors kept for each depth, so that each object or array is
    // allocated once at its final size.
    JsonValue ParseObject(std::string_view rest, int depth)
    {
        JsonValue::Object& members = mMembersAtDepth[static_cast<std::size_t>(depth)];
        const bool isWhole = GatherMembers(rest, depth, members);
        JsonValue object = isWhole ? JsonValue(JsonValue::Object(std::make_move_iterator(members.begin()),
                                                                 std::make_move_iterator(members.end())))
                                   : JsonValue();
        members.clear();
        return object;
    }

    JsonValue ParseArray(std::string_view rest, int depth)
    {
        JsonValue::Array& elements = mElementsAtDepth[static_cast<std::size_t>(depth)];
        const bool isWhole = GatherElements(rest, depth, elements);
        JsonValue array = isWhole ? JsonValue(JsonValue::Array(std::make_move_iterator(elements.begin()),
                                                               std::make_move_iterator(elements.end())))
                                  : JsonValue();
        elements.clear();
        return array;
    }

    bool GatherMembers(std::string_view rest, int depth, JsonValue::Object& members)
    {
        for (rest = TrimFront(rest); !rest.empty(); rest = TrimFront(rest))
        {
            // Whatever lies before the next key (the comma) is skipped; text without a further key
            // (a trailing comma) breaks the object.
            const std::size_t keyOpen = FindUnescapedQuote(rest, 0);
            const std::size_t keyClose =
                keyOpen == kNotFound ? kNotFound : FindUnescapedQuote(rest, keyOpen + 1);
            const std::size_t colon = keyClose == kNotFound ? kNotFound : rest.find(':', keyClose + 1);
            if (colon == kNotFound || keyClose == keyOpen + 1)
            {
                return false;
            }
            // Built in place: nested containers gather in the vectors of deeper levels, so this
            // member stays where it is while its value is parsed.
            JsonValue::Member& member =
                members.emplace_back(std::piecewise_construct,
                                     std::forward_as_tuple(rest.substr(keyOpen + 1, keyClose - keyOpen - 1)),
                                     std::forward_as_tuple());
            rest.remove_prefix(colon + 1);
            if (!CutValue(rest, depth, member.second))
            {
                return false;
            }
        }
        return true;
    }

    bool GatherElements(std::string_view rest, int depth, JsonValue::Array& elements)
    {
        for (rest = TrimFront(rest); !rest.empty(); rest = TrimFront(rest))
        {
            JsonValue& element = elements.emplace_back();
            if (!CutElement(rest, depth, element))
            {
                return false;
            }
            // Null elements, written or left by an empty place between commas, are dropped.
            if (element.GetValueType() == JsonValue::NullVal)
            {
                elements.pop_back();
            }
        }
        return true;
    }

    // Cuts one array element off rest, which starts with a character other than white space.
    bool CutElement(std::string_view& rest, int depth, JsonValue& element)
    {
        // A string is cut at its closing quote, so that commas and brackets inside it stay its own.
        if (rest.front() == '"')
        {
            return CutString(rest, element);
        }
        const std::size_t stop = rest.find_first_of("{[,]");
        if (stop != kNotFound && (rest[stop] == '{' || rest[stop] == '['))
        {
            return CutValue(rest, depth, element);
        }
        std::string_view token = rest.substr(0, stop);
        rest.remove_prefix(stop == kNotFound ? rest.size() : stop + 1);
        return CutValue(token, depth, element);
    }

    // Cuts the value at the front of rest off it. Fails on a malformed value; a broken container
    // is not a failure but a null value.
    bool CutValue(std::string_view& rest, int depth, JsonValue& value)
    {
        rest = TrimFront(rest);
        if (rest.empty())
        {
            value = JsonValue();
            return true;
        }
        if (rest.front() == '[' || rest.front() == '{')
        {
            return CutContainer(rest, depth, value);
        }
        if (rest.front() == '"')
        {
            return CutString(rest, value);
        }
        return CutBareToken(rest, value);
    }

    bool CutContainer(std::string_view& rest, int depth, JsonValue& value)
    {
        const std::size_t open = OffsetOf(rest);
        const ContainerExtents::Extent* const extent = mExtents.Find(open);
        // Without a closing bracket inside rest the container takes all of rest, and is broken.
        std::string_view text = rest;
        if (extent != nullptr && extent->end < open + rest.size())
        {
            if (extent->closing == ContainerExtents::Closing::WrongKind)
            {
                return false;
            }
            text = rest.substr(0, extent->end - open + 1);
        }
        rest.remove_prefix(text.size());
        value = ParseContainer(text, depth + 1);
        return true;
    }

    static bool CutString(std::string_view& rest, JsonValue& value)
    {
        const std::size_t close = FindUnescapedQuote(rest, 1);
        if (close == kNotFound)
        {
            return false;
        }
        std::string decoded = DecodeString(rest.substr(1, close - 1));
        const std::string_view trimmed = Trim(decoded);
        value = JsonValue(trimmed.size() == decoded.size() ? std::move(decoded) : std::string(trimmed));
        rest.remove_prefix(close + 1);
        return true;
    }

    // Gathers the characters up to the next comma, leaving out white space.
    static bool CutBareToken(std::string_view& rest, JsonValue& value)
    {
        const std::string_view gathered = rest.substr(0, rest.find(','));
        rest.remove_prefix(gathered.size());
        const std::string_view trimmed = Trim(gathered);
        if (std::none_of(trimmed.begin(), trimmed.end(),
                         [](char character) { return IsWhiteSpace(character); }))
        {
            return ParseToken(trimmed, value);
        }
        std::string token;
        std::copy_if(trimmed.begin(), trimmed.end(), std::back_inserter(token),
                     [](char character) { return !IsWhiteSpace(character); });
        return ParseToken(token, value);
    }

    std::string_view mDocument;
    ContainerExtents mExtents;
    // One per nesting level: containers deeper than the limit are never parsed.
    std::vector<JsonValue::Object> mMembersAtDepth{static_cast<std::size_t>(kMaximumJsonNestingDepth) + 1};
    std::vector<JsonValue::Array> mElementsAtDepth{static_cast<std::size_t>(kMaximumJsonNestingDepth) + 1};
};

} // namespace

JsonValue Deserialize(std::string_view text)
{
    return Deserializer(text).ParseDocument();
}

} // namespace kfImplementation
