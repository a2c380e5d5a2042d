#include "drawing/BlockWalk.h"

#include "drawing/Opened.h"
#include "host/AcDbEntity.h"

Acad::ErrorStatus ForEachEntity(AcDbObjectId definition, const EntityVisit& visit)
{
    AcDbBlockTableRecord* record = nullptr;
    if (const Acad::ErrorStatus status = acdbOpenObject(record, definition, AcDb::kForRead); status != Acad::eOk)
        return status;
    const Opened<AcDbBlockTableRecord> opened(record);
    AcDbBlockTableRecordIterator* walk = nullptr;
    if (const Acad::ErrorStatus status = record->newIterator(walk); status != Acad::eOk)
        return status;
    const std::unique_ptr<AcDbBlockTableRecordIterator> iterator(walk);
    Acad::ErrorStatus first = Acad::eOk;
    for (; !iterator->done(); iterator->step())
    {
        AcDbEntity* entity = nullptr;
        if (const Acad::ErrorStatus status = iterator->getEntity(entity, AcDb::kForRead); status != Acad::eOk)
        {
            if (first == Acad::eOk)
                first = status;
            continue;
        }
        const Opened<AcDbEntity> openedEntity(entity);
        visit(*entity);
    }
    return first;
}

Acad::ErrorStatus ForEachModelSpaceEntity(const EntityVisit& visit)
{
    const AcDbObjectId modelSpace = ModelSpaceId();
    return modelSpace.isNull() ? Acad::eOk : ForEachEntity(modelSpace, visit);
}
