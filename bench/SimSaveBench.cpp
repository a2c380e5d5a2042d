// Saving a simulation into drawings that hold more and more stored
// simulations of 1,000 positions each. Before it stores, a save makes sure no
// other stored simulation keeps its identifier; that reads only the stored
// identifiers, so it should cost well under a microsecond per stored
// simulation. Each SaveAmongN runs beside its _Baseline, the same save into a
// drawing holding one simulation; StoreAmongN does the same for the bare
// store without that pass, which shows what the host's own store costs as
// the dictionary grows.
#include "host/AcDbDatabase.h"
#include "storage/CPmAcadPart.h"
#include "storage/CPmAcadSection200.h"
#include "storage/CPmAcadSegment200.h"
#include "storage/CIvAcadObject.h"
#include "storage/CPmAcadSim200.h"
#include "storage/CPmDbxFactory200.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace
{
constexpr int kPositions = 1000;
// Every save leaves the simulation it replaces in memory until the drawing
// goes, so the number of saves is fixed rather than left to the library.
constexpr benchmark::IterationCount kSaves = 500;
// Identifiers that name no object of the drawing; the saved one is shared
// with no stored simulation.
constexpr unsigned __int64 kStoredIds = 0x10000000;
constexpr unsigned __int64 kSavedId = 0x0FFFFFFF;

CPmSim200* simulation(const CString& name, unsigned __int64 id)
{
    std::vector<PmPosition200> path;
    for (int i = 0; i < kPositions; ++i)
        path.push_back(PmPosition200{{static_cast<double>(i), 2, 0}, {static_cast<double>(i), 3, 0}, {}});
    auto* segment = new CPmAcadSegment200();
    segment->AddPart(new CPmAcadPart());
    segment->AddPath(path);
    auto* section = new CPmAcadSection200();
    section->AddSegment(segment);
    CPmSim200* sim = CPmDbxFactory200::MakeSim(id, 0);
    sim->SetName(name);
    sim->AddSection(section);
    return sim;
}

// The working drawing for as long as it lives, holding stored simulations.
class Drawing
{
public:
    explicit Drawing(int stored) : m_database(new AcDbDatabase())
    {
        CPmAcadSim200::rxInit();
        acdbHostApplicationServices()->setWorkingDatabase(m_database);
        for (int i = 0; i < stored; ++i)
            simulation(L"Stored " + std::to_wstring(i), kStoredIds + static_cast<unsigned>(i))->Save();
    }

    ~Drawing()
    {
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        delete m_database;
    }

    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;

private:
    AcDbDatabase* m_database;
};

int save(CPmSim200* sim)
{
    return sim->Save();
}

int storeOnly(CPmSim200* sim)
{
    return CIvAcadObject::Save(L"ZN_SIM", *sim->Name(), static_cast<CPmAcadSim200*>(sim));
}

// Each save stores a new simulation of the same name in place of the one
// before; they are all made before the clock runs.
void saveAmong(benchmark::State& state, int (*saving)(CPmSim200*), int stored)
{
    const Drawing drawing(stored);
    std::vector<CPmSim200*> saved;
    for (benchmark::IterationCount i = 0; i < state.max_iterations; ++i)
        saved.push_back(simulation(L"Saved", kSavedId));
    auto next = saved.begin();
    for (auto _ : state)
        benchmark::DoNotOptimize(saving(*next++));
}

void registerAmong(const std::string& name, int (*saving)(CPmSim200*))
{
    for (int stored : {10, 100, 1000})
    {
        const std::string among = name + std::to_string(stored);
        benchmark::RegisterBenchmark(among.c_str(), saveAmong, saving, stored)->Iterations(kSaves);
        benchmark::RegisterBenchmark((among + "_Baseline").c_str(), saveAmong, saving, 1)
            ->Iterations(kSaves);
    }
}

const bool registered = [] {
    registerAmong("SaveAmong", save);
    registerAmong("StoreAmong", storeOnly);
    return true;
}();
} // namespace

BENCHMARK_MAIN();
