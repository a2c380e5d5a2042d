// Writing the page of a drawing of 100 simulations (1,000 and 10,000
// positions each): gathering their motion through the module, packing it and
// writing the file, against writing the same number of bytes the same way
// (a temporary file, synced, renamed over the old one). The page's size per
// position is reported beside it, to show that it grows linearly. The last
// page written stays behind, as znsim-view-page-bench.html in the temporary
// folder, for a browser to time its frames on.
#include "bench/support/BenchDrawing.h"
#include "drawing/OutputFile.h"
#include "motion/SimulationMotion.h"
#include "storage/CPmDbxFactory200.h"
#include "storage/CPmSimList200.h"
#include "view/Page.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace
{
constexpr int kSims = 100;

class BigDrawing
{
public:
    explicit BigDrawing(std::size_t positions)
    {
        bench::StoreSims(kSims, bench::MakePath(positions), 1);
    }

    // Every simulation, gathered as znsim view gathers them.
    static std::vector<ViewedSimulation> Gather()
    {
        std::unique_ptr<CPmSimList200> list(CPmDbxFactory200::LoadSimList(true, false));
        std::vector<ViewedSimulation> sims;
        for (int i = 0; i < list->Size(); ++i)
        {
            const CPmSim200& sim = *list->Sim(i);
            sims.push_back({"Sim " + std::to_string(i), {"10 mph"}, MotionOf(sim, 1.0), {}});
        }
        return sims;
    }

    static std::string Page()
    {
        DrawingPicture picture = DrawingPicture::OfWorkingDrawing();
        return PageHtml(PackPage(picture, Gather(), "m"), "bench");
    }

private:
    bench::WorkingDrawing m_drawing;
};

// One drawing at a time is the working one: the one of another size goes
// before the next is made.
BigDrawing& Drawing(std::size_t positions)
{
    return bench::PerSize<BigDrawing>(positions);
}

// Kept after the run, under one name, for the browser.
const std::string& PagePath()
{
    static const std::string path =
        (std::filesystem::temp_directory_path() / "znsim-view-page-bench.html").string();
    return path;
}

void Report(benchmark::State& state, std::size_t bytes)
{
    const double positions = static_cast<double>(kSims) * static_cast<double>(state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
    state.counters["page_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["bytes_per_position"] = static_cast<double>(bytes) / positions;
}

void BM_WritePage(benchmark::State& state)
{
    BigDrawing& drawing = Drawing(static_cast<std::size_t>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state)
    {
        const std::string page = drawing.Page();
        bytes = page.size();
        ReplaceFile(PagePath(), page);
    }
    Report(state, bytes);
}
BENCHMARK(BM_WritePage)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The share of the work that reads the simulations out of the drawing and
// works out their motion, without packing or writing.
void BM_GatherMotion(benchmark::State& state)
{
    Drawing(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(BigDrawing::Gather());
}
BENCHMARK(BM_GatherMotion)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WritePage_Baseline(benchmark::State& state)
{
    const std::string bytes(Drawing(static_cast<std::size_t>(state.range(0))).Page().size(), 'A');
    const std::string path = bench::Narrow(bench::TemporaryPath(L"view-page-bench-bytes"));
    for (auto _ : state)
        ReplaceFile(path, bytes);
    std::remove(path.c_str());
    Report(state, bytes.size());
}
BENCHMARK(BM_WritePage_Baseline)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
} // namespace
BENCHMARK_MAIN();
