#include "kelp_forge/application/implementation/kfi_context_attempts.hpp"

#include <algorithm>
#include <array>

namespace kfImplementation
{
namespace
{

constexpr std::array<ContextAttempt, 3> kAllContextAttempts = {{
    {ContextProfile::kCore, 3, 2},
    {ContextProfile::kCompatible, 3, 2},
    {ContextProfile::kES, 2, 0},
}};

std::vector<ContextAttempt>& SelectedAttempts()
{
    static std::vector<ContextAttempt> attempts(kAllContextAttempts.begin(), kAllContextAttempts.end());
    return attempts;
}

} // namespace

const std::vector<ContextAttempt>& GetContextAttempts()
{
    return SelectedAttempts();
}

void LimitContextAttempts(std::initializer_list<ContextProfile> profiles)
{
    std::vector<ContextAttempt>& attempts = SelectedAttempts();
    attempts.clear();
    for (const ContextAttempt& attempt : kAllContextAttempts)
    {
        if (std::find(profiles.begin(), profiles.end(), attempt.profile) != profiles.end())
        {
            attempts.push_back(attempt);
        }
    }
}

} // namespace kfImplementation
