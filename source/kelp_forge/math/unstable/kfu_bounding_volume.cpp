#include "kelp_forge/math/unstable/kfu_bounding_volume.hpp"

#include "kelp_forge/core/kf_error.hpp"

#include <cmath>

namespace KelpForge::Math
{

namespace
{

bool IsCircleIntersectingBox(const Vector2& circlePosition, float radius, const Vector2& boxPosition,
                             float width, float height)
{
    const float dx = std::fabs(circlePosition.x - boxPosition.x);
    const float dy = std::fabs(circlePosition.y - boxPosition.y);
    const float halfWidth = width / 2.0f;
    const float halfHeight = height / 2.0f;
    if (dx > halfWidth + radius || dy > halfHeight + radius)
    {
        return false;
    }
    if (dx <= halfWidth || dy <= halfHeight)
    {
        return true;
    }
    // The circle's centre lies diagonally beyond a corner: it must reach that corner.
    const float cornerDx = dx - halfWidth;
    const float cornerDy = dy - halfHeight;
    return radius * radius >= cornerDx * cornerDx + cornerDy * cornerDy;
}

bool IsBoxIntersectingBox(const Vector2& positionA, float widthA, float heightA, const Vector2& positionB,
                          float widthB, float heightB)
{
    const bool isApart = positionB.x - widthB / 2.0f > positionA.x + widthA / 2.0f ||
                         positionA.x - widthA / 2.0f > positionB.x + widthB / 2.0f ||
                         positionB.y - heightB / 2.0f > positionA.y + heightA / 2.0f ||
                         positionA.y - heightA / 2.0f > positionB.y + heightB / 2.0f;
    return !isApart;
}

} // namespace

BoundingVolume::BoundingVolume(float radius) : mFirstSize(radius), mSecondSize(-1.0f)
{
    kf_error_if(radius <= 0.0f, "kfExternalError: Expected parameter radius(%.3f) to be greater than 0.0",
                static_cast<double>(radius));
}

BoundingVolume::BoundingVolume(float width, float height) : mFirstSize(width), mSecondSize(height)
{
    kf_error_if(width <= 0.0f, "kfExternalError: Expected parameter width(%.3f) to be greater than 0.0",
                static_cast<double>(width));
    kf_error_if(height <= 0.0f, "kfExternalError: Expected parameter height(%.3f) to be greater than 0.0",
                static_cast<double>(height));
}

float BoundingVolume::GetRadius() const
{
    kf_error_if(!IsCircle(), "kfExternalError: This bounding volume is not a circle.");
    return mFirstSize;
}

float BoundingVolume::GetWidth() const
{
    kf_error_if(!IsBox(), "kfExternalError: This bounding volume is not a box.");
    return mFirstSize;
}

float BoundingVolume::GetHeight() const
{
    kf_error_if(!IsBox(), "kfExternalError: This bounding volume is not a box.");
    return mSecondSize;
}

bool BoundingVolume::IsIntersecting(const Vector2& position, const BoundingVolume& other,
                                    const Vector2& otherPosition) const
{
    if (IsCircle() && other.IsCircle())
    {
        const float reach = mFirstSize + other.mFirstSize;
        return reach * reach > (otherPosition - position).LengthSquared();
    }
    if (IsCircle())
    {
        return IsCircleIntersectingBox(position, mFirstSize, otherPosition, other.mFirstSize,
                                       other.mSecondSize);
    }
    if (other.IsCircle())
    {
        return IsCircleIntersectingBox(otherPosition, other.mFirstSize, position, mFirstSize, mSecondSize);
    }
    return IsBoxIntersectingBox(position, mFirstSize, mSecondSize, otherPosition, other.mFirstSize,
                                other.mSecondSize);
}

} // namespace KelpForge::Math
