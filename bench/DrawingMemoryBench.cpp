// The peak resident size of a fresh process that opens a drawing of 100
// simulations of 10,000 positions, against the bytes the simulations'
// records take in memory once it is open. A child process that opens nothing
// gives the process's own baseline: the host, the module and the libraries
// they load.
#include "bench/support/BenchDrawing.h"
#include "bench/support/OpenInChild.h"
#include "storage/CIvAcadObject.h"
#include "storage/CPmAcadSim200.h"
#include "storage/SimDictionary.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace
{
constexpr int kSims = 100;
constexpr std::size_t kPositions = 10000;

// The drawing saved once, and the bytes of its records as read back.
class SavedDrawing
{
public:
    SavedDrawing() : m_path(bench::Narrow(bench::TemporaryPath(L"drawing-memory-bench")))
    {
        const std::wstring path(m_path.begin(), m_path.end());
        {
            bench::WorkingDrawing drawing;
            bench::StoreSims(kSims, bench::MakePath(kPositions), 1);
            drawing.database().saveAs(path.c_str());
        }
        bench::WorkingDrawing opened(true);
        if (opened.database().readDwgFile(path.c_str()) == Acad::eOk)
            m_recordBytes = recordBytesOfStoredSims();
    }
    ~SavedDrawing() { std::remove(m_path.c_str()); }
    SavedDrawing(const SavedDrawing&) = delete;
    SavedDrawing& operator=(const SavedDrawing&) = delete;

    const std::string& path() const { return m_path; }
    double recordBytes() const { return static_cast<double>(m_recordBytes); }

private:
    static std::size_t recordBytesOfStoredSims()
    {
        CStringArray names;
        CIvAcadObject::GetObjectNames(kSimDictionary, &names);
        std::size_t bytes = 0;
        for (int i = 0; i < names.GetSize(); ++i)
            if (CPmSim200* sim = CPmAcadSim200::Load(names[i]))
            {
                bytes += bench::RecordBytes(*sim);
                sim->Close();
            }
        return bytes;
    }

    std::string m_path;
    std::size_t m_recordBytes = 0;
};

void BM_OpenedDrawingPeak(benchmark::State& state)
{
    static const SavedDrawing drawing;
    double peak = 0;
    double process = 0;
    for (auto _ : state)
    {
        peak = bench::OpenInChild(drawing.path()).peakBytes;
        process = bench::OpenInChild("").peakBytes;
        if (peak < 0 || process < 0)
            state.SkipWithError("a child process failed");
    }
    state.counters["peak"] = peak;
    state.counters["process"] = process;
    state.counters["records"] = drawing.recordBytes();
}
BENCHMARK(BM_OpenedDrawingPeak)->Iterations(1)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    return bench::MainOpeningInChildren(argc, argv);
}
