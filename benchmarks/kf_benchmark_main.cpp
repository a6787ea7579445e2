#include "kf_benchmark.hpp"

#include <cstring>

// Runs every registered benchmark, or those whose name contains the first argument.
int main(int argumentCount, char** arguments)
{
    const char* filter = argumentCount > 1 ? arguments[1] : "";
    for (const KelpForge::Benchmarks::Registration& benchmark : KelpForge::Benchmarks::Registry())
    {
        if (std::strstr(benchmark.name.c_str(), filter) != nullptr)
        {
            benchmark.run();
        }
    }
    return 0;
}
