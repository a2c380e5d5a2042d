#include "motion/Outline.h"

#include "drawing/BlockWalk.h"
#include "host/AcDbBlockReference.h"
#include "host/AcDbCurves.h"
#include "host/AcDbHatch.h"
#include "motion/CurvePaths.h"
#include "motion/HatchArea.h"
#include "motion/OutlinePoints.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace
{
OutlinePath LinePath(const AcDbLine& line, const Affine2& place)
{
    OutlinePath path;
    AddPoint(path, place, line.startPoint().x, line.startPoint().y);
    AddPoint(path, place, line.endPoint().x, line.endPoint().y);
    return path;
}

OutlinePath PolylinePath(const AcDbPolyline& polyline, const Affine2& place)
{
    std::vector<AcGePoint2d> vertices(polyline.numVerts());
    std::vector<double> bulges(vertices.size(), 0.0);
    for (unsigned int i = 0; i < vertices.size(); ++i)
    {
        polyline.getPointAt(i, vertices[i]);
        polyline.getBulgeAt(i, bulges[i]);
    }
    return BulgedPath(vertices, bulges, polyline.isClosed(), place);
}

OutlinePath ArcPath(const AcDbArc& arc, const Affine2& place)
{
    OutlinePath path;
    const AcGePoint3d centre = arc.center();
    const double start = arc.startAngle();
    AddPoint(path, place, centre.x + arc.radius() * std::cos(start), centre.y + arc.radius() * std::sin(start));
    AddArcPoints(path, place, centre.x, centre.y, arc.radius(), start, TurnBetween(start, arc.endAngle()));
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

Affine2 ReferencePlacement(const AcDbBlockReference& reference)
{
    const AcGePoint3d position = reference.position();
    const AcGeScale3d scale = reference.scaleFactors();
    return Affine2::Translation(position.x, position.y) * Affine2::Rotation(reference.rotation()) *
           Affine2::Scale(scale.sx, scale.sy);
}

void OutlineBuilder::AddEntity(const AcDbEntity& entity, const Affine2& place)
{
    if (entity.visibility() == AcDb::kInvisible)
        return;
    // Layers are read only for a filter: a part's outline takes all.
    const std::optional<EntityLayer> layer =
        m_takes ? GoverningLayer(LayerOf(entity), m_inherited) : std::optional<EntityLayer>();
    if ((m_takes && !m_takes(entity, layer)) || !m_budget.Spend(m_outline.cutShort))
        return;
    if (const auto* line = AcDbLine::cast(&entity))
        m_outline.paths.push_back(LinePath(*line, place));
    else if (const auto* polyline = AcDbPolyline::cast(&entity))
        m_outline.paths.push_back(PolylinePath(*polyline, place));
    else if (const auto* arc = AcDbArc::cast(&entity))
        m_outline.paths.push_back(ArcPath(*arc, place));
    else if (const auto* circle = AcDbCircle::cast(&entity))
        m_outline.ellipses.push_back(CircleEllipse(*circle, place));
    else if (const auto* hatch = AcDbHatch::cast(&entity))
        m_outline.areas.push_back(HatchArea(*hatch, place));
    else if (const auto* ellipse = AcDbEllipse::cast(&entity); ellipse && IsWhole(*ellipse))
        m_outline.ellipses.push_back(WholeEllipse(*ellipse, place));
    else if (ellipse)
        m_outline.paths.push_back(EllipseArcPath(*ellipse, place));
    else if (const auto* spline = AcDbSpline::cast(&entity))
        m_outline.paths.push_back(SplinePath(*spline, place));
    else if (const auto* reference = AcDbBlockReference::cast(&entity))
    {
        const std::optional<EntityLayer> outer = std::exchange(m_inherited, layer);
        AddDefinition(reference->blockTableRecord(), place * ReferencePlacement(*reference));
        m_inherited = outer;
    }
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

Outline BlockOutline(AcDbObjectId definition, EntityFilter takes)
{
    OutlineBuilder builder(std::move(takes));
    builder.AddDefinition(definition, Affine2());
    return builder.Take();
}
