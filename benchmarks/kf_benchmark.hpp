#ifndef KELP_FORGE_BENCHMARKS_BENCHMARK_HPP
#define KELP_FORGE_BENCHMARKS_BENCHMARK_HPP

// A benchmark is a function that measures something and reports figures; KF_BENCHMARK registers
// it under a name so that `kelp_forge_benchmarks <filter>` can run a subset.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace KelpForge::Benchmarks
{

struct Registration
{
    std::string name;
    std::function<void()> run;
};

inline std::vector<Registration>& Registry()
{
    static std::vector<Registration> registry;
    return registry;
}

struct Registrar
{
    Registrar(std::string name, std::function<void()> run)
    {
        Registry().push_back({std::move(name), std::move(run)});
    }
};

// Prints one figure in the format every benchmark shares: "name value unit".
inline void ReportFigure(const std::string& name, double value, const std::string& unit)
{
    std::printf("%s %.3f %s\n", name.c_str(), value, unit.c_str());
    std::fflush(stdout);
}

inline double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// One contender of a side-by-side comparison: its figure's name and how to measure it once.
struct Contender
{
    std::string name;
    std::function<double()> measure;
};

// The machine may be shared, so each contender is measured rounds times, interleaved with the
// others, and its best round is reported.
inline void ReportBestOfInterleavedRounds(const std::vector<Contender>& contenders, const std::string& unit,
                                          int rounds = 3)
{
    std::vector<double> best(contenders.size(), 0.0);
    for (int round = 0; round < rounds; ++round)
    {
        for (std::size_t index = 0; index < contenders.size(); ++index)
        {
            const double figure = contenders[index].measure();
            best[index] = round == 0 ? figure : std::min(best[index], figure);
        }
    }
    for (std::size_t index = 0; index < contenders.size(); ++index)
    {
        ReportFigure(contenders[index].name, best[index], unit);
    }
}

} // namespace KelpForge::Benchmarks

#define KF_BENCHMARK_CONCAT_INNER(a, b) a##b
#define KF_BENCHMARK_CONCAT(a, b) KF_BENCHMARK_CONCAT_INNER(a, b)
#define KF_BENCHMARK(name)                                                                                   \
    static void KF_BENCHMARK_CONCAT(Benchmark_, name)();                                                     \
    static const ::KelpForge::Benchmarks::Registrar KF_BENCHMARK_CONCAT(sRegistrar_, name)(                  \
        #name, &KF_BENCHMARK_CONCAT(Benchmark_, name));                                                      \
    static void KF_BENCHMARK_CONCAT(Benchmark_, name)()

#endif
