// A NURBS curve in the plane, as a spline or a hatch's spline edge holds
// it, and the chords an outline or a sketch draws it with.
#pragma once

#include "motion/Outline.h"

#include <vector>

struct NurbsCurve
{
    struct Point
    {
        double x, y;
    };

    int degree = 0;
    std::vector<double> knots;
    std::vector<Point> points;
    // Empty when every weight is 1 (a curve that is not rational).
    std::vector<double> weights;

    // Whether the counts agree with the degree; a curve that is not valid
    // draws nothing.
    [[nodiscard]] bool Valid() const;

    // The point at t by de Boor's rule, in homogeneous coordinates.
    [[nodiscard]] Point At(double t) const;

    // The curve from the first knot it is defined on to the last, through
    // place, its first point included: chords halved until each strays
    // from the curve less than a thousandth of its control points' box.
    void AddPoints(OutlinePath& path, const Affine2& place) const;

private:
    void AddSpan(OutlinePath& path, const Affine2& place, double t0, Point p0, double t1, Point p1,
                 double tolerance, int depth) const;
};
