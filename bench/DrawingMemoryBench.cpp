// The peak resident size of a fresh process that opens a drawing of 100
// simulations of 10,000 positions, against the bytes the simulations'
// records take in memory once it is open. Each measurement runs this program
// again as a child that opens the file and writes its own peak (the kernel's
// high-water mark of its resident set) to its output. A child that opens
// nothing gives the process's own baseline: the host, the module and the
// libraries they load. The resource usage that waiting for a child yields
// would not do: a child started by a process that shares its memory until it
// starts the program inherits the parent's high-water mark.
#include "bench/support/BenchDrawing.h"
#include "host/AcDbDictionary.h"
#include "storage/CIvAcadObject.h"
#include "storage/CPmAcadSim200.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{
constexpr int kSims = 100;
constexpr std::size_t kPositions = 10000;
constexpr const char* kOpenArgument = "--open-drawing";
constexpr const char* kIdleArgument = "--open-nothing";

// The process's peak resident size in kB, from its status.
long peakKilobytes()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    char line[256];
    long peak = -1;
    while (status != nullptr && std::fgets(line, sizeof line, status) != nullptr)
        if (std::sscanf(line, "VmHWM: %ld kB", &peak) == 1)
            break;
    if (status != nullptr)
        std::fclose(status);
    return peak;
}

// What a child does: open the drawing as a host does, or only start up, and
// then tell its peak.
int runChild(const char* drawingPath)
{
    bench::WorkingDrawing drawing(true);
    if (drawingPath != nullptr)
    {
        const std::string narrow(drawingPath);
        const std::wstring path(narrow.begin(), narrow.end());
        if (drawing.database().readDwgFile(path.c_str()) != Acad::eOk)
            return 1;
    }
    std::printf("%ld\n", peakKilobytes());
    return 0;
}

// The drawing saved once, and the bytes of its records as read back.
class SavedDrawing
{
public:
    SavedDrawing() : m_path(bench::Narrow(bench::TemporaryPath(L"drawing-memory-bench")))
    {
        const std::wstring path(m_path.begin(), m_path.end());
        {
            bench::WorkingDrawing drawing;
            bench::StoreSims(kSims, bench::MakePath(kPositions), 1);
            drawing.database().saveAs(path.c_str());
        }
        bench::WorkingDrawing opened(true);
        if (opened.database().readDwgFile(path.c_str()) == Acad::eOk)
            m_recordBytes = recordBytesOfStoredSims();
    }
    ~SavedDrawing() { std::remove(m_path.c_str()); }
    SavedDrawing(const SavedDrawing&) = delete;
    SavedDrawing& operator=(const SavedDrawing&) = delete;

    const std::string& path() const { return m_path; }
    double recordBytes() const { return static_cast<double>(m_recordBytes); }

private:
    static std::size_t recordBytesOfStoredSims()
    {
        CStringArray names;
        CIvAcadObject::GetObjectNames(L"ZN_SIM", &names);
        std::size_t bytes = 0;
        for (int i = 0; i < names.GetSize(); ++i)
            if (CPmSim200* sim = CPmAcadSim200::Load(names[i]))
            {
                bytes += bench::RecordBytes(*sim);
                sim->Close();
            }
        return bytes;
    }

    std::string m_path;
    std::size_t m_recordBytes = 0;
};

// The peak resident bytes of this program run again with the arguments;
// negative when it could not run or failed.
double childPeak(const char* argument, const char* drawingPath)
{
    char* argv[] = {const_cast<char*>("/proc/self/exe"), const_cast<char*>(argument),
                    const_cast<char*>(drawingPath), nullptr};
    int output[2];
    if (::pipe(output) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    ::posix_spawn_file_actions_addclose(&actions, output[0]);
    pid_t child = 0;
    const bool started = ::posix_spawn(&child, argv[0], &actions, nullptr, argv, environ) == 0;
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    char text[64] = {};
    const ssize_t got = started ? ::read(output[0], text, sizeof text - 1) : -1;
    ::close(output[0]);
    int status = 0;
    if (!started || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0 || got <= 0)
        return -1;
    return 1024.0 * std::strtod(text, nullptr);
}

void BM_OpenedDrawingPeak(benchmark::State& state)
{
    static const SavedDrawing drawing;
    double peak = 0;
    double process = 0;
    for (auto _ : state)
    {
        peak = childPeak(kOpenArgument, drawing.path().c_str());
        process = childPeak(kIdleArgument, nullptr);
        if (peak < 0 || process < 0)
            state.SkipWithError("a child process failed");
    }
    state.counters["peak"] = peak;
    state.counters["process"] = process;
    state.counters["records"] = drawing.recordBytes();
}
BENCHMARK(BM_OpenedDrawingPeak)->Iterations(1)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], kOpenArgument) == 0)
        return runChild(argv[2]);
    if (argc == 2 && std::strcmp(argv[1], kIdleArgument) == 0)
        return runChild(nullptr);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
