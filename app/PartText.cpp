#include "app/PartText.h"

#include "cadhost/DwgMemoryFiler.h"
#include "host/acutMem.h"
#include "model/CPmPart.h"
#include "model/CZnBlock.h"

void SetPartText(CPmPart& freshPart, const CString& text)
{
    const dpoint3d offset = freshPart.Offset();
    DwgMemoryFiler record;
    record.writeString(text);
    record.writePoint3d(AcGePoint3d(offset.x, offset.y, offset.z));
    record.writeAcDbHandle(AcDbHandle());
    record.writeInt32(0);
    record.rewind();
    freshPart.Load(&record);
    // Reading a record always gives the part a drawing block, here one that
    // stands for nothing; the part gets its real block later.
    CZnBlock* standIn = freshPart.Block();
    freshPart.AddBlock(static_cast<CZnBlock*>(nullptr));
    delete standIn;
}

CString PartText(const CPmPart& part)
{
    DwgMemoryFiler record;
    part.Save(&record);
    record.rewind();
    ACHAR* text = nullptr;
    record.readString(&text);
    const CString result(text != nullptr ? text : L"");
    acutDelBuffer(text);
    return result;
}
