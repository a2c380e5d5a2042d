#include "motion/ModelSpace.h"

#include "host/AcDbDatabase.h"
#include "host/AcDbEntity.h"
#include "host/AcDbSymbolTable.h"

#include <memory>

namespace
{
// Closes what it holds even when a visit throws.
struct CloseObject
{
    void operator()(AcDbObject* object) const { object->close(); }
};
template <class T> using Opened = std::unique_ptr<T, CloseObject>;

Opened<AcDbBlockTableRecord> OpenModelSpace()
{
    AcDbDatabase* drawing = acdbHostApplicationServices()->workingDatabase();
    AcDbBlockTable* table = nullptr;
    if (drawing == nullptr || drawing->getBlockTable(table, AcDb::kForRead) != Acad::eOk)
        return nullptr;
    AcDbBlockTableRecord* modelSpace = nullptr;
    table->getAt(ACDB_MODEL_SPACE, modelSpace, AcDb::kForRead);
    table->close();
    return Opened<AcDbBlockTableRecord>(modelSpace);
}
} // namespace

void ForEachModelSpaceEntity(const std::function<void(const AcDbEntity&)>& visit)
{
    const Opened<AcDbBlockTableRecord> modelSpace = OpenModelSpace();
    AcDbBlockTableRecordIterator* walk = nullptr;
    if (modelSpace == nullptr || modelSpace->newIterator(walk) != Acad::eOk)
        return;
    const std::unique_ptr<AcDbBlockTableRecordIterator> iterator(walk);
    for (; !iterator->done(); iterator->step())
    {
        AcDbEntity* entity = nullptr;
        if (iterator->getEntity(entity, AcDb::kForRead) != Acad::eOk)
            continue;
        const Opened<AcDbEntity> opened(entity);
        visit(*entity);
    }
}
