#include "bench/support/OpenInChild.h"

#include "bench/support/BenchDrawing.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace bench
{
namespace
{
constexpr const char* kOpenArgument = "--open-drawing";
constexpr const char* kIdleArgument = "--open-nothing";

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

int runChild(const char* drawingPath)
{
    WorkingDrawing drawing(true);
    const auto start = std::chrono::steady_clock::now();
    if (drawingPath != nullptr)
    {
        const std::string narrow(drawingPath);
        const std::wstring path(narrow.begin(), narrow.end());
        if (drawing.database().readDwgFile(path.c_str()) != Acad::eOk)
            return 1;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%ld %.9f\n", peakKilobytes(), took.count());
    return 0;
}
} // namespace

ChildOpen OpenInChild(const std::string& drawingPath)
{
    const char* argument = drawingPath.empty() ? kIdleArgument : kOpenArgument;
    char* argv[] = {const_cast<char*>("/proc/self/exe"), const_cast<char*>(argument),
                    drawingPath.empty() ? nullptr : const_cast<char*>(drawingPath.c_str()), nullptr};
    int output[2];
    if (::pipe(output) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    ::posix_spawn_file_actions_addclose(&actions, output[0]);
    pid_t child = 0;
    const bool started = ::posix_spawn(&child, argv[0], &actions, nullptr, argv, environ) == 0;
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    char text[128] = {};
    const ssize_t got = started ? ::read(output[0], text, sizeof text - 1) : -1;
    ::close(output[0]);
    int status = 0;
    long peak = -1;
    ChildOpen result;
    if (!started || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0 || got <= 0 ||
        std::sscanf(text, "%ld %lf", &peak, &result.seconds) != 2)
        return {};
    result.peakBytes = 1024.0 * static_cast<double>(peak);
    return result;
}

int MainOpeningInChildren(int argc, char** argv)
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
} // namespace bench
