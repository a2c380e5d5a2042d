#include "exchange/DxfToDrawing.h"

#include "cadhost/Utf8Text.h"
#include "drawing/Angles.h"
#include "drawing/BlockDefinition.h"
#include "drawing/Failure.h"
#include "drawing/Names.h"
#include "drawing/Opened.h"
#include "host/AcDbBlockReference.h"
#include "host/AcDbCurves.h"
#include "host/AcDbHatch.h"
#include "host/AcDbPoint.h"
#include "host/AcDbText.h"
#include "motion/LengthUnit.h"

#include <cmath>
#include <map>
#include <memory>
#include <set>

namespace
{
using BlockIds = std::map<std::string, AcDbObjectId>;
// Records by name without letter case, as the host finds them.
using RecordIds = std::map<std::wstring, AcDbObjectId>;

[[noreturn]] void Fail(std::size_t line, const std::string& what)
{
    throw Failure(FailureKind::badInput, "line " + std::to_string(line) + ": " + what);
}

void Check(Acad::ErrorStatus es, const char* what)
{
    if (es != Acad::eOk)
        throw Failure(FailureKind::internal, std::string("the drawing refused ") + what + " (status " +
                                                 std::to_string(static_cast<int>(es)) + ")");
}

std::wstring Wide(const std::string& text) { return cadhost::fromUtf8(text); }

template <class Visit> void ForEachInsert(const DxfDrawing& dxf, Visit visit)
{
    for (const DxfBlock& block : dxf.blocks)
        for (const DxfEntity& entity : block.entities)
            if (const auto* insert = std::get_if<DxfInsert>(&entity.shape))
                visit(entity, *insert);
    for (const DxfEntity& entity : dxf.modelSpace)
        if (const auto* insert = std::get_if<DxfInsert>(&entity.shape))
            visit(entity, *insert);
}

// The ids of a table's records, found without letter case by the table.
template <class Table> AcDbObjectId FindRecord(const ACHAR* name)
{
    Table* table = nullptr;
    Check(acdbHostApplicationServices()->workingDatabase()->getSymbolTable(table, AcDb::kForRead), "its table");
    AcDbObjectId id;
    table->getAt(name, id);
    table->close();
    return id;
}

// Adds the records the drawing lacks, filled by fill; the id of every
// record named, whoever made it. A drawing made for the DXF takes the DXF's
// own definitions of the records every drawing has ("0", "Standard"...).
template <class Table, class Record, class DxfRecord, class Fill>
RecordIds AddRecords(const std::vector<DxfRecord>& records, bool newDrawing, Fill fill)
{
    RecordIds ids;
    for (const DxfRecord& record : records)
    {
        const std::wstring name = Wide(record.name);
        AcDbObjectId id = FindRecord<Table>(name.c_str());
        if (!id.isNull() && newDrawing)
        {
            Record* kept = nullptr;
            Check(acdbOpenObject(kept, id, AcDb::kForWrite), "a record");
            fill(*kept, record);
            kept->close();
        }
        if (id.isNull())
        {
            // Owned here until the table takes it, so that a refusal frees it.
            auto made = std::make_unique<Record>();
            Check(made->setName(name.c_str()), "a record's name");
            fill(*made, record);
            Table* table = nullptr;
            Check(acdbHostApplicationServices()->workingDatabase()->getSymbolTable(table, AcDb::kForWrite),
                  "its table");
            const Acad::ErrorStatus es = table->add(id, made.get());
            table->close();
            Check(es, "a record");
            made.release()->close();
        }
        ids[name] = id;
    }
    return ids;
}

AcCmColor ColourOf(int index, int trueColour)
{
    AcCmColor colour;
    if (trueColour >= 0)
        colour.setRGB(static_cast<Adesk::UInt8>(trueColour >> 16), static_cast<Adesk::UInt8>(trueColour >> 8),
                      static_cast<Adesk::UInt8>(trueColour));
    else
        colour.setColorIndex(static_cast<Adesk::UInt16>(index));
    return colour;
}

// The id of the record of a name: as the DXF's own record went in, or as
// the table finds it (without letter case), kept for the next entity.
template <class Table> AcDbObjectId Lookup(RecordIds& ids, const std::string& name)
{
    const std::wstring wide = Wide(name);
    const auto found = ids.find(wide);
    if (found != ids.end())
        return found->second;
    return ids[wide] = FindRecord<Table>(wide.c_str());
}

// The names a DXF gives, and the drawing's records they stand for.
struct Records
{
    mutable RecordIds linetypes;
    mutable RecordIds layers;
    mutable RecordIds styles;

