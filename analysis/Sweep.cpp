#include "analysis/Sweep.h"

#include "analysis/Conflicts.h"
#include "analysis/Footprints.h"
#include "analysis/Obstacles.h"
#include "analysis/SweptSegment.h"
#include "drawing/Angles.h"
#include "drawing/Failure.h"
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

std::vector<Conflict> ConflictsOf(const GeosContext& geos, const std::vector<SweptSegment>& segments,
                                  const std::vector<Geometry>& areas, const GEOSGeometry& whole,
                                  const std::vector<AcDbHandle>& own, const SweepOptions& options, double tolerance)
{
    std::vector<Conflict> conflicts;
    const Prepared envelope = geos.Prepare(whole);
    for (Obstacle& obstacle : ModelSpaceObstacles(geos, own, tolerance))
    {
        const GEOSGeometry* shape = obstacle.geometry.get();
        if (!geos.Near(*envelope, *shape, options.clearance))
            continue;
        if (const std::optional<Touches> touches = TouchesOf(geos, segments, areas, *shape, options.clearance))
            conflicts.push_back({obstacle.handle, std::move(obstacle.className), std::move(obstacle.blockName),
                                 touches->first, touches->last});
    }
    return conflicts;
}
} // namespace

SweepReport SweepSimulation(const SimulationMotion& motion, const std::vector<AcDbHandle>& ownReferences,
                            const SweepOptions& options)
{
    const GeosContext geos;
    Footprints footprints(geos);
    SweepReport report;
    report.clearance = options.clearance;
    report.tolerance = options.tolerance > 0.0 ? options.tolerance : kToleranceShare * footprints.LargestSize(motion);
    const std::vector<SweptSegment> segments = SweptSegments(motion, footprints, report.tolerance);
    std::vector<Geometry> areas;
    for (const SweptSegment& segment : segments)
    {
        areas.push_back(segment.Area(geos, report.tolerance));
        SegmentSweep sweep{segment.Section(), segment.Segment(), segment.Samples().size(),
                           EnvelopeOf(geos, *areas.back(), report.tolerance), {}};
        if (options.clearance > 0.0)
            sweep.clearance =
                EnvelopeOf(geos, *Grown(geos, *areas.back(), options.clearance, report.tolerance), report.tolerance);
        report.segments.push_back(std::move(sweep));
    }
    std::vector<Geometry> copies;
    for (const Geometry& area : areas)
        copies.push_back(geos.Check(GEOSGeom_clone_r(geos.Handle(), area.get())));
    const Geometry whole = geos.Union(std::move(copies));
    report.envelope = EnvelopeOf(geos, *whole, report.tolerance);
    if (options.clearance > 0.0)
        report.clearanceEnvelope =
            EnvelopeOf(geos, *Grown(geos, *whole, options.clearance, report.tolerance), report.tolerance);
    report.conflicts = ConflictsOf(geos, segments, areas, *whole, ownReferences, options, report.tolerance);
    return report;
}
