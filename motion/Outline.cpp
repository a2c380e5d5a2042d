#include "motion/Outline.h"

#include "host/AcDbBlockReference.h"
#include "host/AcDbCurves.h"
#include "host/AcDbSymbolTable.h"

#include <algorithm>
#include <memory>

namespace
{
void AddPoint(OutlinePath& path, const Affine2& place, double x, double y)
{
    double outX = 0.0;
    double outY = 0.0;
    place.Apply(x, y, outX, outY);
    path.xy.push_back(outX);
    path.xy.push_back(outY);
}

OutlinePath LinePath(const AcDbLine& line, const Affine2& place)
{
    OutlinePath path;
    AddPoint(path, place, line.startPoint().x, line.startPoint().y);
    AddPoint(path, place, line.endPoint().x, line.endPoint().y);
    return path;
}

OutlinePath PolylinePath(const AcDbPolyline& polyline, const Affine2& place)
{
    OutlinePath path;
    path.closed = polyline.isClosed();
    for (unsigned int i = 0; i < polyline.numVerts(); ++i)
    {
        AcGePoint2d point;
        polyline.getPointAt(i, point);
        AddPoint(path, place, point.x, point.y);
    }
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

struct CloseObject
{
    void operator()(AcDbObject* object) const { object->close(); }
};
template <class T> using Opened = std::unique_ptr<T, CloseObject>;
} // namespace

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
    else if (const auto* circle = AcDbCircle::cast(&entity))
        m_outline.ellipses.push_back(CircleEllipse(*circle, place));
    else if (const auto* reference = AcDbBlockReference::cast(&entity))
        AddDefinition(reference->blockTableRecord(), place * ReferencePlacement(*reference));
}

void OutlineBuilder::AddDefinition(AcDbObjectId definition, const Affine2& place)
{
    if (std::find(m_expanding.begin(), m_expanding.end(), definition) != m_expanding.end())
        return;
    AcDbBlockTableRecord* record = nullptr;
    if (acdbOpenObject(record, definition, AcDb::kForRead) != Acad::eOk)
        return;
    Opened<AcDbBlockTableRecord> opened(record);
    AcDbBlockTableRecordIterator* walk = nullptr;
    if (record->newIterator(walk) != Acad::eOk)
        return;
    const std::unique_ptr<AcDbBlockTableRecordIterator> iterator(walk);
    m_expanding.push_back(definition);
    for (; !iterator->done() && !m_outline.cutShort; iterator->step())
    {
        AcDbEntity* entity = nullptr;
        if (iterator->getEntity(entity, AcDb::kForRead) != Acad::eOk)
            continue;
        Opened<AcDbEntity> openedEntity(entity);
        AddEntity(*entity, place);
    }
    m_expanding.pop_back();
}

Outline BlockOutline(AcDbObjectId definition)
{
    OutlineBuilder builder;
    builder.AddDefinition(definition, Affine2());
    return builder.Take();
}
