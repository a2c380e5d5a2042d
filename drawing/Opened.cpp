#include "drawing/Opened.h"

Opened<AcDbBlockTable> OpenBlockTable(AcDb::OpenMode mode)
{
    AcDbDatabase* drawing = acdbHostApplicationServices()->workingDatabase();
    AcDbBlockTable* table = nullptr;
    if (drawing == nullptr || drawing->getBlockTable(table, mode) != Acad::eOk)
        return nullptr;
    return Opened<AcDbBlockTable>(table);
}

AcDbObjectId ModelSpaceId()
{
    AcDbObjectId id;
    if (const Opened<AcDbBlockTable> table = OpenBlockTable(AcDb::kForRead))
        table->getAt(ACDB_MODEL_SPACE, id);
    return id;
}
