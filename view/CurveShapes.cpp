#include "view/CurveShapes.h"

#include "host/AcDbCurves.h"
#include "host/AcDbHatch.h"
#include "motion/HatchArea.h"
#include "motion/OutlinePoints.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{
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
