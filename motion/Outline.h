// What a block definition draws, flattened into the drawing plane: its
// lines, polylines and arcs as paths (arcs and bulged polyline segments as
// short chords), its circles as ellipses (a circle seen
// through a non-uniform scale), nested block references expanded through
// their own definitions at their position, scale and rotation. Invisible
// entities and references are left out. This is a part's footprint; the
// drawing's own picture is drawn from sketches (view/Sketch.h).
//
// Reading never fails: what cannot be opened is passed over, a reference to
// a definition that is being expanded already (a cycle) is not followed, and
// expansion stops after kOutlineBudget pieces, marking the outline cut short.
#pragma once

#include "drawing/Angles.h"
#include "host/AcDbObjectId.h"
#include "motion/Affine2.h"

#include <cstddef>
#include <vector>

class AcDbBlockReference;
class AcDbEntity;
class AcGePoint2d;

struct OutlinePath
{
    // x0, y0, x1, y1, ...
    std::vector<double> xy;
    bool closed = false;
};

// The points centre + u·cos(t) + v·sin(t).
struct OutlineEllipse
{
    double cx, cy, ux, uy, vx, vy;
};

struct Outline
{
    std::vector<OutlinePath> paths;
    std::vector<OutlineEllipse> ellipses;
    bool cutShort = false;

    bool Empty() const { return paths.empty() && ellipses.empty(); }
};

constexpr std::size_t kOutlineBudget = 1000000;

// Adds (x, y) through place.
inline void AddPlacedPoint(OutlinePath& path, const Affine2& place, double x, double y)
{
    double outX = 0.0;
    double outY = 0.0;
    place.Apply(x, y, outX, outY);
    path.xy.push_back(outX);
    path.xy.push_back(outY);
}

// Arcs are drawn as chords of at most this many radians: within 0.13 % of
// the radius of the true arc, and few enough points for a sweep.
constexpr double kOutlineArcStep = kPi / 32.0;

// The points after from of a polyline's segment to to: a segment with a
// bulge b is an arc of included angle 4·atan(b) between its ends, turning
// left for b > 0, drawn as chords.
void AddBulgedSegment(OutlinePath& path, const Affine2& place, const AcGePoint2d& from, const AcGePoint2d& to,
                      double bulge);

// Where a reference draws its definition, seen from above: its position,
// rotation about z and its x and y scale factors.
[[nodiscard]] Affine2 ReferencePlacement(const AcDbBlockReference& reference);

class OutlineBuilder
{
public:
    // Adds what entity draws, through place.
    void AddEntity(const AcDbEntity& entity, const Affine2& place);
    // Adds the entities of the block definition, through place.
    void AddDefinition(AcDbObjectId definition, const Affine2& place);
    Outline Take() { return std::move(m_outline); }

private:
    bool Spend();

    Outline m_outline;
    std::vector<AcDbObjectId> m_expanding;
    std::size_t m_pieces = 0;
};

// The outline of a block definition in its own coordinates.
[[nodiscard]] Outline BlockOutline(AcDbObjectId definition);
