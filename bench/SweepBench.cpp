// The envelope of 3 parts (a tractor, its trailer at an offset, a car
// beside them) over 1,000 to 100,000 positions along a gentle curve, spaced
// so that the tolerance rule samples each position once: everything the
// sweep does (footprints, samples, hulls, unions, the look for conflicts)
// against its floor, GEOS's union of the same footprints already placed at
// every position, in one call.
#include "analysis/Footprint.h"
#include "analysis/Sweep.h"
#include "bench/support/BenchDrawing.h"
#include "host/AcDbCurves.h"
#include "host/AcDbSymbolTable.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{
// Each position 0.1 on along a curve of radius 400: the trailer's farthest
// corner moves less than 1% of its 13.6 length from one to the next.
constexpr double kStep = 0.1;
constexpr double kRadius = 400.0;

AcDbObjectId Define(double length, double width, const ACHAR* name)
{
    AcDbBlockTable* table = nullptr;
    acdbHostApplicationServices()->workingDatabase()->getBlockTable(table, AcDb::kForWrite);
    auto* definition = new AcDbBlockTableRecord();
    definition->setName(name);
    AcDbObjectId id;
    table->add(id, definition);
    table->close();
    auto* box = new AcDbPolyline();
    for (const auto& [x, y] : {std::pair{-1.0, -1.0}, {1.0, -1.0}, {1.0, 1.0}, {-1.0, 1.0}})
        box->addVertexAt(box->numVerts(), AcGePoint2d(x * length / 2, y * width / 2));
    box->setClosed(true);
    definition->appendAcDbEntity(box);
    box->close();
    definition->close();
    return id;
}

class Convoy
{
public:
    Convoy()
    {
        m_parts = {{0, {}, Define(6.0, 2.5, L"Tractor"), Affine2(), {}, {}},
                   {1, {-7.3, 0, 0}, Define(13.6, 2.55, L"Trailer"), Affine2(), {}, {}},
                   {1, {0, 4.0, 0}, Define(4.5, 1.8, L"Car"), Affine2(), {}, {}}};
    }

    SimulationMotion Motion(std::size_t positions) const
    {
        SegmentMotion segment{m_parts, {}, {}};
        for (std::size_t i = 0; i < positions; ++i)
        {
            const double angle = kStep * static_cast<double>(i) / kRadius;
            segment.placements.push_back({{kRadius * std::sin(angle), kRadius * (1.0 - std::cos(angle)), 0.0},
                                          {std::cos(angle / 2), 0.0, 0.0, std::sin(angle / 2)}});
            segment.times.push_back(kStep * static_cast<double>(i));
        }
        SimulationMotion motion;
        motion.sections.push_back({1.0, 0, 0.0, 0.0, {segment}});
        return motion;
    }

    // Each part's footprint placed at each position, in one collection.
    Geometry Placed(const GeosContext& geos, const SimulationMotion& motion) const
    {
        std::vector<Geometry> placed;
        for (const PartShape& part : m_parts)
        {
            const Footprint footprint = FootprintOf(geos, BlockOutline(part.definition), part.shape, 0.136);
            for (const Placement& frame : motion.sections[0].segments[0].placements)
                for (Geometry& piece :
                     SweptPieces(geos, footprint, frame.PlaceAtOffset(part.offset), frame.PlaceAtOffset(part.offset)))
                    placed.push_back(std::move(piece));
        }
        return geos.Collection(std::move(placed));
    }

private:
    bench::WorkingDrawing m_drawing;
    std::vector<PartShape> m_parts;
};

Convoy& TheConvoy()
{
    static Convoy convoy;
    return convoy;
}

void BM_Envelope(benchmark::State& state)
{
    const SimulationMotion motion = TheConvoy().Motion(static_cast<std::size_t>(state.range(0)));
    double area = 0.0;
    for (auto _ : state)
        area = SweepSimulation(motion, {}, {}).envelope.area;
    state.counters["area"] = area;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Envelope_Baseline(benchmark::State& state)
{
    const SimulationMotion motion = TheConvoy().Motion(static_cast<std::size_t>(state.range(0)));
    const GeosContext geos;
    const Geometry placed = TheConvoy().Placed(geos, motion);
    double area = 0.0;
    for (auto _ : state)
    {
        const Geometry envelope = geos.Check(GEOSUnaryUnion_r(geos.Handle(), placed.get()));
        GEOSArea_r(geos.Handle(), envelope.get(), &area);
    }
    state.counters["area"] = area;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_Envelope)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Envelope_Baseline)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
