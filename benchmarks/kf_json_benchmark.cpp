// LoadJsonFile throughput on generated level-style documents of about 1 MB and 20 MB, next to
// nlohmann::json reading the same file into its own DOM.
//
// A level file is loaded once, so the main figures time a single load in a child process forked
// before this process has loaded anything. The "_repeated" figures time loads repeated in this
// process. Runs alternate between the two parsers, and each figure is the median of its runs in
// processor time, so that other work on a shared machine disturbs it little.

#include "kf_benchmark.hpp"

#include "kelp_forge/core/kf_json_parser.hpp"

#include <nlohmann/json.hpp>

#include <sys/wait.h>
#include <unistd.h>

#include <ctime>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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

// Processor time of this process (of the child, in a child).
double ProcessSeconds()
{
    timespec now = {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Median of the given durations, in MB/s (10^6 bytes) for a document of bytes.
double MedianThroughput(std::size_t bytes, std::vector<double> seconds)
{
    std::sort(seconds.begin(), seconds.end());
    return static_cast<double>(bytes) / 1e6 / seconds[seconds.size() / 2];
}

template <typename Loading> double SecondsOfOneLoad(Loading loading)
{
    const double start = ProcessSeconds();
    loading();
    return ProcessSeconds() - start;
}

// Runs one load in a child process and returns its duration (0 if the child failed).
template <typename Loading> double SecondsOfOneLoadInChild(Loading loading)
{
    int channel[2] = {};
    if (pipe(channel) != 0)
    {
        return 0.0;
    }
    const pid_t child = fork();
    if (child == 0)
    {
        close(channel[0]);
        const double seconds = SecondsOfOneLoad(loading);
        const bool isWritten =
            write(channel[1], &seconds, sizeof(seconds)) == static_cast<ssize_t>(sizeof(seconds));
        _exit(isWritten ? 0 : 1);
    }
    close(channel[1]);
    double seconds = 0.0;
    if (child < 0 || read(channel[0], &seconds, sizeof(seconds)) != static_cast<ssize_t>(sizeof(seconds)))
    {
        seconds = 0.0;
    }
    close(channel[0]);
    if (child > 0)
    {
        waitpid(child, nullptr, 0);
    }
    return seconds;
}

volatile std::size_t sSink = 0;

struct Document
{
    std::string sizeName;
    std::string path;
    std::size_t bytes;
    int runs;
};

Document WriteDocument(const std::filesystem::path& folder, const std::string& sizeName,
                       std::size_t targetBytes, int runs)
{
    const std::string text = MakeLevelDocument(targetBytes);
    const std::string path = (folder / ("level_" + sizeName + ".json")).string();
    std::ofstream(path, std::ios::binary) << text;
    return {sizeName, path, text.size(), runs};
}

void LoadWithKelpForge(const Document& document)
{
    sSink = sSink + KelpForge::Core::LoadJsonFile(document.path)["layers"].Size();
}

void LoadWithNlohmann(const Document& document)
{
    sSink = sSink + nlohmann::json::parse(ReadWholeFile(document.path))["layers"].size();
}

// Runs alternate between the two parsers so that a change in the machine's load meets both.
template <typename Measuring>
void ReportBoth(const Document& document, const std::string& suffix, Measuring measuring)
{
    std::vector<double> kelpForge;
    std::vector<double> nlohmann;
    for (int run = 0; run < document.runs; ++run)
    {
        kelpForge.push_back(measuring([&] { LoadWithKelpForge(document); }));
        nlohmann.push_back(measuring([&] { LoadWithNlohmann(document); }));
    }
    ReportFigure("json_load_" + document.sizeName + "_kelp_forge" + suffix,
                 MedianThroughput(document.bytes, kelpForge), "MB/s");
    ReportFigure("json_load_" + document.sizeName + "_nlohmann" + suffix,
                 MedianThroughput(document.bytes, nlohmann), "MB/s");
}

} // namespace

KF_BENCHMARK(JsonLoading)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kf_json_benchmark_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::vector<Document> documents = {WriteDocument(folder, "1mb", 1000000, 15),
                                             WriteDocument(folder, "20mb", 20000000, 5)};
    // Fresh loads first, while the heap the children inherit is still close to a new program's.
    for (const Document& document : documents)
    {
        ReportBoth(document, "", [](auto loading) { return SecondsOfOneLoadInChild(loading); });
    }
    for (const Document& document : documents)
    {
        ReportBoth(document, "_repeated", [](auto loading) { return SecondsOfOneLoad(loading); });
    }
    std::filesystem::remove_all(folder);
}
