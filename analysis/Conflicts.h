// Where along a sweep a part first and last comes within a distance of an
// obstacle (touching it, or inside it, at distance 0).
#pragma once

#include "analysis/Sweep.h"
#include "analysis/SweptSegment.h"

#include <optional>
#include <vector>

struct Touches
{
    SweepPoint first;
    SweepPoint last;
};

// segmentAreas are the segments' envelopes, in the order of segments. The
// earliest and latest samples, by section and time (then segment), at which
// a part is within distance of obstacle; none when no part ever is. A touch
// that falls between two samples counts at the nearer-the-inside one of
// them: at the step's end for the first touch, at its start for the last.
[[nodiscard]] std::optional<Touches> TouchesOf(const GeosContext& geos, const std::vector<SweptSegment>& segments,
                                               const std::vector<Geometry>& segmentAreas, const GEOSGeometry& obstacle,
                                               double distance);
