#include "kelp_forge/core/kf_error.hpp"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace KelpForge::Core::Error
{
namespace
{

// Built on first use so that it exists before any other module's static initialiser can fire.
struct ErrorState
{
    std::string lastFileName;
    int lastLineNumber = -1;
    std::vector<ErrorHandlerInterface*> handlers;
    bool isThrowing = false;
    kfImplementation::ExceptionalErrorHandler exceptionalHandler;
};

ErrorState& State()
{
    static ErrorState state;
    return state;
}

constexpr size_t kMessageBufferSize = 4096;

void FireError(const char* fileName, int lineNumber, const char* format, va_list arguments)
    __attribute__((format(printf, 3, 0)));

void FireError(const char* fileName, int lineNumber, const char* format, va_list arguments)
{
    std::array<char, kMessageBufferSize> buffer{};
    std::vsnprintf(buffer.data(), buffer.size(), format, arguments);
    const std::string message(buffer.data());

    ErrorState& state = State();
    state.lastLineNumber = lineNumber;
    state.lastFileName = fileName;

    if (state.isThrowing)
    {
        state.exceptionalHandler.OnErrorFired(message);
        return;
    }
    // A handler may remove itself while handling, so walk a copy of the list.
    const std::vector<ErrorHandlerInterface*> handlers = state.handlers;
    for (ErrorHandlerInterface* handler : handlers)
    {
        handler->OnErrorFired(message);
    }
}

} // namespace

ErrorHandlerInterface::~ErrorHandlerInterface() = default;

void TriggerErrorIf(bool testResult, const char* fileName, int lineNumber, const char* format, ...)
{
    if (!testResult)
    {
        return;
    }
    va_list arguments;
    va_start(arguments, format);
    FireError(fileName, lineNumber, format, arguments);
    va_end(arguments);
}

void TriggerError(const char* fileName, int lineNumber, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    FireError(fileName, lineNumber, format, arguments);
    va_end(arguments);
}

void TriggerError(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    FireError("unknown file", 0, format, arguments);
    va_end(arguments);
}

void AddErrorHandler(ErrorHandlerInterface* handler)
{
    State().handlers.push_back(handler);
}

void RemoveErrorHandler(ErrorHandlerInterface* handler)
{
    std::erase(State().handlers, handler);
}

const std::string& GetErrorFileName()
{
    return State().lastFileName;
}

int GetErrorLineNumber()
{
    return State().lastLineNumber;
}

void SetThrowingMode(bool isThrowing)
{
    State().isThrowing = isThrowing;
}

bool IsThrowingMode()
{
    return State().isThrowing;
}

} // namespace KelpForge::Core::Error

void kfImplementation::ExceptionalErrorHandler::OnErrorFired(const std::string& errorMessage)
{
    throw ErroredException(errorMessage);
}
