#include "motion/NurbsCurve.h"

#include "motion/OutlinePoints.h"

#include <algorithm>
#include <cmath>

namespace
{
// Every span is halved at least this often, so that a span whose middle
// happens to lie on its chord is still followed; and at most this often.
constexpr int kLeastHalvings = 2;
constexpr int kMostHalvings = 12;
// How far a chord may stray, as a share of the control points' box.
constexpr double kStray = 1e-3;
} // namespace

bool NurbsCurve::Valid() const
{
    return degree >= 1 && points.size() > static_cast<std::size_t>(degree) &&
           knots.size() == points.size() + static_cast<std::size_t>(degree) + 1 &&
           (weights.empty() || weights.size() == points.size());
}

NurbsCurve::Point NurbsCurve::At(double t) const
{
    const auto p = static_cast<std::size_t>(degree);
    std::size_t span = p;
    while (span + 1 < points.size() && knots[span + 1] <= t)
        ++span;
    std::vector<double> x(p + 1), y(p + 1), w(p + 1);
    for (std::size_t j = 0; j <= p; ++j)
    {
        const std::size_t i = span - p + j;
        w[j] = weights.empty() ? 1.0 : weights[i];
        x[j] = points[i].x * w[j];
        y[j] = points[i].y * w[j];
    }
    for (std::size_t r = 1; r <= p; ++r)
        for (std::size_t j = p; j >= r; --j)
        {
            const std::size_t i = span - p + j;
            const double denominator = knots[i + p + 1 - r] - knots[i];
            const double a = denominator > 0.0 ? (t - knots[i]) / denominator : 0.0;
            x[j] = (1.0 - a) * x[j - 1] + a * x[j];
            y[j] = (1.0 - a) * y[j - 1] + a * y[j];
            w[j] = (1.0 - a) * w[j - 1] + a * w[j];
        }
    return {x[p] / w[p], y[p] / w[p]};
}

void NurbsCurve::AddSpan(OutlinePath& path, const Affine2& place, double t0, Point p0, double t1, Point p1,
                         double tolerance, int depth) const
{
    const double tm = (t0 + t1) / 2.0;
    const Point pm = At(tm);
    const double chord = std::hypot(p1.x - p0.x, p1.y - p0.y);
    const double off = chord > 0.0 ? std::fabs((p1.x - p0.x) * (pm.y - p0.y) - (p1.y - p0.y) * (pm.x - p0.x)) / chord
                                   : std::hypot(pm.x - p0.x, pm.y - p0.y);
    if (depth < kMostHalvings && (depth < kLeastHalvings || off > tolerance))
    {
        AddSpan(path, place, t0, p0, tm, pm, tolerance, depth + 1);
        AddSpan(path, place, tm, pm, t1, p1, tolerance, depth + 1);
        return;
    }
    AddPoint(path, place, p1.x, p1.y);
}

void NurbsCurve::AddPoints(OutlinePath& path, const Affine2& place) const
{
    if (!Valid())
        return;
    double minX = points[0].x, maxX = minX, minY = points[0].y, maxY = minY;
    for (const Point& point : points)
    {
        minX = std::min(minX, point.x);
        maxX = std::max(maxX, point.x);
        minY = std::min(minY, point.y);
        maxY = std::max(maxY, point.y);
    }
    const double tolerance = kStray * std::hypot(maxX - minX, maxY - minY);
    const auto p = static_cast<std::size_t>(degree);
    Point previous = At(knots[p]);
    AddPoint(path, place, previous.x, previous.y);
    for (std::size_t span = p; span < points.size(); ++span)
    {
        if (!(knots[span + 1] > knots[span]))
            continue;
        const Point next = At(knots[span + 1]);
        AddSpan(path, place, knots[span], previous, knots[span + 1], next, tolerance, 0);
        previous = next;
    }
}
