// The placements a sweep looks at along one segment: every position, and
// between two positions as many samples (point on the straight line,
// rotation the shorter way round, as motion/ samples them) as it takes that
// no point of the footprints moves tolerance or more from one to the next.
#pragma once

#include "motion/Placement.h"
#include "motion/SimulationMotion.h"

#include <cstddef>
#include <vector>

struct SweepSample
{
    Placement frame;
    // The position reached and the fraction of the way to the next (0 at a
    // position), and the time from the section's start.
    std::size_t position = 0;
    double fraction = 0.0;
    double time = 0.0;
};

// The angle (radians) the turn from one placement to the other turns by.
double Turn(const Placement& from, const Placement& to);

// How many samples the run of segment takes, for footprints reaching at
// most reach from the segment's frame; tolerance must be positive.
std::size_t SampleCount(const SegmentMotion& segment, double reach, double tolerance);
std::vector<SweepSample> SamplesOf(const SegmentMotion& segment, double reach, double tolerance);
