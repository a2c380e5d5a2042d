#include "exchange/DxfToDrawing.h"

#include "cadhost/Utf8Text.h"
#include "drawing/Angles.h"
#include "drawing/BlockDefinition.h"
#include "drawing/Failure.h"
#include "drawing/Names.h"
#include "drawing/Opened.h"
#include "host/AcDbBlockReference.h"
#include "host/AcDbCurves.h"

#include <map>
#include <set>

namespace
{
using BlockIds = std::map<std::string, AcDbObjectId>;

[[noreturn]] void Fail(std::size_t line, const std::string& what)
{
    throw Failure(FailureKind::badInput, "line " + std::to_string(line) + ": " + what);
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
        return new AcDbArc(Local(arc.centre), arc.radius, Radians(arc.startAngle), Radians(arc.endAngle));
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
        made->setRotation(Radians(insert.rotation));
        return made;
    }
};

// Appends entities to the record, noting each reference's new handle.
void Append(AcDbObjectId record, const std::vector<DxfEntity>& entities, const DxfPoint& base,
            const BlockIds& blocks, const std::string& in, DxfImport& report)
{
    NewEntities made;
    made.reserve(entities.size());
    for (const DxfEntity& dxfEntity : entities)
    {
        made.emplace_back(std::visit(EntityMaker{base, blocks}, dxfEntity.shape));
        if (!dxfEntity.visible)
            made.back()->setVisibility(AcDb::kInvisible);
    }
    const std::vector<AcDbObjectId> ids = AppendEntities(record, std::move(made));
    report.entities += ids.size();
    for (std::size_t i = 0; i < entities.size(); ++i)
        if (const auto* insert = std::get_if<DxfInsert>(&entities[i].shape))
            report.references.push_back({entities[i].handle, HandleText(ids[i].handle()), insert->block, in});
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
            table->getAt(cadhost::fromUtf8(insert.block).c_str(), blocks[insert.block]);
    });
    return blocks;
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
        if (names.count(insert.block) == 0 && !table->has(cadhost::fromUtf8(insert.block).c_str()))
            Fail(entity.line, "a block reference to \"" + insert.block + "\", a block that the DXF does not define");
    });
}

DxfImport ImportDxf(const DxfDrawing& dxf)
{
    DxfImport report;
    const BlockIds blocks = MakeBlocks(dxf, report.renamed);
    report.blocks = dxf.blocks.size();
    for (const DxfBlock& block : dxf.blocks)
        Append(blocks.at(block.name), block.entities, block.base, blocks, block.name, report);
    Append(ModelSpaceId(), dxf.modelSpace, {}, blocks, "model space", report);
    return report;
}
