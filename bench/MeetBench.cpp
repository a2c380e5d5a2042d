// Meetings in a yard: vehicles (12 x 2.5 boxes) each driving its own lane,
// half of the lanes across the others, 10 m/s, positions 1 m apart; each
// vehicle sets off a little after the one before, so that every pair of
// crossing lanes sees both vehicles but nearly never at once. Finding the
// meetings among 10 and 50 vehicles of 1,000 and 10,000 positions, against
// its floor: sampling every vehicle and boxing every run of samples, which
// any search must do to look at each vehicle's whole way once. Beside it,
// for the smallest yard, the way that compares every pair at every sample.
#include "analysis/Geos.h"
#include "analysis/MeetingCandidates.h"
#include "analysis/Meetings.h"
#include "bench/support/BenchDrawing.h"
#include "drawing/BlockDefinition.h"
#include "host/AcDbCurves.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

namespace
{
constexpr double kSpeed = 10.0;
constexpr double kLaneGap = 30.0;

std::unique_ptr<AcDbEntity> Box(double length, double width)
{
    auto box = std::make_unique<AcDbPolyline>();
    for (const auto& [x, y] : {std::pair{-1.0, -1.0}, {1.0, -1.0}, {1.0, 1.0}, {-1.0, 1.0}})
        box->addVertexAt(box->numVerts(), AcGePoint2d(x * length / 2, y * width / 2));
    box->setClosed(true);
    return box;
}

class Yard
{
public:
    Yard(std::size_t vehicles, std::size_t positions)
    {
        NewEntities body;
        body.push_back(Box(12.0, 2.5));
        PartShape lorry;
        lorry.definition = DefineBlock("Lorry", std::move(body));
        for (std::size_t v = 0; v < vehicles; ++v)
            m_sims.push_back({"Lorry " + std::to_string(v), Lane(lorry, v, positions), 0.37 * static_cast<double>(v)});
    }

    const std::vector<PlayedSimulation>& Sims() const { return m_sims; }

private:
    // Even vehicles drive east, odd ones north, each on a lane of its own.
    static SimulationMotion Lane(const PartShape& lorry, std::size_t v, std::size_t positions)
    {
        const bool north = v % 2 == 1;
        const double lane = kLaneGap * static_cast<double>(v / 2);
        const double half = std::sqrt(0.5);
        SegmentMotion segment{{lorry}, {}, {}};
        for (std::size_t i = 0; i < positions; ++i)
        {
            const double along = static_cast<double>(i) - 100.0;
            segment.placements.push_back(north ? Placement{{lane, along, 0.0}, {half, 0.0, 0.0, half}}
                                               : Placement{{along, lane, 0.0}, {}});
            segment.times.push_back(static_cast<double>(i) / kSpeed);
        }
        SimulationMotion motion;
        motion.duration = segment.times.back();
        motion.sections.push_back({kSpeed, 0, 0.0, motion.duration, {segment}});
        return motion;
    }

    bench::WorkingDrawing m_drawing;
    std::vector<PlayedSimulation> m_sims;
};

Yard& TheYard(std::size_t vehicles, std::size_t positions)
{
    static std::map<std::pair<std::size_t, std::size_t>, std::unique_ptr<Yard>> yards;
    std::unique_ptr<Yard>& yard = yards[{vehicles, positions}];
    if (!yard)
        yard = std::make_unique<Yard>(vehicles, positions);
    return *yard;
}

void Report(benchmark::State& state, const MeetingReport& report)
{
    state.counters["meetings"] = static_cast<double>(report.meetings.size());
    state.counters["pairs"] = static_cast<double>(report.pairs);
    state.counters["distances"] = static_cast<double>(report.distances);
    state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}

void BM_Meet(benchmark::State& state)
{
    const Yard& yard = TheYard(static_cast<std::size_t>(state.range(0)), static_cast<std::size_t>(state.range(1)));
    MeetingReport report;
    for (auto _ : state)
        report = FindMeetings(yard.Sims(), {});
    Report(state, report);
}

// Every vehicle sampled and every run of samples boxed, as the search
// does before it compares anything.
void BM_Meet_Baseline(benchmark::State& state)
{
    const Yard& yard = TheYard(static_cast<std::size_t>(state.range(0)), static_cast<std::size_t>(state.range(1)));
    const GeosContext geos;
    for (auto _ : state)
    {
        Footprints footprints(geos);
        const double tolerance = 0.01 * footprints.LargestSize(yard.Sims().front().motion);
        std::size_t runs = 0;
        for (const PlayedSimulation& sim : yard.Sims())
        {
            const SegmentMotion& segment = sim.motion.sections[0].segments[0];
            const PartOnClock part({}, segment, footprints.PartsOf(segment, tolerance).front(), sim.start, sim.start,
                                   sim.start + sim.motion.duration, tolerance);
            runs += part.Runs(kSamplesPerRun, tolerance).size();
        }
        benchmark::DoNotOptimize(runs);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}

BENCHMARK(BM_Meet)->Args({10, 1000})->Args({50, 1000})->Args({10, 10000})->Args({50, 10000})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Meet_Baseline)
    ->Args({10, 1000})
    ->Args({50, 1000})
    ->Args({10, 10000})
    ->Args({50, 10000})
    ->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
