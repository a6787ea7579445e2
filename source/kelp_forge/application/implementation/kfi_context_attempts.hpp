#ifndef KELP_FORGE_APPLICATION_IMPLEMENTATION_CONTEXT_ATTEMPTS_HPP
#define KELP_FORGE_APPLICATION_IMPLEMENTATION_CONTEXT_ATTEMPTS_HPP

// The kinds of OpenGL context the window layer asks for, in order of preference. When none can be
// made the window layer falls back to the platform's default context and the renderer's legacy path.

#include <initializer_list>
#include <vector>

namespace kfImplementation
{

enum class ContextProfile
{
    kCore,
    kCompatible,
    kES, // the renderer then uses its "#version 100" shaders
};

struct ContextAttempt
{
    ContextProfile profile;
    int majorVersion;
    int minorVersion;
};

// The attempts the next Open makes: 3.2 core, 3.2 compatible, ES 2.0 unless limited below.
[[nodiscard]] const std::vector<ContextAttempt>& GetContextAttempts();

// Test hook: keeps only the attempts of the listed profiles, in their usual order, for every later
// Open in this process. An empty list forces the default context and the legacy renderer path;
// {kCompatible} runs the shader path on a compatibility context.
void LimitContextAttempts(std::initializer_list<ContextProfile> profiles);

} // namespace kfImplementation

#endif
