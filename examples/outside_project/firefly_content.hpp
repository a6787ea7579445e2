#ifndef FIREFLY_CAVE_CONTENT_HPP
#define FIREFLY_CAVE_CONTENT_HPP

// The game's content files. A real game ships them beside itself; this one writes them at start-up,
// so that it runs from anywhere and the repository holds no binary files.

#include <filesystem>

namespace FireflyCave
{

// In the content folder; the sheet names its image and the table its sound relative to it.
inline constexpr const char* kSpriteSheetFile = "firefly_sheet.json";
inline constexpr const char* kAudioEventFile = "cave_sounds.json";

// Writes the sprite sheet (its JSON file and a PNG image of the sprites "firefly" and "lantern")
// and the audio event table (its JSON file and the WAV sound of the event "caught") into folder,
// which is created if needed. A file that cannot be written is reported; false then.
[[nodiscard]] bool WriteContent(const std::filesystem::path& folder);

} // namespace FireflyCave

#endif
