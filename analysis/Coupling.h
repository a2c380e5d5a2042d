// How two parts of one simulation that play at once move relative to each
// other, read from their motion alone: as one body (the relative placement
// never moves a point of either by the tolerance), as units hitched at a
// point (a point of each part's frame that stays together, within half the
// tolerance, while they turn relative to each other: a tractor and its
// semi-trailer, a truck and its drawbar trailer), or apart. A simulation
// carries no couplings of its own; motion that keeps a pivot is a coupling.
#pragma once

#include "analysis/PartOnClock.h"

struct Coupling
{
    enum class Kind
    {
        apart,
        rigid,
        hitched,
    };
    Kind kind = Kind::apart;
    // Of a hitch: the point they turn about, in each part's own frame.
    double ax = 0.0;
    double ay = 0.0;
    double bx = 0.0;
    double by = 0.0;
};

// Both parts must play during a common span.
[[nodiscard]] Coupling CouplingOf(const PartOnClock& a, const PartOnClock& b, double tolerance);
