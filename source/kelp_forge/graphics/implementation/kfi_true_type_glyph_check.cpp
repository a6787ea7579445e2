#include "kelp_forge/graphics/implementation/kfi_true_type_glyph_check.hpp"

#include "kelp_forge/graphics/implementation/kfi_true_type_validator.hpp"

#include <algorithm>
#include <cmath>

namespace kfImplementation::TrueType
{
namespace
{

// Bounds of every coordinate an outline's vertices carry (points and control points), with
// (0, 0) included: stb_truetype stores 0 as the control point of straight segments and moves.
struct Box
{
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;

    void Include(double x, double y)
    {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
    }
};

struct Component
{
    std::uint16_t glyph = 0;
    // stb_truetype's transform: x' = m (a x + c y + e), y' = n (b x + d y + f).
    double a = 1.0, b = 0.0, c = 0.0, d = 1.0, e = 0.0, f = 0.0;
};

struct Glyph
{
    enum class State
    {
        kPending,
        kResolving,
        kResolved
    };
    State state = State::kResolved;
    std::vector<Component> components;
    Box box;
    std::uint32_t vertexCount = 0;
    int nestingHeight = 0; // levels of components below this glyph
};

constexpr std::uint8_t kOnCurve = 0x01;
constexpr std::uint8_t kShortX = 0x02;
constexpr std::uint8_t kShortY = 0x04;
constexpr std::uint8_t kRepeat = 0x08;
constexpr std::uint8_t kSameOrPositiveX = 0x10;
constexpr std::uint8_t kSameOrPositiveY = 0x20;

// Reads one axis of coordinates the way stb_truetype does: a 32-bit running sum stored as 16 bits.
bool ReadCoordinates(const Region& glyph, std::uint64_t& position, const std::vector<std::uint8_t>& flags,
                     std::uint8_t shortFlag, std::uint8_t sameFlag, std::vector<std::int16_t>& values)
{
    std::int32_t sum = 0;
    for (std::size_t index = 0; index < flags.size(); ++index)
    {
        if (flags[index] & shortFlag)
        {
            if (!glyph.Has(position, 1))
            {
                return false;
            }
            const std::int32_t delta = glyph.U8(position++);
            sum += (flags[index] & sameFlag) ? delta : -delta;
        }
        else if (!(flags[index] & sameFlag))
        {
            if (!glyph.Has(position, 2))
            {
                return false;
            }
            sum += glyph.S16(position);
            position += 2;
        }
        values[index] = static_cast<std::int16_t>(sum);
    }
    return true;
}

bool ReadSimpleGlyph(const Region& data, std::int16_t contourCount, Glyph& glyph)
{
    const std::uint64_t contours = static_cast<std::uint64_t>(contourCount);
    if (!data.Has(10, 2 * contours + 2))
    {
        return false;
    }
    std::int32_t previousEnd = -1;
    for (std::uint64_t contour = 0; contour < contours; ++contour)
    {
        const std::int32_t end = data.U16(10 + 2 * contour);
        if (end <= previousEnd)
        {
            return false;
        }
        previousEnd = end;
    }
    const std::size_t pointCount = static_cast<std::size_t>(previousEnd) + 1;
    std::uint64_t position = 12 + 2 * contours + data.U16(10 + 2 * contours);

    std::vector<std::uint8_t> flags(pointCount);
    std::uint8_t flag = 0;
    std::uint8_t repeatCount = 0;
    for (std::size_t index = 0; index < pointCount; ++index)
    {
        if (repeatCount == 0)
        {
            if (!data.Has(position, 1))
            {
                return false;
            }
            flag = data.U8(position++);
            if (flag & kRepeat)
            {
                if (!data.Has(position, 1))
                {
                    return false;
                }
                repeatCount = data.U8(position++);
            }
        }
        else
        {
            --repeatCount;
        }
        flags[index] = flag;
    }
    std::vector<std::int16_t> xs(pointCount);
    std::vector<std::int16_t> ys(pointCount);
    if (!ReadCoordinates(data, position, flags, kShortX, kSameOrPositiveX, xs) ||
        !ReadCoordinates(data, position, flags, kShortY, kSameOrPositiveY, ys))
    {
        return false;
    }

    // A contour that starts off the curve takes its next point as well; with one point only,
    // stb_truetype reads past its vertex array for the last contour.
    std::int32_t start = 0;
    for (std::uint64_t contour = 0; contour < contours; ++contour)
    {
        const std::int32_t end = data.U16(10 + 2 * contour);
        if (!(flags[static_cast<std::size_t>(start)] & kOnCurve) && end == start)
        {
            return false;
        }
        start = end + 1;
    }
    for (std::size_t index = 0; index < pointCount; ++index)
    {
        glyph.box.Include(xs[index], ys[index]);
    }
    // stb_truetype allocates one vertex per point and two more per contour.
    glyph.vertexCount = static_cast<std::uint32_t>(pointCount + 2 * contours);
    return glyph.vertexCount <= kMaxGlyphVertices;
}

bool ReadCompositeGlyph(const Region& data, Glyph& glyph)
{
    constexpr std::uint16_t kWordArguments = 0x0001;
    constexpr std::uint16_t kArgumentsAreOffsets = 0x0002;
    constexpr std::uint16_t kHasScale = 0x0008;
    constexpr std::uint16_t kMoreComponents = 0x0020;
    constexpr std::uint16_t kHasScaleXY = 0x0040;
    constexpr std::uint16_t kHasTwoByTwo = 0x0080;
    constexpr double kF2Dot14 = 16384.0;

    std::uint64_t position = 10;
    bool hasMore = true;
    while (hasMore)
    {
        if (!data.Has(position, 4))
        {
            return false;
        }
        const std::uint16_t flags = data.U16(position);
        Component component;
        component.glyph = data.U16(position + 2);
        position += 4;
        // Matching points instead of offsets makes stb_truetype assert.
        if (!(flags & kArgumentsAreOffsets))
        {
            return false;
        }
        const std::uint64_t argumentSize = (flags & kWordArguments) ? 4 : 2;
        const std::uint64_t scaleSize =
            (flags & kHasScale) ? 2 : ((flags & kHasScaleXY) ? 4 : ((flags & kHasTwoByTwo) ? 8 : 0));
        if (!data.Has(position, argumentSize + scaleSize))
        {
            return false;
        }
        if (flags & kWordArguments)
        {
            component.e = data.S16(position);
            component.f = data.S16(position + 2);
        }
        else
        {
            component.e = data.S8(position);
            component.f = data.S8(position + 1);
        }
        position += argumentSize;
        if (flags & kHasScale)
        {
            component.a = component.d = data.S16(position) / kF2Dot14;
        }
        else if (flags & kHasScaleXY)
        {
            component.a = data.S16(position) / kF2Dot14;
            component.d = data.S16(position + 2) / kF2Dot14;
        }
        else if (flags & kHasTwoByTwo)
        {
            component.a = data.S16(position) / kF2Dot14;
            component.b = data.S16(position + 2) / kF2Dot14;
            component.c = data.S16(position + 4) / kF2Dot14;
            component.d = data.S16(position + 6) / kF2Dot14;
        }
        position += scaleSize;
        glyph.components.push_back(component);
        hasMore = (flags & kMoreComponents) != 0;
    }
    glyph.state = Glyph::State::kPending;
    return true;
}

std::optional<Glyph> ReadGlyph(const Region& data)
{
    // stb_truetype reads the contour count and the box of every glyph it is given.
    if (!data.Has(0, 10))
    {
        return std::nullopt;
    }
    Glyph glyph;
    const std::int16_t contourCount = data.S16(0);
    if (contourCount > 0 && !ReadSimpleGlyph(data, contourCount, glyph))
    {
        return std::nullopt;
    }
    if (contourCount < 0 && !ReadCompositeGlyph(data, glyph))
    {
        return std::nullopt;
    }
    return glyph;
}

class CompositeResolver
{
public:
    explicit CompositeResolver(std::vector<Glyph>& glyphs) : mGlyphs(glyphs) {}

