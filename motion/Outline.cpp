#include "motion/Outline.h"

#include "drawing/Angles.h"
#include "drawing/BlockWalk.h"
#include "host/AcDbBlockReference.h"
#include "host/AcDbCurves.h"

#include <algorithm>
#include <cmath>

namespace
{
OutlinePath LinePath(const AcDbLine& line, const Affine2& place)
{
    OutlinePath path;
    AddPlacedPoint(path, place, line.startPoint().x, line.startPoint().y);
    AddPlacedPoint(path, place, line.endPoint().x, line.endPoint().y);
    return path;
}

// The points of the arc after its start, from angle start through sweep
// (negative: clockwise).
void AddArcPoints(OutlinePath& path, const Affine2& place, double cx, double cy, double radius, double start,
                  double sweep)
{
    const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / kOutlineArcStep)));
    for (int i = 1; i <= steps; ++i)
    {
        const double angle = start + sweep * i / steps;
        AddPlacedPoint(path, place, cx + radius * std::cos(angle), cy + radius * std::sin(angle));
    }
}

OutlinePath PolylinePath(const AcDbPolyline& polyline, const Affine2& place)
{
    OutlinePath path;
    path.closed = polyline.isClosed();
    const unsigned int count = polyline.numVerts();
    AcGePoint2d previous;
    double bulge = 0.0;
    for (unsigned int i = 0; i < count; ++i)
    {
        AcGePoint2d point;
        polyline.getPointAt(i, point);
        if (i == 0)
            AddPlacedPoint(path, place, point.x, point.y);
        else
            AddBulgedSegment(path, place, previous, point, bulge);
        polyline.getBulgeAt(i, bulge);
        previous = point;
    }
    AcGePoint2d first;
    if (path.closed && count > 1 && bulge != 0.0 && polyline.getPointAt(0, first) == Acad::eOk)
    {
        // The closing segment bends: its points are drawn, and the path is
        // closed on the first point as any closed path is.
        AddBulgedSegment(path, place, previous, first, bulge);
        path.xy.resize(path.xy.size() - 2);
    }
    return path;
}

OutlinePath ArcPath(const AcDbArc& arc, const Affine2& place)
{
    OutlinePath path;
    const AcGePoint3d centre = arc.center();
    const double start = arc.startAngle();
    double sweep = std::fmod(arc.endAngle() - start, 2.0 * kPi);
    if (sweep <= 0.0)
        sweep += 2.0 * kPi;
    AddPlacedPoint(path, place, centre.x + arc.radius() * std::cos(start), centre.y + arc.radius() * std::sin(start));
    AddArcPoints(path, place, centre.x, centre.y, arc.radius(), start, sweep);
    return path;
}

OutlineEllipse CircleEllipse(const AcDbCircle& circle, const Affine2& place)
{
    OutlineEllipse ellipse{};
    place.Apply(circle.center().x, circle.center().y, ellipse.cx, ellipse.cy);
    const double r = circle.radius();
    ellipse.ux = place.a * r;
    ellipse.uy = place.b * r;
    ellipse.vx = place.c * r;
    ellipse.vy = place.d * r;
    return ellipse;
}

} // namespace

void AddBulgedSegment(OutlinePath& path, const Affine2& place, const AcGePoint2d& from, const AcGePoint2d& to,
                      double bulge)
{
    if (bulge == 0.0)
    {
        AddPlacedPoint(path, place, to.x, to.y);
        return;
    }
    const double sweep = 4.0 * std::atan(bulge);
    const double chord = std::hypot(to.x - from.x, to.y - from.y);
    const double radius = chord * (1.0 + bulge * bulge) / (4.0 * std::fabs(bulge));
    // The centre lies off the chord's middle by this much, on its left for
    // a positive bulge under a half turn.
    const double off = chord * (1.0 - bulge * bulge) / (4.0 * bulge);
    const double ux = (to.x - from.x) / chord;
    const double uy = (to.y - from.y) / chord;
    const double cx = (from.x + to.x) / 2.0 - uy * off;
    const double cy = (from.y + to.y) / 2.0 + ux * off;
    AddArcPoints(path, place, cx, cy, radius, std::atan2(from.y - cy, from.x - cx), sweep);
}

Affine2 ReferencePlacement(const AcDbBlockReference& reference)
{
    const AcGePoint3d position = reference.position();
    const AcGeScale3d scale = reference.scaleFactors();
    return Affine2::Translation(position.x, position.y) * Affine2::Rotation(reference.rotation()) *
           Affine2::Scale(scale.sx, scale.sy);
}

bool OutlineBuilder::Spend()
{
    if (m_pieces >= kOutlineBudget)
    {
        m_outline.cutShort = true;
        return false;
    }
    ++m_pieces;
    return true;
}

void OutlineBuilder::AddEntity(const AcDbEntity& entity, const Affine2& place)
{
    if (entity.visibility() == AcDb::kInvisible || !Spend())
        return;
    if (const auto* line = AcDbLine::cast(&entity))
        m_outline.paths.push_back(LinePath(*line, place));
    else if (const auto* polyline = AcDbPolyline::cast(&entity))
        m_outline.paths.push_back(PolylinePath(*polyline, place));
    else if (const auto* arc = AcDbArc::cast(&entity))
        m_outline.paths.push_back(ArcPath(*arc, place));
    else if (const auto* circle = AcDbCircle::cast(&entity))
        m_outline.ellipses.push_back(CircleEllipse(*circle, place));
    else if (const auto* reference = AcDbBlockReference::cast(&entity))
        AddDefinition(reference->blockTableRecord(), place * ReferencePlacement(*reference));
}

void OutlineBuilder::AddDefinition(AcDbObjectId definition, const Affine2& place)
{
    if (std::find(m_expanding.begin(), m_expanding.end(), definition) != m_expanding.end())
        return;
    m_expanding.push_back(definition);
    // What cannot be opened is passed over: a picture shows what it can.
    ForEachEntity(definition, [&](const AcDbEntity& entity) { AddEntity(entity, place); });
    m_expanding.pop_back();
}

Outline BlockOutline(AcDbObjectId definition)
{
    OutlineBuilder builder;
    builder.AddDefinition(definition, Affine2());
    return builder.Take();
}
