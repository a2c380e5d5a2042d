#include "exchange/DxfFileWriter.h"

#include "drawing/OutputFile.h"
#include "exchange/DxfTextCodec.h"
#include "exchange/DxfTextWriter.h"

#include <dxflib/dl_dxf.h>

#include <algorithm>
#include <cmath>

namespace
{
constexpr DL_Codes::version kVersion = DL_Codes::AC1015;

using Handle = unsigned long;

// The handles of what everything else points at, given before anything is
// written: the tables, the root objects, the spaces' and blocks' records.
struct Handles
{
    explicit Handles(DxfTextWriter& dw, const DxfDrawing& drawing)
        : linetypes(dw.Reserve()), layers(dw.Reserve()), styles(dw.Reserve()), dimensionStyles(dw.Reserve()),
          blockRecords(dw.Reserve()), standardStyle(dw.Reserve()), root(dw.Reserve()), groups(dw.Reserve()),
          layouts(dw.Reserve()), lineStyles(dw.Reserve()), standardLineStyle(dw.Reserve()),
          plotStyles(dw.Reserve()), normalPlotStyle(dw.Reserve()), modelLayout(dw.Reserve()),
          paperLayout(dw.Reserve()), modelSpace(dw.Reserve()), paperSpace(dw.Reserve()), records(dw.Reserve())
    {
        for (std::size_t i = 0; i < drawing.blocks.size(); ++i)
            blocks.push_back(dw.Reserve());
    }

