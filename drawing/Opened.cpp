#include "drawing/Opened.h"

Opened<AcDbBlockTable> OpenBlockTable(AcDb::OpenMode mode)
{
    return OpenSymbolTable<AcDbBlockTable>(mode);
}

AcDbObjectId ModelSpaceId()
{
    AcDbObjectId id;
    if (const Opened<AcDbBlockTable> table = OpenBlockTable(AcDb::kForRead))
        table->getAt(ACDB_MODEL_SPACE, id);
    return id;
}
