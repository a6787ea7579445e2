#ifndef KELP_FORGE_TESTS_ERROR_RECORDER_HPP
#define KELP_FORGE_TESTS_ERROR_RECORDER_HPP

#include "kelp_forge/core/kf_error.hpp"

#include <string>
#include <vector>

namespace KelpForge::Testing
{

// Registers itself as an error handler for its lifetime and keeps every message it receives,
// so a test can assert on the exact text while the code under test carries on as it would
// with no handler registered.
class ErrorRecorder : public Core::Error::ErrorHandlerInterface
{
public:
    ErrorRecorder() { Core::Error::AddErrorHandler(this); }
    ~ErrorRecorder() override { Core::Error::RemoveErrorHandler(this); }
    ErrorRecorder(const ErrorRecorder&) = delete;
    ErrorRecorder& operator=(const ErrorRecorder&) = delete;

    void OnErrorFired(const std::string& errorMessage) override { mMessages.push_back(errorMessage); }

    const std::vector<std::string>& Messages() const { return mMessages; }
    bool Contains(const std::string& message) const
    {
        for (const std::string& received : mMessages)
        {
            if (received == message)
            {
                return true;
            }
        }
        return false;
    }
    void Clear() { mMessages.clear(); }

private:
    std::vector<std::string> mMessages;
};

} // namespace KelpForge::Testing

#endif
