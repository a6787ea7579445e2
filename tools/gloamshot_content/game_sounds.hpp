#ifndef GLOAMSHOT_CONTENT_GAME_SOUNDS_HPP
#define GLOAMSHOT_CONTENT_GAME_SOUNDS_HPP

// The game's three sounds, synthesised.

#include "sound_synthesis.hpp"

namespace Gloamshot::Content
{

// A dull thud of the arrow's shaft with a knock of wood and a little crumbling stone; each
// variant sounds a little different.
[[nodiscard]] Samples SynthesiseArrowHit(int variant);
// A warm whoosh of a flame catching, then a soft chime.
[[nodiscard]] Samples SynthesiseLanternLight();
// A short, bright rising arpeggio that settles into a chord.
[[nodiscard]] Samples SynthesiseWinFanfare();

} // namespace Gloamshot::Content

#endif
