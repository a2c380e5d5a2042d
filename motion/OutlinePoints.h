// The points an outline's paths are drawn with: a point placed, an arc as
// chords, a bulged segment as its arc, and a run of bulged vertices (a
// polyline, a hatch's polyline loop) as a path.
#pragma once

#include "drawing/Angles.h"
#include "host/AcGePoint3d.h"
#include "motion/Outline.h"

#include <vector>

// Arcs are drawn as chords of at most this many radians: within 0.13 % of
// the radius of the true arc, and few enough points for a sweep.
constexpr double kArcStep = kPi / 32.0;

void AddPoint(OutlinePath& path, const Affine2& place, double x, double y);

// The turn from start to end counter-clockwise, in (0, 2π]: a whole turn
// when they meet, as an arc's angles or an ellipse's parameters run.
[[nodiscard]] double TurnBetween(double start, double end);

// The points of the arc after its start, from angle start through sweep
// (negative: clockwise).
void AddArcPoints(OutlinePath& path, const Affine2& place, double cx, double cy, double radius, double start,
                  double sweep);

// The points centre + u·cos t + v·sin t for t from start through sweep,
// the start's point included.
void AddEllipsePoints(OutlinePath& path, const Affine2& place, const OutlineEllipse& e, double start, double sweep);

// The points after from of the segment from from to to with bulge b: an
// arc of included angle 4·atan(b), turning left for b > 0.
void AddBulgePoints(OutlinePath& path, const Affine2& place, const AcGePoint2d& from, const AcGePoint2d& to,
                    double bulge);

// The vertices joined in order, each segment bent by the bulge at its start
// (none when bulges is shorter); closed, back to the first vertex.
[[nodiscard]] OutlinePath BulgedPath(const std::vector<AcGePoint2d>& vertices, const std::vector<double>& bulges,
                                     bool closed, const Affine2& place);
