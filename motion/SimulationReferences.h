// What of the drawing is the simulation's own: the block references its
// parts are drawn with, which move with it and so are never in its way;
// and the lines its positions trace, along which a path may be drawn.
#pragma once

#include "host/AcDbHandle.h"

#include <vector>

class CPmSim200;

[[nodiscard]] std::vector<AcDbHandle> ReferencesOf(const CPmSim200& sim);
// For each segment of two positions or more, the line through its path
// points (pt) and the one through its second points (tpt), seen from above:
// x0, y0, x1, y1, ... A driven vehicle's guide runs on the tpt line of its
// lead unit, and in reverse its last unit's axle on that unit's pt line.
[[nodiscard]] std::vector<std::vector<double>> TracesOf(const CPmSim200& sim);
