// The broad phase of finding meetings: which pairs of parts come near each
// other, and when. Each part's runs of samples become boxes in place and
// time (x, y and the moments of the run), all held in one R-tree; each run
// asks the tree for the runs whose boxes come within the distance at
// overlapping moments. Only those pairs, over those spans, are measured.
#pragma once

#include "analysis/PartOnClock.h"

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

struct CandidatePair
{
    // Indices of the two parts, a < b.
    std::size_t a = 0;
    std::size_t b = 0;
    // Spans of the shared clock, in order, none overlapping another.
    std::vector<std::pair<double, double>> spans;
};

// Samples a run holds: few enough that a box stays tight around a turning
// part, many enough that the tree stays small.
constexpr std::size_t kSamplesPerRun = 16;

// compared(a, b) says whether the two parts may meet at all.
[[nodiscard]] std::vector<CandidatePair>
CandidatePairs(const std::vector<PartOnClock>& parts, const std::function<bool(std::size_t, std::size_t)>& compared,
               double distance, double tolerance);
