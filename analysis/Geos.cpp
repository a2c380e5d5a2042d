#include "analysis/Geos.h"

#include "drawing/Failure.h"

namespace
{
void KeepError(const char* message, void* userData)
{
    *static_cast<std::string*>(userData) = message;
}
} // namespace

GeosContext::GeosContext() : m_handle(GEOS_init_r())
{
    if (m_handle == nullptr)
        throw Failure(FailureKind::internal, "the geometry library could not start");
    GEOSContext_setErrorMessageHandler_r(m_handle, KeepError, &m_error);
}

GeosContext::~GeosContext()
{
    GEOS_finish_r(m_handle);
}

void GeosContext::Fail() const
{
    throw Failure(FailureKind::internal,
                  "the geometry library failed: " + (m_error.empty() ? std::string("no reason given") : m_error));
}

Geometry GeosContext::Check(GEOSGeometry* made) const
{
    if (made == nullptr)
        Fail();
    return Own(made);
}

bool GeosContext::Check(char answer) const
{
    if (answer == 2)
        Fail();
    return answer == 1;
}

Geometry GeosContext::Polygon(const std::vector<double>& xy) const
{
    std::vector<double> closed = xy;
    closed.push_back(xy.at(0));
    closed.push_back(xy.at(1));
    GEOSCoordSequence* points =
        GEOSCoordSeq_copyFromBuffer_r(m_handle, closed.data(), static_cast<unsigned>(closed.size() / 2), 0, 0);
    Geometry ring = Check(GEOSGeom_createLinearRing_r(m_handle, points));
    return Check(GEOSGeom_createPolygon_r(m_handle, ring.release(), nullptr, 0));
}

Geometry GeosContext::LineString(const std::vector<double>& xy) const
{
    GEOSCoordSequence* points =
        GEOSCoordSeq_copyFromBuffer_r(m_handle, xy.data(), static_cast<unsigned>(xy.size() / 2), 0, 0);
    return Check(GEOSGeom_createLineString_r(m_handle, points));
}

Geometry GeosContext::Gathered(int type, std::vector<Geometry> parts) const
{
    std::vector<GEOSGeometry*> raw;
    raw.reserve(parts.size());
    for (Geometry& part : parts)
        raw.push_back(part.release());
    GEOSGeometry* collection =
        GEOSGeom_createCollection_r(m_handle, type, raw.data(), static_cast<unsigned>(raw.size()));
    if (collection == nullptr)
        for (GEOSGeometry* part : raw)
            GEOSGeom_destroy_r(m_handle, part);
    return Check(collection);
}

Geometry GeosContext::Collection(std::vector<Geometry> parts) const
{
    return Gathered(GEOS_GEOMETRYCOLLECTION, std::move(parts));
}

Geometry GeosContext::MultiPolygon(std::vector<Geometry> parts) const
{
    return Gathered(GEOS_MULTIPOLYGON, std::move(parts));
}

Geometry GeosContext::Union(std::vector<Geometry> parts) const
{
    if (parts.empty())
        return Empty();
    if (parts.size() == 1)
        return std::move(parts.front());
    const Geometry collection = Collection(std::move(parts));
    return Check(GEOSUnaryUnion_r(m_handle, collection.get()));
}

Geometry GeosContext::Empty() const
{
    return Check(GEOSGeom_createEmptyPolygon_r(m_handle));
}

std::vector<double> GeosContext::Points(const GEOSGeometry& ring, bool dropLast) const
{
    const GEOSCoordSequence* points = GEOSGeom_getCoordSeq_r(m_handle, &ring);
    unsigned int size = 0;
    if (points == nullptr || GEOSCoordSeq_getSize_r(m_handle, points, &size) == 0)
        Fail();
    std::vector<double> xy(2 * static_cast<std::size_t>(size));
    GEOSCoordSeq_copyToBuffer_r(m_handle, points, xy.data(), 0, 0);
    if (dropLast && size > 0)
        xy.resize(xy.size() - 2);
    return xy;
}

bool GeosContext::Near(const GEOSPreparedGeometry& prepared, const GEOSGeometry& geometry, double distance) const
{
    return Check(distance > 0.0 ? GEOSPreparedDistanceWithin_r(m_handle, &prepared, &geometry, distance)
                                : GEOSPreparedIntersects_r(m_handle, &prepared, &geometry));
}

namespace
{
int MoveThrough(double* x, double* y, void* place)
{
    static_cast<const Affine2*>(place)->Apply(*x, *y, *x, *y);
    return 1;
}
} // namespace

Geometry GeosContext::Transformed(const GEOSGeometry& geometry, const Affine2& place) const
{
    Affine2 through = place;
    return Check(GEOSGeom_transformXY_r(m_handle, &geometry, MoveThrough, &through));
}

double GeosContext::Distance(const GEOSGeometry& a, const GEOSGeometry& b) const
{
    double distance = 0.0;
    if (GEOSDistance_r(m_handle, &a, &b, &distance) != 1)
        Fail();
    return distance;
}

std::vector<double> GeosContext::NearestPoints(const GEOSGeometry& a, const GEOSGeometry& b) const
{
    GEOSCoordSequence* points = GEOSNearestPoints_r(m_handle, &a, &b);
    if (points == nullptr)
        Fail();
    std::vector<double> xy(4);
    GEOSCoordSeq_copyToBuffer_r(m_handle, points, xy.data(), 0, 0);
    GEOSCoordSeq_destroy_r(m_handle, points);
    return xy;
}

std::vector<double> GeosContext::Vertices(const GEOSGeometry& geometry) const
{
    std::vector<double> xy;
    for (int i = 0; i < GEOSGetNumGeometries_r(m_handle, &geometry); ++i)
    {
        const GEOSGeometry* part = GEOSGetGeometryN_r(m_handle, &geometry, i);
        if (GEOSGeomTypeId_r(m_handle, part) != GEOS_POLYGON || GEOSisEmpty_r(m_handle, part))
            continue;
        const std::vector<double> ring = Points(*GEOSGetExteriorRing_r(m_handle, part), true);
        xy.insert(xy.end(), ring.begin(), ring.end());
    }
    return xy;
}

Prepared GeosContext::Prepare(const GEOSGeometry& geometry) const
{
    const GEOSPreparedGeometry* prepared = GEOSPrepare_r(m_handle, &geometry);
    if (prepared == nullptr)
        Fail();
    return Prepared(prepared, {m_handle});
}
