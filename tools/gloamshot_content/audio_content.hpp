#ifndef GLOAMSHOT_CONTENT_AUDIO_CONTENT_HPP
#define GLOAMSHOT_CONTENT_AUDIO_CONTENT_HPP

// The audio event table and the sound files it names.

#include "content_writer.hpp"

namespace Gloamshot::Content
{

// False when a file could not be made or written.
[[nodiscard]] bool WriteAudioContent(ContentWriter& writer);

} // namespace Gloamshot::Content

#endif
