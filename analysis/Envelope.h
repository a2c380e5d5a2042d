// An area a sweep reports, as plain numbers for whoever draws or exports it:
// its polygons, each a list of rings (the first its outer boundary, the
// rest its holes; x0, y0, x1, y1, ..., the first point not repeated at the
// end), and its measures. The measures are of the area as made; the rings
// leave out the points that stray less than a tenth of the sweep's
// tolerance from the line past them (a union of many hulls has runs of
// nearly collinear points that would otherwise be most of what is drawn).
#pragma once

#include "analysis/Geos.h"
#include "motion/Bounds.h"

#include <vector>

using Ring = std::vector<double>;

struct Envelope
{
    std::vector<std::vector<Ring>> polygons;
    double area = 0.0;
    double perimeter = 0.0;
    // Meaningless when Empty().
    Bounds box;

    bool Empty() const { return polygons.empty(); }
};

[[nodiscard]] Envelope EnvelopeOf(const GeosContext& geos, const GEOSGeometry& area, double tolerance);
