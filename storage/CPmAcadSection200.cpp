#include "storage/CPmAcadSection200.h"

#include "geometry/CIvAcadBlock.h"
#include "model/CPmPart.h"
#include "storage/CPmAcadSegment200.h"
#include "storage/LegacyBlock.h"
#include "storage/RecordReading.h"

namespace
{
// Only drawing blocks and legacy blocks know how to move; any other block,
// or none, stays where it is. The status of the move is not looked at.
void moveBlock(CZnBlock* block, dpoint3d position)
{
    if (auto* drawingBlock = dynamic_cast<CIvAcadBlock*>(block))
        drawingBlock->SetPos(position);
    else
        MoveLegacyBlock(block, position);
}

// Every block goes to the point itself, not to the point plus its part's
// offset; sub-parts of sub-parts keep their place.
void moveBlocksToStart(CPmSegment200& segment)
{
    const PmPosition200* start = segment.Position(0);
    const CPmPart* part = segment.Part();
    if (start == nullptr || part == nullptr)
        return;
    moveBlock(part->Block(), start->pt);
    for (int index = 0; index < part->NumSubParts(); ++index)
        moveBlock(part->SubPart(index)->Block(), start->pt);
}
} // namespace

void CPmAcadSection200::AddSegment(CPmSegment200* segment)
{
    if (segment != nullptr)
        moveBlocksToStart(*segment);
    CPmSection200::AddSegment(segment);
}

void CPmAcadSection200::Save(AcDbDwgFiler* filer) const
{
    filer->writeDouble(m_speed);
    filer->writeInt32(m_speedUnits);
    filer->writeInt32(static_cast<Adesk::Int32>(m_segments.size()));
    for (const CPmSegment200* segment : m_segments)
    {
        // A null entry put there through Segments() still takes its place
        // in the count, so it is written as an empty segment.
        if (segment != nullptr)
            segment->Save(filer);
        else
            CPmAcadSegment200().Save(filer);
    }
}

void CPmAcadSection200::Load(AcDbDwgFiler* filer)
{
    filer->readDouble(&m_speed);
    filer->readInt32(&m_speedUnits);
    Adesk::Int32 count = 0;
    filer->readInt32(&count);
    for (Adesk::Int32 n = 0; n < count && StillReading(filer); ++n)
    {
        auto* segment = new CPmAcadSegment200();
        segment->Load(filer);
        CPmSection200::AddSegment(segment);
    }
}
