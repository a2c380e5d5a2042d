#include "motion/HatchArea.h"

#include "host/AcDbHatch.h"
#include "host/AcGeCurve2d.h"
#include "motion/NurbsCurve.h"
#include "motion/OutlinePoints.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace
{
// Angles run from the reference direction, clockwise when the arc does.
void AddCircularArc(OutlinePath& path, const Affine2& place, const AcGeCircArc2d& arc)
{
    const double turn = arc.isClockWise() ? -1.0 : 1.0;
    const double reference = std::atan2(arc.refVec().y, arc.refVec().x);
    const double start = reference + turn * arc.startAng();
    const AcGePoint2d centre = arc.center();
    AddPoint(path, place, centre.x + arc.radius() * std::cos(start), centre.y + arc.radius() * std::sin(start));
    AddArcPoints(path, place, centre.x, centre.y, arc.radius(), start,
                 turn * TurnBetween(arc.startAng(), arc.endAng()));
}

// The points centre + R·cos t·major + r·sin t·minor, t from start to end.
void AddEllipticalArc(OutlinePath& path, const Affine2& place, const AcGeEllipArc2d& arc)
{
    const AcGePoint2d c = arc.center();
    const double major = arc.majorRadius();
    const double minor = arc.minorRadius();
    const OutlineEllipse ellipse{c.x,
                                 c.y,
                                 major * arc.majorAxis().x,
                                 major * arc.majorAxis().y,
                                 minor * arc.minorAxis().x,
                                 minor * arc.minorAxis().y};
    AddEllipsePoints(path, place, ellipse, arc.startAng(), TurnBetween(arc.startAng(), arc.endAng()));
}

// The edge's curve as it is defined, its weights only when it is rational.
void AddNurbs(OutlinePath& path, const Affine2& place, const AcGeNurbCurve2d& edge)
{
    bool rational = false;
    bool periodic = false;
    AcGeKnotVector knots;
    AcGePoint2dArray points;
    AcGeDoubleArray weights;
    int degree = 0;
    edge.getDefinitionData(degree, rational, periodic, knots, points, weights);
    NurbsCurve::From(degree, knots, points, weights, rational).AddPoints(path, place);
}

void AddEdge(OutlinePath& path, const Affine2& place, const AcGeCurve2d& edge)
{
    switch (edge.type())
    {
    case AcGe::kLineSeg2d: {
        const auto& line = static_cast<const AcGeLineSeg2d&>(edge);
        AddPoint(path, place, line.startPoint().x, line.startPoint().y);
        AddPoint(path, place, line.endPoint().x, line.endPoint().y);
        break;
    }
    case AcGe::kCircArc2d:
        AddCircularArc(path, place, static_cast<const AcGeCircArc2d&>(edge));
        break;
    case AcGe::kEllipArc2d:
        AddEllipticalArc(path, place, static_cast<const AcGeEllipArc2d&>(edge));
        break;
    case AcGe::kNurbCurve2d:
        AddNurbs(path, place, static_cast<const AcGeNurbCurve2d&>(edge));
        break;
    }
}

OutlinePath LoopPath(const AcDbHatch& hatch, int index, const Affine2& place)
{
    Adesk::Int32 type = 0;
    AcGePoint2dArray vertices;
    AcGeDoubleArray bulges;
    if (hatch.getLoopAt(index, type, vertices, bulges) == Acad::eOk)
        return BulgedPath(std::vector<AcGePoint2d>(vertices.asArrayPtr(), vertices.asArrayPtr() + vertices.length()),
                          std::vector<double>(bulges.asArrayPtr(), bulges.asArrayPtr() + bulges.length()), true,
                          place);
    OutlinePath path;
    path.closed = true;
    AcGeVoidPointerArray edges;
    AcGeIntArray types;
    if (hatch.getLoopAt(index, type, edges, types) != Acad::eOk)
        return path;
    for (int i = 0; i < edges.length(); ++i)
    {
        const std::unique_ptr<AcGeCurve2d> edge(static_cast<AcGeCurve2d*>(edges[i]));
        AddEdge(path, place, *edge);
    }
    return path;
}
} // namespace

OutlineArea HatchArea(const AcDbHatch& hatch, const Affine2& place)
{
    OutlineArea area;
    area.nested = hatch.hatchStyle() != AcDbHatch::kIgnore;
    for (int i = 0; i < hatch.numLoops(); ++i)
    {
        OutlinePath loop = LoopPath(hatch, i, place);
        if (loop.xy.size() >= 6)
            area.loops.push_back(std::move(loop));
    }
    return area;
}
