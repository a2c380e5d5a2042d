#include "analysis/Conflicts.h"

#include <tuple>

namespace
{
// Orders samples of different segments: by section, then time, then
// segment, then sample.
using SampleKey = std::tuple<std::size_t, double, std::size_t, std::size_t>;

class ObstacleTest
{
public:
    ObstacleTest(const GeosContext& geos, const GEOSGeometry& obstacle, double distance)
        : m_geos(geos), m_prepared(geos.Prepare(obstacle)), m_distance(distance)
    {
        const GEOSContextHandle_t handle = geos.Handle();
        GEOSGeom_getXMin_r(handle, &obstacle, &m_box.minX);
        GEOSGeom_getYMin_r(handle, &obstacle, &m_box.minY);
        GEOSGeom_getXMax_r(handle, &obstacle, &m_box.maxX);
        GEOSGeom_getYMax_r(handle, &obstacle, &m_box.maxY);
    }

    // Whether a part of segment comes within the distance on its way from
    // sample from to sample to.
    bool Touched(const SweptSegment& segment, std::size_t from, std::size_t to) const
    {
        if (!segment.Covered(from, to).Meets(m_box, m_distance))
            return false;
        for (const Geometry& hull : segment.Hulls(m_geos, from, to))
            if (Near(*hull))
                return true;
        return false;
    }

    bool Near(const GEOSGeometry& geometry) const { return m_geos.Near(*m_prepared, geometry, m_distance); }

private:
    const GeosContext& m_geos;
    Prepared m_prepared;
    double m_distance;
    Bounds m_box;
};

struct Found
{
    SampleKey key;
    SweepPoint point;
};

Found At(const SweptSegment& segment, std::size_t sample)
{
    const MotionSample& s = segment.Samples()[sample];
    return {{segment.Section(), s.time, segment.Segment(), sample},
            {segment.Section(), segment.Segment(), s.position, s.fraction}};
}

std::optional<std::size_t> FirstTouch(const ObstacleTest& test, const SweptSegment& segment)
{
    for (std::size_t step = 0; step < segment.Steps(); ++step)
    {
        const std::size_t from = segment.From(step);
        const std::size_t to = segment.To(step);
        if (test.Touched(segment, from, to))
            return test.Touched(segment, from, from) ? from : to;
    }
    return std::nullopt;
}

std::optional<std::size_t> LastTouch(const ObstacleTest& test, const SweptSegment& segment)
{
    for (std::size_t step = segment.Steps(); step-- > 0;)
    {
        const std::size_t from = segment.From(step);
        const std::size_t to = segment.To(step);
        if (test.Touched(segment, from, to))
            return test.Touched(segment, to, to) ? to : from;
    }
    return std::nullopt;
}
} // namespace

std::optional<Touches> TouchesOf(const GeosContext& geos, const std::vector<SweptSegment>& segments,
                                 const std::vector<Geometry>& segmentAreas, const GEOSGeometry& obstacle,
                                 double distance)
{
    const ObstacleTest test(geos, obstacle, distance);
    std::optional<Found> first;
    std::optional<Found> last;
    for (std::size_t i = 0; i < segments.size(); ++i)
    {
        if (!test.Near(*segmentAreas[i]))
            continue;
        const std::optional<std::size_t> from = FirstTouch(test, segments[i]);
        const std::optional<std::size_t> to = LastTouch(test, segments[i]);
        if (!from || !to)
            continue;
        const Found early = At(segments[i], *from);
        const Found late = At(segments[i], *to);
        if (!first || early.key < first->key)
            first = early;
        if (!last || last->key < late.key)
            last = late;
    }
    if (!first)
        return std::nullopt;
    return Touches{first->point, last->point};
}
