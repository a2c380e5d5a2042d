// What a sweep can run into: what the user sees of the working drawing's
// model space, but what it is told to pass over (a simulation's own block
// references). A block reference stands there through its definition's
// geometry, nested references included. Entities on layers that are off or
// frozen are no obstacles, nor are those they hold; nor are text and points,
// which annotate the drawing rather than stand in the way.
#pragma once

#include "analysis/Geos.h"
#include "drawing/LayerPatterns.h"
#include "host/AcDbHandle.h"

#include <string>
#include <vector>

// The layers whose entities may be obstacles, asked of each model-space
// entity's own layer (a block reference's, not those of what it holds): the
// layers only names, all when it is empty, less those ignore names.
struct ObstacleLayers
{
    LayerPatterns only;
    LayerPatterns ignore;
};

struct Obstacle
{
    AcDbHandle handle;
    // The entity's class, as the host names it (AcDbCircle), in UTF-8.
    std::string className;
    // The definition a block reference shows; empty for other entities.
    std::string blockName;
    // The layer it is on; empty when its layer cannot be read.
    std::string layer;
    // Its areas (closed polylines, circles, hatches) and lines, circles
    // polygonized to tolerance.
    Geometry geometry;
};

[[nodiscard]] std::vector<Obstacle> ModelSpaceObstacles(const GeosContext& geos,
                                                      const std::vector<AcDbHandle>& passOver,
                                                      const ObstacleLayers& layers, double tolerance);
