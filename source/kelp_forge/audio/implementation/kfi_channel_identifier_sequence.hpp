#ifndef KELP_FORGE_AUDIO_IMPLEMENTATION_CHANNEL_IDENTIFIER_SEQUENCE_HPP
#define KELP_FORGE_AUDIO_IMPLEMENTATION_CHANNEL_IDENTIFIER_SEQUENCE_HPP

#include "kelp_forge/core/kf_error.hpp"

#include <cstdint>

namespace kfImplementation
{

// Issues channel identifiers 1, 2, 3, ... Identifier 0 means "no channel", so when the count wraps
// around it is reported and skipped.
class ChannelIdentifierSequence
{
public:
    explicit ChannelIdentifierSequence(std::uint32_t lastIssued = 0) : mLastIssued(lastIssued) {}

    [[nodiscard]] std::uint32_t Next()
    {
        ++mLastIssued;
        if (mLastIssued == 0)
        {
            kf_error("kfInternalError: Audio Channel Identifier Rolled Over.");
            ++mLastIssued;
        }
        return mLastIssued;
    }

private:
    std::uint32_t mLastIssued = 0;
};

} // namespace kfImplementation

#endif
