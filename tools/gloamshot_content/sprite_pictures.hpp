#ifndef GLOAMSHOT_CONTENT_SPRITE_PICTURES_HPP
#define GLOAMSHOT_CONTENT_SPRITE_PICTURES_HPP

// The game's sprites, each drawn on its own transparent frame.

#include "picture_drawing.hpp"

namespace Gloamshot::Content
{

// The archer without arms, facing right, feet at the frame's bottom centre; the shoulder of the
// bow arm is the bow pivot's height on the centre line.
[[nodiscard]] SpritePicture DrawArcher();
// Both arms, the bow and a nocked arrow, aimed right; the frame's centre is the bow's grip and
// the shoulder lies kBowArmLength to its left, where the game turns the bow.
[[nodiscard]] SpritePicture DrawBow();
// An arrow pointing up, centred on its frame.
[[nodiscard]] SpritePicture DrawArrow();
// A spider seen from above, centred on its frame.
[[nodiscard]] SpritePicture DrawSpider();
// A hanging lantern whose flame burns at the frame's centre.
[[nodiscard]] SpritePicture DrawLantern();

// The lantern's frame reaches this far above its centre: where its chain hangs from.
constexpr float kLanternRingAbove = 30.0f;

} // namespace Gloamshot::Content

#endif
