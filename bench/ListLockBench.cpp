// What the drawing's lock adds to a command: znsim list on the demo's
// drawing, run the way the command runs it (the drawing read from its file
// into the host, every simulation listed, the report made), with the shared
// lock taken around it and, as the baseline, without; and the lock alone.
#include "app/Commands.h"
#include "app/DemoDrawing.h"
#include "app/DemoSimulations.h"
#include "app/SimBuilder.h"
#include "bench/support/BenchDrawing.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace
{
// One host for the whole run, as one znsim process has, and the demo's
// drawing written once into a scratch file.
struct DemoFile
{
    DemoFile() : file(bench::Narrow(bench::TemporaryPath(L"ListLockBench")))
    {
        options.file = file;
        host.Create();
        const DemoVehicles vehicles = DrawDemoVehicles();
        for (const SimDescription& sim : DemoSimulations(vehicles))
            StoreSimulation(sim, file, "the demo");
        host.Save(file);
    }
    ~DemoFile()
    {
        std::remove(file.c_str());
        std::remove(DrawingLock::LockFile(file).c_str());
    }

    HostSession host;
    std::string file;
    DrawingOptions options;
};

DemoFile& Demo()
{
    static DemoFile demo;
    return demo;
}

void BM_List(benchmark::State& state)
{
    DemoFile& demo = Demo();
    const DrawingCommand list = [&](AcDbDatabase& drawing) { return ListSimulations(drawing, demo.options); };
    for (auto _ : state)
    {
        const DrawingLock lock(demo.file, DrawingAccess::read, demo.options.wait);
        benchmark::DoNotOptimize(RunCommand(demo.host, demo.options, DrawingAccess::read, list));
    }
}
BENCHMARK(BM_List)->Unit(benchmark::kMicrosecond);

void BM_List_Baseline(benchmark::State& state)
{
    DemoFile& demo = Demo();
    const DrawingCommand list = [&](AcDbDatabase& drawing) { return ListSimulations(drawing, demo.options); };
    for (auto _ : state)
        benchmark::DoNotOptimize(RunCommand(demo.host, demo.options, DrawingAccess::read, list));
}
BENCHMARK(BM_List_Baseline)->Unit(benchmark::kMicrosecond);

// The lock alone: the lock file opened, locked and closed.
void BM_LockAlone(benchmark::State& state)
{
    DemoFile& demo = Demo();
    for (auto _ : state)
        const DrawingLock lock(demo.file, DrawingAccess::read, demo.options.wait);
}
BENCHMARK(BM_LockAlone)->Unit(benchmark::kMicrosecond);
} // namespace

BENCHMARK_MAIN();
