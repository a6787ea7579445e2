#ifndef GLOAMSHOT_CONTENT_ARCHER_GEOMETRY_HPP
#define GLOAMSHOT_CONTENT_ARCHER_GEOMETRY_HPP

// Where the archer stands and how its picture is laid out: the picture, the bow and the cave's
// floor under the archer's feet must agree.

namespace Gloamshot::Content
{

// The game anchors the archer's frame at its bottom centre on these feet.
constexpr float kArcherFeetX = 400.0f / 3.0f;
constexpr float kArcherFeetY = 1760.0f / 3.0f;

constexpr int kArcherFrameWidth = 150;
constexpr int kArcherFrameHeight = 224;
// The game holds the bow at this pixel of the archer's frame.
constexpr int kBowPivotX = 117;
constexpr int kBowPivotY = 130;

// The bow turns about the point of the archer's centre line at the pivot's height: the shoulder.
constexpr float kBowArmLength = static_cast<float>(kBowPivotX) - static_cast<float>(kArcherFrameWidth) / 2.0f;

// The bow pivot in the world: where arrows start and the archer's light shines.
constexpr float kBowPivotWorldX = kArcherFeetX + kBowArmLength;
constexpr float kBowPivotWorldY =
    kArcherFeetY + static_cast<float>(kBowPivotY) - static_cast<float>(kArcherFrameHeight);

} // namespace Gloamshot::Content

#endif
