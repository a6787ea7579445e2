#ifndef KELP_FORGE_GRAPHICS_IMPLEMENTATION_ERROR_WATCH_HPP
#define KELP_FORGE_GRAPHICS_IMPLEMENTATION_ERROR_WATCH_HPP

#include "kelp_forge/core/kf_error.hpp"

#include <string>

namespace kfImplementation
{

// Notices every check that fires while it exists, whoever makes it, so that a load made of many
// steps can stop at the first report even when no handler ends the process. It registers as
// the last error handler, so the handlers registered before it still see every message first.
class ErrorWatch : public KelpForge::Core::Error::ErrorHandlerInterface
{
public:
    ErrorWatch() { KelpForge::Core::Error::AddErrorHandler(this); }
    ~ErrorWatch() override { KelpForge::Core::Error::RemoveErrorHandler(this); }
    ErrorWatch(const ErrorWatch&) = delete;
    ErrorWatch& operator=(const ErrorWatch&) = delete;

    void OnErrorFired(const std::string& /*errorMessage*/) override { mHasFired = true; }
    [[nodiscard]] bool HasFired() const { return mHasFired; }

private:
    bool mHasFired = false;
};

} // namespace kfImplementation

#endif
