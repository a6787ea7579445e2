#ifndef GLOAMSHOT_CONTENT_NAMES_HPP
#define GLOAMSHOT_CONTENT_NAMES_HPP

// Every file and content name the game asks for. The files live under data/ in the working
// directory; the sprite and event names must exist in the sheet and the audio table loaded there.

namespace Gloamshot
{

inline constexpr const char* kDataFolder = "data/";
inline constexpr const char* kSpriteSheetFile = "data/gloamshot_sprite_sheet.json";
inline constexpr const char* kAudioTableFile = "data/audio/audio_events.json";
inline constexpr const char* kLevelFile = "data/gloam_cave_01.json";
inline constexpr const char* kDefaultBackdropFile = "data/gloamshot_cave_01.png";
inline constexpr const char* kLogoFile = "data/pinewren_logo_512.png";

inline constexpr const char* kSpriteSheetName = "gloam_sheet";
inline constexpr const char* kAudioTableName = "audio_events";

inline constexpr const char* kArrowHitGroundEvent = "arrow_hit_ground";
inline constexpr const char* kLanternLightEvent = "lantern_light";
inline constexpr const char* kYouWinEvent = "you_win";

} // namespace Gloamshot

#endif
