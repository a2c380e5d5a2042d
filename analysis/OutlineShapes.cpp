#include "analysis/OutlineShapes.h"

#include "drawing/Angles.h"

#include <algorithm>
#include <cmath>

namespace
{
// A circle far larger than the tolerance would otherwise take millions of
// points; past this many its chords may stray further than asked.
constexpr double kMostEllipsePoints = 4096;

std::vector<double> Placed(const std::vector<double>& xy, const Affine2& place)
{
    std::vector<double> placed(xy.size());
    for (std::size_t i = 0; i + 1 < xy.size(); i += 2)
        place.Apply(xy[i], xy[i + 1], placed[i], placed[i + 1]);
    return placed;
}

Geometry ValidPolygon(const GeosContext& geos, const std::vector<double>& xy)
{
    Geometry polygon = geos.Polygon(xy);
    return geos.Check(GEOSMakeValid_r(geos.Handle(), polygon.get()));
}

double AreaOf(const GeosContext& geos, const GEOSGeometry& geometry)
{
    double area = 0.0;
    GEOSArea_r(geos.Handle(), &geometry, &area);
    return area;
}

void AddClosed(const GeosContext& geos, std::vector<double> xy, OutlineShapes& shapes)
{
    Geometry valid = ValidPolygon(geos, xy);
    if (AreaOf(geos, *valid) > 0.0)
    {
        shapes.areas.push_back(std::move(valid));
        return;
    }
    xy.push_back(xy[0]);
    xy.push_back(xy[1]);
    shapes.lines.push_back(geos.LineString(xy));
}
// A hatch's loops as one area: nested loops alternate between filled and
// hole, which the symmetric difference of them all gives whatever order
// they come in.
void AddArea(const GeosContext& geos, const OutlineArea& area, const Affine2& place, OutlineShapes& shapes)
{
    Geometry filled;
    for (const OutlinePath& loop : area.loops)
    {
        Geometry polygon = ValidPolygon(geos, Placed(loop.xy, place));
        if (!filled)
            filled = std::move(polygon);
        else if (area.nested)
            filled = geos.Check(GEOSSymDifference_r(geos.Handle(), filled.get(), polygon.get()));
        else
            filled = geos.Check(GEOSUnion_r(geos.Handle(), filled.get(), polygon.get()));
    }
    if (filled && AreaOf(geos, *filled) > 0.0)
        shapes.areas.push_back(std::move(filled));
}
} // namespace

std::vector<double> EllipsePoints(const OutlineEllipse& e, const Affine2& place, double tolerance)
{
    const Affine2 axes = place * Affine2{e.ux, e.uy, e.vx, e.vy, e.cx, e.cy};
    // A chord of parameter step h strays at most a·h²/8 from the curve, a
    // being the longer half-axis.
    const double a = std::max(std::hypot(axes.a, axes.b), std::hypot(axes.c, axes.d));
    const double wanted = tolerance > 0.0 ? 2.0 * kPi / std::sqrt(8.0 * tolerance / a) : kMostEllipsePoints;
    const int count = static_cast<int>(std::clamp(std::ceil(wanted), 8.0, kMostEllipsePoints));
    std::vector<double> xy(2 * static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i)
    {
        const double t = 2.0 * kPi * static_cast<double>(i) / count;
        axes.Apply(std::cos(t), std::sin(t), xy[2 * i], xy[2 * i + 1]);
    }
    return xy;
}

OutlineShapes ShapesOf(const GeosContext& geos, const Outline& outline, const Affine2& place, double tolerance)
{
    OutlineShapes shapes;
    for (const OutlinePath& path : outline.paths)
    {
        if (path.xy.size() < 4)
            continue;
        std::vector<double> xy = Placed(path.xy, place);
        if (path.closed && xy.size() >= 6)
            AddClosed(geos, std::move(xy), shapes);
        else
            shapes.lines.push_back(geos.LineString(xy));
    }
    for (const OutlineEllipse& ellipse : outline.ellipses)
        AddClosed(geos, EllipsePoints(ellipse, place, tolerance), shapes);
    for (const OutlineArea& area : outline.areas)
        AddArea(geos, area, place, shapes);
    return shapes;
}
