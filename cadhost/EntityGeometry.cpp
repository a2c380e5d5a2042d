#include "cadhost/EntityGeometry.h"

#include <cmath>

namespace cadhost
{
namespace
{
constexpr double kTurn = 6.28318530717958647692;

// Where t lies between start and end, going up from start, as a fraction
// of the way; a sweep of a whole turn or more holds every t.
bool within(double t, double start, double end)
{
    const double sweep = end - start;
    if (sweep >= kTurn)
        return true;
    const double span = std::fmod(std::fmod(sweep, kTurn) + kTurn, kTurn);
    const double from = std::fmod(std::fmod(t - start, kTurn) + kTurn, kTurn);
    return from <= span;
}
} // namespace

void addEllipseExtents(AcDbExtents& extents, const AcGePoint3d& center, const AcGeVector3d& major,
                       const AcGeVector3d& minor, double start, double end)
{
    const auto pointAt = [&](double t) {
        const double c = std::cos(t);
        const double s = std::sin(t);
        return AcGePoint3d(center.x + c * major.x + s * minor.x, center.y + c * major.y + s * minor.y,
                           center.z + c * major.z + s * minor.z);
    };
    extents.addPoint(pointAt(start));
    extents.addPoint(pointAt(end));
    // Each coordinate is a cos t + b sin t, at its extremes where
    // tan t = b / a.
    for (const auto& [a, b] : {std::pair{major.x, minor.x}, {major.y, minor.y}, {major.z, minor.z}})
    {
        const double t = std::atan2(b, a);
        for (const double extreme : {t, t + kTurn / 2})
            if (within(extreme, start, end))
                extents.addPoint(pointAt(extreme));
    }
}

void addArcExtents(AcDbExtents& extents, const AcGePoint3d& center, double radius, double start, double end)
{
    // An arc runs counter-clockwise: an end below its start comes a turn on.
    const double to = end < start ? end + kTurn : end;
    addEllipseExtents(extents, center, {radius, 0.0, 0.0}, {0.0, radius, 0.0}, start, to);
}

void addBulgeExtents(AcDbExtents& extents, const AcGePoint2d& a, const AcGePoint2d& b, double bulge, double z)
{
    extents.addPoint({a.x, a.y, z});
    extents.addPoint({b.x, b.y, z});
    if (bulge == 0.0)
        return;
    // The chord's half length c and the arc's sagitta give its circle: the
    // center lies off the chord's middle by c (1 - bulge^2) / (2 bulge).
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double offset = (1.0 - bulge * bulge) / (4.0 * bulge);
    const AcGePoint3d center(a.x + dx / 2 - dy * offset, a.y + dy / 2 + dx * offset, z);
    const double radius = std::hypot(a.x - center.x, a.y - center.y);
    double start = std::atan2(a.y - center.y, a.x - center.x);
    double end = std::atan2(b.y - center.y, b.x - center.x);
    // A negative bulge turns clockwise: the same arc, walked from b.
    if (bulge < 0.0)
        std::swap(start, end);
    addArcExtents(extents, center, radius, start, end);
}
} // namespace cadhost
