#include "kinematics/Path.h"

#include "drawing/Angles.h"

#include <algorithm>
#include <cmath>
#include <limits>

PathPoint PathPiece::At(double s) const
{
    const double turned = curvature * s;
    if (std::abs(turned) < 1e-9)
        return {start.x + s * std::cos(start.heading), start.y + s * std::sin(start.heading), start.heading + turned};
    // Along the chord of the arc so far, halfway between the two headings.
    const double chord = 2.0 * std::sin(turned / 2.0) / curvature;
    const double along = start.heading + turned / 2.0;
    return {start.x + chord * std::cos(along), start.y + chord * std::sin(along), start.heading + turned};
}

double PathPiece::SignedDistance(double x, double y) const
{
    if (std::abs(curvature * length) < 1e-9)
    {
        const double ux = std::cos(start.heading);
        const double uy = std::sin(start.heading);
        const double along = std::clamp((x - start.x) * ux + (y - start.y) * uy, 0.0, length);
        const double dx = x - (start.x + along * ux);
        const double dy = y - (start.y + along * uy);
        return std::copysign(std::hypot(dx, dy), ux * dy - uy * dx);
    }
    // The arc's centre lies on its left for a positive curvature, and the
    // arc sweeps about it that way.
    const double radius = 1.0 / curvature;
    const double turning = curvature > 0.0 ? 1.0 : -1.0;
    const double cx = start.x - radius * std::sin(start.heading);
    const double cy = start.y + radius * std::cos(start.heading);
    const double swept = turning * (std::atan2(y - cy, x - cx) - std::atan2(start.y - cy, start.x - cx));
    const double around = swept - 2.0 * kPi * std::floor(swept / (2.0 * kPi));
    if (std::abs(radius) * around <= length)
        return turning * (std::abs(radius) - std::hypot(x - cx, y - cy));
    const PathPoint end = At(length);
    const double toStart = std::hypot(x - start.x, y - start.y);
    const double toEnd = std::hypot(x - end.x, y - end.y);
    const PathPoint& near = toStart < toEnd ? start : end;
    const double side = std::cos(near.heading) * (y - near.y) - std::sin(near.heading) * (x - near.x);
    return std::copysign(std::min(toStart, toEnd), side);
}

double SignedDistance(const std::vector<PathPiece>& pieces, double x, double y)
{
    double nearest = std::numeric_limits<double>::infinity();
    for (const PathPiece& piece : pieces)
    {
        const double distance = piece.SignedDistance(x, y);
        if (std::abs(distance) < std::abs(nearest))
            nearest = distance;
    }
    return nearest;
}

std::vector<PathPiece> PiecesThrough(const std::vector<PathVertex>& vertices, bool closed)
{
    std::vector<PathPiece> pieces;
    const std::size_t count = vertices.size();
    for (std::size_t i = 0; i + 1 < count + (closed ? 1 : 0); ++i)
    {
        const PathVertex& a = vertices[i];
        const PathVertex& b = vertices[(i + 1) % count];
        const double chord = std::hypot(b.x - a.x, b.y - a.y);
        if (!(chord > 0.0))
            continue;
        const double direction = std::atan2(b.y - a.y, b.x - a.x);
        // A bulge b is an arc of included angle 4·atan(b) over the chord.
        const double sweep = 4.0 * std::atan(a.bulge);
        if (sweep == 0.0)
        {
            pieces.push_back({{a.x, a.y, direction}, chord, 0.0});
            continue;
        }
        const double radius = chord / (2.0 * std::sin(std::abs(sweep) / 2.0));
        const double length = radius * std::abs(sweep);
        pieces.push_back({{a.x, a.y, direction - sweep / 2.0}, length, sweep / length});
    }
    return pieces;
}

double PathPart::Length() const
{
    double length = 0.0;
    for (const PathPiece& piece : pieces)
        length += piece.length;
    return length;
}

PathPoint PathPart::End() const
{
    return pieces.back().At(pieces.back().length);
}
