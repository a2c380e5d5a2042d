// One path position of the previous release's records: the path point, the
// part's heading there (a turn about the Z axis, in radians) and a second
// point carried with it. A plain value.
//
// The previous release is built on the same shared classes as this one, so
// its declarations here use this release's point, part and block types.
#pragma once

#include "model/dpoint3d.h"

struct PmPosition
{
    dpoint3d pt;
    double angle = 0.0;
    dpoint3d tpt;
};
