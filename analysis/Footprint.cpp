#include "analysis/Footprint.h"

#include "analysis/OutlineShapes.h"

#include <algorithm>
#include <cmath>

namespace
{
// A polygon whose hull is larger than it by less than this share is convex:
// the rest is rounding.
constexpr double kConvexSlack = 1e-9;

double Area(const GeosContext& geos, const GEOSGeometry& geometry)
{
    double area = 0.0;
    GEOSArea_r(geos.Handle(), &geometry, &area);
    return area;
}

// A polygon as convex pieces: itself when it is convex, else the triangles
// of its constrained Delaunay triangulation (holes stay holes).
void AddPieces(const GeosContext& geos, const GEOSGeometry& polygon, Footprint& footprint)
{
    const Geometry hull = geos.Check(GEOSConvexHull_r(geos.Handle(), &polygon));
    const double area = Area(geos, polygon);
    if (Area(geos, *hull) - area <= kConvexSlack * area)
    {
        footprint.pieces.push_back(geos.Points(*GEOSGetExteriorRing_r(geos.Handle(), hull.get()), true));
        return;
    }
    const Geometry triangles = geos.Check(GEOSConstrainedDelaunayTriangulation_r(geos.Handle(), &polygon));
    for (int i = 0; i < GEOSGetNumGeometries_r(geos.Handle(), triangles.get()); ++i)
            {
        const GEOSGeometry* triangle = GEOSGetGeometryN_r(geos.Handle(), triangles.get(), i);
        footprint.pieces.push_back(geos.Points(*GEOSGetExteriorRing_r(geos.Handle(), triangle), true));
    }
}

void Measure(Footprint& footprint)
{
    if (footprint.Empty())
        return;
    Bounds& box = footprint.box;
    box = Bounds{};
    for (const std::vector<double>& piece : footprint.pieces)
        for (std::size_t i = 0; i + 1 < piece.size(); i += 2)
        {
            footprint.reach = std::max(footprint.reach, std::hypot(piece[i], piece[i + 1]));
            box.Add(piece[i], piece[i + 1]);
        }
}
} // namespace

Footprint FootprintOf(const GeosContext& geos, const Outline& outline, const Affine2& shape, double tolerance)
{
    OutlineShapes shapes = ShapesOf(geos, outline, shape, tolerance);
    std::vector<Geometry> areas = std::move(shapes.areas);
    for (const Geometry& line : shapes.lines)
        areas.push_back(geos.Check(GEOSBufferWithStyle_r(geos.Handle(), line.get(), tolerance / 2.0, 8,
                                                         GEOSBUF_CAP_FLAT, GEOSBUF_JOIN_MITRE, 5.0)));
    const Geometry area = geos.Union(std::move(areas));
    Footprint footprint;
    for (int i = 0; i < GEOSGetNumGeometries_r(geos.Handle(), area.get()); ++i)
    {
        const GEOSGeometry* part = GEOSGetGeometryN_r(geos.Handle(), area.get(), i);
        if (GEOSGeomTypeId_r(geos.Handle(), part) == GEOS_POLYGON && Area(geos, *part) > 0.0)
            AddPieces(geos, *part, footprint);
    }
    Measure(footprint);
    return footprint;
}

std::vector<Geometry> SweptPieces(const GeosContext& geos, const Footprint& footprint, const Affine2& from,
                                  const Affine2& to)
{
    std::vector<Geometry> swept;
    swept.reserve(footprint.pieces.size());
    std::vector<double> xy;
    for (const std::vector<double>& piece : footprint.pieces)
    {
        const std::size_t n = piece.size();
        xy.resize(2 * n);
        for (std::size_t i = 0; i + 1 < n; i += 2)
        {
            from.Apply(piece[i], piece[i + 1], xy[i], xy[i + 1]);
            to.Apply(piece[i], piece[i + 1], xy[n + i], xy[n + i + 1]);
        }
        const Geometry points = geos.LineString(xy);
        Geometry hull = geos.Check(GEOSConvexHull_r(geos.Handle(), points.get()));
        if (GEOSGeomTypeId_r(geos.Handle(), hull.get()) == GEOS_POLYGON)
            swept.push_back(std::move(hull));
    }
    return swept;
}
