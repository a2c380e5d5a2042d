// What a sweep can run into: every visible entity of the working drawing's
// model space, but those it is told to pass over (a simulation's own block
// references). A block reference stands there through its definition's
// geometry, nested references included.
#pragma once

#include "analysis/Geos.h"
#include "host/AcDbHandle.h"

#include <string>
#include <vector>

struct Obstacle
{
    AcDbHandle handle;
    // The entity's class, as the host names it (AcDbCircle), in UTF-8.
    std::string className;
    // The definition a block reference shows; empty for other entities.
    std::string blockName;
    // Its areas (closed polylines, circles) and lines, circles polygonized
    // to tolerance.
    Geometry geometry;
};

[[nodiscard]] std::vector<Obstacle> ModelSpaceObstacles(const GeosContext& geos,
                                                      const std::vector<AcDbHandle>& passOver, double tolerance);
