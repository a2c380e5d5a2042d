#include "view/SketchBuilder.h"

#include "drawing/BlockWalk.h"
#include "host/AcDbBlockReference.h"
#include "host/AcDbCurves.h"
#include "host/AcDbHatch.h"
#include "host/AcDbPoint.h"
#include "host/AcDbText.h"
#include "view/CurveShapes.h"
#include "view/TextShape.h"

#include <algorithm>
#include <cmath>

void SketchBuilder::AddOutline(const AcDbEntity& entity, const Affine2& place, std::size_t pen)
{
    OutlineBuilder builder;
    builder.AddEntity(entity, place);
    Outline outline = builder.Take();
    for (OutlinePath& path : outline.paths)
        m_sketch.paths.push_back({pen, std::move(path), 0.0});
    for (const OutlineEllipse& circle : outline.ellipses)
    {
        SketchEllipse ellipse = EllipseOf(circle);
        ellipse.pen = pen;
        m_sketch.ellipses.push_back(ellipse);
    }
}

void SketchBuilder::AddText(SketchText text, std::size_t pen)
{
    text.pen = pen;
    m_sketch.texts.push_back(std::move(text));
}

void SketchBuilder::AddCurve(const AcDbEntity& entity, const Affine2& place, std::size_t pen)
{
    double width = 0.0;
    if (const auto* polyline = AcDbPolyline::cast(&entity); polyline && !HasConstantWidth(*polyline, width))
        m_sketch.fills.push_back({pen, WidePolylineRings(*polyline, place), true});
    else if (polyline)
    {
        const std::size_t before = m_sketch.paths.size();
        AddOutline(entity, place, pen);
        // Widths scale with the placement, as the polyline's points do.
        for (std::size_t i = before; i < m_sketch.paths.size(); ++i)
            m_sketch.paths[i].width = width * std::sqrt(std::fabs(place.a * place.d - place.b * place.c));
    }
    else
        AddOutline(entity, place, pen);
}

void SketchBuilder::AddEntity(const AcDbEntity& entity, const Affine2& place, const Inherited& outer)
{
    if (!m_pens.Shows(entity, outer) || !m_budget.Spend(m_sketch.cutShort))
        return;
    if (const auto* reference = AcDbBlockReference::cast(&entity))
    {
        AddDefinition(reference->blockTableRecord(), place * ReferencePlacement(*reference),
                      m_pens.Resolve(entity, outer));
        return;
    }
    const std::size_t pen = m_pens.PenOf(entity, outer);
    if (const auto* text = AcDbText::cast(&entity))
        AddText(TextShape(*text, place), pen);
    else if (const auto* paragraph = AcDbMText::cast(&entity))
        AddText(TextShape(*paragraph, place), pen);
    else if (const auto* hatch = AcDbHatch::cast(&entity))
        m_sketch.fills.push_back({pen, HatchRings(*hatch, place), hatch->isSolidFill()});
    else if (const auto* point = AcDbPoint::cast(&entity))
    {
        double x = 0.0, y = 0.0;
        place.Apply(point->position().x, point->position().y, x, y);
        m_sketch.points.push_back({pen, x, y});
    }
    else
        AddCurve(entity, place, pen);
}

void SketchBuilder::AddDefinition(AcDbObjectId definition, const Affine2& place, const Inherited& outer)
{
    if (std::find(m_expanding.begin(), m_expanding.end(), definition) != m_expanding.end())
        return;
    m_expanding.push_back(definition);
    ForEachEntity(definition, [&](const AcDbEntity& entity) { AddEntity(entity, place, outer); });
    m_expanding.pop_back();
}
