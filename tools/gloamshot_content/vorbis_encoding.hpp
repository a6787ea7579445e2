#ifndef GLOAMSHOT_CONTENT_VORBIS_ENCODING_HPP
#define GLOAMSHOT_CONTENT_VORBIS_ENCODING_HPP

// Ogg Vorbis files through libvorbisenc, with a fixed stream serial number so that the same
// samples always give the same bytes.

#include "sound_synthesis.hpp"

#include <vector>

namespace Gloamshot::Content
{

// A mono stream at kSampleRate; quality is libvorbis's variable-bitrate quality, -0.1 to 1.
// Empty when the encoder refuses the settings.
[[nodiscard]] std::vector<unsigned char> EncodeOggVorbis(const Samples& samples, int serialNumber,
                                                         float quality);

} // namespace Gloamshot::Content

#endif