    // Follows the components the way stb_truetype's recursion does, checking that the 16-bit
    // vertices it stores after each transform cannot overflow.
    bool Resolve(std::size_t index, int depth)
    {
        Glyph& glyph = mGlyphs[index];
        if (glyph.state == Glyph::State::kResolved)
        {
            return depth + glyph.nestingHeight <= kMaxComponentDepth;
        }
        if (glyph.state == Glyph::State::kResolving || depth > kMaxComponentDepth)
        {
            return false;
        }
        glyph.state = Glyph::State::kResolving;
        for (const Component& component : glyph.components)
        {
            if (component.glyph >= mGlyphs.size())
            {
                continue; // stb_truetype gives such a component no vertices
            }
            if (!Resolve(component.glyph, depth + 1))
            {
                return false;
            }
            const Glyph& part = mGlyphs[component.glyph];
            glyph.nestingHeight = std::max(glyph.nestingHeight, part.nestingHeight + 1);
            if (part.vertexCount == 0)
            {
                continue;
            }
            if (!IncludeTransformed(part.box, component, glyph.box))
            {
                return false;
            }
            glyph.vertexCount += part.vertexCount;
            if (glyph.vertexCount > kMaxGlyphVertices)
            {
                return false;
            }
        }
        glyph.state = Glyph::State::kResolved;
        return true;
    }

private:
    static bool IncludeTransformed(const Box& part, const Component& component, Box& box)
    {
        // stb_truetype converts each transformed float to 16 bits; keep a margin for its float
        // rounding against the double arithmetic here.
        constexpr double kLargestCoordinate = 32766.0;
        const double m = std::sqrt(component.a * component.a + component.b * component.b);
        const double n = std::sqrt(component.c * component.c + component.d * component.d);
        // A linear map takes the extremes of a box at its corners.
        for (const double x : {part.minX, part.maxX})
        {
            for (const double y : {part.minY, part.maxY})
            {
                const double transformedX = m * (component.a * x + component.c * y + component.e);
                const double transformedY = n * (component.b * x + component.d * y + component.f);
                if (std::fabs(transformedX) > kLargestCoordinate ||
                    std::fabs(transformedY) > kLargestCoordinate)
                {
                    return false;
                }
                // Truncation toward zero and float rounding move a vertex by less than one unit.
                box.Include(std::floor(transformedX) - 1.0, std::floor(transformedY) - 1.0);
                box.Include(std::ceil(transformedX) + 1.0, std::ceil(transformedY) + 1.0);
            }
        }
        return true;
    }

