#include "geometry/CIvAcadBlock.h"

#include "geometry/HostPoint.h"
#include "geometry/ModelSpaceReference.h"
#include "host/AcDbBlockReference.h"
#include "host/AcDbDwgFiler.h"
#include "host/AcDbSymbolTable.h"
#include "host/legacy101/CZnAcadBlock.h"

#include <sstream>

namespace
{
// Erases a reference's block definition; nothing to do for the null id. The
// answer is the failed open, or the erase plus the close.
int eraseDefinition(AcDbObjectId definitionId)
{
    if (definitionId.isNull())
        return Acad::eOk;
    AcDbBlockTableRecord* definition = nullptr;
    const Acad::ErrorStatus opened = acdbOpenObject(definition, definitionId, AcDb::kForWrite);
    if (opened != Acad::eOk)
        return opened;
    const int erased = definition->erase(true);
    return erased + definition->close();
}
} // namespace

CIvAcadBlock::CIvAcadBlock(AcDbBlockReference* source)
    : m_pBlockRef(ModelSpaceReference::NewPending(source))
{
}

CIvAcadBlock::CIvAcadBlock(const AcDbBlockReference* pending, const AcDbHandle& handle)
    : m_pBlockRef(ModelSpaceReference::NewPending(pending)), m_handle(handle)
{
}

CIvAcadBlock::CIvAcadBlock(const CIvAcadBlock& other)
    : CIvAcadBlock(other.m_pBlockRef, other.m_handle)
{
}

CIvAcadBlock::CIvAcadBlock(const CZnAcadBlock& legacy)
    : CIvAcadBlock(legacy.m_pBlockRef, legacy.m_handle)
{
}

CIvAcadBlock& CIvAcadBlock::operator=(const CIvAcadBlock& other)
{
    ModelSpaceReference::ReplacePending(m_pBlockRef, other.m_pBlockRef);
    m_handle = other.m_handle;
    return *this;
}

CIvAcadBlock::~CIvAcadBlock()
{
    delete m_pBlockRef;
}

void CIvAcadBlock::DisplayPrint(std::wstringstream& stream) const
{
    stream << L"\nCZnAcadBlock handle: ";
    ModelSpaceReference::PrintHandle(stream, m_handle);
    stream << std::endl;
}

void CIvAcadBlock::Save(AcDbDwgFiler* filer) const
{
    filer->writeAcDbHandle(m_handle);
}

void CIvAcadBlock::Load(AcDbDwgFiler* filer)
{
    filer->readAcDbHandle(&m_handle);
}

int CIvAcadBlock::AddToDrawing(bool visible)
{
    AcDbObjectId placedId;
    const int status = ModelSpaceReference::Place(m_pBlockRef, visible, placedId);
    if (!placedId.isNull())
        m_handle = placedId.handle();
    return status;
}

int CIvAcadBlock::OpenPlaced(AcDbBlockReference*& reference) const
{
    reference = nullptr;
    if (m_handle.isNull())
        return -1;
    return ModelSpaceReference::OpenByHandle(m_handle, AcDb::kForWrite, reference);
}

int CIvAcadBlock::RemoveFromDrawing()
{
    AcDbBlockReference* reference = nullptr;
    const int opened = OpenPlaced(reference);
    if (opened != Acad::eOk)
        return opened;
    // The definition goes first, while its reference is still open.
    int status = eraseDefinition(reference->blockTableRecord());
    status += reference->erase(true);
    return status + reference->close();
}

int CIvAcadBlock::SetPos(dpoint3d position)
{
    if (m_pBlockRef != nullptr)
        return m_pBlockRef->setPosition(ToHostPoint(position));
    AcDbBlockReference* reference = nullptr;
    const int opened = OpenPlaced(reference);
    if (opened != Acad::eOk)
        return opened;
    const int moved = reference->setPosition(ToHostPoint(position));
    return moved + reference->close();
}

std::wstringstream& operator<<(std::wstringstream& stream, const CIvAcadBlock& block)
{
    block.DisplayPrint(stream);
    return stream;
}