    AcDbObjectId Linetype(const std::string& name) const { return Lookup<AcDbLinetypeTable>(linetypes, name); }
    AcDbObjectId Layer(const std::string& name) const { return Lookup<AcDbLayerTable>(layers, name); }
    AcDbObjectId Style(const std::string& name) const { return Lookup<AcDbTextStyleTable>(styles, name); }
};

Records AddTables(const DxfDrawing& dxf, double scale, bool newDrawing)
{
    Records records;
    records.linetypes = AddRecords<AcDbLinetypeTable, AcDbLinetypeTableRecord>(
        dxf.linetypes, newDrawing, [scale](AcDbLinetypeTableRecord& made, const DxfLinetype& linetype) {
            made.setComments(Wide(linetype.description).c_str());
            made.setPatternLength(linetype.patternLength * scale);
            made.setNumDashes(static_cast<int>(linetype.dashes.size()));
            for (std::size_t i = 0; i < linetype.dashes.size(); ++i)
                made.setDashLengthAt(static_cast<int>(i), linetype.dashes[i] * scale);
        });
    records.layers = AddRecords<AcDbLayerTable, AcDbLayerTableRecord>(
        dxf.layers, newDrawing, [&records](AcDbLayerTableRecord& made, const DxfLayer& layer) {
            made.setColor(ColourOf(layer.colour, layer.trueColour));
            made.setLinetypeObjectId(records.Linetype(layer.linetype));
            made.setLineWeight(static_cast<AcDb::LineWeight>(layer.lineWeight));
            made.setIsOff(layer.off);
            made.setIsFrozen(layer.frozen);
            made.setIsLocked(layer.locked);
            made.setIsPlottable(layer.plotted);
        });
    records.styles = AddRecords<AcDbTextStyleTable, AcDbTextStyleTableRecord>(
        dxf.styles, newDrawing, [scale](AcDbTextStyleTableRecord& made, const DxfTextStyle& style) {
            made.setFileName(Wide(style.font).c_str());
            made.setBigFontFileName(Wide(style.bigFont).c_str());
            made.setTextSize(style.height * scale);
            if (style.widthFactor > 0.0)
                made.setXScale(style.widthFactor);
            made.setObliquingAngle(Radians(style.oblique));
            made.setPriorSize(style.lastHeight * scale);
            made.setFlagBits(static_cast<Adesk::UInt8>(style.generation));
            made.setIsVertical(style.vertical);
            made.setIsShapeFile(style.shape);
        });
    return records;
}

// Entities of a block are drawn relative to its base point; everything
// comes in scaled into the drawing's units.
struct EntityMaker
{
    const DxfPoint& base;
    const BlockIds& blocks;
    const Records& records;
    double scale;

    AcGePoint3d Local(const DxfPoint& point) const
    {
        return {(point.x - base.x) * scale, (point.y - base.y) * scale, (point.z - base.z) * scale};
    }
    AcGePoint2d Local2d(double x, double y) const { return {(x - base.x) * scale, (y - base.y) * scale}; }
    AcGeVector3d Vector(const DxfPoint& v) const { return {v.x * scale, v.y * scale, v.z * scale}; }
    static AcGeVector3d Direction(const DxfPoint& v) { return {v.x, v.y, v.z}; }

