// A path the user drew and drove a simulation along stays in the drawing,
// and the parts cover it from end to end: it is where they go, not
// something in their way. An entity whose every line, and every area's
// edge, lies within the tolerance of a line the simulation's positions
// trace is taken for such a path.
#pragma once

#include "analysis/Geos.h"

#include <vector>

// The strip within tolerance of the lines (x0, y0, x1, y1, ...); empty
// when no line has two points.
[[nodiscard]] Geometry DrivenStrip(const GeosContext& geos, const std::vector<std::vector<double>>& lines,
                                   double tolerance);

// Whether every line of shape, and the edge of every area, lies in strip.
[[nodiscard]] bool LiesAlong(const GeosContext& geos, const GEOSGeometry& shape, const GEOSPreparedGeometry& strip);
