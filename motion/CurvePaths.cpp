#include "motion/CurvePaths.h"

#include "host/AcDbCurves.h"
#include "motion/NurbsCurve.h"
#include "motion/OutlinePoints.h"

#include <algorithm>
#include <cmath>

namespace
{
struct Xy
{
    double x, y;
};

OutlineEllipse Conjugate(const AcDbEllipse& ellipse)
{
    const AcGeVector3d major = ellipse.majorAxis();
    const AcGeVector3d minor = ellipse.minorAxis();
    return {ellipse.center().x, ellipse.center().y, major.x, major.y, minor.x, minor.y};
}

// A smooth curve through the points, each span a cubic whose ends are
// tangent to the chords of the points either side (Catmull-Rom).
OutlinePath ThroughPoints(const std::vector<Xy>& points, const Affine2& place)
{
    constexpr int kSteps = 8;
    OutlinePath path;
    for (std::size_t i = 0; i < points.size(); ++i)
    {
        if (i == 0)
        {
            AddPoint(path, place, points[0].x, points[0].y);
            continue;
        }
        const Xy& p0 = points[i >= 2 ? i - 2 : 0];
        const Xy& p1 = points[i - 1];
        const Xy& p2 = points[i];
        const Xy& p3 = points[std::min(i + 1, points.size() - 1)];
        for (int step = 1; step <= kSteps; ++step)
        {
            const double t = static_cast<double>(step) / kSteps, t2 = t * t, t3 = t2 * t;
            const auto blend = [&](double a, double b, double c, double d) {
                return 0.5 * (2.0 * b + (c - a) * t + (2.0 * a - 5.0 * b + 4.0 * c - d) * t2 +
                              (3.0 * b - a - 3.0 * c + d) * t3);
            };
            AddPoint(path, place, blend(p0.x, p1.x, p2.x, p3.x), blend(p0.y, p1.y, p2.y, p3.y));
        }
    }
    return path;
}
} // namespace

bool IsWhole(const AcDbEllipse& ellipse)
{
    double start = 0.0, end = 0.0;
    ellipse.getStartParam(start);
    ellipse.getEndParam(end);
    return std::fabs(std::fabs(end - start) - 2.0 * kPi) < 1e-9;
}

OutlineEllipse WholeEllipse(const AcDbEllipse& ellipse, const Affine2& place)
{
    const OutlineEllipse own = Conjugate(ellipse);
    OutlineEllipse placed{};
    place.Apply(own.cx, own.cy, placed.cx, placed.cy);
    placed.ux = place.a * own.ux + place.c * own.uy;
    placed.uy = place.b * own.ux + place.d * own.uy;
    placed.vx = place.a * own.vx + place.c * own.vy;
    placed.vy = place.b * own.vx + place.d * own.vy;
    return placed;
}

OutlinePath EllipseArcPath(const AcDbEllipse& ellipse, const Affine2& place)
{
    double start = 0.0, end = 0.0;
    ellipse.getStartParam(start);
    ellipse.getEndParam(end);
    OutlinePath path;
    AddEllipsePoints(path, place, Conjugate(ellipse), start, TurnBetween(start, end));
    return path;
}

OutlinePath SplinePath(const AcDbSpline& spline, const Affine2& place)
{
    int degree = 0;
    Adesk::Boolean rational = false, closed = false, periodic = false;
    AcGePoint3dArray points;
    AcGeDoubleArray knots, weights;
    double pointTolerance = 0.0, knotTolerance = 0.0;
    spline.getNurbsData(degree, rational, closed, periodic, points, knots, weights, pointTolerance,
                        knotTolerance);
    if (points.length() == 0)
    {
        std::vector<Xy> fits;
        for (int i = 0; i < spline.numFitPoints(); ++i)
        {
            AcGePoint3d fit;
            if (spline.getFitPointAt(i, fit) == Acad::eOk)
                fits.push_back({fit.x, fit.y});
        }
        return ThroughPoints(fits, place);
    }
    OutlinePath path;
    NurbsCurve::From(degree, knots, points, weights, rational).AddPoints(path, place);
    path.closed = spline.isClosed();
    return path;
}
