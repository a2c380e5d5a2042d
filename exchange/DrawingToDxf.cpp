#include "exchange/DrawingToDxf.h"

#include "cadhost/Utf8Text.h"
#include "drawing/Angles.h"
#include "drawing/BlockWalk.h"
#include "drawing/Names.h"
#include "drawing/Opened.h"
#include "host/AcDbBlockReference.h"
#include "host/AcDbCurves.h"
#include "host/AcDbHatch.h"
#include "host/AcDbPoint.h"
#include "host/AcDbText.h"
#include "host/acutMem.h"
#include "host/AcDbDatabase.h"
#include "host/AcDbSymbolTable.h"
#include "model/CPmSection200.h"
#include "model/CPmSegment200.h"
#include "model/CPmSim200.h"
#include "motion/SimulationMotion.h"

#include <cmath>
#include <map>
#include <memory>
#include <optional>

namespace
{
constexpr int kPathColour = 1;
constexpr int kPartsColour = 5;
constexpr int kEnvelopeColour = 3;
constexpr int kClearanceColour = 30;
constexpr int kWheelTrackColour = 8;

std::string Utf8(const ACHAR* text) { return text != nullptr ? cadhost::toUtf8(text) : std::string(); }

DxfPoint Point(const AcGePoint3d& point)
{
    return {point.x, point.y, point.z};
}

DxfPoint Vector(const AcGeVector3d& vector)
{
    return {vector.x, vector.y, vector.z};
}

// The names of the drawing's records, by id, read once.
class RecordNames
{
public:
    std::string Of(AcDbObjectId id)
    {
        const auto known = m_names.find(id);
        if (known != m_names.end())
            return known->second;
        std::string name;
        if (const Opened<AcDbSymbolTableRecord> record = OpenObject<AcDbSymbolTableRecord>(id, AcDb::kForRead))
        {
            const ACHAR* text = nullptr;
            record->getName(text);
            name = Utf8(text);
        }
        return m_names[id] = name;
    }

private:
    std::map<AcDbObjectId, std::string> m_names;
};

void ColourInto(const AcCmColor& colour, int& index, int& trueColour)
{
    if (colour.isByColor())
    {
        index = kDxfColourByLayer;
        trueColour = colour.red() << 16 | colour.green() << 8 | colour.blue();
    }
    else
    {
        index = colour.isNone() ? kDxfColourByLayer : colour.colorIndex();
        trueColour = -1;
    }
}

DxfPolyline PolylineOf(const AcDbPolyline& polyline)
{
    DxfPolyline shape;
    shape.closed = polyline.isClosed();
    polyline.getConstantWidth(shape.constantWidth);
    shape.elevation = polyline.elevation();
    for (unsigned int i = 0; i < polyline.numVerts(); ++i)
    {
        AcGePoint2d point;
        double bulge = 0.0;
        double start = 0.0;
        double end = 0.0;
        polyline.getPointAt(i, point);
        polyline.getBulgeAt(i, bulge);
        polyline.getWidthsAt(i, start, end);
        // Widths the constant one gives go out as that alone.
        const bool own = start != shape.constantWidth || end != shape.constantWidth;
        shape.vertices.push_back({point.x, point.y, bulge, own ? start : -1.0, own ? end : -1.0});
    }
    return shape;
}

DxfInsert InsertOf(const AcDbBlockReference& reference)
{
    const AcGeScale3d scale = reference.scaleFactors();
    return {BlockName(reference.blockTableRecord()).value_or(""), Point(reference.position()), scale.sx, scale.sy,
            scale.sz, Degrees(reference.rotation())};
}

DxfText TextOf(const AcDbText& text, RecordNames& names)
{
    DxfText shape;
    shape.text = Utf8(text.textStringConst());
    shape.style = names.Of(text.textStyle());
    shape.position = Point(text.position());
    shape.alignment = Point(text.alignmentPoint());
    shape.height = text.height();
    shape.rotation = Degrees(text.rotation());
    shape.widthFactor = text.widthFactor();
    shape.oblique = Degrees(text.oblique());
    shape.mirror = (text.isMirroredInX() ? 2 : 0) | (text.isMirroredInY() ? 4 : 0);
    shape.horizontal = text.horizontalMode();
    shape.vertical = text.verticalMode();
    return shape;
}

DxfMText MTextOf(const AcDbMText& text, RecordNames& names)
{
    DxfMText shape;
    ACHAR* contents = text.contents();
    shape.text = Utf8(contents);
    acutDelString(contents);
    shape.style = names.Of(text.textStyle());
    shape.location = Point(text.location());
    shape.direction = Vector(text.direction());
    shape.normal = Vector(text.normal());
    shape.height = text.textHeight();
    shape.width = text.width();
    shape.attachment = text.attachment();
    shape.flow = text.flowDirection();
    shape.spacingStyle = text.lineSpacingStyle();
    shape.spacingFactor = text.lineSpacingFactor();
    return shape;
}

DxfEllipse EllipseOf(const AcDbEllipse& ellipse)
{
    DxfEllipse shape;
    shape.centre = Point(ellipse.center());
    shape.majorAxis = Vector(ellipse.majorAxis());
    shape.normal = Vector(ellipse.normal());
    shape.ratio = ellipse.radiusRatio();
    ellipse.getStartParam(shape.startParam);
    ellipse.getEndParam(shape.endParam);
    return shape;
}

template <class T> std::vector<T> VectorOf(const AcArray<T>& array)
{
    return {array.asArrayPtr(), array.asArrayPtr() + array.length()};
}

DxfSpline SplineOf(const AcDbSpline& spline)
{
    DxfSpline shape;
    Adesk::Boolean rational = false;
    AcGePoint3dArray points;
    AcGeDoubleArray knots;
    AcGeDoubleArray weights;
    spline.getNurbsData(shape.degree, rational, shape.closed, shape.periodic, points, knots, weights,
                        shape.controlTolerance, shape.knotTolerance);
    for (const AcGePoint3d& point : VectorOf(points))
        shape.controlPoints.push_back(Point(point));
    shape.knots = VectorOf(knots);
    shape.weights = VectorOf(weights);
    if (spline.hasFitData())
    {
        AcGePoint3dArray fit;
        int degree = 0;
        Adesk::Boolean tangents = false;
        AcGeVector3d start;
        AcGeVector3d end;
        spline.getFitData(fit, degree, shape.fitTolerance, tangents, start, end);
        for (const AcGePoint3d& point : VectorOf(fit))
            shape.fitPoints.push_back(Point(point));
        shape.startTangent = Vector(start);
        shape.endTangent = Vector(end);
    }
    return shape;
}

DxfHatchEdge EdgeOf(const AcGeCurve2d& curve)
{
    DxfHatchEdge edge;
    switch (curve.type())
    {
    case AcGe::kLineSeg2d: {
        const auto& line = static_cast<const AcGeLineSeg2d&>(curve);
        edge.type = 1;
        edge.x1 = line.startPoint().x;
        edge.y1 = line.startPoint().y;
        edge.x2 = line.endPoint().x;
        edge.y2 = line.endPoint().y;
        break;
    }
    case AcGe::kCircArc2d: {
        const auto& arc = static_cast<const AcGeCircArc2d&>(curve);
        edge.type = 2;
        edge.x1 = arc.center().x;
        edge.y1 = arc.center().y;
        edge.radius = arc.radius();
        edge.startAngle = Degrees(arc.startAng());
        edge.endAngle = Degrees(arc.endAng());
        edge.counterClockwise = !arc.isClockWise();
        break;
    }
    case AcGe::kEllipArc2d: {
        const auto& arc = static_cast<const AcGeEllipArc2d&>(curve);
        edge.type = 3;
        edge.x1 = arc.center().x;
        edge.y1 = arc.center().y;
        edge.x2 = arc.majorAxis().x * arc.majorRadius();
        edge.y2 = arc.majorAxis().y * arc.majorRadius();
        edge.radius = arc.minorRadius() / arc.majorRadius();
        edge.startAngle = Degrees(arc.startAng());
        edge.endAngle = Degrees(arc.endAng());
        edge.counterClockwise = !arc.isClockWise();
        break;
    }
    default: {
        const auto& spline = static_cast<const AcGeNurbCurve2d&>(curve);
        bool rational = false;
        AcGeKnotVector knots;
        AcGePoint2dArray points;
        AcGeDoubleArray weights;
        edge.type = 4;
        spline.getDefinitionData(edge.degree, rational, edge.periodic, knots, points, weights);
        for (int i = 0; i < knots.length(); ++i)
            edge.knots.push_back(knots[i]);
        for (const AcGePoint2d& point : VectorOf(points))
        {
            edge.controlPoints.push_back(point.x);
            edge.controlPoints.push_back(point.y);
        }
        edge.weights = VectorOf(weights);
    }
    }
    return edge;
}

DxfHatchLoop LoopOf(const AcDbHatch& hatch, int index)
{
    DxfHatchLoop loop;
    AcGePoint2dArray vertices;
    AcGeDoubleArray bulges;
    if (hatch.getLoopAt(index, loop.flags, vertices, bulges) == Acad::eOk)
    {
        for (int i = 0; i < vertices.length(); ++i)
            loop.vertices.push_back({vertices[i].x, vertices[i].y, bulges[i]});
        return loop;
    }
    AcGeVoidPointerArray edges;
    AcGeIntArray types;
    hatch.getLoopAt(index, loop.flags, edges, types);
    for (int i = 0; i < edges.length(); ++i)
    {
        const std::unique_ptr<AcGeCurve2d> edge(static_cast<AcGeCurve2d*>(edges[i]));
        loop.edges.push_back(EdgeOf(*edge));
    }
    return loop;
}

DxfHatch HatchOf(const AcDbHatch& hatch)
{
    DxfHatch shape;
    shape.pattern = Utf8(hatch.patternName());
    shape.solid = hatch.isSolidFill();
    shape.patternType = hatch.patternType();
    shape.patternAngle = Degrees(hatch.patternAngle());
    shape.patternScale = hatch.patternType() == AcDbHatch::kUserDefined ? hatch.patternSpace() : hatch.patternScale();
    shape.patternDouble = hatch.patternDouble();
    shape.style = hatch.hatchStyle();
    shape.elevation = hatch.elevation();
    shape.normal = Vector(hatch.normal());
    for (int i = 0; i < hatch.numLoops(); ++i)
        shape.loops.push_back(LoopOf(hatch, i));
    for (int i = 0; i < hatch.numPatternDefinitions(); ++i)
    {
        DxfPatternLine line;
        AcGeDoubleArray dashes;
        hatch.getPatternDefinitionAt(i, line.angle, line.baseX, line.baseY, line.offsetX, line.offsetY, dashes);
        line.angle = Degrees(line.angle);
        line.dashes = VectorOf(dashes);
        shape.lines.push_back(std::move(line));
    }
    for (int i = 0; i < hatch.numSeedPoints(); ++i)
    {
        AcGePoint2d seed;
        hatch.getSeedPointAt(i, seed);
        shape.seeds.push_back({seed.x, seed.y, 0.0});
    }
    return shape;
}

// The entity kinds a drawing is drawn with; none for any other.
std::optional<DxfShape> ShapeOf(const AcDbEntity& entity, RecordNames& names)
{
    if (const auto* line = AcDbLine::cast(&entity))
        return DxfLine{Point(line->startPoint()), Point(line->endPoint())};
    if (const auto* arc = AcDbArc::cast(&entity))
        return DxfArc{Point(arc->center()), arc->radius(), Degrees(arc->startAngle()), Degrees(arc->endAngle())};
    if (const auto* circle = AcDbCircle::cast(&entity))
        return DxfCircle{Point(circle->center()), circle->radius()};
    if (const auto* polyline = AcDbPolyline::cast(&entity))
        return PolylineOf(*polyline);
    if (const auto* reference = AcDbBlockReference::cast(&entity))
        return InsertOf(*reference);
    if (const auto* text = AcDbText::cast(&entity))
        return TextOf(*text, names);
    if (const auto* text = AcDbMText::cast(&entity))
        return MTextOf(*text, names);
    if (const auto* ellipse = AcDbEllipse::cast(&entity))
        return EllipseOf(*ellipse);
    if (const auto* spline = AcDbSpline::cast(&entity))
        return SplineOf(*spline);
    if (const auto* point = AcDbPoint::cast(&entity))
        return DxfPointEntity{Point(point->position()), Degrees(point->ecsRotation())};
    if (const auto* hatch = AcDbHatch::cast(&entity))
        return HatchOf(*hatch);
    return std::nullopt;
}

std::vector<DxfEntity> EntitiesOf(AcDbObjectId record, RecordNames& names)
{
    std::vector<DxfEntity> entities;
    ForEachEntity(record, [&](const AcDbEntity& entity) {
        std::optional<DxfShape> shape = ShapeOf(entity, names);
        if (!shape)
            return;
        DxfEntity& out = entities.emplace_back();
        out.shape = std::move(*shape);
        out.layer = names.Of(entity.layerId());
        out.linetype = names.Of(entity.linetypeId());
        ColourInto(entity.color(), out.colour, out.trueColour);
        out.linetypeScale = entity.linetypeScale();
        out.lineWeight = entity.lineWeight();
        out.visible = entity.visibility() == AcDb::kVisible;
    });
    return entities;
}

// The block definitions in name order, and model space.
void AddBlocks(DxfDrawing& dxf, RecordNames& names)
{
    const Opened<AcDbBlockTable> table = OpenBlockTable(AcDb::kForRead);
    if (!table)
        return;
    AcDbBlockTableIterator* walk = nullptr;
    table->newIterator(walk);
    const std::unique_ptr<AcDbBlockTableIterator> iterator(walk);
    for (; !iterator->done(); iterator->step())
    {
        AcDbObjectId id;
        iterator->getRecordId(id);
        const std::optional<std::string> name = BlockName(id);
        if (!name)
            continue;
        if (*name == cadhost::toUtf8(ACDB_MODEL_SPACE))
            dxf.modelSpace = EntitiesOf(id, names);
        else if (*name != cadhost::toUtf8(ACDB_PAPER_SPACE))
            dxf.blocks.push_back({*name, {}, EntitiesOf(id, names), 0});
    }
}

// Each record of a table of the working drawing, opened for read in turn.
template <class Table, class Iterator, class Record, class Visit> void ForEachRecord(Visit visit)
{
    Table* table = nullptr;
    AcDbDatabase* drawing = acdbHostApplicationServices()->workingDatabase();
    if (drawing == nullptr || drawing->getSymbolTable(table, AcDb::kForRead) != Acad::eOk)
        return;
    const Opened<Table> held(table);
    Iterator* walk = nullptr;
    held->newIterator(walk);
    const std::unique_ptr<Iterator> iterator(walk);
    for (; !iterator->done(); iterator->step())
    {
        Record* record = nullptr;
        if (iterator->getRecord(record, AcDb::kForRead) != Acad::eOk)
            continue;
        const Opened<Record> opened(record);
        const ACHAR* name = nullptr;
        record->getName(name);
        visit(Utf8(name), *record);
    }
}

void AddTables(DxfDrawing& dxf, RecordNames& names)
{
    ForEachRecord<AcDbLinetypeTable, AcDbLinetypeTableIterator, AcDbLinetypeTableRecord>(
        [&](const std::string& name, const AcDbLinetypeTableRecord& record) {
            DxfLinetype& linetype = dxf.linetypes.emplace_back();
            linetype.name = name;
            const ACHAR* comments = nullptr;
            record.comments(comments);
            linetype.description = Utf8(comments);
            linetype.patternLength = record.patternLength();
            for (int i = 0; i < record.numDashes(); ++i)
                linetype.dashes.push_back(record.dashLengthAt(i));
        });
    ForEachRecord<AcDbLayerTable, AcDbLayerTableIterator, AcDbLayerTableRecord>(
        [&](const std::string& name, const AcDbLayerTableRecord& record) {
            DxfLayer& layer = dxf.layers.emplace_back();
            layer.name = name;
            ColourInto(record.color(), layer.colour, layer.trueColour);
            layer.linetype = names.Of(record.linetypeObjectId());
            layer.lineWeight = record.lineWeight();
            layer.off = record.isOff();
            layer.frozen = record.isFrozen();
            layer.locked = record.isLocked();
            layer.plotted = record.isPlottable();
        });
    ForEachRecord<AcDbTextStyleTable, AcDbTextStyleTableIterator, AcDbTextStyleTableRecord>(
        [&](const std::string& name, const AcDbTextStyleTableRecord& record) {
            DxfTextStyle& style = dxf.styles.emplace_back();
            style.name = name;
            const ACHAR* font = nullptr;
            record.fileName(font);
            style.font = Utf8(font);
            record.bigFontFileName(font);
            style.bigFont = Utf8(font);
            style.height = record.textSize();
            style.widthFactor = record.xScale();
            style.oblique = Degrees(record.obliquingAngle());
            style.generation = record.flagBits() & 6;
            style.vertical = record.isVertical();
            style.shape = record.isShapeFile();
            style.lastHeight = record.priorSize();
        });
}

// A placement seen from above as a reference: position, rotation and the
// scale along the placed axes. A tilted part's view is not a rotation and
// scale alone; its x axis and area are kept.
DxfInsert InsertAt(const PlacedPart& part)
{
    const Affine2& place = part.place;
    const double sx = std::hypot(place.a, place.b);
    const double sy = sx > 0.0 ? (place.a * place.d - place.b * place.c) / sx : 0.0;
    return {BlockName(part.definition).value_or(""), {place.e, place.f, 0.0}, sx, sy, 1.0,
            Degrees(std::atan2(place.b, place.a))};
}

void AddSegment(DxfDrawing& dxf, const SegmentMotion& segment, const std::string& pathLayer,
                const std::string& partsLayer)
{
    if (segment.placements.empty())
        return;
    DxfPolyline path;
    path.vertices.reserve(segment.placements.size());
    for (const Placement& placement : segment.placements)
        path.vertices.push_back({placement.point.x, placement.point.y, 0.0});
    if (path.vertices.size() > 1)
        dxf.modelSpace.push_back(OnLayer(std::move(path), pathLayer));
    for (const PlacedPart& part : SegmentPartsAt(segment, segment.placements.front()))
        dxf.modelSpace.push_back(OnLayer(InsertAt(part), partsLayer));
}

// Filled in place: a tag moved into the vector trips GCC's
// maybe-uninitialized warning on the variant's text at -O3.
template <class T> void AddTag(DxfRecord& record, int code, T value)
{
    DxfTag& tag = record.tags.emplace_back();
    tag.code = code;
    tag.value = std::move(value);
}

// The record's tags, in this order: 1 name, 70 type, 160 identifier, 90
// section count; per section 40 speed in miles per hour, 71 the unit it was
// given in, 91 segment count; per segment 92 its length.
DxfRecord RecordOf(const CPmSim200& sim, const std::string& name)
{
    DxfRecord record{name, {}};
    AddTag(record, 1, name);
    AddTag(record, 70, sim.Type());
    AddTag(record, 160, std::to_string(sim.Id()));
    AddTag(record, 90, static_cast<int>(sim.Sections()->size()));
    for (const CPmSection200* section : *sim.Sections())
    {
        AddTag(record, 40, section->Speed());
        AddTag(record, 71, section->SpeedUnits());
        AddTag(record, 91, static_cast<int>(section->Segments()->size()));
        for (const CPmSegment200* segment : *section->Segments())
            AddTag(record, 92, segment->Length());
    }
    return record;
}

// Closed polylines on a layer of their own, made only when there are any.
void AddRings(DxfDrawing& dxf, const std::vector<OutlinePath>& rings, const std::string& layer,
              int colour)
{
    if (rings.empty())
        return;
    AddLayer(dxf, layer, colour);
    for (const OutlinePath& ring : rings)
    {
        DxfPolyline polyline{{}, true};
        for (std::size_t i = 0; i + 1 < ring.xy.size(); i += 2)
            polyline.vertices.push_back({ring.xy[i], ring.xy[i + 1], 0.0});
        dxf.modelSpace.push_back(OnLayer(std::move(polyline), layer));
    }
}

void AddSimulation(DxfDrawing& dxf, const ExportedSimulation& exported)
{
    const std::string name = cadhost::toUtf8(exported.sim->Name()->str());
    const std::string pathLayer = SimulationLayer(name, "path");
    const std::string partsLayer = SimulationLayer(name, "parts");
    AddLayer(dxf, pathLayer, kPathColour);
    AddLayer(dxf, partsLayer, kPartsColour);
    // The first position stands whatever the speeds, so any unit will do.
    const SimulationMotion motion = MotionOf(*exported.sim, 1.0);
    for (const SectionMotion& section : motion.sections)
        for (const SegmentMotion& segment : section.segments)
            AddSegment(dxf, segment, pathLayer, partsLayer);
    AddRings(dxf, exported.envelope, SimulationLayer(name, "envelope"), kEnvelopeColour);
    AddRings(dxf, exported.clearance, SimulationLayer(name, "clearance"), kClearanceColour);
    AddRings(dxf, exported.wheelTracks, SimulationLayer(name, "wheel tracks"), kWheelTrackColour);
    dxf.records.push_back(RecordOf(*exported.sim, name));
}
} // namespace

