// What an outline (motion/Outline.h) covers, as GEOS geometry: its closed
// polylines, its circles and ellipses and its hatches (holes left open) as
// areas, its lines and open
// polylines as lines. Circles become polygons whose chords stray less than
// tolerance from the curve.
#pragma once

#include "analysis/Geos.h"
#include "motion/Outline.h"

#include <vector>

struct OutlineShapes
{
    std::vector<Geometry> areas;
    std::vector<Geometry> lines;
};

// The outline drawn through place. A closed polyline that crosses itself
// is mended (each lobe stays an area); one that encloses nothing counts as
// a line; a polyline of a single vertex is passed over.
[[nodiscard]] OutlineShapes ShapesOf(const GeosContext& geos, const Outline& outline, const Affine2& place,
                                     double tolerance);

// The points of the ellipse centre + u·cos t + v·sin t, enough of them that
// no chord strays tolerance or more from the curve.
[[nodiscard]] std::vector<double> EllipsePoints(const OutlineEllipse& ellipse, const Affine2& place, double tolerance);
