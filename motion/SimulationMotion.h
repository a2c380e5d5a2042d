// How one simulation moves, gathered once from the module's records and the
// drawing: per section its speed, start and duration; per segment its parts,
// the placement at each position and the time of each position. Everything
// that draws, sweeps or exports a simulation reads it from here. Every time
// is in seconds from the simulation's start, so that moments of several
// simulations, and of the segments of one, compare directly.
//
// A simulation that cannot be timed (a section of speed 0 or less, or one
// with no positions) says why in `problem`; its sections then last no time,
// and its parts stand at their first positions.
#pragma once

#include "motion/PartTree.h"
#include "motion/Placement.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class CPmSim200;

struct SegmentMotion
{
    std::vector<PartShape> parts;
    std::vector<Placement> placements;
    // One per placement; the first is its section's start.
    std::vector<double> times;
};

struct SectionMotion
{
    double speedMph = 0.0;
    int speedUnit = 0;
    double start = 0.0;
    // The longest of its segments' runs.
    double duration = 0.0;
    std::vector<SegmentMotion> segments;
};

struct SimulationMotion
{
    std::vector<SectionMotion> sections;
    double duration = 0.0;
    std::string problem;
};

// Drawing units stand for metresPerUnit metres.
[[nodiscard]] SimulationMotion MotionOf(const CPmSim200& sim, double metresPerUnit);

// Where the simulation is at time t: the section playing and the time,
// clamped to 0 .. duration. A section that lasts no time is passed at once;
// a simulation that cannot be timed stays at the start of its first
// section. Needs at least one section.
struct Moment
{
    std::size_t section = 0;
    double time = 0.0;
};
[[nodiscard]] Moment MomentAt(const SimulationMotion& motion, double t);

// A segment's frame at time t; needs a placement. Before the segment's
// first time it stands at its first position, after its last at its last.
[[nodiscard]] Placement SegmentPlacementAt(const SegmentMotion& segment, double t);

// Each part drawn at time t, seen from above: its definition and where it
// draws it (frame and shape together).
struct PlacedPart
{
    AcDbObjectId definition;
    Affine2 place;
};
[[nodiscard]] std::vector<PlacedPart> PartsAt(const SimulationMotion& motion, double t);
// The parts of one segment drawn with the segment's frame at frame.
[[nodiscard]] std::vector<PlacedPart> SegmentPartsAt(const SegmentMotion& segment, const Placement& frame);
// Where one of them draws its definition: its place, then its shape.
[[nodiscard]] Affine2 PlaceOf(const PartShape& part, const Placement& frame);

// The segment a section's status counts positions along: its first with
// positions; none when no segment has any.
[[nodiscard]] std::optional<std::size_t> LeadSegment(const SectionMotion& section);
