#include "view/CurveShapes.h"

#include "host/AcDbCurves.h"
#include "host/AcDbHatch.h"
#include "motion/HatchArea.h"
#include "motion/NurbsCurve.h"
#include "motion/OutlinePoints.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{
struct Xy
{
    double x, y;
};

// centre + u·cos t + v·sin t for t from start through sweep, the start's
// point included.
void AddEllipsePoints(OutlinePath& path, const Affine2& place, const OutlineEllipse& e, double start, double sweep)
{
    const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / kArcStep)));
    for (int i = 0; i <= steps; ++i)
    {
        const double t = start + sweep * i / steps;
        AddPoint(path, place, e.cx + e.ux * std::cos(t) + e.vx * std::sin(t),
                 e.cy + e.uy * std::cos(t) + e.vy * std::sin(t));
    }
}

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

// One ring round a segment's points, width changing evenly from start to
// end along it: its left side forward and its right side back.
std::vector<double> BandRing(const std::vector<double>& xy, double startWidth, double endWidth)
{
    const std::size_t count = xy.size() / 2;
    std::vector<double> along(count, 0.0);
    for (std::size_t i = 1; i < count; ++i)
        along[i] = along[i - 1] + std::hypot(xy[2 * i] - xy[2 * i - 2], xy[2 * i + 1] - xy[2 * i - 1]);
    const double length = count > 1 ? along[count - 1] : 0.0;
    std::vector<double> left, right;
    for (std::size_t i = 0; i < count; ++i)
    {
        const std::size_t a = i == 0 ? 0 : i - 1;
        const std::size_t b = i + 1 < count ? i + 1 : i;
        double dx = xy[2 * b] - xy[2 * a], dy = xy[2 * b + 1] - xy[2 * a + 1];
        const double norm = std::hypot(dx, dy);
        if (norm > 0.0)
        {
            dx /= norm;
            dy /= norm;
        }
        const double fraction = length > 0.0 ? along[i] / length : 0.0;
        const double half = (startWidth + (endWidth - startWidth) * fraction) / 2.0;
        left.insert(left.end(), {xy[2 * i] - dy * half, xy[2 * i + 1] + dx * half});
        right.insert(right.begin(), {xy[2 * i] + dy * half, xy[2 * i + 1] - dx * half});
    }
    left.insert(left.end(), right.begin(), right.end());
    return left;
}
} // namespace

SketchEllipse EllipseOf(const OutlineEllipse& conjugate)
{
    // The matrix [u v] as a turn, two scales along the axes, and a turn.
    const double e = (conjugate.ux + conjugate.vy) / 2.0;
    const double f = (conjugate.ux - conjugate.vy) / 2.0;
    const double g = (conjugate.uy + conjugate.vx) / 2.0;
    const double h = (conjugate.uy - conjugate.vx) / 2.0;
    const double q = std::hypot(e, h);
    const double r = std::hypot(f, g);
    SketchEllipse ellipse;
    ellipse.cx = conjugate.cx;
    ellipse.cy = conjugate.cy;
    ellipse.rx = q + r;
    ellipse.ry = std::fabs(q - r);
    ellipse.angle = (std::atan2(h, e) + std::atan2(g, f)) / 2.0;
    return ellipse;
}

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
    double sweep = std::fmod(end - start, 2.0 * kPi);
    if (sweep <= 0.0)
        sweep += 2.0 * kPi;
    OutlinePath path;
    AddEllipsePoints(path, place, Conjugate(ellipse), start, sweep);
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
    return path;
}

std::vector<std::vector<double>> HatchRings(const AcDbHatch& hatch, const Affine2& place)
{
    std::vector<std::vector<double>> rings;
    for (OutlinePath& loop : HatchArea(hatch, place).loops)
        rings.push_back(std::move(loop.xy));
    return rings;
}

bool HasConstantWidth(const AcDbPolyline& polyline, double& width)
{
    width = 0.0;
    if (polyline.numVerts() < 2)
        return true;
    width = -1.0;
    const unsigned int segments = polyline.isClosed() ? polyline.numVerts() : polyline.numVerts() - 1;
    for (unsigned int i = 0; i < segments; ++i)
    {
        double start = 0.0, end = 0.0;
        polyline.getWidthsAt(i, start, end);
        if (start != end || (width >= 0.0 && start != width))
            return false;
        width = start;
    }
    width = std::max(width, 0.0);
    return true;
}

std::vector<std::vector<double>> WidePolylineRings(const AcDbPolyline& polyline, const Affine2& place)
{
    std::vector<std::vector<double>> rings;
    const unsigned int count = polyline.numVerts();
    const unsigned int segments = polyline.isClosed() ? count : count - 1;
    for (unsigned int i = 0; count > 1 && i < segments; ++i)
    {
        AcGePoint2d from, to;
        double bulge = 0.0, start = 0.0, end = 0.0;
        polyline.getPointAt(i, from);
        polyline.getPointAt((i + 1) % count, to);
        polyline.getBulgeAt(i, bulge);
        polyline.getWidthsAt(i, start, end);
        OutlinePath centre;
        AddPoint(centre, Affine2(), from.x, from.y);
        AddBulgePoints(centre, Affine2(), from, to, bulge);
        OutlinePath ring;
        const std::vector<double> own = BandRing(centre.xy, start, end);
        for (std::size_t k = 0; k + 1 < own.size(); k += 2)
            AddPoint(ring, place, own[k], own[k + 1]);
        rings.push_back(std::move(ring.xy));
    }
    return rings;
}