    std::unique_ptr<AcDbEntity> operator()(const DxfLine& line) const { return std::make_unique<AcDbLine>(Local(line.start), Local(line.end)); }
    std::unique_ptr<AcDbEntity> operator()(const DxfCircle& circle) const
    {
        return std::make_unique<AcDbCircle>(Local(circle.centre), AcGeVector3d(0.0, 0.0, 1.0), circle.radius * scale);
    }
    std::unique_ptr<AcDbEntity> operator()(const DxfArc& arc) const
    {
        return std::make_unique<AcDbArc>(Local(arc.centre), arc.radius * scale, Radians(arc.startAngle), Radians(arc.endAngle));
    }
    std::unique_ptr<AcDbEntity> operator()(const DxfPolyline& polyline) const
    {
        auto made = std::make_unique<AcDbPolyline>();
        made->setConstantWidth(polyline.constantWidth * scale);
        const auto width = [this](double given) { return given >= 0.0 ? given * scale : -1.0; };
        for (const DxfVertex& vertex : polyline.vertices)
            made->addVertexAt(made->numVerts(), Local2d(vertex.x, vertex.y), vertex.bulge, width(vertex.startWidth),
                              width(vertex.endWidth));
        made->setClosed(polyline.closed);
        made->setElevation((polyline.elevation - base.z) * scale);
        return made;
    }
    std::unique_ptr<AcDbEntity> operator()(const DxfInsert& insert) const
    {
        auto made = std::make_unique<AcDbBlockReference>(Local(insert.position), blocks.at(insert.block));
        made->setScaleFactors(AcGeScale3d(insert.sx, insert.sy, insert.sz));
        made->setRotation(Radians(insert.rotation));
        return made;
    }
    std::unique_ptr<AcDbEntity> operator()(const DxfText& text) const
    {
        auto made = std::make_unique<AcDbText>(Local(text.position), Wide(text.text).c_str(), records.Style(text.style),
                                  text.height * scale, Radians(text.rotation));
        made->setAlignmentPoint(Local(text.alignment));
        made->setWidthFactor(text.widthFactor);
        made->setOblique(Radians(text.oblique));
        made->setHorizontalMode(static_cast<AcDb::TextHorzMode>(text.horizontal));
        made->setVerticalMode(static_cast<AcDb::TextVertMode>(text.vertical));
        made->mirrorInX((text.mirror & 2) != 0);
        made->mirrorInY((text.mirror & 4) != 0);
        return made;
    }
    std::unique_ptr<AcDbEntity> operator()(const DxfMText& text) const
    {
        auto made = std::make_unique<AcDbMText>();
        made->setLocation(Local(text.location));
        made->setNormal(Direction(text.normal));
        made->setDirection(Direction(text.direction));
        made->setTextHeight(text.height * scale);
        made->setWidth(text.width * scale);
        made->setAttachment(static_cast<AcDbMText::AttachmentPoint>(text.attachment));
        made->setFlowDirection(static_cast<AcDbMText::FlowDirection>(text.flow));
        made->setLineSpacingStyle(static_cast<AcDb::LineSpacingStyle>(text.spacingStyle));
        made->setLineSpacingFactor(text.spacingFactor);
        made->setContents(Wide(text.text).c_str());
        made->setTextStyle(records.Style(text.style));
        return made;
    }
    std::unique_ptr<AcDbEntity> operator()(const DxfEllipse& ellipse) const
    {
        auto made = std::make_unique<AcDbEllipse>(Local(ellipse.centre), Direction(ellipse.normal), Vector(ellipse.majorAxis),
                                     ellipse.ratio);
        made->setStartParam(ellipse.startParam);
        made->setEndParam(ellipse.endParam);
        return made;
    }
    std::unique_ptr<AcDbEntity> operator()(const DxfSpline& spline) const
    {
        auto made = std::make_unique<AcDbSpline>();
        AcGePoint3dArray points;
        for (const DxfPoint& point : spline.controlPoints)
            points.append(Local(point));
        if (!spline.controlPoints.empty())
        {
            AcGeDoubleArray knots;
            for (const double knot : spline.knots)
                knots.append(knot);
            AcGeDoubleArray weights;
            for (const double weight : spline.weights)
                weights.append(weight);
            Check(made->setNurbsData(spline.degree, !spline.weights.empty(), spline.closed, spline.periodic, points,
                                     knots, weights, spline.controlTolerance * scale, spline.knotTolerance),
                  "a spline's control points");
        }
        if (!spline.fitPoints.empty())
        {
            AcGePoint3dArray fit;
            for (const DxfPoint& point : spline.fitPoints)
                fit.append(Local(point));
            Check(made->setFitData(fit, spline.degree, spline.fitTolerance * scale, Direction(spline.startTangent),
                                   Direction(spline.endTangent)),
                  "a spline's fit points");
        }
        return made;
    }
    std::unique_ptr<AcDbEntity> operator()(const DxfPointEntity& point) const
    {
        auto made = std::make_unique<AcDbPoint>(Local(point.position));
        made->setEcsRotation(Radians(point.angle));
        return made;
    }
    std::unique_ptr<AcDbEntity> operator()(const DxfHatch& hatch) const;

