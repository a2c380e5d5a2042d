#include "view/DrawingPicture.h"

#include "host/AcDbBlockReference.h"
#include "host/AcDbDatabase.h"
#include "host/AcDbSymbolTable.h"

#include <algorithm>
#include <memory>

namespace
{
AcDbBlockTableRecord* OpenModelSpace()
{
    AcDbDatabase* drawing = acdbHostApplicationServices()->workingDatabase();
    AcDbBlockTable* table = nullptr;
    if (drawing == nullptr || drawing->getBlockTable(table, AcDb::kForRead) != Acad::eOk)
        return nullptr;
    AcDbBlockTableRecord* modelSpace = nullptr;
    table->getAt(ACDB_MODEL_SPACE, modelSpace, AcDb::kForRead);
    table->close();
    return modelSpace;
}
} // namespace

DrawingPicture DrawingPicture::OfWorkingDrawing()
{
    DrawingPicture picture;
    AcDbBlockTableRecord* modelSpace = OpenModelSpace();
    if (modelSpace == nullptr)
        return picture;
    OutlineBuilder loose;
    AcDbBlockTableRecordIterator* walk = nullptr;
    if (modelSpace->newIterator(walk) == Acad::eOk)
    {
        const std::unique_ptr<AcDbBlockTableRecordIterator> iterator(walk);
        for (; !iterator->done(); iterator->step())
        {
            AcDbEntity* entity = nullptr;
            if (iterator->getEntity(entity, AcDb::kForRead) != Acad::eOk)
                continue;
            const auto* reference = AcDbBlockReference::cast(entity);
            const bool inserted = reference != nullptr && entity->visibility() == AcDb::kVisible;
            const AcDbObjectId definition =
                inserted ? reference->blockTableRecord() : AcDbObjectId();
            const Affine2 place = inserted ? ReferencePlacement(*reference) : Affine2();
            if (reference == nullptr)
                loose.AddEntity(*entity, Affine2());
            entity->close();
            if (inserted)
                picture.m_inserts.push_back({picture.Block(definition), place});
        }
    }
    modelSpace->close();
    picture.m_loose = loose.Take();
    return picture;
}

std::size_t DrawingPicture::Block(AcDbObjectId definition)
{
    const auto found = m_indices.find(definition);
    if (found != m_indices.end())
        return found->second;
    m_blocks.push_back(BlockOutline(definition));
    m_indices.emplace(definition, m_blocks.size() - 1);
    return m_blocks.size() - 1;
}

bool DrawingPicture::CutShort() const
{
    return m_loose.cutShort || std::any_of(m_blocks.begin(), m_blocks.end(),
                                           [](const Outline& outline) { return outline.cutShort; });
}
