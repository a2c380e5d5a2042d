// The module's points and the host's carry the same three doubles; these
// move one into the other without touching a bit.
#pragma once

#include "host/AcGePoint3d.h"
#include "model/dpoint3d.h"

inline AcGePoint3d ToHostPoint(const dpoint3d& point)
{
    return AcGePoint3d(point.x, point.y, point.z);
}

inline dpoint3d FromHostPoint(const AcGePoint3d& point)
{
    return dpoint3d{point.x, point.y, point.z};
}
