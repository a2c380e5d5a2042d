#include "analysis/Sweep.h"

#include "analysis/Conflicts.h"
#include "analysis/DrawnPaths.h"
#include "analysis/Footprints.h"
#include "analysis/Obstacles.h"
#include "analysis/SweptSegment.h"
#include "drawing/Angles.h"
#include "drawing/Failure.h"
#include "drawing/Layers.h"
#include "motion/Bounds.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace
{
// A footprint's default tolerance, as a share of its size.
constexpr double kToleranceShare = 0.01;

std::vector<SweptSegment> SweptSegments(const SimulationMotion& motion, Footprints& footprints, double tolerance)
{
    std::vector<SweptSegment> swept;
    std::size_t samples = 0;
    for (std::size_t i = 0; i < motion.sections.size(); ++i)
        for (std::size_t j = 0; j < motion.sections[i].segments.size(); ++j)
        {
            const SegmentMotion& segment = motion.sections[i].segments[j];
            std::vector<PlacedFootprint> parts = footprints.PartsOf(segment, tolerance);
            const SampleSpacing spacing{tolerance, Reach(parts)};
            if (!parts.empty())
                samples += SampleCount(segment, spacing);
            if (samples > kMostSweepSamples)
            {
                std::ostringstream text;
                text << "a tolerance of " << tolerance << " takes more than " << kMostSweepSamples
                     << " samples along this simulation";
                throw Failure(FailureKind::badInput, text.str());
            }
            std::vector<MotionSample> run = parts.empty() ? std::vector<MotionSample>() : SamplesOf(segment, spacing);
            swept.emplace_back(i, j, std::move(parts), std::move(run));
        }
    return swept;
}

// Grown by distance, its rounded corners' chords straying less than
// tolerance from the true arcs.
Geometry Grown(const GeosContext& geos, const GEOSGeometry& area, double distance, double tolerance)
{
    const double quarter = tolerance < distance ? kPi / (4.0 * std::acos(1.0 - tolerance / distance)) : 1.0;
    const int segments = static_cast<int>(std::clamp(std::ceil(quarter), 1.0, 256.0));
    return geos.Check(GEOSBuffer_r(geos.Handle(), &area, distance, segments));
}

// The envelope grown by the clearance; empty without one.
Envelope Clearance(const GeosContext& geos, const GEOSGeometry& area, double clearance, double tolerance)
{
    if (clearance <= 0.0)
        return {};
    return EnvelopeOf(geos, *Grown(geos, area, clearance, tolerance), tolerance);
}

// Each segment's run with its envelope, and the union of them all.
struct Swept
{
    std::vector<SweptSegment> segments;
    std::vector<Geometry> areas;
    Geometry whole;
};

Swept SweepOf(const GeosContext& geos, const SimulationMotion& motion, Footprints& footprints, double tolerance)
{
    Swept swept{SweptSegments(motion, footprints, tolerance), {}, nullptr};
    std::vector<Geometry> copies;
    for (const SweptSegment& segment : swept.segments)
    {
        swept.areas.push_back(segment.Area(geos, tolerance));
        copies.push_back(geos.Check(GEOSGeom_clone_r(geos.Handle(), swept.areas.back().get())));
    }
    swept.whole = geos.Union(std::move(copies));
    return swept;
}

void AddConflicts(const GeosContext& geos, const Swept& swept, const std::vector<AcDbHandle>& own,
                  const SweepOptions& options, SweepReport& report)
{
    const Prepared envelope = geos.Prepare(*swept.whole);
    const Geometry driven = DrivenStrip(geos, options.traces, report.tolerance);
    const Prepared strip = geos.Prepare(*driven);
    for (Obstacle& obstacle : ModelSpaceObstacles(geos, own, options.obstacles, report.tolerance))
    {
        const GEOSGeometry* shape = obstacle.geometry.get();
        if (!geos.Near(*envelope, *shape, options.clearance))
            continue;
        if (LiesAlong(geos, *shape, *strip))
            report.drawnPaths.push_back({obstacle.handle, std::move(obstacle.className), std::move(obstacle.layer)});
        else if (const std::optional<Touches> touches =
                     TouchesOf(geos, swept.segments, swept.areas, *shape, options.clearance))
            report.conflicts.push_back({obstacle.handle, std::move(obstacle.className),
                                        std::move(obstacle.blockName), std::move(obstacle.layer), touches->first,
                                        touches->last});
    }
}
} // namespace

SweepReport SweepSimulation(const SimulationMotion& motion, const std::vector<AcDbHandle>& ownReferences,
                            const SweepOptions& options)
{
    const GeosContext geos;
    Footprints whole(geos);
    Footprints tyres(geos, TyresOnly);
    SweepReport report;
    report.clearance = options.clearance;
    report.tolerance = options.tolerance > 0.0 ? options.tolerance : kToleranceShare * whole.LargestSize(motion);
    const Swept swept = SweepOf(geos, motion, options.wheels ? tyres : whole, report.tolerance);
    if (options.wheels && GEOSisEmpty_r(geos.Handle(), swept.whole.get()))
        throw Failure(FailureKind::notFound,
                      std::string("no part of this simulation has tyres (entities on layer ") + kTyreLayer + ")");
    for (std::size_t i = 0; i < swept.segments.size(); ++i)
    {
        const SweptSegment& segment = swept.segments[i];
        report.segments.push_back({segment.Section(), segment.Segment(), segment.Samples().size(),
                                   EnvelopeOf(geos, *swept.areas[i], report.tolerance),
                                   Clearance(geos, *swept.areas[i], options.clearance, report.tolerance)});
    }
    report.envelope = EnvelopeOf(geos, *swept.whole, report.tolerance);
    report.clearanceEnvelope = Clearance(geos, *swept.whole, options.clearance, report.tolerance);
    if (options.wheelTracks)
        report.wheelTracks = EnvelopeOf(geos, *SweepOf(geos, motion, tyres, report.tolerance).whole, report.tolerance);
    AddConflicts(geos, swept, ownReferences, options, report);
    return report;
}
