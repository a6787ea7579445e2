#include "kelp_forge/audio/implementation/kfi_openal_check.hpp"

#include "kelp_forge/core/kf_error.hpp"

#include <AL/al.h>
#include <AL/alc.h>

const char* kfImplementation::OpenAlErrorName(int errorCode)
{
    switch (errorCode)
    {
    case AL_NO_ERROR:
        return "AL_NO_ERROR";
    case AL_INVALID_NAME:
        return "AL_INVALID_NAME";
    case AL_INVALID_ENUM:
        return "AL_INVALID_ENUM";
    case AL_INVALID_VALUE:
        return "AL_INVALID_VALUE";
    case AL_INVALID_OPERATION:
        return "AL_INVALID_OPERATION";
    case AL_OUT_OF_MEMORY:
        return "AL_OUT_OF_MEMORY";
    default:
        return "UNKNOWN_OPENAL_ERROR";
    }
}

void kfImplementation::ReportPendingOpenAlError(const char* fileName, int lineNumber)
{
    const ALenum error = alGetError();
    // NOTE: without a context (no audio device: already reported when the manager was made) every
    // call fails. Staying quiet then keeps a machine without sound able to run the game, whose
    // error handler ends the process on any report.
    if (alcGetCurrentContext() == nullptr)
    {
        return;
    }
    // Reported with the location of the OpenAL call, not of this helper.
    KelpForge::Core::Error::TriggerErrorIf(error != AL_NO_ERROR, fileName, lineNumber,
                                           "ERROR: %s from:    File: %s : Line: %d", OpenAlErrorName(error),
                                           fileName, lineNumber);
}
