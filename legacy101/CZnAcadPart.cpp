#include "legacy101/CZnAcadPart.h"

#include "geometry/HostPoint.h"
#include "host/legacy101/CZnAcadBlock.h"
#include "legacy101/PieceFiling.h"
#include "model/PieceCopies.h"
#include "storage/RecordReading.h"

namespace
{
CPmPart* legacyCopyOf(const CPmPart& part)
{
    const auto* legacy = dynamic_cast<const CZnAcadPart*>(&part);
    return legacy != nullptr ? new CZnAcadPart(*legacy) : nullptr;
}
} // namespace

CZnAcadPart::CZnAcadPart(const CZnAcadPart& other) : CPmPart()
{
    m_offset = other.m_offset;
    m_text = other.m_text;
    if (const auto* block = dynamic_cast<const CZnAcadBlock*>(other.m_block))
        m_block = new CZnAcadBlock(*block);
    AppendCopies(m_subParts, other.m_subParts, legacyCopyOf);
}

// A block that is not a legacy one is written as the null handle: the reader
// always reads one.
void CZnAcadPart::Save(AcDbDwgFiler* filer) const
{
    filer->writePoint3d(ToHostPoint(m_offset));
    const auto* block = dynamic_cast<const CZnAcadBlock*>(m_block);
    filer->writeAcDbHandle(block != nullptr ? *block->Handle() : AcDbHandle());
    filer->writeString(m_text.GetString());
    WritePieces(filer, m_subParts);
}

void CZnAcadPart::Load(AcDbDwgFiler* filer)
{
    const PartNesting nesting(filer);
    if (nesting.TooDeep())
        return;
    AcGePoint3d offset;
    filer->readPoint3d(&offset);
    m_offset = FromHostPoint(offset);
    auto* block = new CZnAcadBlock();
    m_block = block;
    block->Load(filer);
    m_text = ReadText(filer);
    ReadPieces<CZnAcadPart>(filer, m_subParts);
}
