#include "motion/OutlinePoints.h"

#include <algorithm>
#include <cmath>

void AddPoint(OutlinePath& path, const Affine2& place, double x, double y)
{
    double outX = 0.0;
    double outY = 0.0;
    place.Apply(x, y, outX, outY);
    path.xy.push_back(outX);
    path.xy.push_back(outY);
}

double TurnBetween(double start, double end)
{
    const double turn = std::fmod(end - start, 2.0 * kPi);
    return turn <= 0.0 ? turn + 2.0 * kPi : turn;
}

void AddArcPoints(OutlinePath& path, const Affine2& place, double cx, double cy, double radius, double start,
                  double sweep)
{
    const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / kArcStep)));
    for (int i = 1; i <= steps; ++i)
    {
        const double angle = start + sweep * i / steps;
        AddPoint(path, place, cx + radius * std::cos(angle), cy + radius * std::sin(angle));
    }
}

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

void AddBulgePoints(OutlinePath& path, const Affine2& place, const AcGePoint2d& from, const AcGePoint2d& to,
                    double bulge)
{
    if (bulge == 0.0)
    {
        AddPoint(path, place, to.x, to.y);
        return;
    }
    const double sweep = 4.0 * std::atan(bulge);
    const double chord = std::hypot(to.x - from.x, to.y - from.y);
    const double radius = chord * (1.0 + bulge * bulge) / (4.0 * std::fabs(bulge));
    // The centre lies off the chord's middle by this much, on its left for
    // a positive bulge under a half turn.
    const double off = chord * (1.0 - bulge * bulge) / (4.0 * bulge);
    const double ux = (to.x - from.x) / chord;
    const double uy = (to.y - from.y) / chord;
    const double cx = (from.x + to.x) / 2.0 - uy * off;
    const double cy = (from.y + to.y) / 2.0 + ux * off;
    AddArcPoints(path, place, cx, cy, radius, std::atan2(from.y - cy, from.x - cx), sweep);
}

OutlinePath BulgedPath(const std::vector<AcGePoint2d>& vertices, const std::vector<double>& bulges, bool closed,
                       const Affine2& place)
{
    OutlinePath path;
    path.closed = closed;
    const auto bulgeAt = [&](std::size_t i) { return i < bulges.size() ? bulges[i] : 0.0; };
    for (std::size_t i = 0; i < vertices.size(); ++i)
        if (i == 0)
            AddPoint(path, place, vertices[i].x, vertices[i].y);
        else
            AddBulgePoints(path, place, vertices[i - 1], vertices[i], bulgeAt(i - 1));
    if (closed && vertices.size() > 1 && bulgeAt(vertices.size() - 1) != 0.0)
    {
        // The closing segment bends: its points are drawn, and the path is
        // closed on the first point as any closed path is.
        AddBulgePoints(path, place, vertices.back(), vertices.front(), bulgeAt(vertices.size() - 1));
        path.xy.resize(path.xy.size() - 2);
    }
    return path;
}
