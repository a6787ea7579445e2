#ifndef KELP_FORGE_AUDIO_IMPLEMENTATION_OPENAL_CHECK_HPP
#define KELP_FORGE_AUDIO_IMPLEMENTATION_OPENAL_CHECK_HPP

// kf_al_check(call) runs an OpenAL call, then reads OpenAL's pending error once and reports it as
// "ERROR: <name> from:    File: <file> : Line: <line>" with the caller's file and line. Wrap every
// al* call whose failure matters; alc* calls report through their return values instead. Nothing
// is reported while no OpenAL context is current: without an audio device the system plays
// nothing, silently.

namespace kfImplementation
{

// "AL_INVALID_NAME" and the other names of OpenAL's error codes; "UNKNOWN_OPENAL_ERROR" otherwise.
[[nodiscard]] const char* OpenAlErrorName(int errorCode);

void ReportPendingOpenAlError(const char* fileName, int lineNumber);

} // namespace kfImplementation

#define kf_al_check(call)                                                                                    \
    do                                                                                                       \
    {                                                                                                        \
        call;                                                                                                \
        ::kfImplementation::ReportPendingOpenAlError(__FILE__, __LINE__);                                    \
    } while (false)

#endif
