// DXF export and import of a drawing of 100 simulations (1,000 and 10,000
// positions each), against ezdxf doing the same work on the same content in
// the same run: export gathers the drawing and writes the file, against
// ezdxf making a drawing of the same blocks, entities and records and saving
// it; import reads the file and builds a drawing of it, against ezdxf
// reading it and gathering its geometry. ezdxf runs in a child process and
// reports the seconds its work took, without Python's start-up. The per
// position counters show how each grows.
#include "bench/support/BenchDrawing.h"
#include "exchange/DrawingToDxf.h"
#include "exchange/DxfFileReader.h"
#include "exchange/DxfFileWriter.h"
#include "exchange/DxfToDrawing.h"
#include "storage/CPmDbxFactory200.h"
#include "storage/CPmSimList200.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

namespace
{
constexpr int kSims = 100;

std::string Scratch(const std::wstring& stem, std::size_t positions)
{
    return bench::Narrow(bench::TemporaryPath(stem)) + "-" + std::to_string(positions) + ".dxf";
}

// The drawing, and the DXF that export wrote of it.
class BigDrawing
{
public:
    explicit BigDrawing(std::size_t positions) : m_path(Scratch(L"dxf-bench", positions))
    {
        bench::StoreSims(kSims, bench::MakePath(positions), 1);
        Export();
    }
    ~BigDrawing() { std::remove(m_path.c_str()); }

    void Export()
    {
        std::unique_ptr<CPmSimList200> list(CPmDbxFactory200::LoadSimList(true, false));
        std::vector<ExportedSimulation> sims;
        for (int i = 0; i < list->Size(); ++i)
            sims.push_back({list->Sim(i), {}, {}});
        WriteDxfFile(m_path, DrawingToDxf(sims));
    }

    const std::string& Path() const { return m_path; }

private:
    bench::WorkingDrawing m_drawing;
    std::string m_path;
};

BigDrawing& Drawing(std::size_t positions)
{
    return bench::PerSize<BigDrawing>(positions);
}

void Report(benchmark::State& state)
{
    const auto positions = static_cast<std::int64_t>(kSims) * state.range(0);
    state.SetItemsProcessed(state.iterations() * positions);
}

// Runs the ezdxf script; the seconds it reports, or a negative number.
double Ezdxf(const std::string& arguments)
{
    const std::string command = "/usr/bin/python3 " ZNSIM_EZDXF_SAME_WORK " " + arguments;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return -1.0;
    double seconds = -1.0;
    if (std::fscanf(pipe, "%lf", &seconds) != 1)
        seconds = -1.0;
    return pclose(pipe) == 0 ? seconds : -1.0;
}

void RunEzdxf(benchmark::State& state, const std::string& arguments)
{
    for (auto _ : state)
    {
        const double seconds = Ezdxf(arguments);
        if (seconds < 0.0)
        {
            state.SkipWithError("ezdxf did not run (is python3-ezdxf installed?)");
            break;
        }
        state.SetIterationTime(seconds);
    }
    Report(state);
}

void BM_ExportDxf(benchmark::State& state)
{
    BigDrawing& drawing = Drawing(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        drawing.Export();
    Report(state);
}
BENCHMARK(BM_ExportDxf)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExportDxf_Baseline(benchmark::State& state)
{
    const auto positions = static_cast<std::size_t>(state.range(0));
    const std::string out = Scratch(L"dxf-bench-ezdxf", positions);
    RunEzdxf(state, "export " + Drawing(positions).Path() + " " + out);
    std::remove(out.c_str());
}
BENCHMARK(BM_ExportDxf_Baseline)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_ImportDxf(benchmark::State& state)
{
    const std::string path = Drawing(static_cast<std::size_t>(state.range(0))).Path();
    for (auto _ : state)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        const DxfDrawing dxf = ReadDxf(text.str());
        bench::WorkingDrawing into;
        CheckDxfImport(dxf);
        benchmark::DoNotOptimize(ImportDxf(dxf));
    }
    Report(state);
}
BENCHMARK(BM_ImportDxf)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImportDxf_Baseline(benchmark::State& state)
{
    RunEzdxf(state, "import " + Drawing(static_cast<std::size_t>(state.range(0))).Path());
}
BENCHMARK(BM_ImportDxf_Baseline)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseManualTime();
} // namespace
BENCHMARK_MAIN();
