// The extents of the curves entities are made of, shared by the entities
// that hold them: arcs, bulged segments and elliptical arcs. Angles and
// parameters in radians, counter-clockwise.
#pragma once

#include "host/AcDbExtents.h"
#include "host/AcGePoint3d.h"

namespace cadhost
{
// The arc about center in the plane z = center.z, from start to end.
void addArcExtents(AcDbExtents& extents, const AcGePoint3d& center, double radius, double start, double end);
// The segment from a to b, bent by its bulge (tan of a quarter of its
// included angle, positive counter-clockwise), at height z.
void addBulgeExtents(AcDbExtents& extents, const AcGePoint2d& a, const AcGePoint2d& b, double bulge, double z);
// center + cos t major + sin t minor for t from start to end.
void addEllipseExtents(AcDbExtents& extents, const AcGePoint3d& center, const AcGeVector3d& major,
                       const AcGeVector3d& minor, double start, double end);
} // namespace cadhost
