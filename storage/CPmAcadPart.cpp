#include "storage/CPmAcadPart.h"

#include "geometry/CIvAcadBlock.h"
#include "geometry/HostPoint.h"
#include "storage/PartText.h"
#include "storage/RecordReading.h"

void CPmAcadPart::Save(AcDbDwgFiler* filer) const
{
    SavePartRecord(filer, *this, m_text);
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