    Handle linetypes, layers, styles, dimensionStyles, blockRecords, standardStyle;
    Handle root, groups, layouts, lineStyles, standardLineStyle, plotStyles, normalPlotStyle;
    Handle modelLayout, paperLayout, modelSpace, paperSpace, records;
    std::vector<Handle> blocks;
};

// Text goes out in the file's code page, characters beyond it escaped.
void Text(const DxfTextWriter& dw, int code, const std::string& text) { dw.dxfString(code, TextToDxf(text)); }

void Coord(const DxfTextWriter& dw, int code, const DxfPoint& point)
{
    dw.coord(code, point.x, point.y, point.z);
}

// The start of every table record and object: its type, handle and owner.
Handle Begin(DxfTextWriter& dw, const char* type, Handle owner, int handleCode = 5)
{
    dw.dxfString(0, type);
    const Handle handle = dw.handle(handleCode);
    dw.dxfHex(330, static_cast<int>(owner));
    return handle;
}

void BeginWith(DxfTextWriter& dw, const char* type, Handle handle, Handle owner)
{
    dw.dxfString(0, type);
    dw.dxfHex(5, static_cast<int>(handle));
    dw.dxfHex(330, static_cast<int>(owner));
}

void Table(DxfTextWriter& dw, const char* name, Handle handle, std::size_t records)
{
    dw.dxfString(0, "TABLE");
    dw.dxfString(2, name);
    dw.dxfHex(5, static_cast<int>(handle));
    dw.dxfHex(330, 0);
    dw.subClass("AcDbSymbolTable");
    dw.dxfInt(70, static_cast<int>(records));
}

void Record(DxfTextWriter& dw, const char* type, Handle table, const char* subclass, const std::string& name,
            int flags)
{
    Begin(dw, type, table);
    dw.subClass("AcDbSymbolTableRecord");
    dw.subClass(subclass);
    Text(dw, 2, name);
    dw.dxfInt(70, flags);
}

void WriteLinetypes(DxfTextWriter& dw, const DxfDrawing& drawing, const Handles& handles)
{
    Table(dw, "LTYPE", handles.linetypes, drawing.linetypes.size());
    for (const DxfLinetype& linetype : drawing.linetypes)
    {
        Record(dw, "LTYPE", handles.linetypes, "AcDbLinetypeTableRecord", linetype.name, 0);
        Text(dw, 3, linetype.description);
        dw.dxfInt(72, 65);
        dw.dxfInt(73, static_cast<int>(linetype.dashes.size()));
        dw.dxfReal(40, linetype.patternLength);
        for (const double dash : linetype.dashes)
        {
            dw.dxfReal(49, dash);
            dw.dxfInt(74, 0);
        }
    }
    dw.tableEnd();
}

void WriteLayers(DxfTextWriter& dw, const DxfDrawing& drawing, const Handles& handles)
{
    Table(dw, "LAYER", handles.layers, drawing.layers.size());
    for (const DxfLayer& layer : drawing.layers)
    {
        Record(dw, "LAYER", handles.layers, "AcDbLayerTableRecord", layer.name,
               (layer.frozen ? 1 : 0) | (layer.locked ? 4 : 0));
        // An index below 0 says the layer is off. A true colour goes with
        // index 7 beside it, for readers that take indexes alone.
        const int index = layer.trueColour >= 0 ? 7 : layer.colour;
        dw.dxfInt(62, layer.off ? -index : index);
        if (layer.trueColour >= 0)
            dw.dxfInt(420, layer.trueColour);
        Text(dw, 6, layer.linetype);
        if (!layer.plotted)
            dw.dxfInt(290, 0);
        dw.dxfInt(370, layer.lineWeight);
        dw.dxfHex(390, static_cast<int>(handles.normalPlotStyle));
    }
    dw.tableEnd();
}

void WriteStyles(DxfTextWriter& dw, const DxfDrawing& drawing, const Handles& handles)
{
    Table(dw, "STYLE", handles.styles, drawing.styles.size());
    for (const DxfTextStyle& style : drawing.styles)
    {
        if (style.name == "Standard")
            BeginWith(dw, "STYLE", handles.standardStyle, handles.styles);
        else
            Begin(dw, "STYLE", handles.styles);
        dw.subClass("AcDbSymbolTableRecord");
        dw.subClass("AcDbTextStyleTableRecord");
        Text(dw, 2, style.name);
        dw.dxfInt(70, (style.shape ? 1 : 0) | (style.vertical ? 4 : 0));
        dw.dxfReal(40, style.height);
        dw.dxfReal(41, style.widthFactor);
        dw.dxfReal(50, style.oblique);
        dw.dxfInt(71, style.generation);
        dw.dxfReal(42, style.lastHeight);
        Text(dw, 3, style.font);
        Text(dw, 4, style.bigFont);
    }
    dw.tableEnd();
}

// Dimensions are not exchanged, but readers expect the standard dimension
// style, in the standard text style.
void WriteDimensionStyles(DxfTextWriter& dw, const Handles& handles)
{
    Table(dw, "DIMSTYLE", handles.dimensionStyles, 1);
    dw.subClass("AcDbDimStyleTable");
    Begin(dw, "DIMSTYLE", handles.dimensionStyles, 105);
    dw.subClass("AcDbSymbolTableRecord");
    dw.subClass("AcDbDimStyleTableRecord");
    dw.dxfString(2, "Standard");
    dw.dxfInt(70, 0);
    dw.dxfHex(340, static_cast<int>(handles.standardStyle));
    dw.tableEnd();
}

void BlockRecord(DxfTextWriter& dw, Handle handle, const Handles& handles, const std::string& name, Handle layout)
{
    BeginWith(dw, "BLOCK_RECORD", handle, handles.blockRecords);
    dw.subClass("AcDbSymbolTableRecord");
    dw.subClass("AcDbBlockTableRecord");
    Text(dw, 2, name);
    dw.dxfHex(340, static_cast<int>(layout));
}

void WriteBlockRecords(DxfTextWriter& dw, const DxfDrawing& drawing, const Handles& handles)
{
    Table(dw, "BLOCK_RECORD", handles.blockRecords, drawing.blocks.size() + 2);
    BlockRecord(dw, handles.modelSpace, handles, "*Model_Space", handles.modelLayout);
    BlockRecord(dw, handles.paperSpace, handles, "*Paper_Space", handles.paperLayout);
    for (std::size_t i = 0; i < drawing.blocks.size(); ++i)
        BlockRecord(dw, handles.blocks[i], handles, drawing.blocks[i].name, 0);
    dw.tableEnd();
}

void WriteTables(DL_Dxf& dxf, DxfTextWriter& dw, const DxfDrawing& drawing, const Handles& handles)
{
    dw.sectionTables();
    dxf.writeVPort(dw);
    WriteLinetypes(dw, drawing, handles);
    WriteLayers(dw, drawing, handles);
    WriteStyles(dw, drawing, handles);
    dxf.writeView(dw);
    dxf.writeUcs(dw);
    dw.tableAppid(1);
    dxf.writeAppid(dw, "ACAD");
    dw.tableEnd();
    WriteDimensionStyles(dw, handles);
    WriteBlockRecords(dw, drawing, handles);
    dw.sectionEnd();
}

// The part every entity has: its owner, layer, colour, line type and its
// scale, line weight and visibility; only what differs from the defaults.
void BeginEntity(DxfTextWriter& dw, const char* type, const char* subclass, const DxfEntity& entity, Handle owner,
                 bool paper)
{
    Begin(dw, type, owner);
    dw.subClass("AcDbEntity");
    if (paper)
        dw.dxfInt(67, 1);
    Text(dw, 8, entity.layer);
    if (entity.linetype != "ByLayer")
        Text(dw, 6, entity.linetype);
    if (entity.colour != kDxfColourByLayer)
        dw.dxfInt(62, entity.colour);
    if (entity.trueColour >= 0)
        dw.dxfInt(420, entity.trueColour);
    if (entity.lineWeight != kDxfLineWeightByLayer)
        dw.dxfInt(370, entity.lineWeight);
    if (entity.linetypeScale != 1.0)
        dw.dxfReal(48, entity.linetypeScale);
    if (!entity.visible)
        dw.dxfInt(60, 1);
    dw.subClass(subclass);
}

void Vertices(const DxfTextWriter& dw, const std::vector<DxfVertex>& vertices, bool widths)
{
    for (const DxfVertex& vertex : vertices)
    {
        dw.dxfReal(10, vertex.x);
        dw.dxfReal(20, vertex.y);
        if (widths && (vertex.startWidth >= 0.0 || vertex.endWidth >= 0.0))
        {
            dw.dxfReal(40, std::max(vertex.startWidth, 0.0));
            dw.dxfReal(41, std::max(vertex.endWidth, 0.0));
        }
        if (vertex.bulge != 0.0)
            dw.dxfReal(42, vertex.bulge);
    }
}

struct ShapeWriter
{
    DxfTextWriter& dw;
    const DxfEntity& entity;
    Handle owner;

