// Sampling a segment's run between its positions, as everything that
// measures or plays a simulation does: every position, and between two
// positions as many samples (point on the straight line, rotation the
// shorter way round, as Placement's Sample places them) as the spacing
// asks. A sweep asks that no point of the footprints move a tolerance or
// more from one sample to the next; the page asks that the frame turn no
// more than a small angle, so that drawing between samples along straight
// lines stays true.
#pragma once

#include "motion/Placement.h"
#include "motion/SimulationMotion.h"

#include <cstddef>
#include <limits>
#include <vector>

struct SampleSpacing
{
    // The most any point within reach of the frame's origin moves from one
    // sample to the next (the origin's move plus the turn's arc).
    double move = std::numeric_limits<double>::infinity();
    double reach = 0.0;
    // The most the frame turns from one sample to the next, in radians.
    double turn = std::numeric_limits<double>::infinity();
};

struct MotionSample
{
    Placement frame;
    // The position reached and the fraction of the way to the next (0 at a
    // position), and the time from the simulation's start.
    std::size_t position = 0;
    double fraction = 0.0;
    double time = 0.0;
};

// The angle (radians) the turn from one placement to the other turns by.
[[nodiscard]] double Turn(const Placement& from, const Placement& to);

// How many samples the run of segment takes; the spacing's limits must be
// positive.
[[nodiscard]] std::size_t SampleCount(const SegmentMotion& segment, const SampleSpacing& spacing);
[[nodiscard]] std::vector<MotionSample> SamplesOf(const SegmentMotion& segment, const SampleSpacing& spacing);
