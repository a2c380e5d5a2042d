// Listing every simulation of a drawing that holds 1,000 simulations of
// 1,000 positions, against copying the same simulations with the factory.
// The list loads each simulation by its name and hands out copies, so what
// it adds over the copies is finding the names and opening the entries.
#include "bench/support/BenchDrawing.h"
#include "storage/CPmAcadSim200.h"
#include "storage/CPmDbxFactory200.h"
#include "storage/CPmSimList200.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr int kSims = 1000;
constexpr std::size_t kPositions = 1000;

// The drawing stays the working one for the whole run.
struct StoredSims
{
    StoredSims() { bench::StoreSims(kSims, bench::MakePath(kPositions), 1); }
    bench::WorkingDrawing drawing;
};

void storeOnce()
{
    static StoredSims stored;
}

void BM_LoadSimList(benchmark::State& state)
{
    storeOnce();
    for (auto _ : state)
    {
        std::unique_ptr<CPmSimList200> list(CPmDbxFactory200::LoadSimList(true, false));
        if (list->Size() != kSims)
            state.SkipWithError("the list is not whole");
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadSimList)->Unit(benchmark::kMillisecond);

// The stored simulations are held open for read while they are copied, as
// the list holds each while it copies it.
void BM_LoadSimList_Baseline(benchmark::State& state)
{
    storeOnce();
    std::vector<CPmSim200*> stored;
    for (int i = 0; i < kSims; ++i)
        stored.push_back(CPmAcadSim200::Load(L"Sim " + std::to_wstring(i)));
    std::vector<CPmSim200*> copies;
    copies.reserve(kSims);
    for (auto _ : state)
    {
        for (const CPmSim200* sim : stored)
            copies.push_back(CPmDbxFactory200::CopySim(*sim));
        state.PauseTiming();
        for (CPmSim200* copy : copies)
            CPmDbxFactory200::DeleteSim(copy);
        copies.clear();
        state.ResumeTiming();
    }
    for (CPmSim200* sim : stored)
        sim->Close();
}
BENCHMARK(BM_LoadSimList_Baseline)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
