#include "geometry/CPmAcadAnimationBlock.h"

#include "geometry/ModelSpaceReference.h"
#include "host/AcDbBlockReference.h"
#include "model/CZnBlock.h"

#include <sstream>

namespace
{
// A pending copy of the reference that source stands for: its own pending
// one, else its placed one looked up by handle. Null when there is neither
// or the placed one cannot be opened; the source's reference is only read.
AcDbBlockReference* pendingCopyOf(const CZnBlock& source)
{
    if (const AcDbBlockReference* pending = source.BlockRef())
        return ModelSpaceReference::NewPending(pending);
    const AcDbHandle* handle = source.Handle();
    if (handle == nullptr || handle->isNull())
        return nullptr;
    AcDbBlockReference* placed = nullptr;
    if (ModelSpaceReference::OpenByHandle(*handle, AcDb::kForRead, placed) != Acad::eOk)
        return nullptr;
    AcDbBlockReference* copy = ModelSpaceReference::NewPending(placed);
    placed->close();
    return copy;
}
} // namespace

CPmAcadAnimationBlock::CPmAcadAnimationBlock(const CZnBlock& source)
    : m_pBlockRef(pendingCopyOf(source))
{
}

CPmAcadAnimationBlock::CPmAcadAnimationBlock(const CPmAcadAnimationBlock& other)
    : CPmAnimationBlock(other), m_pBlockRef(ModelSpaceReference::NewPending(other.m_pBlockRef)),
      m_handle(other.m_handle), m_refId(other.m_refId)
{
}

CPmAcadAnimationBlock& CPmAcadAnimationBlock::operator=(const CPmAcadAnimationBlock& other)
{
    ModelSpaceReference::ReplacePending(m_pBlockRef, other.m_pBlockRef);
    m_handle = other.m_handle;
    m_refId = other.m_refId;
    return *this;
}

CPmAcadAnimationBlock::~CPmAcadAnimationBlock()
{
    delete m_pBlockRef;
}

void CPmAcadAnimationBlock::DisplayPrint(std::wstringstream& stream) const
{
    stream << L"\nCPmAcadAnimationBlock handle: ";
    ModelSpaceReference::PrintHandle(stream, m_handle);
    stream << std::endl;
}

void CPmAcadAnimationBlock::SetRefId(AcDbObjectId* id)
{
    if (id != nullptr)
        m_refId = *id;
}

void CPmAcadAnimationBlock::SetRefIdNull()
{
    m_refId.setNull();
}

int CPmAcadAnimationBlock::AddToDrawing(bool visible)
{
    AcDbObjectId placedId;
    const int status = ModelSpaceReference::Place(m_pBlockRef, visible, placedId);
    if (!placedId.isNull())
    {
        m_handle = placedId.handle();
        m_refId = placedId;
    }
    return status;
}

std::wstringstream& operator<<(std::wstringstream& stream, const CPmAcadAnimationBlock& block)
{
    block.DisplayPrint(stream);
    return stream;
}