    // The edges an edge loop is made of, as the host's curves.
    void AppendEdgeLoop(AcDbHatch& made, const DxfHatchLoop& loop) const;
};

std::unique_ptr<AcDbEntity> EntityMaker::operator()(const DxfHatch& hatch) const
{
    auto made = std::make_unique<AcDbHatch>();
    made->setNormal(Direction(hatch.normal));
    made->setElevation((hatch.elevation - base.z) * scale);
    const auto type = static_cast<AcDbHatch::HatchPatternType>(hatch.solid ? AcDbHatch::kPreDefined : hatch.patternType);
    made->setPattern(type, hatch.solid ? L"SOLID" : Wide(hatch.pattern).c_str());
    made->setHatchStyle(static_cast<AcDbHatch::HatchStyle>(hatch.style));
    made->setPatternAngle(Radians(hatch.patternAngle));
    made->setPatternDouble(hatch.patternDouble);
    if (type == AcDbHatch::kUserDefined)
        made->setPatternSpace(hatch.patternScale * scale);
    else
        made->setPatternScale(hatch.patternScale * scale);
    // A user-defined pattern's lines follow from its angle and spacing.
    if (type != AcDbHatch::kUserDefined && !hatch.solid)
        for (const DxfPatternLine& line : hatch.lines)
        {
            AcGeDoubleArray dashes;
            for (const double dash : line.dashes)
                dashes.append(dash * scale);
            made->appendPatternDefinition(Radians(line.angle), line.baseX * scale, line.baseY * scale,
                                          line.offsetX * scale, line.offsetY * scale, dashes);
        }
    for (const DxfHatchLoop& loop : hatch.loops)
    {
        if (!loop.vertices.empty())
        {
            AcGePoint2dArray vertices;
            AcGeDoubleArray bulges;
            for (const DxfVertex& vertex : loop.vertices)
            {
                vertices.append(Local2d(vertex.x, vertex.y));
                bulges.append(vertex.bulge);
            }
            if (vertices.length() >= 2)
                Check(made->appendLoop(loop.flags | AcDbHatch::kPolyline, vertices, bulges), "a hatch's boundary");
        }
        else if (!loop.edges.empty())
            AppendEdgeLoop(*made, loop);
    }
    for (const DxfPoint& seed : hatch.seeds)
        made->appendSeedPoint(Local2d(seed.x, seed.y));
    return made;
}

void EntityMaker::AppendEdgeLoop(AcDbHatch& made, const DxfHatchLoop& loop) const
{
    std::vector<std::unique_ptr<AcGeCurve2d>> edges;
    AcGeVoidPointerArray pointers;
    AcGeIntArray types;
    for (const DxfHatchEdge& edge : loop.edges)
    {
        const AcGePoint2d first = Local2d(edge.x1, edge.y1);
        switch (edge.type)
        {
        case 1:
            edges.push_back(std::make_unique<AcGeLineSeg2d>(first, Local2d(edge.x2, edge.y2)));
            break;
        case 2:
            edges.push_back(std::make_unique<AcGeCircArc2d>(first, edge.radius * scale, Radians(edge.startAngle),
                                                            Radians(edge.endAngle), AcGeVector2d(1.0, 0.0),
                                                            !edge.counterClockwise));
            break;
        case 3: {
            const double length = std::hypot(edge.x2, edge.y2);
            const AcGeVector2d major(edge.x2 / length, edge.y2 / length);
            // A clockwise arc runs towards the minor axis turned the other way.
            const double side = edge.counterClockwise ? 1.0 : -1.0;
            const AcGeVector2d minor(-major.y * side, major.x * side);
            edges.push_back(std::make_unique<AcGeEllipArc2d>(first, major, minor, length * scale,
                                                             length * edge.radius * scale, Radians(edge.startAngle),
                                                             Radians(edge.endAngle)));
            break;
        }
        default: {
            AcGeKnotVector knots;
            for (const double knot : edge.knots)
                knots.append(knot);
            AcGePoint2dArray points;
            for (std::size_t i = 0; i + 1 < edge.controlPoints.size(); i += 2)
                points.append(Local2d(edge.controlPoints[i], edge.controlPoints[i + 1]));
            AcGeDoubleArray weights;
            for (const double weight : edge.weights)
                weights.append(weight);
            edges.push_back(std::make_unique<AcGeNurbCurve2d>(edge.degree, knots, points, weights, edge.periodic));
        }
        }
        pointers.append(edges.back().get());
        types.append(edge.type);
    }
    Check(made.appendLoop(loop.flags & ~AcDbHatch::kPolyline, pointers, types), "a hatch's boundary");
}

// Every entity takes its layer, colour, line type, line type scale, line
// weight and visibility before it goes into the drawing.
void GiveAttributes(AcDbEntity& made, const DxfEntity& entity, const Records& records)
{
    Check(made.setLayer(records.Layer(entity.layer)), "a layer");
    Check(made.setLinetype(records.Linetype(entity.linetype)), "a line type");
    made.setColor(ColourOf(entity.colour, entity.trueColour));
    made.setLinetypeScale(entity.linetypeScale);
    made.setLineWeight(static_cast<AcDb::LineWeight>(entity.lineWeight));
    if (!entity.visible)
        made.setVisibility(AcDb::kInvisible);
}

const char* TypeOf(const DxfShape& shape)
{
    static constexpr const char* kTypes[] = {"LINE", "CIRCLE",  "ARC",    "LWPOLYLINE", "INSERT", "TEXT",
                                             "MTEXT", "ELLIPSE", "SPLINE", "POINT",      "HATCH"};
    return kTypes[shape.index()];
}

// Appends entities to the record, noting each one's new handle.
void Append(AcDbObjectId record, const std::vector<DxfEntity>& entities, const EntityMaker& maker,
            const std::string& in, DxfImport& report)
{
    NewEntities made;
    made.reserve(entities.size());
    for (const DxfEntity& dxfEntity : entities)
    {
        made.emplace_back(std::visit(maker, dxfEntity.shape));
        GiveAttributes(*made.back(), dxfEntity, maker.records);
    }
    const std::vector<AcDbObjectId> ids = AppendEntities(record, std::move(made));
    for (std::size_t i = 0; i < entities.size(); ++i)
    {
        const auto* insert = std::get_if<DxfInsert>(&entities[i].shape);
        report.entities.push_back({entities[i].handle, HandleText(ids[i].handle()), TypeOf(entities[i].shape), in,
                                   insert != nullptr ? insert->block : std::string()});
    }
}

// Makes the DXF's block definitions, empty, so that references among them
// resolve whatever their order; and finds the drawing's blocks the DXF names.
BlockIds MakeBlocks(const DxfDrawing& dxf, std::vector<std::pair<std::string, std::string>>& renamed)
{
    BlockIds blocks;
    for (const DxfBlock& block : dxf.blocks)
    {
        const std::string name = FreeBlockName(block.name);
        if (name != block.name)
            renamed.push_back({block.name, name});
        blocks[block.name] = AddBlockDefinition(name);
    }
    const Opened<AcDbBlockTable> table = OpenBlockTable(AcDb::kForRead);
    ForEachInsert(dxf, [&](const DxfEntity&, const DxfInsert& insert) {
        if (blocks.count(insert.block) == 0)
            table->getAt(Wide(insert.block).c_str(), blocks[insert.block]);
    });
    return blocks;
}

// The factor what comes in is scaled by, and the drawing's units after.
double ScaleInto(AcDbDatabase& drawing, int dxfUnits, bool newDrawing)
{
    if (newDrawing)
    {
        Check(drawing.setInsunits(static_cast<AcDb::UnitsValue>(dxfUnits)), "the DXF's units");
        return 1.0;
    }
    const std::optional<double> from = MetresPerInsertionUnit(dxfUnits);
    const std::optional<double> to = MetresPerInsertionUnit(drawing.insunits());
    return from && to ? *from / *to : 1.0;
}
} // namespace

