#include "exchange/DxfFileWriter.h"

#include "drawing/OutputFile.h"
#include "exchange/DxfTextWriter.h"

#include <dxflib/dl_dxf.h>

namespace
{
constexpr DL_Codes::version kVersion = DL_Codes::AC1015;

DL_Attributes EntityStyle(const std::string& layer)
{
    // Colour and line type by layer, so that each simulation's layer decides.
    return DL_Attributes(layer, 256, -1, "BYLAYER", 1.0);
}

void WriteTables(DL_Dxf& dxf, DxfTextWriter& dw, const DxfDrawing& drawing)
{
    dw.sectionTables();
    dxf.writeVPort(dw);
    dw.tableLinetypes(3);
    dxf.writeLinetype(dw, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    dw.tableEnd();
    dw.tableLayers(static_cast<int>(drawing.layers.size()));
    for (const DxfLayer& layer : drawing.layers)
        dxf.writeLayer(dw, DL_LayerData(layer.name, layer.off ? 1 : 0, layer.off),
                       DL_Attributes("", layer.colour, -1, "CONTINUOUS", 1.0));
    dw.tableEnd();
    dw.tableStyle(1);
    dxf.writeStyle(dw, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
    dw.tableEnd();
    dxf.writeView(dw);
    dxf.writeUcs(dw);
    dw.tableAppid(1);
    dxf.writeAppid(dw, "ACAD");
    dw.tableEnd();
    dxf.writeDimStyle(dw, 1, 1, 1, 1, 1);
    dxf.writeBlockRecord(dw);
    for (const DxfBlock& block : drawing.blocks)
        dxf.writeBlockRecord(dw, block.name);
    dw.tableEnd();
    dw.sectionEnd();
}

void BeginEntity(const DxfTextWriter& dw, const char* type, const char* subclass, const DxfEntity& entity)
{
    dw.entity(type);
    dw.subClass("AcDbEntity");
    dw.entityAttributes(EntityStyle(entity.layer));
    // dxflib's attributes have no visibility: an invisible entity says so
    // in its common part.
    if (!entity.visible)
        dw.dxfInt(60, 1);
    dw.subClass(subclass);
}

void Coord(const DxfTextWriter& dw, int code, const DxfPoint& point)
{
    dw.coord(code, point.x, point.y, point.z);
}

struct ShapeWriter
{
    const DxfTextWriter& dw;
    const DxfEntity& entity;

    void operator()(const DxfLine& line) const
    {
        BeginEntity(dw, "LINE", "AcDbLine", entity);
        Coord(dw, 10, line.start);
        Coord(dw, 11, line.end);
    }
    void operator()(const DxfCircle& circle) const
    {
        BeginEntity(dw, "CIRCLE", "AcDbCircle", entity);
        Coord(dw, 10, circle.centre);
        dw.dxfReal(40, circle.radius);
    }
    void operator()(const DxfArc& arc) const
    {
        BeginEntity(dw, "ARC", "AcDbCircle", entity);
        Coord(dw, 10, arc.centre);
        dw.dxfReal(40, arc.radius);
        dw.subClass("AcDbArc");
        dw.dxfReal(50, arc.startAngle);
        dw.dxfReal(51, arc.endAngle);
    }
    void operator()(const DxfPolyline& polyline) const
    {
        BeginEntity(dw, "LWPOLYLINE", "AcDbPolyline", entity);
        dw.dxfInt(90, static_cast<int>(polyline.vertices.size()));
        dw.dxfInt(70, polyline.closed ? 1 : 0);
        for (const DxfVertex& vertex : polyline.vertices)
        {
            dw.dxfReal(10, vertex.x);
            dw.dxfReal(20, vertex.y);
            if (vertex.bulge != 0.0)
                dw.dxfReal(42, vertex.bulge);
        }
    }
    void operator()(const DxfInsert& insert) const
    {
        BeginEntity(dw, "INSERT", "AcDbBlockReference", entity);
        dw.dxfString(2, insert.block);
        Coord(dw, 10, insert.position);
        dw.dxfReal(41, insert.sx);
        dw.dxfReal(42, insert.sy);
        dw.dxfReal(43, insert.sz);
        dw.dxfReal(50, insert.rotation);
    }
};

void WriteEntities(const DxfTextWriter& dw, const std::vector<DxfEntity>& entities)
{
    for (const DxfEntity& entity : entities)
        std::visit(ShapeWriter{dw, entity}, entity.shape);
}

void WriteBlock(DL_Dxf& dxf, DxfTextWriter& dw, const DxfBlock& block)
{
    dxf.writeBlock(dw, DL_BlockData(block.name, 0, block.base.x, block.base.y, block.base.z));
    WriteEntities(dw, block.entities);
    dxf.writeEndBlock(dw, block.name);
}

void WriteBlocks(DL_Dxf& dxf, DxfTextWriter& dw, const DxfDrawing& drawing)
{
    dw.sectionBlocks();
    for (const char* space : {"*Model_Space", "*Paper_Space", "*Paper_Space0"})
        WriteBlock(dxf, dw, DxfBlock{space, {}, {}, 0});
    for (const DxfBlock& block : drawing.blocks)
        WriteBlock(dxf, dw, block);
    dw.sectionEnd();
}

struct TagWriter
{
    const DxfTextWriter& dw;
    int code;

    void operator()(const std::string& text) const { dw.dxfString(code, text); }
    void operator()(double real) const { dw.dxfReal(code, real); }
    void operator()(int integer) const { dw.dxfInt(code, integer); }
};

// dxflib writes the root dictionary with an entry for our dictionary, and
// the dictionary with its entries; its XRECORD holds one value, so the
// records themselves are written here, tag by tag.
void WriteObjects(DL_Dxf& dxf, DxfTextWriter& dw, const DxfDrawing& drawing)
{
    dxf.writeObjects(dw, drawing.recordDictionary);
    dxf.writeAppDictionary(dw);
    const unsigned long dictionary = dw.LastHandle();
    std::vector<unsigned long> handles;
    for (const DxfRecord& record : drawing.records)
        handles.push_back(dxf.writeDictionaryEntry(dw, record.key));
    for (std::size_t i = 0; i < drawing.records.size(); ++i)
    {
        dw.dxfString(0, "XRECORD");
        dw.dxfHex(5, static_cast<int>(handles[i]));
        dw.dxfHex(330, static_cast<int>(dictionary));
        dw.subClass("AcDbXrecord");
        // Keep the record when the drawing is copied or merged elsewhere.
        dw.dxfInt(280, 1);
        for (const DxfTag& tag : drawing.records[i].tags)
            std::visit(TagWriter{dw, tag.code}, tag.value);
    }
    dxf.writeObjectsEnd(dw);
}
} // namespace

std::string DxfText(const DxfDrawing& drawing)
{
    DL_Dxf dxf;
    DxfTextWriter dw(kVersion);
    dxf.writeHeader(dw);
    dw.sectionEnd();
    WriteTables(dxf, dw, drawing);
    WriteBlocks(dxf, dw, drawing);
    dw.sectionEntities();
    WriteEntities(dw, drawing.modelSpace);
    dw.sectionEnd();
    WriteObjects(dxf, dw, drawing);
    dw.dxfEOF();
    return dw.Text();
}

void WriteDxfFile(const std::string& path, const DxfDrawing& drawing)
{
    ReplaceFile(path, DxfText(drawing));
}
