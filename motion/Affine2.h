// A placement in the drawing plane as seen from above: x' = a·x + c·y + e,
// y' = b·x + d·y + f. The six numbers are in the order SVG's matrix() and the
// canvas's setTransform take them, so what motion/ computes is drawn as is.
#pragma once

#include <cmath>

struct Affine2
{
    double a = 1.0;
    double b = 0.0;
    double c = 0.0;
    double d = 1.0;
    double e = 0.0;
    double f = 0.0;

    // this·other: applied to a point, other acts first.
    Affine2 operator*(const Affine2& other) const
    {
        return {a * other.a + c * other.b,     b * other.a + d * other.b,
                a * other.c + c * other.d,     b * other.c + d * other.d,
                a * other.e + c * other.f + e, b * other.e + d * other.f + f};
    }

    // The placement that undoes this one; needs a determinant other than 0.
    Affine2 Inverse() const
    {
        const double det = a * d - b * c;
        return {d / det, -b / det, -c / det, a / det, (c * f - d * e) / det, (b * e - a * f) / det};
    }

    void Apply(double x, double y, double& outX, double& outY) const
    {
        outX = a * x + c * y + e;
        outY = b * x + d * y + f;
    }

    static Affine2 Translation(double x, double y) { return {1.0, 0.0, 0.0, 1.0, x, y}; }
    static Affine2 Scale(double sx, double sy) { return {sx, 0.0, 0.0, sy, 0.0, 0.0}; }
    // Counter-clockwise by angle radians about the origin.
    static Affine2 Rotation(double angle)
    {
        const double cosine = std::cos(angle);
        const double sine = std::sin(angle);
        return {cosine, sine, -sine, cosine, 0.0, 0.0};
    }
};
