#include "storage/CPmAcadPart.h"

#include "geometry/CIvAcadBlock.h"
#include "geometry/HostPoint.h"
#include "storage/RecordReading.h"

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

void CPmAcadPart::Save(AcDbDwgFiler* filer) const
{
    filer->writeString(m_text.GetString());
    filer->writePoint3d(ToHostPoint(m_offset));
    writeBlockField(filer, m_block);
    filer->writeInt32(NumSubParts());
    for (const CPmPart* part : m_subParts)
        part->Save(filer);
}

void CPmAcadPart::Load(AcDbDwgFiler* filer)
{
    const PartNesting nesting(filer);
    if (nesting.TooDeep())
        return;
    m_text = ReadText(filer);
    AcGePoint3d offset;
    filer->readPoint3d(&offset);
    m_offset = FromHostPoint(offset);
    auto* block = new CIvAcadBlock();
    m_block = block;
    block->Load(filer);
    Adesk::Int32 count = 0;
    filer->readInt32(&count);
    for (Adesk::Int32 n = 0; n < count && StillReading(filer); ++n)
    {
        auto* part = new CPmAcadPart();
        m_subParts.push_back(part);
        part->Load(filer);
    }
}
