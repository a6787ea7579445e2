#ifndef KELP_FORGE_CORE_ERROR_HPP
#define KELP_FORGE_CORE_ERROR_HPP

// Every check in the framework and the game reports through this facility. A check names the
// condition as the error: it fires when the condition is true. The facility never stops anything
// by itself; the registered handlers decide (the game application shows a box and terminates).
//
// Message prefixes say whose fault an error is: "kfExternalError:" the caller, "kfInternalError:"
// the framework, "kfDataError:" a data file, "kfError:" a run-time failure, "kfCastingError:" a
// lossy conversion.

#include <stdexcept>
#include <string>

namespace KelpForge::Core::Error
{

class ErrorHandlerInterface
{
public:
    virtual ~ErrorHandlerInterface() = 0;
    virtual void OnErrorFired(const std::string& errorMessage) = 0;
};

// The arguments after format are evaluated by the caller whether or not the check fires.
void TriggerErrorIf(bool testResult, const char* fileName, int lineNumber, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
void TriggerError(const char* fileName, int lineNumber, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
// Reports with the file name "unknown file" and line 0.
void TriggerError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Handlers are not owned: a handler must remove itself before it is destroyed.
void AddErrorHandler(ErrorHandlerInterface* handler);
// Removes every registration of handler; unknown handlers are ignored.
void RemoveErrorHandler(ErrorHandlerInterface* handler);

// Location of the most recent fired check: empty and -1 until the first one fires.
const std::string& GetErrorFileName();
int GetErrorLineNumber();

// In throwing mode a fired check throws ErroredException instead of calling the handlers.
// The game never switches it on; tests and tools that want to stop at the first error do.
void SetThrowingMode(bool isThrowing);
bool IsThrowingMode();

} // namespace KelpForge::Core::Error

namespace kfImplementation
{

class ExceptionalErrorHandler : public KelpForge::Core::Error::ErrorHandlerInterface
{
public:
    class ErroredException : public std::runtime_error
    {
    public:
        using std::runtime_error::runtime_error;
    };

    void OnErrorFired(const std::string& errorMessage) override;
};

} // namespace kfImplementation

#define kf_error_if(testResult, format, ...)                                                              \
    ::KelpForge::Core::Error::TriggerErrorIf((testResult), __FILE__, __LINE__, format __VA_OPT__(, ) __VA_ARGS__)
#define kf_error(format, ...)                                                                             \
    ::KelpForge::Core::Error::TriggerError(__FILE__, __LINE__, format __VA_OPT__(, ) __VA_ARGS__)

#endif
