// The shapes of a sketch that the part outlines do not need: ellipses and
// their arcs, splines, a hatch's rings and a band of changing width. Each
// is drawn through place, and answers what it can: a curve that cannot be
// read gives no points.
#pragma once

#include "view/Sketch.h"

class AcDbEllipse;
class AcDbHatch;
class AcDbPolyline;
class AcDbSpline;

// The radii and the turn of an ellipse given by two conjugate radii.
[[nodiscard]] SketchEllipse EllipseOf(const OutlineEllipse& conjugate);

// A whole ellipse, or an arc of one as a path of chords.
[[nodiscard]] OutlineEllipse WholeEllipse(const AcDbEllipse& ellipse, const Affine2& place);
[[nodiscard]] bool IsWhole(const AcDbEllipse& ellipse);
[[nodiscard]] OutlinePath EllipseArcPath(const AcDbEllipse& ellipse, const Affine2& place);

// The curve within a thousandth of the size of its control points' box, or
// a smooth curve through its fit points when it has no control points.
[[nodiscard]] OutlinePath SplinePath(const AcDbSpline& spline, const Affine2& place);

// Each loop as a closed ring x0, y0, x1, y1, ...
[[nodiscard]] std::vector<std::vector<double>> HatchRings(const AcDbHatch& hatch, const Affine2& place);

// A polyline whose segments have widths of their own, as filled rings: one
// per segment, the width changing evenly along it.
[[nodiscard]] std::vector<std::vector<double>> WidePolylineRings(const AcDbPolyline& polyline, const Affine2& place);
// Whether every segment has the same width at both ends; that width.
[[nodiscard]] bool HasConstantWidth(const AcDbPolyline& polyline, double& width);
