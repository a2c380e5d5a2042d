#include "exchange/DxfToDrawing.h"

#include "cadhost/Utf8Text.h"
#include "host/AcDbBlockReference.h"
#include "host/AcDbCurves.h"
#include "host/AcDbDatabase.h"
#include "host/AcDbSymbolTable.h"
#include "motion/OpenedObject.h"

#include <cinttypes>
#include <cstdio>
#include <map>
#include <set>

namespace
{
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

using BlockIds = std::map<std::string, AcDbObjectId>;

Opened<AcDbBlockTable> OpenBlockTable(AcDb::OpenMode mode)
{
    AcDbDatabase* drawing = acdbHostApplicationServices()->workingDatabase();
    AcDbBlockTable* table = nullptr;
    if (drawing == nullptr || drawing->getBlockTable(table, mode) != Acad::eOk)
        table = nullptr;
    return Opened<AcDbBlockTable>(table);
}

std::string At(std::size_t line)
{
    return "line " + std::to_string(line) + ": ";
}

std::string HandleText(AcDbObjectId id)
{
    char text[20];
    std::snprintf(text, sizeof text, "%" PRIX64, static_cast<std::uint64_t>(id.handle()));
    return text;
}

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

// Entities of a block are drawn relative to its base point.
struct EntityMaker
{
    const DxfPoint& base;
    const BlockIds& blocks;

    AcGePoint3d Local(const DxfPoint& point) const
    {
        return {point.x - base.x, point.y - base.y, point.z - base.z};
    }

    AcDbEntity* operator()(const DxfLine& line) const { return new AcDbLine(Local(line.start), Local(line.end)); }
    AcDbEntity* operator()(const DxfCircle& circle) const
    {
        return new AcDbCircle(Local(circle.centre), AcGeVector3d(0.0, 0.0, 1.0), circle.radius);
    }
    AcDbEntity* operator()(const DxfArc& arc) const
    {
        return new AcDbArc(Local(arc.centre), arc.radius, arc.startAngle * kRadiansPerDegree,
                           arc.endAngle * kRadiansPerDegree);
    }
    AcDbEntity* operator()(const DxfPolyline& polyline) const
    {
        auto* made = new AcDbPolyline();
        for (const DxfVertex& vertex : polyline.vertices)
            made->addVertexAt(made->numVerts(), AcGePoint2d(vertex.x - base.x, vertex.y - base.y), vertex.bulge);
        made->setClosed(polyline.closed);
        return made;
    }
    AcDbEntity* operator()(const DxfInsert& insert) const
    {
        auto* made = new AcDbBlockReference(Local(insert.position), blocks.at(insert.block));
        made->setScaleFactors(AcGeScale3d(insert.sx, insert.sy, insert.sz));
        made->setRotation(insert.rotation * kRadiansPerDegree);
        return made;
    }
};

// Appends entities to the record, noting each reference's new handle.
Acad::ErrorStatus Append(AcDbObjectId recordId, const std::vector<DxfEntity>& entities, const DxfPoint& base,
                         const BlockIds& blocks, const std::string& in, DxfImport& report)
{
    AcDbBlockTableRecord* record = nullptr;
    if (const Acad::ErrorStatus es = acdbOpenObject(record, recordId, AcDb::kForWrite); es != Acad::eOk)
        return es;
    Opened<AcDbBlockTableRecord> opened(record);
    for (const DxfEntity& dxfEntity : entities)
    {
        AcDbEntity* entity = std::visit(EntityMaker{base, blocks}, dxfEntity.shape);
        if (!dxfEntity.visible)
            entity->setVisibility(AcDb::kInvisible);
        AcDbObjectId id;
        if (const Acad::ErrorStatus es = record->appendAcDbEntity(id, entity); es != Acad::eOk)
        {
            delete entity;
            return es;
        }
        entity->close();
        ++report.entities;
        if (const auto* insert = std::get_if<DxfInsert>(&dxfEntity.shape))
            report.references.push_back({dxfEntity.handle, HandleText(id), insert->block, in});
    }
    return Acad::eOk;
}

// The name itself when the drawing has no block of that name, else the
// first of "name (2)", "name (3)"... that is free.
std::string FreeName(const AcDbBlockTable& table, const std::string& name)
{
    std::string free = name;
    for (int n = 2; table.has(cadhost::fromUtf8(free).c_str()); ++n)
        free = name + " (" + std::to_string(n) + ")";
    return free;
}

// Makes the DXF's block definitions, empty, so that references among them
// resolve whatever their order; and finds the drawing's blocks the DXF names.
Acad::ErrorStatus MakeBlocks(const DxfDrawing& dxf, BlockIds& blocks,
                             std::vector<std::pair<std::string, std::string>>& renamed)
{
    Opened<AcDbBlockTable> table = OpenBlockTable(AcDb::kForWrite);
    if (!table)
        return Acad::eNoDatabase;
    for (const DxfBlock& block : dxf.blocks)
    {
        const std::string name = FreeName(*table, block.name);
        if (name != block.name)
            renamed.push_back({block.name, name});
        auto* record = new AcDbBlockTableRecord();
        record->setName(cadhost::fromUtf8(name).c_str());
        AcDbObjectId id;
        if (const Acad::ErrorStatus es = table->add(id, record); es != Acad::eOk)
        {
            delete record;
            return es;
        }
        record->close();
        blocks[block.name] = id;
    }
    ForEachInsert(dxf, [&](const DxfEntity&, const DxfInsert& insert) {
        if (blocks.count(insert.block) == 0)
            table->getAt(cadhost::fromUtf8(insert.block).c_str(), blocks[insert.block]);
    });
    return Acad::eOk;
}

DxfImport Refused(DxfImport report, Acad::ErrorStatus status)
{
    report.failure = "the drawing refused a change (host status " + std::to_string(status) + ")";
    return report;
}
} // namespace

std::string CheckDxfImport(const DxfDrawing& dxf)
{
    Opened<AcDbBlockTable> table = OpenBlockTable(AcDb::kForRead);
    if (!table)
        return "there is no drawing to import into";
    std::set<std::string> names;
    for (const DxfBlock& block : dxf.blocks)
    {
        if (!names.insert(block.name).second)
            return At(block.line) + "a second block named \"" + block.name + "\"";
    }
    std::string problem;
    ForEachInsert(dxf, [&](const DxfEntity& entity, const DxfInsert& insert) {
        if (problem.empty() && names.count(insert.block) == 0 &&
            !table->has(cadhost::fromUtf8(insert.block).c_str()))
            problem = At(entity.line) + "a block reference to \"" + insert.block +
                      "\", a block that the DXF does not define";
    });
    return problem;
}

DxfImport ImportDxf(const DxfDrawing& dxf)
{
    DxfImport report;
    BlockIds blocks;
    if (const Acad::ErrorStatus es = MakeBlocks(dxf, blocks, report.renamed); es != Acad::eOk)
        return Refused(report, es);
    report.blocks = dxf.blocks.size();
    for (const DxfBlock& block : dxf.blocks)
        if (const Acad::ErrorStatus es =
                Append(blocks.at(block.name), block.entities, block.base, blocks, block.name, report);
            es != Acad::eOk)
            return Refused(report, es);
    AcDbObjectId modelSpace;
    if (Opened<AcDbBlockTable> table = OpenBlockTable(AcDb::kForRead))
        table->getAt(ACDB_MODEL_SPACE, modelSpace);
    if (const Acad::ErrorStatus es = Append(modelSpace, dxf.modelSpace, {}, blocks, "model space", report);
        es != Acad::eOk)
        return Refused(report, es);
    return report;
}