    void Begin(const char* type, const char* subclass) const { BeginEntity(dw, type, subclass, entity, owner, false); }

    void operator()(const DxfLine& line) const
    {
        Begin("LINE", "AcDbLine");
        Coord(dw, 10, line.start);
        Coord(dw, 11, line.end);
    }
    void operator()(const DxfCircle& circle) const
    {
        Begin("CIRCLE", "AcDbCircle");
        Coord(dw, 10, circle.centre);
        dw.dxfReal(40, circle.radius);
    }
    void operator()(const DxfArc& arc) const
    {
        Begin("ARC", "AcDbCircle");
        Coord(dw, 10, arc.centre);
        dw.dxfReal(40, arc.radius);
        dw.subClass("AcDbArc");
        dw.dxfReal(50, arc.startAngle);
        dw.dxfReal(51, arc.endAngle);
    }
    void operator()(const DxfPolyline& polyline) const
    {
        Begin("LWPOLYLINE", "AcDbPolyline");
        dw.dxfInt(90, static_cast<int>(polyline.vertices.size()));
        dw.dxfInt(70, polyline.closed ? 1 : 0);
        if (polyline.constantWidth != 0.0)
            dw.dxfReal(43, polyline.constantWidth);
        if (polyline.elevation != 0.0)
            dw.dxfReal(38, polyline.elevation);
        Vertices(dw, polyline.vertices, true);
    }
    void operator()(const DxfInsert& insert) const
    {
        Begin("INSERT", "AcDbBlockReference");
        Text(dw, 2, insert.block);
        Coord(dw, 10, insert.position);
        dw.dxfReal(41, insert.sx);
        dw.dxfReal(42, insert.sy);
        dw.dxfReal(43, insert.sz);
        dw.dxfReal(50, insert.rotation);
    }
    void operator()(const DxfText& text) const
    {
        Begin("TEXT", "AcDbText");
        Coord(dw, 10, text.position);
        dw.dxfReal(40, text.height);
        Text(dw, 1, text.text);
        dw.dxfReal(50, text.rotation);
        dw.dxfReal(41, text.widthFactor);
        dw.dxfReal(51, text.oblique);
        Text(dw, 7, text.style);
        dw.dxfInt(71, text.mirror);
        dw.dxfInt(72, text.horizontal);
        if (text.horizontal != 0 || text.vertical != 0)
            Coord(dw, 11, text.alignment);
        // The vertical alignment belongs to a subclass of its own.
        dw.subClass("AcDbText");
        dw.dxfInt(73, text.vertical);
    }
    void operator()(const DxfMText& text) const
    {
        Begin("MTEXT", "AcDbMText");
        Coord(dw, 10, text.location);
        dw.dxfReal(40, text.height);
        dw.dxfReal(41, text.width);
        dw.dxfInt(71, text.attachment);
        dw.dxfInt(72, text.flow);
        // Text longer than 250 characters goes in pieces of 250 (code 3),
        // the last piece with code 1; readers join them before they read
        // what the text says.
        constexpr std::size_t kPiece = 250;
        const std::string escaped = TextToDxf(text.text);
        std::size_t at = 0;
        for (; escaped.size() - at > kPiece; at += kPiece)
            dw.dxfString(3, escaped.substr(at, kPiece));
        dw.dxfString(1, escaped.substr(at));
        Text(dw, 7, text.style);
        Coord(dw, 210, text.normal);
        Coord(dw, 11, text.direction);
        dw.dxfInt(73, text.spacingStyle);
        dw.dxfReal(44, text.spacingFactor);
    }
    void operator()(const DxfEllipse& ellipse) const
    {
        Begin("ELLIPSE", "AcDbEllipse");
        Coord(dw, 10, ellipse.centre);
        Coord(dw, 11, ellipse.majorAxis);
        Coord(dw, 210, ellipse.normal);
        dw.dxfReal(40, ellipse.ratio);
        dw.dxfReal(41, ellipse.startParam);
        dw.dxfReal(42, ellipse.endParam);
    }
    void operator()(const DxfSpline& spline) const
    {
        Begin("SPLINE", "AcDbSpline");
        dw.dxfInt(70, (spline.closed ? 1 : 0) | (spline.periodic ? 2 : 0) | (spline.weights.empty() ? 0 : 4));
        dw.dxfInt(71, spline.degree);
        dw.dxfInt(72, static_cast<int>(spline.knots.size()));
        dw.dxfInt(73, static_cast<int>(spline.controlPoints.size()));
        dw.dxfInt(74, static_cast<int>(spline.fitPoints.size()));
        dw.dxfReal(42, spline.knotTolerance);
        dw.dxfReal(43, spline.controlTolerance);
        dw.dxfReal(44, spline.fitTolerance);
        const auto given = [](const DxfPoint& v) { return v.x != 0.0 || v.y != 0.0 || v.z != 0.0; };
        if (given(spline.startTangent))
            Coord(dw, 12, spline.startTangent);
        if (given(spline.endTangent))
            Coord(dw, 13, spline.endTangent);
        for (const double knot : spline.knots)
            dw.dxfReal(40, knot);
        for (const double weight : spline.weights)
            dw.dxfReal(41, weight);
        for (const DxfPoint& point : spline.controlPoints)
            Coord(dw, 10, point);
        for (const DxfPoint& point : spline.fitPoints)
            Coord(dw, 11, point);
    }
    void operator()(const DxfPointEntity& point) const
    {
        Begin("POINT", "AcDbPoint");
        Coord(dw, 10, point.position);
        if (point.angle != 0.0)
            dw.dxfReal(50, point.angle);
    }
    void operator()(const DxfHatch& hatch) const;
};

void Edge(const DxfTextWriter& dw, const DxfHatchEdge& edge)
{
    dw.dxfInt(72, edge.type);
    switch (edge.type)
    {
    case 1:
        dw.dxfReal(10, edge.x1);
        dw.dxfReal(20, edge.y1);
        dw.dxfReal(11, edge.x2);
        dw.dxfReal(21, edge.y2);
        break;
    case 2:
    case 3:
        dw.dxfReal(10, edge.x1);
        dw.dxfReal(20, edge.y1);
        if (edge.type == 3)
        {
            dw.dxfReal(11, edge.x2);
            dw.dxfReal(21, edge.y2);
        }
        dw.dxfReal(40, edge.radius);
        dw.dxfReal(50, edge.startAngle);
        dw.dxfReal(51, edge.endAngle);
        dw.dxfInt(73, edge.counterClockwise ? 1 : 0);
        break;
    default:
        dw.dxfInt(94, edge.degree);
        dw.dxfInt(73, edge.weights.empty() ? 0 : 1);
        dw.dxfInt(74, edge.periodic ? 1 : 0);
        dw.dxfInt(95, static_cast<int>(edge.knots.size()));
        dw.dxfInt(96, static_cast<int>(edge.controlPoints.size() / 2));
        for (const double knot : edge.knots)
            dw.dxfReal(40, knot);
        for (std::size_t i = 0; i + 1 < edge.controlPoints.size(); i += 2)
        {
            dw.dxfReal(10, edge.controlPoints[i]);
            dw.dxfReal(20, edge.controlPoints[i + 1]);
            if (!edge.weights.empty())
                dw.dxfReal(42, edge.weights[i / 2]);
        }
    }
}

void ShapeWriter::operator()(const DxfHatch& hatch) const
{
    Begin("HATCH", "AcDbHatch");
    Coord(dw, 10, {0.0, 0.0, hatch.elevation});
    Coord(dw, 210, hatch.normal);
    Text(dw, 2, hatch.solid ? std::string("SOLID") : hatch.pattern);
    dw.dxfInt(70, hatch.solid ? 1 : 0);
    dw.dxfInt(71, 0);
    dw.dxfInt(91, static_cast<int>(hatch.loops.size()));
    for (const DxfHatchLoop& loop : hatch.loops)
    {
        const bool polyline = !loop.vertices.empty();
        dw.dxfInt(92, polyline ? loop.flags | 2 : loop.flags & ~2);
        if (polyline)
        {
            const bool bulges = std::any_of(loop.vertices.begin(), loop.vertices.end(),
                                            [](const DxfVertex& v) { return v.bulge != 0.0; });
            dw.dxfInt(72, bulges ? 1 : 0);
            dw.dxfInt(73, 1);
            dw.dxfInt(93, static_cast<int>(loop.vertices.size()));
            for (const DxfVertex& vertex : loop.vertices)
            {
                dw.dxfReal(10, vertex.x);
                dw.dxfReal(20, vertex.y);
                if (bulges)
                    dw.dxfReal(42, vertex.bulge);
            }
        }
        else
        {
            dw.dxfInt(93, static_cast<int>(loop.edges.size()));
            for (const DxfHatchEdge& edge : loop.edges)
                Edge(dw, edge);
        }
        dw.dxfInt(97, 0);
    }
    dw.dxfInt(75, hatch.style);
    dw.dxfInt(76, hatch.patternType);
    if (!hatch.solid)
    {
        dw.dxfReal(52, hatch.patternAngle);
        dw.dxfReal(41, hatch.patternScale);
        dw.dxfInt(77, hatch.patternDouble ? 1 : 0);
        dw.dxfInt(78, static_cast<int>(hatch.lines.size()));
        for (const DxfPatternLine& line : hatch.lines)
        {
            dw.dxfReal(53, line.angle);
            dw.dxfReal(43, line.baseX);
            dw.dxfReal(44, line.baseY);
            dw.dxfReal(45, line.offsetX);
            dw.dxfReal(46, line.offsetY);
            dw.dxfInt(79, static_cast<int>(line.dashes.size()));
            for (const double dash : line.dashes)
                dw.dxfReal(49, dash);
        }
    }
    dw.dxfInt(98, static_cast<int>(hatch.seeds.size()));
    for (const DxfPoint& seed : hatch.seeds)
    {
        dw.dxfReal(10, seed.x);
        dw.dxfReal(20, seed.y);
    }
}

void WriteEntities(DxfTextWriter& dw, const std::vector<DxfEntity>& entities, Handle owner)
{
    for (const DxfEntity& entity : entities)
        std::visit(ShapeWriter{dw, entity, owner}, entity.shape);
}

void WriteBlock(DxfTextWriter& dw, const DxfBlock& block, Handle record, bool paper)
{
    // BLOCK and ENDBLK begin alike, on layer "0" of their space.
    const auto begin = [&](const char* type, const char* subclass) {
        Begin(dw, type, record);
        dw.subClass("AcDbEntity");
        if (paper)
            dw.dxfInt(67, 1);
        dw.dxfString(8, "0");
        dw.subClass(subclass);
    };
    begin("BLOCK", "AcDbBlockBegin");
    Text(dw, 2, block.name);
    dw.dxfInt(70, 0);
    Coord(dw, 10, block.base);
    Text(dw, 3, block.name);
    dw.dxfString(1, "");
    WriteEntities(dw, block.entities, record);
    begin("ENDBLK", "AcDbBlockEnd");
}

void WriteBlocks(DxfTextWriter& dw, const DxfDrawing& drawing, const Handles& handles)
{
    dw.sectionBlocks();
    WriteBlock(dw, DxfBlock{"*Model_Space", {}, {}, 0}, handles.modelSpace, false);
    WriteBlock(dw, DxfBlock{"*Paper_Space", {}, {}, 0}, handles.paperSpace, true);
    for (std::size_t i = 0; i < drawing.blocks.size(); ++i)
        WriteBlock(dw, drawing.blocks[i], handles.blocks[i], false);
    dw.sectionEnd();
}

struct TagWriter
{
    const DxfTextWriter& dw;
    int code;

