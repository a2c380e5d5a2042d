// One position of a path: the path point, a second point carried with it,
// and the transform that places the part there. A plain value.
#pragma once

#include "geometry/CZnTransform.h"
#include "model/dpoint3d.h"

struct PmPosition200
{
    dpoint3d pt;
    dpoint3d tpt;
    CZnTransform transform;
};
