#include "storage/PartText.h"

#include "geometry/CIvAcadBlock.h"
#include "geometry/HostPoint.h"
#include "host/AcDbDwgFiler.h"
#include "host/acutMem.h"
#include "model/CPmPart.h"

#include <cstdio>

namespace
{
// A legacy block, or any other that is not a drawing block, has no record
// the reader could take; its handle is written in the drawing block's place,
// so that it comes back as a drawing block on the same reference.
void writeBlockField(AcDbDwgFiler* filer, const CZnBlock* block)
{
    if (const auto* drawingBlock = dynamic_cast<const CIvAcadBlock*>(block))
    {
        drawingBlock->Save(filer);
        return;
    }
    const AcDbHandle* handle = block != nullptr ? block->Handle() : nullptr;
    filer->writeAcDbHandle(handle != nullptr ? *handle : AcDbHandle());
}
} // namespace

void SavePartRecord(AcDbDwgFiler* filer, const CPmPart& part, const CString& text)
{
    filer->writeString(text.GetString());
    filer->writePoint3d(ToHostPoint(part.Offset()));
    writeBlockField(filer, part.Block());
    filer->writeInt32(part.NumSubParts());
    for (int i = 0; i < part.NumSubParts(); ++i)
        part.SubPart(i)->Save(filer);
}

CString PartText(const CPmPart& part, AcDbDwgFiler& scratch)
{
    part.Save(&scratch);
    scratch.seek(0, SEEK_SET);
    ACHAR* text = nullptr;
    scratch.readString(&text);
    const CString result(text != nullptr ? text : L"");
    acutDelBuffer(text);
    return result;
}

void SetPartText(CPmPart& freshPart, const CString& text, AcDbDwgFiler& scratch)
{
    SavePartRecord(&scratch, freshPart, text);
    scratch.seek(0, SEEK_SET);
    freshPart.Load(&scratch);
    // Reading a record always gives the part a drawing block, here one that
    // stands for nothing; the part gets its real block later.
    CZnBlock* standIn = freshPart.Block();
    freshPart.AddBlock(static_cast<CZnBlock*>(nullptr));
    delete standIn;
}
