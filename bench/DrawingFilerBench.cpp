// The host's memory filer against plain byte copies of the same values, and
// saving and reading whole drawings at growing sizes. Filing a double or a
// point should cost about what copying its bytes costs; saving and reading
// should grow linearly with the number of objects (the complexity report).
#include "cadhost/DwgMemoryFiler.h"
#include "host/AcDbCurves.h"
#include "host/AcDbDatabase.h"
#include "host/AcDbSymbolTable.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
constexpr std::size_t kValues = 1024;

const std::vector<AcGePoint3d>& points()
{
    static const std::vector<AcGePoint3d> made = [] {
        std::vector<AcGePoint3d> out;
        for (std::size_t i = 0; i < kValues; ++i)
            out.emplace_back(0.5 * static_cast<double>(i), -1.25, 1e6 + static_cast<double>(i));
        return out;
    }();
    return made;
}

// The filer is reached through its interface, as objects reach it.
void BM_WritePoints(benchmark::State& state)
{
    DwgMemoryFiler filer;
    AcDbDwgFiler& f = filer;
    for (const AcGePoint3d& p : points())
        f.writePoint3d(p);
    for (auto _ : state)
    {
        f.seek(0, SEEK_SET);
        for (const AcGePoint3d& p : points())
            f.writePoint3d(p);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WritePoints);

void BM_WritePoints_Baseline(benchmark::State& state)
{
    std::vector<std::uint8_t> bytes(kValues * sizeof(AcGePoint3d));
    for (auto _ : state)
    {
        std::uint8_t* at = bytes.data();
        for (const AcGePoint3d& p : points())
        {
            benchmark::DoNotOptimize(at);
            std::memcpy(at, &p, sizeof p);
            at += sizeof p;
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WritePoints_Baseline);

void BM_ReadPoints(benchmark::State& state)
{
    DwgMemoryFiler filer;
    AcDbDwgFiler& f = filer;
    for (const AcGePoint3d& p : points())
        f.writePoint3d(p);
    AcGePoint3d p;
    for (auto _ : state)
    {
        f.seek(0, SEEK_SET);
        for (std::size_t i = 0; i < kValues; ++i)
        {
            f.readPoint3d(&p);
            benchmark::DoNotOptimize(p);
        }
    }
}
BENCHMARK(BM_ReadPoints);

void BM_ReadPoints_Baseline(benchmark::State& state)
{
    std::vector<std::uint8_t> bytes(kValues * sizeof(AcGePoint3d));
    std::memcpy(bytes.data(), points().data(), bytes.size());
    AcGePoint3d p;
    for (auto _ : state)
    {
        const std::uint8_t* at = bytes.data();
        for (std::size_t i = 0; i < kValues; ++i)
        {
            benchmark::DoNotOptimize(at);
            std::memcpy(&p, at, sizeof p);
            at += sizeof p;
            benchmark::DoNotOptimize(p);
        }
    }
}
BENCHMARK(BM_ReadPoints_Baseline);

void BM_WriteDoubles(benchmark::State& state)
{
    DwgMemoryFiler filer;
    AcDbDwgFiler& f = filer;
    for (const AcGePoint3d& p : points())
        f.writeDouble(p.x);
    for (auto _ : state)
    {
        f.seek(0, SEEK_SET);
        for (const AcGePoint3d& p : points())
            f.writeDouble(p.x);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WriteDoubles);

void BM_WriteDoubles_Baseline(benchmark::State& state)
{
    std::vector<std::uint8_t> bytes(kValues * sizeof(double));
    for (auto _ : state)
    {
        std::uint8_t* at = bytes.data();
        for (const AcGePoint3d& p : points())
        {
            benchmark::DoNotOptimize(at);
            std::memcpy(at, &p.x, sizeof p.x);
            at += sizeof p.x;
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WriteDoubles_Baseline);

std::wstring temporaryDrawing()
{
    return L"/tmp/drawing-filer-bench-" + std::to_wstring(::getpid()) + L".zdw";
}

// A default drawing with n lines in model space.
void fill(AcDbDatabase& database, std::int64_t n)
{
    AcDbBlockTable* table = nullptr;
    database.getBlockTable(table, AcDb::kForRead);
    AcDbBlockTableRecord* space = nullptr;
    table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForWrite);
    table->close();
    for (std::int64_t i = 0; i < n; ++i)
    {
        auto* line = new AcDbLine({0, 0, 0}, {static_cast<double>(i), 1, 2});
        space->appendAcDbEntity(line);
        line->close();
    }
    space->close();
}

void BM_SaveDrawing(benchmark::State& state)
{
    AcDbDatabase database;
    fill(database, state.range(0));
    const std::wstring path = temporaryDrawing();
    for (auto _ : state)
        database.saveAs(path.c_str());
    std::remove(std::string(path.begin(), path.end()).c_str());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SaveDrawing)->RangeMultiplier(4)->Range(1 << 10, 1 << 16)->Complexity(benchmark::oN);

void BM_ReadDrawing(benchmark::State& state)
{
    const std::wstring path = temporaryDrawing();
    {
        AcDbDatabase database;
        fill(database, state.range(0));
        database.saveAs(path.c_str());
    }
    for (auto _ : state)
    {
        AcDbDatabase database(false, true);
        database.readDwgFile(path.c_str());
    }
    std::remove(std::string(path.begin(), path.end()).c_str());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadDrawing)->RangeMultiplier(4)->Range(1 << 10, 1 << 16)->Complexity(benchmark::oN);
} // namespace

BENCHMARK_MAIN();
