// Reading a dictionary's entries from its record, listed against key order
// beside the same entries listed in key order (the _Baseline, what the
// writer makes). A drawing written elsewhere may list them in any order;
// both should take the same time, in proportion to the entries.
#include "cadhost/DwgMemoryFiler.h"
#include "cadhost/NamedIdTable.h"

#include <benchmark/benchmark.h>

#include <cwchar>

namespace
{
// A dictionary record's entry part: the count, then key and object per
// entry, the keys ascending or descending.
void fillRecord(DwgMemoryFiler& record, int entries, bool descending)
{
    record.writeUInt32(static_cast<Adesk::UInt32>(entries));
    for (int i = 0; i < entries; ++i)
    {
        wchar_t key[16];
        std::swprintf(key, 16, L"Key%06d", descending ? entries - 1 - i : i);
        record.writeString(key);
        record.writeHardOwnershipId(AcDbObjectId::kNull);
    }
}

void readEntries(benchmark::State& state, bool descending)
{
    const auto entries = static_cast<int>(state.range(0));
    DwgMemoryFiler record;
    fillRecord(record, entries, descending);
    for (auto _ : state)
    {
        cadhost::NamedIdTable table;
        record.rewind();
        if (table.readFrom(&record) != Acad::eOk)
            state.SkipWithError("the record was not read");
        benchmark::DoNotOptimize(table.entries().data());
    }
    state.SetItemsProcessed(state.iterations() * entries);
}

void ReadAgainstKeyOrder(benchmark::State& state) { readEntries(state, true); }
void ReadAgainstKeyOrder_Baseline(benchmark::State& state) { readEntries(state, false); }
} // namespace

BENCHMARK(ReadAgainstKeyOrder)->Arg(10000)->Arg(80000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadAgainstKeyOrder_Baseline)->Arg(10000)->Arg(80000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