void CheckDxfImport(const DxfDrawing& dxf)
{
    const Opened<AcDbBlockTable> table = OpenBlockTable(AcDb::kForRead);
    if (!table)
        throw Failure(FailureKind::internal, "there is no drawing to import into");
    std::set<std::string> names;
    for (const DxfBlock& block : dxf.blocks)
        if (!names.insert(block.name).second)
            Fail(block.line, "a second block named \"" + block.name + "\"");
    ForEachInsert(dxf, [&](const DxfEntity& entity, const DxfInsert& insert) {
        if (names.count(insert.block) == 0 && !table->has(Wide(insert.block).c_str()))
            Fail(entity.line, "a block reference to \"" + insert.block + "\", a block that the DXF does not define");
    });
}

DxfImport ImportDxf(const DxfDrawing& dxf, bool newDrawing)
{
    DxfImport report;
    AcDbDatabase& drawing = *acdbHostApplicationServices()->workingDatabase();
    report.scale = ScaleInto(drawing, dxf.units, newDrawing);
    report.units = drawing.insunits();
    const Records records = AddTables(dxf, report.scale, newDrawing);
    const BlockIds blocks = MakeBlocks(dxf, report.renamed);
    report.blocks = dxf.blocks.size();
    for (const DxfBlock& block : dxf.blocks)
        Append(blocks.at(block.name), block.entities, EntityMaker{block.base, blocks, records, report.scale},
               block.name, report);
    const DxfPoint origin;
    Append(ModelSpaceId(), dxf.modelSpace, EntityMaker{origin, blocks, records, report.scale}, "model space", report);
    return report;
}
