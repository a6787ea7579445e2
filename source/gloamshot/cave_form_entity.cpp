#include "gloamshot/cave_form_entity.hpp"

#include <cmath>

namespace Gloamshot
{

using KelpForge::Math::Vector2;

namespace
{

constexpr float kParallelThreshold = 0.00001f;

} // namespace

CaveFormEntity::CaveFormEntity(const std::vector<Vector2>& points) : Entity(sEntityType), mPoints(points) {}

bool CaveFormEntity::IsCrossedBy(const Vector2& segmentStart, const Vector2& segmentEnd) const
{
    for (std::size_t index = 1; index < mPoints.size(); ++index)
    {
        if (SegmentsIntersect(segmentStart, segmentEnd, mPoints[index - 1], mPoints[index]))
        {
            return true;
        }
    }
    return false;
}

bool SegmentsIntersect(const Vector2& a0, const Vector2& a1, const Vector2& b0, const Vector2& b1)
{
    const Vector2 alongA = a1 - a0;
    const Vector2 alongB = b1 - b0;
    const Vector2 between = b0 - a0;
    const float denominator = alongB.x * alongA.y - alongA.x * alongB.y;
    if (std::fabs(denominator) <= kParallelThreshold)
    {
        return false;
    }
    const float alongWall = (between.y * alongA.x - between.x * alongA.y) / denominator;
    const float alongPath = (between.y * alongB.x - between.x * alongB.y) / denominator;
    return alongWall >= 0.0f && alongWall <= 1.0f && alongPath >= 0.0f && alongPath <= 1.0f;
}

} // namespace Gloamshot
