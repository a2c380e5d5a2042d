// Saving a simulation into drawings that hold more and more stored
// simulations of 1,000 positions each. Before it stores, a save makes sure no
// other stored simulation keeps its identifier; that reads only the stored
// identifiers, so it should cost well under a microsecond per stored
// simulation. Each SaveAmongN runs beside its _Baseline, the same save into a
// drawing holding one simulation; StoreAmongN does the same for the bare
// store without that pass, which shows what the host's own store costs as
// the dictionary grows, and WalkAmongN for the least any such pass does:
// open every stored simulation for read and close it again.
#include "bench/support/BenchDrawing.h"
#include "host/AcDbDictionary.h"
#include "storage/CIvAcadObject.h"
#include "storage/CPmAcadSim200.h"
#include "storage/SimDictionary.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace
{
constexpr std::size_t kPositions = 1000;
// Every save leaves the simulation it replaces in memory until the drawing
// goes, so the number of saves is fixed rather than left to the library.
constexpr benchmark::IterationCount kSaves = 500;
// Identifiers that name no object of the drawing; the saved one is shared
// with no stored simulation.
constexpr unsigned __int64 kStoredIds = 0x10000000;
constexpr unsigned __int64 kSavedId = 0x0FFFFFFF;

const std::vector<PmPosition200>& path()
{
    static const std::vector<PmPosition200> made = bench::MakePath(kPositions);
    return made;
}

int save(CPmSim200* sim)
{
    return sim->Save();
}

int storeOnly(CPmSim200* sim)
{
    return CIvAcadObject::Save(kSimDictionary, *sim->Name(), static_cast<CPmAcadSim200*>(sim));
}

int walkStored(CPmSim200*)
{
    AcDbDictionary* namedObjects = nullptr;
    acdbHostApplicationServices()->workingDatabase()->getNamedObjectsDictionary(namedObjects,
                                                                               AcDb::kForRead);
    AcDbDictionary* sims = nullptr;
    AcDbObjectId simsId;
    namedObjects->getAt(kSimDictionary, simsId);
    acdbOpenObject(sims, simsId, AcDb::kForRead);
    namedObjects->close();
    int opened = 0;
    AcDbDictionaryIterator* it = sims->newIterator();
    for (; !it->done(); it->next())
    {
        AcDbObject* entry = nullptr;
        if (it->getObject(entry, AcDb::kForRead) == Acad::eOk)
            opened += entry->close() == Acad::eOk ? 1 : 0;
    }
    delete it;
    sims->close();
    return opened;
}

// Each save stores a new simulation of the same name in place of the one
// before; they are all made before the clock runs.
void saveAmong(benchmark::State& state, int (*saving)(CPmSim200*), int stored)
{
    const bench::WorkingDrawing drawing;
    bench::StoreSims(stored, path(), kStoredIds);
    std::vector<CPmSim200*> saved;
    for (benchmark::IterationCount i = 0; i < state.max_iterations; ++i)
        saved.push_back(bench::MakeSim(L"Saved", kSavedId, path()));
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
    registerAmong("WalkAmong", walkStored);
    return true;
}();
} // namespace

BENCHMARK_MAIN();
