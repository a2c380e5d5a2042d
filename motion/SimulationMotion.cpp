#include "motion/SimulationMotion.h"

#include "model/CPmSection200.h"
#include "model/CPmSegment200.h"
#include "model/CPmSim200.h"
#include "motion/Timing.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace
{
SegmentMotion SegmentOf(const CPmSegment200& segment, double unitsPerSecond)
{
    SegmentMotion motion;
    if (segment.Part() != nullptr)
        motion.parts = PartShapes(*segment.Part());
    const std::vector<PmPosition200>& positions = *segment.Positions();
    motion.placements.reserve(positions.size());
    for (const PmPosition200& position : positions)
        motion.placements.push_back(PlacementAt(position));
    if (unitsPerSecond > 0.0)
        motion.times = PositionTimes(positions, unitsPerSecond);
    else
        motion.times.assign(positions.size(), 0.0);
    return motion;
}

// Segments of one section with as many positions each are the units of one
// vehicle, or things moved in step: they step together, on the first
// segment's clock, so that a trailer's axle, whose path is shorter than its
// leader's, keeps its place behind it.
void StepTogether(std::vector<SegmentMotion>& segments)
{
    if (segments.size() < 2)
        return;
    const std::size_t count = segments.front().times.size();
    for (const SegmentMotion& segment : segments)
        if (segment.times.size() != count)
            return;
    for (SegmentMotion& segment : segments)
        segment.times = segments.front().times;
}

std::string SectionProblem(const CPmSection200& section, std::size_t index, double unitsPerSecond)
{
    const std::string name = "section " + std::to_string(index + 1);
    const auto& segments = *section.Segments();
    if (std::all_of(segments.begin(), segments.end(),
                    [](const CPmSegment200* segment) { return segment->Positions()->empty(); }))
        return name + " has no positions";
    if (!(unitsPerSecond > 0.0) || !std::isfinite(unitsPerSecond))
    {
        std::ostringstream speed;
        speed << section.Speed();
        return name + " has speed " + speed.str() + " mph, so its time cannot be known";
    }
    return {};
}
} // namespace

SimulationMotion MotionOf(const CPmSim200& sim, double metresPerUnit)
{
    SimulationMotion motion;
    for (const CPmSection200* section : *sim.Sections())
    {
        const std::size_t index = motion.sections.size();
        double unitsPerSecond = UnitsPerSecond(section->Speed(), metresPerUnit);
        const std::string problem = SectionProblem(*section, index, unitsPerSecond);
        if (!problem.empty())
        {
            unitsPerSecond = 0.0;
            if (motion.problem.empty())
                motion.problem = problem;
        }
        SectionMotion sectionMotion;
        sectionMotion.speedMph = section->Speed();
        sectionMotion.speedUnit = section->SpeedUnits();
        for (const CPmSegment200* segment : *section->Segments())
            sectionMotion.segments.push_back(SegmentOf(*segment, unitsPerSecond));
        StepTogether(sectionMotion.segments);
        for (const SegmentMotion& segment : sectionMotion.segments)
            if (!segment.times.empty())
                sectionMotion.duration = std::max(sectionMotion.duration, segment.times.back());
        motion.sections.push_back(std::move(sectionMotion));
    }
    if (motion.sections.empty())
        motion.problem = "it has no sections";
    if (!motion.problem.empty())
        for (SectionMotion& section : motion.sections)
            section.duration = 0.0;
    double start = 0.0;
    for (SectionMotion& section : motion.sections)
    {
        section.start = start;
        for (SegmentMotion& segment : section.segments)
            for (double& time : segment.times)
                time += start;
        start += section.duration;
    }
    motion.duration = start;
    return motion;
}

Moment MomentAt(const SimulationMotion& motion, double t)
{
    if (!motion.problem.empty())
        return {0, 0.0};
    const double clamped = std::clamp(t, 0.0, motion.duration);
    // Sections that last no time are passed at once: the one playing is the
    // last that has started.
    const auto after = std::upper_bound(motion.sections.begin(), motion.sections.end(), clamped,
                                        [](double time, const SectionMotion& section)
                                        { return time < section.start; });
    return {static_cast<std::size_t>(after - motion.sections.begin()) - 1, clamped};
}

Placement SegmentPlacementAt(const SegmentMotion& segment, double t)
{
    const Step step = StepAt(segment.times, t);
    if (step.fraction == 0.0)
        return segment.placements[step.index];
    return Sample(segment.placements[step.index], segment.placements[step.index + 1],
                  step.fraction);
}

std::vector<PlacedPart> PartsAt(const SimulationMotion& motion, double t)
{
    std::vector<PlacedPart> placed;
    if (motion.sections.empty())
        return placed;
    const Moment moment = MomentAt(motion, t);
    for (const SegmentMotion& segment : motion.sections[moment.section].segments)
    {
        if (segment.placements.empty())
            continue;
        const std::vector<PlacedPart> parts =
            SegmentPartsAt(segment, SegmentPlacementAt(segment, moment.time));
        placed.insert(placed.end(), parts.begin(), parts.end());
    }
    return placed;
}

std::vector<PlacedPart> SegmentPartsAt(const SegmentMotion& segment, const Placement& frame)
{
    std::vector<PlacedPart> placed;
    for (const PartShape& part : segment.parts)
        if (!part.definition.isNull())
            placed.push_back({part.definition, PlaceOf(part, frame)});
    return placed;
}

Affine2 PlaceOf(const PartShape& part, const Placement& frame)
{
    return frame.PlaceAtOffset(part.offset) * part.shape;
}

std::optional<std::size_t> LeadSegment(const SectionMotion& section)
{
    for (std::size_t i = 0; i < section.segments.size(); ++i)
        if (!section.segments[i].times.empty())
            return i;
    return std::nullopt;
}
