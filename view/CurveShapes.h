// The shapes of a sketch that the part outlines do not need: an ellipse as
// radii and a turn, a hatch's rings and a band of changing width. Each
// is drawn through place, and answers what it can: a curve that cannot be
// read gives no points.
#pragma once

#include "view/Sketch.h"

class AcDbHatch;
class AcDbPolyline;

// The radii and the turn of an ellipse given by two conjugate radii.
[[nodiscard]] SketchEllipse EllipseOf(const OutlineEllipse& conjugate);

// Each loop as a closed ring x0, y0, x1, y1, ...
[[nodiscard]] std::vector<std::vector<double>> HatchRings(const AcDbHatch& hatch, const Affine2& place);

// A polyline whose segments have widths of their own, as filled rings: one
// per segment, the width changing evenly along it.
[[nodiscard]] std::vector<std::vector<double>> WidePolylineRings(const AcDbPolyline& polyline, const Affine2& place);
// Whether every segment has the same width at both ends; that width.
[[nodiscard]] bool HasConstantWidth(const AcDbPolyline& polyline, double& width);
