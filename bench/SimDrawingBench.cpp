// Saving a drawing of 100 simulations of 10,000 positions each to a file and
// opening it again, against writing and reading the same number of bytes to
// and from a file by hand. A save makes its file durable before it replaces
// the old one, so the baseline syncs what it writes too; both are timed by
// the clock on the wall, as a person waiting for a drawing would.
#include "bench/support/BenchDrawing.h"
#include "model/PmPosition200.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{
constexpr int kSims = 100;
constexpr std::size_t kPositions = 10000;

// The drawing saved once under its path, for the readers; the content of the
// file is the same at every save.
class SavedDrawing
{
public:
    SavedDrawing() : m_path(bench::TemporaryPath(L"sim-drawing-bench"))
    {
        bench::StoreSims(kSims, bench::MakePath(kPositions), 1);
        m_drawing.database().saveAs(m_path.c_str());
        struct stat info{};
        ::stat(bench::Narrow(m_path).c_str(), &info);
        m_bytes = static_cast<std::size_t>(info.st_size);
    }
    ~SavedDrawing() { std::remove(bench::Narrow(m_path).c_str()); }
    SavedDrawing(const SavedDrawing&) = delete;
    SavedDrawing& operator=(const SavedDrawing&) = delete;

    AcDbDatabase& database() { return m_drawing.database(); }
    const std::wstring& path() const { return m_path; }
    std::size_t bytes() const { return m_bytes; }

private:
    bench::WorkingDrawing m_drawing;
    std::wstring m_path;
    std::size_t m_bytes = 0;
};

SavedDrawing& drawing()
{
    static SavedDrawing made;
    return made;
}

void reportBytes(benchmark::State& state)
{
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(drawing().bytes()));
}

void BM_SaveDrawing(benchmark::State& state)
{
    SavedDrawing& saved = drawing();
    for (auto _ : state)
        if (saved.database().saveAs(saved.path().c_str()) != Acad::eOk)
            state.SkipWithError("the drawing was not saved");
    reportBytes(state);
}
BENCHMARK(BM_SaveDrawing)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveDrawing_Baseline(benchmark::State& state)
{
    const std::string path = bench::Narrow(bench::TemporaryPath(L"sim-drawing-bench-bytes"));
    const std::vector<std::uint8_t> bytes(drawing().bytes(), 0x5A);
    for (auto _ : state)
    {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        const bool written = fd >= 0 && ::write(fd, bytes.data(), bytes.size()) ==
                                            static_cast<ssize_t>(bytes.size());
        if (fd < 0 || !written || ::fsync(fd) != 0 || ::close(fd) != 0)
            state.SkipWithError("the bytes were not written");
    }
    std::remove(path.c_str());
    reportBytes(state);
}
BENCHMARK(BM_SaveDrawing_Baseline)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenDrawing(benchmark::State& state)
{
    const std::wstring& path = drawing().path();
    for (auto _ : state)
    {
        auto* opened = new AcDbDatabase(false, true);
        if (opened->readDwgFile(path.c_str()) != Acad::eOk)
            state.SkipWithError("the drawing was not read");
        state.PauseTiming();
        delete opened;
        state.ResumeTiming();
    }
    reportBytes(state);
}
BENCHMARK(BM_OpenDrawing)->Unit(benchmark::kMillisecond)->UseRealTime();

bool readAll(int fd, std::uint8_t* into, std::size_t size)
{
    while (size > 0)
    {
        const ssize_t got = ::read(fd, into, size);
        if (got <= 0)
            return false;
        into += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

// Into a new buffer of the file's size at each read, as a reader that holds
// the bytes needs.
void BM_OpenDrawing_Baseline(benchmark::State& state)
{
    const std::string path = bench::Narrow(drawing().path());
    const std::size_t size = drawing().bytes();
    for (auto _ : state)
    {
        std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[size]);
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || !readAll(fd, bytes.get(), size))
            state.SkipWithError("the bytes were not read");
        ::close(fd);
        benchmark::DoNotOptimize(bytes.get());
        state.PauseTiming();
        bytes.reset();
        state.ResumeTiming();
    }
    reportBytes(state);
}
BENCHMARK(BM_OpenDrawing_Baseline)->Unit(benchmark::kMillisecond)->UseRealTime();
void BM_FreshRecordMemory(benchmark::State& state)
{
    constexpr std::size_t kBlockBytes = kPositions * sizeof(PmPosition200);
    for (auto _ : state)
    {
        std::vector<std::unique_ptr<std::uint8_t[]>> blocks;
        for (int i = 0; i < kSims; ++i)
        {
            blocks.emplace_back(new std::uint8_t[kBlockBytes]);
            std::memset(blocks.back().get(), 1, kBlockBytes);
        }
        benchmark::DoNotOptimize(blocks.data());
        state.PauseTiming();
        blocks.clear();
        state.ResumeTiming();
    }
    reportBytes(state);
}
BENCHMARK(BM_FreshRecordMemory)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

BENCHMARK_MAIN();