    std::vector<Glyph>& mGlyphs;
};

} // namespace

std::optional<std::vector<std::uint32_t>> CheckGlyphOutlines(const Region& loca, const Region& glyf,
                                                             bool isLongLoca, std::uint16_t numberOfGlyphs)
{
    const std::uint64_t entrySize = isLongLoca ? 4 : 2;
    if (!loca.Has(0, (std::uint64_t{numberOfGlyphs} + 1) * entrySize))
    {
        return std::nullopt;
    }
    const auto glyphOffset = [&](std::uint64_t index) -> std::uint64_t
    { return isLongLoca ? loca.U32(4 * index) : 2 * std::uint64_t{loca.U16(2 * index)}; };

    std::vector<Glyph> glyphs(numberOfGlyphs);
    for (std::uint64_t index = 0; index < numberOfGlyphs; ++index)
    {
        const std::uint64_t start = glyphOffset(index);
        const std::uint64_t end = glyphOffset(index + 1);
        if (start == end)
        {
            continue; // no outline
        }
        if (start > end || !glyf.Has(start, end - start))
        {
            return std::nullopt;
        }
        std::optional<Glyph> glyph = ReadGlyph(glyf.Slice(start, end - start));
        if (!glyph)
        {
            return std::nullopt;
        }
        glyphs[index] = std::move(*glyph);
    }

    CompositeResolver resolver(glyphs);
    std::vector<std::uint32_t> spans(glyphs.size(), 0);
    for (std::size_t index = 0; index < glyphs.size(); ++index)
    {
        if (!resolver.Resolve(index, 0))
        {
            return std::nullopt;
        }
        const Box& box = glyphs[index].box;
        if (glyphs[index].vertexCount > 0)
        {
            spans[index] = static_cast<std::uint32_t>(std::max(box.maxX - box.minX, box.maxY - box.minY));
        }
    }
    return spans;
}

} // namespace kfImplementation::TrueType
