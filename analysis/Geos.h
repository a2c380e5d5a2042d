// A thin owner for GEOS's reentrant C API: one context per sweep, and
// geometries that free themselves in it. GEOS reports its failures through
// the context's error handler and a null or error answer; Check turns those
// into a Failure (internal) carrying GEOS's own words, so no null geometry
// travels on.
#pragma once

#include "motion/Affine2.h"

#define GEOS_USE_ONLY_R_API
#include <geos_c.h>

#include <memory>
#include <string>
#include <vector>

struct GeometryDeleter
{
    GEOSContextHandle_t context = nullptr;
    void operator()(GEOSGeometry* geometry) const { GEOSGeom_destroy_r(context, geometry); }
};
using Geometry = std::unique_ptr<GEOSGeometry, GeometryDeleter>;

struct PreparedDeleter
{
    GEOSContextHandle_t context = nullptr;
    void operator()(const GEOSPreparedGeometry* prepared) const { GEOSPreparedGeom_destroy_r(context, prepared); }
};
using Prepared = std::unique_ptr<const GEOSPreparedGeometry, PreparedDeleter>;

class GeosContext
{
public:
    GeosContext();
    ~GeosContext();
    GeosContext(const GeosContext&) = delete;
    GeosContext& operator=(const GeosContext&) = delete;

    GEOSContextHandle_t Handle() const { return m_handle; }

    // Takes what a GEOS call made; throws when it made nothing.
    Geometry Check(GEOSGeometry* made) const;
    // A predicate's answer; throws on GEOS's error value (2).
    bool Check(char answer) const;

    // The closed ring through xy (x0, y0, x1, y1, ...; not repeated at the
    // end) as a polygon without holes.
    Geometry Polygon(const std::vector<double>& xy) const;
    Geometry LineString(const std::vector<double>& xy) const;
    // A collection of the parts given, which it takes over.
    Geometry Collection(std::vector<Geometry> parts) const;
    // The same as one multipolygon; the parts must be polygons.
    Geometry MultiPolygon(std::vector<Geometry> parts) const;
    // The union of the parts given, in one cascaded pass.
    Geometry Union(std::vector<Geometry> parts) const;
    Geometry Empty() const;
    // The points of a ring (or line), x0, y0, x1, y1, ..., without the
    // ring's repeated last point when dropLast.
    std::vector<double> Points(const GEOSGeometry& ring, bool dropLast) const;
    Prepared Prepare(const GEOSGeometry& geometry) const;
    // Whether geometry comes within distance of prepared (touches or
    // overlaps it when distance is 0).
    bool Near(const GEOSPreparedGeometry& prepared, const GEOSGeometry& geometry, double distance) const;
    // geometry with every point moved through place.
    Geometry Transformed(const GEOSGeometry& geometry, const Affine2& place) const;
    // The distance between the two (0 when they touch or overlap), and a
    // closest point of each: x0, y0 on a, x1, y1 on b.
    double Distance(const GEOSGeometry& a, const GEOSGeometry& b) const;
    std::vector<double> NearestPoints(const GEOSGeometry& a, const GEOSGeometry& b) const;
    // Every vertex of the polygons of geometry, x0, y0, x1, y1, ...
    std::vector<double> Vertices(const GEOSGeometry& geometry) const;

private:
    [[noreturn]] void Fail() const;
    Geometry Own(GEOSGeometry* geometry) const { return Geometry(geometry, {m_handle}); }
    Geometry Gathered(int type, std::vector<Geometry> parts) const;

    GEOSContextHandle_t m_handle;
    std::string m_error;
};
