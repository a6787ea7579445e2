#ifndef KELP_FORGE_AUDIO_IMPLEMENTATION_VORBIS_HPP
#define KELP_FORGE_AUDIO_IMPLEMENTATION_VORBIS_HPP

// stb_vorbis's declarations only: its code comes from Debian's compiled libstb.

#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_vorbis.h>
#undef STB_VORBIS_HEADER_ONLY

#endif
