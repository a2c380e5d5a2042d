#include "analysis/DrawnPaths.h"

namespace
{
// Round ends and joins of this many chords a quarter circle: the strip
// narrows by under 2% of the tolerance at a corner.
constexpr int kQuarterChords = 8;
} // namespace

Geometry DrivenStrip(const GeosContext& geos, const std::vector<std::vector<double>>& lines, double tolerance)
{
    std::vector<Geometry> strips;
    for (const std::vector<double>& line : lines)
        if (line.size() >= 4)
            strips.push_back(
                geos.Check(GEOSBuffer_r(geos.Handle(), geos.LineString(line).get(), tolerance, kQuarterChords)));
    return geos.Union(std::move(strips));
}

bool LiesAlong(const GeosContext& geos, const GEOSGeometry& shape, const GEOSPreparedGeometry& strip)
{
    const int count = GEOSGetNumGeometries_r(geos.Handle(), &shape);
    if (count < 1)
        return false;
    for (int i = 0; i < count; ++i)
    {
        const GEOSGeometry* piece = GEOSGetGeometryN_r(geos.Handle(), &shape, i);
        if (GEOSGeomTypeId_r(geos.Handle(), piece) == GEOS_GEOMETRYCOLLECTION)
        {
            if (!LiesAlong(geos, *piece, strip))
                return false;
            continue;
        }
        const Geometry edge = GEOSGeom_getDimensions_r(geos.Handle(), piece) == 2
                                  ? geos.Check(GEOSBoundary_r(geos.Handle(), piece))
                                  : geos.Check(GEOSGeom_clone_r(geos.Handle(), piece));
        if (!geos.Check(GEOSPreparedCovers_r(geos.Handle(), &strip, edge.get())))
            return false;
    }
    return true;
}
