// The timing rule: sections play in order; within a section the time from
// one position to the next is the distance between their points over the
// section's speed. The segments of a section that all hold as many
// positions step together on the first one's clock (motion/SimulationMotion
// applies that). Speeds are held in miles per hour; distances are in
// drawing units, which stand for some number of metres.
#pragma once

#include "model/PmPosition200.h"

#include <cstddef>
#include <vector>

constexpr double kMetresPerSecondPerMph = 0.44704;

// Drawing units per second at milesPerHour, for drawings in units of
// metresPerUnit metres.
[[nodiscard]] double UnitsPerSecond(double milesPerHour, double metresPerUnit);

// The time of each position from the first (0), at unitsPerSecond, which
// must be positive and finite. Two positions at one point are passed in no
// time.
[[nodiscard]] std::vector<double> PositionTimes(const std::vector<PmPosition200>& positions,
                                                double unitsPerSecond);

// Where time t falls in a run of position times: the last position reached
// and the fraction of the way to the next. Before the first time: position
// 0; from the last time on: the last position, fraction 0. Needs at least
// one time.
struct Step
{
    std::size_t index = 0;
    double fraction = 0.0;
};
[[nodiscard]] Step StepAt(const std::vector<double>& times, double t);