DxfEntity OnLayer(DxfShape shape, const std::string& layer)
{
    DxfEntity entity;
    entity.shape = std::move(shape);
    entity.layer = layer;
    return entity;
}

void AddLayer(DxfDrawing& dxf, const std::string& name, int colour)
{
    for (const DxfLayer& layer : dxf.layers)
        if (layer.name == name)
            return;
    DxfLayer& layer = dxf.layers.emplace_back();
    layer.name = name;
    layer.colour = colour;
}

std::string SimulationLayer(const std::string& simulation, const std::string& role)
{
    std::string layer = simulation;
    for (char& c : layer)
        if (std::string_view("<>/\\\":;?*|=`").find(c) != std::string_view::npos)
            c = '_';
    return layer + " " + role;
}

DxfDrawing DrawingToDxf(const std::vector<ExportedSimulation>& simulations)
{
    DxfDrawing dxf;
    dxf.recordDictionary = kSimulationDictionary;
    if (const AcDbDatabase* drawing = acdbHostApplicationServices()->workingDatabase())
        dxf.units = drawing->insunits();
    RecordNames names;
    AddTables(dxf, names);
    AddBlocks(dxf, names);
    for (const ExportedSimulation& exported : simulations)
        AddSimulation(dxf, exported);
    return dxf;
}
