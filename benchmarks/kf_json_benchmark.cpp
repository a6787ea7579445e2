// LoadJsonFile throughput on generated level-style documents of about 1 MB and 20 MB, next to
// nlohmann::json reading the same file into its own DOM.

#include "kf_benchmark.hpp"

#include "kelp_forge/core/kf_json_parser.hpp"

#include <nlohmann/json.hpp>

#include <unistd.h>

#include <ctime>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace
{

using KelpForge::Benchmarks::ReportFigure;

// Repeatable values without touching the framework's own random sequence.
class ValueSource
{
public:
    std::uint32_t Next(std::uint32_t limit)
    {
        mState = mState * 1664525u + 1013904223u;
        return (mState >> 8) % limit;
    }
    double NextCoordinate() { return static_cast<double>(Next(128000)) / 100.0; }

private:
    std::uint32_t mState = 12345;
};

void AppendObject(std::ostringstream& out, ValueSource& values, int identifier)
{
    static const char* const kTypes[] = {"cave", "spider", "lantern"};
    const char* const type = kTypes[values.Next(3)];
    out << "        {\"id\": " << identifier << ", \"name\": \"" << type << "_" << identifier
        << "\", \"type\": \"" << type << "\", \"x\": " << values.NextCoordinate()
        << ", \"y\": " << values.NextCoordinate() << ", \"rotation\": 0, \"visible\": true";
    if (type[0] == 'c')
    {
        out << ",\n         \"polygon\": [";
        const std::uint32_t pointCount = 6 + values.Next(20);
        for (std::uint32_t point = 0; point < pointCount; ++point)
        {
            out << (point == 0 ? "" : ", ") << "{\"x\": " << values.NextCoordinate() - 640.0
                << ", \"y\": " << static_cast<int>(values.Next(720)) - 360 << "}";
        }
        out << "]";
    }
    out << "}";
}

// Layers of 200 objects each until the document reaches targetBytes.
std::string MakeLevelDocument(std::size_t targetBytes)
{
    std::ostringstream out;
    ValueSource values;
    out << "{\n  \"width\": 80, \"height\": 45, \"tilewidth\": 16, \"tileheight\": 16, \"version\": 1.2,\n"
           "  \"layers\": [\n"
           "    {\"name\": \"backdrop\", \"type\": \"imagelayer\", \"image\": \"gloamshot_cave_01.png\", "
           "\"opacity\": 1, \"visible\": true}";
    int identifier = 0;
    for (int layer = 0; static_cast<std::size_t>(out.tellp()) < targetBytes; ++layer)
    {
        out << ",\n    {\"name\": \"level_objects\", \"type\": \"objectgroup\", \"id\": " << layer
            << ", \"opacity\": 1, \"visible\": true, \"objects\": [\n";
        for (int object = 0; object < 200; ++object)
        {
            AppendObject(out, values, ++identifier);
            out << (object + 1 < 200 ? ",\n" : "\n");
        }
        out << "    ]}";
    }
    out << "\n  ]\n}\n";
    return out.str();
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    std::string text(static_cast<std::size_t>(file.tellg()), '\0');
    file.seekg(0);
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    return text;
}

// Processor time of this process, so that other work on a shared machine disturbs the figures less
// than it would disturb wall-clock time.
double ProcessSeconds()
{
    timespec now = {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Best throughput of several runs, in MB/s (10^6 bytes).
template <typename Loading> double BestThroughput(std::size_t bytes, int runs, Loading loading)
{
    double bestSeconds = 1e30;
    for (int run = 0; run < runs; ++run)
    {
        const double start = ProcessSeconds();
        loading();
        bestSeconds = std::min(bestSeconds, ProcessSeconds() - start);
    }
    return static_cast<double>(bytes) / 1e6 / bestSeconds;
}

volatile std::size_t sSink = 0;

void MeasureDocument(const std::filesystem::path& folder, const std::string& sizeName,
                     std::size_t targetBytes, int runs)
{
    const std::string document = MakeLevelDocument(targetBytes);
    const std::string path = (folder / ("level_" + sizeName + ".json")).string();
    std::ofstream(path, std::ios::binary) << document;

    ReportFigure("json_load_" + sizeName + "_kelp_forge",
                 BestThroughput(document.size(), runs,
                                [&]
                                { sSink = sSink + KelpForge::Core::LoadJsonFile(path)["layers"].Size(); }),
                 "MB/s");
    ReportFigure(
        "json_load_" + sizeName + "_nlohmann",
        BestThroughput(document.size(), runs,
                       [&] { sSink = sSink + nlohmann::json::parse(ReadWholeFile(path))["layers"].size(); }),
        "MB/s");
}

} // namespace

KF_BENCHMARK(JsonLoading)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kf_json_benchmark_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    MeasureDocument(folder, "1mb", 1000000, 20);
    MeasureDocument(folder, "20mb", 20000000, 4);
    std::filesystem::remove_all(folder);
}
