// Mesa unloads its software driver when the last context closes. LeakSanitizer then sees the
// driver's process-lifetime allocations with no module to name, so the library suppressions in
// tests/leak_suppressions.txt cannot match them. Keeping the driver loaded until exit lets them.

#include <dlfcn.h>

namespace
{
const bool sIsGlDriverPinned = [] {
    return dlopen(KF_GL_DRIVER_PATH, RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE) != nullptr;
}();
} // namespace
