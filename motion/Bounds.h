// A box in the drawing plane, edges along the axes: the smallest holding
// what has been added to it.
#pragma once

#include "motion/Outline.h"

#include <algorithm>
#include <cmath>
#include <limits>

struct Bounds
{
    double minX = std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();

    bool Empty() const { return !(minX <= maxX); }

    // Whether the two boxes come within distance of each other.
    bool Meets(const Bounds& other, double distance) const
    {
        return minX - distance <= other.maxX && other.minX <= maxX + distance && minY - distance <= other.maxY &&
               other.minY <= maxY + distance;
    }

    void Add(double x, double y)
    {
        if (!std::isfinite(x) || !std::isfinite(y))
            return;
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
    }

    // The outline drawn through place.
    void Add(const Outline& outline, const Affine2& place)
    {
        double x = 0.0;
        double y = 0.0;
        const auto addPath = [&](const OutlinePath& path) {
            for (std::size_t i = 0; i + 1 < path.xy.size(); i += 2)
            {
                place.Apply(path.xy[i], path.xy[i + 1], x, y);
                Add(x, y);
            }
        };
        for (const OutlinePath& path : outline.paths)
            addPath(path);
        for (const OutlineArea& area : outline.areas)
            for (const OutlinePath& loop : area.loops)
                addPath(loop);
        for (const OutlineEllipse& e : outline.ellipses)
        {
            const Affine2 axes = place * Affine2{e.ux, e.uy, e.vx, e.vy, e.cx, e.cy};
            const double halfWidth = std::hypot(axes.a, axes.c);
            const double halfHeight = std::hypot(axes.b, axes.d);
            Add(axes.e - halfWidth, axes.f - halfHeight);
            Add(axes.e + halfWidth, axes.f + halfHeight);
        }
    }
};
