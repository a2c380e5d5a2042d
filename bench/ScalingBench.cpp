// How the costs grow with the size of a drawing: saving and opening drawings
// of more and more positions (in simulations of 10,000), each open in a
// fresh process; saving one simulation among, and listing, more and more
// simulations of 1,000 positions. Every size is built once and measured once,
// since the largest take minutes and gigabytes. bench/run runs this program
// only when asked (--scaling), each size in a process of its own: what a
// process has freed before changes what fresh memory costs it, and a host
// meets a drawing in a process of its own too. docs/scaling.md reads its
// figures. --largest=N adds a drawing of N positions to the default sizes.
#include "bench/support/BenchDrawing.h"
#include "bench/support/OpenInChild.h"
#include "model/CPmSim200.h"
#include "storage/CPmDbxFactory200.h"
#include "storage/CPmSimList200.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace
{
constexpr std::size_t kPositionsPerSim = 10000;
constexpr std::size_t kListedPositions = 1000;
constexpr int kSaves = 100;

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A drawing of positions positions saved to a scratch file, opened by a child.
// The figure is the open; the save, the file and the child's peak are
// counters.
void BM_DrawingOfPositions(benchmark::State& state)
{
    const auto positions = static_cast<std::size_t>(state.range(0));
    const std::wstring path = bench::TemporaryPath(L"scaling-bench");
    double saveSeconds = 0;
    {
        bench::WorkingDrawing drawing;
        bench::StoreSims(static_cast<int>(positions / kPositionsPerSim),
                         bench::MakePath(kPositionsPerSim), 1);
        const auto start = std::chrono::steady_clock::now();
        if (drawing.database().saveAs(path.c_str()) != Acad::eOk)
            state.SkipWithError("the drawing was not saved");
        saveSeconds = secondsSince(start);
    }
    struct stat file{};
    ::stat(bench::Narrow(path).c_str(), &file);
    bench::ChildOpen opened;
    for (auto _ : state)
    {
        opened = bench::OpenInChild(bench::Narrow(path));
        if (opened.peakBytes < 0)
            state.SkipWithError("the child did not open the drawing");
        state.SetIterationTime(opened.seconds);
    }
    std::remove(bench::Narrow(path).c_str());
    state.counters["save_s"] = saveSeconds;
    state.counters["file_bytes"] = static_cast<double>(file.st_size);
    state.counters["peak_bytes"] = opened.peakBytes;
    state.counters["peak_per_position"] = opened.peakBytes / static_cast<double>(positions);
}

// Storing sims simulations one after another, then the figure: one save
// among them. The first is the whole way to a drawing of that many.
void BM_SaveAmong(benchmark::State& state)
{
    const auto sims = static_cast<int>(state.range(0));
    const std::vector<PmPosition200> path = bench::MakePath(kListedPositions);
    const bench::WorkingDrawing drawing;
    const auto start = std::chrono::steady_clock::now();
    bench::StoreSims(sims, path, 0x10000000);
    const double buildSeconds = secondsSince(start);
    for (auto _ : state)
    {
        std::vector<CPmSim200*> saved;
        for (int i = 0; i < kSaves; ++i)
            saved.push_back(bench::MakeSim(L"Saved", 0x0FFFFFFF, path));
        const auto saving = std::chrono::steady_clock::now();
        for (CPmSim200* sim : saved)
            sim->Save();
        state.SetIterationTime(secondsSince(saving) / kSaves);
    }
    state.counters["build_s"] = buildSeconds;
}

void BM_LoadSimListOver(benchmark::State& state)
{
    const auto sims = static_cast<int>(state.range(0));
    const bench::WorkingDrawing drawing;
    bench::StoreSims(sims, bench::MakePath(kListedPositions), 1);
    for (auto _ : state)
    {
        const auto start = std::chrono::steady_clock::now();
        std::unique_ptr<CPmSimList200> list(CPmDbxFactory200::LoadSimList(true, false));
        state.SetIterationTime(secondsSince(start));
        if (list->Size() != sims)
            state.SkipWithError("the list is not whole");
    }
}

void registerAll(long long largest)
{
    auto* drawings = benchmark::RegisterBenchmark("BM_DrawingOfPositions", BM_DrawingOfPositions);
    for (long long positions : {1000000LL, 4000000LL, 16000000LL})
        drawings->Arg(positions);
    if (largest > 0)
        drawings->Arg(largest);
    drawings->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_SaveAmong", BM_SaveAmong)
        ->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)
        ->Iterations(1)->UseManualTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BM_LoadSimListOver", BM_LoadSimListOver)
        ->Arg(100)->Arg(1000)->Arg(10000)
        ->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
}
} // namespace

int main(int argc, char** argv)
{
    long long largest = 0;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--largest=", 10) == 0)
            largest = std::atoll(argv[i] + 10);
    registerAll(largest);
    return bench::MainOpeningInChildren(argc, argv);
}
