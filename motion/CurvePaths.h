// Ellipses and splines as an outline draws them: a whole ellipse as the
// conjugate radii of the circle it is seen as, an arc of one and a spline
// as paths of chords. Each is drawn through place and answers what it can:
// a curve that cannot be read gives no points.
#pragma once

#include "motion/Outline.h"

class AcDbEllipse;
class AcDbSpline;

// A whole ellipse, or an arc of one as a path of chords of at most
// kArcStep radians of its parameter.
[[nodiscard]] bool IsWhole(const AcDbEllipse& ellipse);
[[nodiscard]] OutlineEllipse WholeEllipse(const AcDbEllipse& ellipse, const Affine2& place);
[[nodiscard]] OutlinePath EllipseArcPath(const AcDbEllipse& ellipse, const Affine2& place);

// The curve as NurbsCurve draws it, or a smooth curve through its fit
// points when it has no control points; closed when the spline is.
[[nodiscard]] OutlinePath SplinePath(const AcDbSpline& spline, const Affine2& place);
