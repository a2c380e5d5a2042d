#include "storage/CPmAcadPart.h"

#include "geometry/CIvAcadBlock.h"
#include "geometry/HostPoint.h"
#include "host/acutMem.h"
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

// Part trees are a few levels deep. A damaged or hostile record that nests
// sub-parts without end would otherwise recurse until the stack runs out;
// past this depth the record is refused as improperly read.
constexpr int kMaxPartDepth = 1000;

class PartDepth
{
public:
    PartDepth() { ++s_depth; }
    ~PartDepth() { --s_depth; }
    PartDepth(const PartDepth&) = delete;
    PartDepth& operator=(const PartDepth&) = delete;
    bool TooDeep() const { return s_depth > kMaxPartDepth; }

private:
    static int s_depth;
};

int PartDepth::s_depth = 0;

CString readText(AcDbDwgFiler* filer)
{
    ACHAR* buffer = nullptr;
    filer->readString(&buffer);
    const CString text(buffer);
    if (buffer != nullptr)
        acutDelBuffer(buffer);
    return text;
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
    const PartDepth depth;
    if (depth.TooDeep())
    {
        filer->setFilerStatus(Acad::eDwgObjectImproperlyRead);
        return;
    }
    m_text = readText(filer);
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
