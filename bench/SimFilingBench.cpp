// Filing one simulation of a million path positions out to the host's memory
// filer and back in, against a baseline that makes the same Euler
// conversions and copies the same bytes by hand. A position's record is its
// point, three angles and second point (72 bytes); what the filing adds over
// the baseline is the filer's calls and the building of the record's objects.
#include "bench/support/BenchDrawing.h"
#include "cadhost/DwgMemoryFiler.h"
#include "storage/CPmAcadSim200.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace
{
constexpr std::size_t kPositions = 1000000;
constexpr std::size_t kPositionBytes = 9 * sizeof(double);

const std::vector<PmPosition200>& path()
{
    static const std::vector<PmPosition200> made = bench::MakePath(kPositions);
    return made;
}

std::unique_ptr<CPmAcadSim200> simulation()
{
    return std::unique_ptr<CPmAcadSim200>(
        static_cast<CPmAcadSim200*>(bench::MakeSim(L"Filed", 0, path())));
}

void reportPositions(benchmark::State& state)
{
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kPositions));
}

void BM_FileOut(benchmark::State& state)
{
    const auto sim = simulation();
    DwgMemoryFiler filer;
    sim->dwgOutFields(&filer); // the filer's buffer grows once, outside the measurement
    for (auto _ : state)
    {
        filer.rewind();
        sim->dwgOutFields(&filer);
        benchmark::ClobberMemory();
    }
    reportPositions(state);
}
BENCHMARK(BM_FileOut)->Unit(benchmark::kMillisecond);

void BM_FileOut_Baseline(benchmark::State& state)
{
    std::vector<std::uint8_t> bytes(kPositions * kPositionBytes);
    std::vector<PmPosition200> positions = path();
    for (auto _ : state)
    {
        std::uint8_t* at = bytes.data();
        for (PmPosition200& p : positions)
        {
            double record[9] = {p.pt.x, p.pt.y, p.pt.z, 0, 0, 0, p.tpt.x, p.tpt.y, p.tpt.z};
            p.transform.GetEulerAngles(record + 3);
            std::memcpy(at, record, sizeof record);
            at += sizeof record;
        }
        benchmark::ClobberMemory();
    }
    reportPositions(state);
}
BENCHMARK(BM_FileOut_Baseline)->Unit(benchmark::kMillisecond);

void BM_FileIn(benchmark::State& state)
{
    DwgMemoryFiler filer;
    simulation()->dwgOutFields(&filer);
    for (auto _ : state)
    {
        filer.rewind();
        std::unique_ptr<CPmAcadSim200> sim(new CPmAcadSim200());
        sim->dwgInFields(&filer);
        benchmark::DoNotOptimize(sim->Length());
        state.PauseTiming();
        sim.reset();
        state.ResumeTiming();
    }
    reportPositions(state);
}
BENCHMARK(BM_FileIn)->Unit(benchmark::kMillisecond);

void BM_FileIn_Baseline(benchmark::State& state)
{
    std::vector<std::uint8_t> bytes(kPositions * kPositionBytes);
    std::uint8_t* at = bytes.data();
    for (const PmPosition200& p : path())
    {
        double record[9] = {p.pt.x, p.pt.y, p.pt.z, 0.3, 0.1, -0.2, p.tpt.x, p.tpt.y, p.tpt.z};
        std::memcpy(at, record, sizeof record);
        at += sizeof record;
    }
    for (auto _ : state)
    {
        std::vector<PmPosition200> positions;
        positions.reserve(kPositions);
        const std::uint8_t* from = bytes.data();
        for (std::size_t i = 0; i < kPositions; ++i, from += kPositionBytes)
        {
            double record[9];
            std::memcpy(record, from, sizeof record);
            PmPosition200 p;
            p.pt = {record[0], record[1], record[2]};
            p.transform.Reset();
            p.transform.SetTranslation(CZnVector(record[0], record[1], record[2]));
            p.transform.SetEulerAngles(record + 3);
            p.tpt = {record[6], record[7], record[8]};
            positions.push_back(p);
        }
        benchmark::DoNotOptimize(positions.data());
        state.PauseTiming();
        positions = std::vector<PmPosition200>();
        state.ResumeTiming();
    }
    reportPositions(state);
}
BENCHMARK(BM_FileIn_Baseline)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
