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

    // From the host's arrays of knots and control points (of which x and y
    // are read), with the weights only when the curve is rational.
    template <class Knots, class Points, class Weights>
    static NurbsCurve From(int degree, const Knots& knots, const Points& points, const Weights& weights,
                           bool rational)
    {
        NurbsCurve curve;
        curve.degree = degree;
        for (int i = 0; i < knots.length(); ++i)
            curve.knots.push_back(knots[i]);
        for (int i = 0; i < points.length(); ++i)
            curve.points.push_back({points[i].x, points[i].y});
        for (int i = 0; rational && i < weights.length(); ++i)
            curve.weights.push_back(weights[i]);
        return curve;
    }

private:
    void AddSpan(OutlinePath& path, const Affine2& place, double t0, Point p0, double t1, Point p1,
                 double tolerance, int depth) const;
};