    void operator()(const std::string& text) const { Text(dw, code, text); }
    void operator()(double real) const { dw.dxfReal(code, real); }
    void operator()(int integer) const { dw.dxfInt(code, integer); }
};

void Dictionary(DxfTextWriter& dw, Handle handle, Handle owner,
                const std::vector<std::pair<std::string, Handle>>& entries)
{
    BeginWith(dw, "DICTIONARY", handle, owner);
    dw.subClass("AcDbDictionary");
    dw.dxfInt(281, 1);
    for (const auto& [key, entry] : entries)
    {
        Text(dw, 3, key);
        dw.dxfHex(350, static_cast<int>(entry));
    }
}

// A layout of the drawing: the sheet a space is printed on, as readers
// expect to find one for each space.
void Layout(DxfTextWriter& dw, Handle handle, const Handles& handles, const char* name, int tab, Handle space)
{
    BeginWith(dw, "LAYOUT", handle, handles.layouts);
    dw.subClass("AcDbPlotSettings");
    dw.dxfString(1, "");
    dw.dxfString(2, "none_device");
    dw.dxfString(4, "");
    dw.dxfString(6, "");
    for (int code = 40; code <= 49; ++code)
        dw.dxfReal(code, 0.0);
    dw.dxfReal(140, 0.0);
    dw.dxfReal(141, 0.0);
    dw.dxfReal(142, 1.0);
    dw.dxfReal(143, 1.0);
    dw.dxfInt(70, tab == 0 ? 1712 : 688);
    dw.dxfInt(72, 0);
    dw.dxfInt(73, 0);
    dw.dxfInt(74, tab == 0 ? 0 : 5);
    dw.dxfString(7, "");
    dw.dxfInt(75, tab == 0 ? 0 : 16);
    dw.dxfReal(147, 1.0);
    dw.dxfReal(148, 0.0);
    dw.dxfReal(149, 0.0);
    dw.subClass("AcDbLayout");
    dw.dxfString(1, name);
    dw.dxfInt(70, 1);
    dw.dxfInt(71, tab);
    for (const auto& [code, value] : {std::pair{10, 0.0}, {20, 0.0}, {11, 420.0}, {21, 297.0}})
        dw.dxfReal(code, value);
    dw.coord(12, 0.0, 0.0, 0.0);
    dw.coord(14, 1e20, 1e20, 1e20);
    dw.coord(15, -1e20, -1e20, -1e20);
    dw.dxfReal(146, 0.0);
    dw.coord(13, 0.0, 0.0, 0.0);
    dw.coord(16, 1.0, 0.0, 0.0);
    dw.coord(17, 0.0, 1.0, 0.0);
    dw.dxfInt(76, 0);
    dw.dxfHex(330, static_cast<int>(space));
}

// The root dictionary with what readers expect under it (groups, layouts,
// multiline styles, plot styles), and the simulations' records; every
// object names its owner.
void WriteObjects(DxfTextWriter& dw, const DxfDrawing& drawing, const Handles& handles)
{
    dw.sectionObjects();
    std::vector<std::pair<std::string, Handle>> root = {{"ACAD_GROUP", handles.groups},
                                                          {"ACAD_LAYOUT", handles.layouts},
                                                          {"ACAD_MLINESTYLE", handles.lineStyles},
                                                          {"ACAD_PLOTSTYLENAME", handles.plotStyles}};
    if (!drawing.recordDictionary.empty())
        root.push_back({drawing.recordDictionary, handles.records});
    Dictionary(dw, handles.root, 0, root);
    Dictionary(dw, handles.groups, handles.root, {});
    Dictionary(dw, handles.layouts, handles.root, {{"Layout1", handles.paperLayout}, {"Model", handles.modelLayout}});
    Layout(dw, handles.paperLayout, handles, "Layout1", 1, handles.paperSpace);
    Layout(dw, handles.modelLayout, handles, "Model", 0, handles.modelSpace);
    Dictionary(dw, handles.lineStyles, handles.root, {{"Standard", handles.standardLineStyle}});
    BeginWith(dw, "MLINESTYLE", handles.standardLineStyle, handles.lineStyles);
    dw.subClass("AcDbMlineStyle");
    dw.dxfString(2, "Standard");
    dw.dxfInt(70, 0);
    dw.dxfString(3, "");
    dw.dxfInt(62, 256);
    dw.dxfReal(51, 90.0);
    dw.dxfReal(52, 90.0);
    dw.dxfInt(71, 2);
    for (const double offset : {0.5, -0.5})
    {
        dw.dxfReal(49, offset);
        dw.dxfInt(62, 256);
        dw.dxfString(6, "BYLAYER");
    }
    BeginWith(dw, "ACDBDICTIONARYWDFLT", handles.plotStyles, handles.root);
    dw.subClass("AcDbDictionary");
    dw.dxfInt(281, 1);
    dw.dxfString(3, "Normal");
    dw.dxfHex(350, static_cast<int>(handles.normalPlotStyle));
    dw.subClass("AcDbDictionaryWithDefault");
    dw.dxfHex(340, static_cast<int>(handles.normalPlotStyle));
    BeginWith(dw, "ACDBPLACEHOLDER", handles.normalPlotStyle, handles.plotStyles);
    if (!drawing.recordDictionary.empty())
    {
        std::vector<std::pair<std::string, Handle>> entries;
        for (const DxfRecord& record : drawing.records)
            entries.push_back({record.key, dw.Reserve()});
        Dictionary(dw, handles.records, handles.root, entries);
        for (std::size_t i = 0; i < drawing.records.size(); ++i)
        {
            BeginWith(dw, "XRECORD", entries[i].second, handles.records);
            dw.subClass("AcDbXrecord");
            // Keep the record when the drawing is copied or merged elsewhere.
            dw.dxfInt(280, 1);
            for (const DxfTag& tag : drawing.records[i].tags)
                std::visit(TagWriter{dw, tag.code}, tag.value);
        }
    }
    dw.sectionEnd();
}

// Written last, when the next handle is known, and put first.
std::string Header(const DxfDrawing& drawing, Handle seed)
{
    DxfTextWriter dw(kVersion);
    dw.sectionHeader();
    dw.dxfString(9, "$ACADVER");
    dw.dxfString(1, "AC1015");
    dw.dxfString(9, "$DWGCODEPAGE");
    dw.dxfString(3, "ANSI_1252");
    dw.dxfString(9, "$HANDSEED");
    dw.dxfHex(5, static_cast<int>(seed));
    dw.dxfString(9, "$INSUNITS");
    dw.dxfInt(70, drawing.units);
    dw.sectionEnd();
    return dw.Text();
}
} // namespace

std::string DxfFileText(const DxfDrawing& drawing)
{
    DL_Dxf dxf;
    DxfTextWriter dw(kVersion);
    const Handles handles(dw, drawing);
    WriteTables(dxf, dw, drawing, handles);
    WriteBlocks(dw, drawing, handles);
    dw.sectionEntities();
    WriteEntities(dw, drawing.modelSpace, handles.modelSpace);
    dw.sectionEnd();
    WriteObjects(dw, drawing, handles);
    dw.dxfEOF();
    return Header(drawing, dw.getNextHandle()) + dw.Text();
}

void WriteDxfFile(const std::string& path, const DxfDrawing& drawing)
{
    ReplaceFile(path, DxfFileText(drawing));
}
