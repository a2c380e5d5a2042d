#include "analysis/Envelope.h"

namespace
{
std::vector<Ring> PolygonRings(const GeosContext& geos, const GEOSGeometry& polygon)
{
    std::vector<Ring> rings{geos.Points(*GEOSGetExteriorRing_r(geos.Handle(), &polygon), true)};
    for (int i = 0; i < GEOSGetNumInteriorRings_r(geos.Handle(), &polygon); ++i)
        rings.push_back(geos.Points(*GEOSGetInteriorRingN_r(geos.Handle(), &polygon, i), true));
    return rings;
}
} // namespace

Envelope EnvelopeOf(const GeosContext& geos, const GEOSGeometry& area, double tolerance)
{
    Envelope envelope;
    const GEOSContextHandle_t handle = geos.Handle();
    const Geometry drawn = geos.Check(GEOSTopologyPreserveSimplify_r(handle, &area, tolerance / 10.0));
    for (int i = 0; i < GEOSGetNumGeometries_r(handle, drawn.get()); ++i)
    {
        const GEOSGeometry* part = GEOSGetGeometryN_r(handle, drawn.get(), i);
        if (GEOSGeomTypeId_r(handle, part) == GEOS_POLYGON && !GEOSisEmpty_r(handle, part))
            envelope.polygons.push_back(PolygonRings(geos, *part));
    }
    if (envelope.Empty())
        return envelope;
    GEOSArea_r(handle, &area, &envelope.area);
    GEOSLength_r(handle, &area, &envelope.perimeter);
    GEOSGeom_getXMin_r(handle, &area, &envelope.box.minX);
    GEOSGeom_getYMin_r(handle, &area, &envelope.box.minY);
    GEOSGeom_getXMax_r(handle, &area, &envelope.box.maxX);
    GEOSGeom_getYMax_r(handle, &area, &envelope.box.maxY);
    return envelope;
}
