#include "host/legacy101/CZnAcadBlock.h"

#include "geometry/CIvAcadBlock.h"
#include "geometry/HostPoint.h"
#include "geometry/ModelSpaceReference.h"
#include "host/AcDbBlockReference.h"
#include "host/AcDbDwgFiler.h"

#include <sstream>

// The previous release's block keeps its reference as this release's drawing
// block does, so it is placed, found and removed by the same means.

CZnAcadBlock::CZnAcadBlock(AcDbBlockReference* source)
    : m_pBlockRef(ModelSpaceReference::NewPending(source))
{
}

CZnAcadBlock::CZnAcadBlock(const CZnAcadBlock& other)
    : CZnBlock(other), m_pBlockRef(ModelSpaceReference::NewPending(other.m_pBlockRef)),
      m_handle(other.m_handle)
{
}

CZnAcadBlock::~CZnAcadBlock()
{
    delete m_pBlockRef;
}

void CZnAcadBlock::DisplayPrint(std::wstringstream& stream) const
{
    stream << L"\nCZnAcadBlock handle: ";
    ModelSpaceReference::PrintHandle(stream, m_handle);
    stream << std::endl;
}

void CZnAcadBlock::Save(AcDbDwgFiler* filer) const
{
    filer->writeAcDbHandle(m_handle);
}

void CZnAcadBlock::Load(AcDbDwgFiler* filer)
{
    filer->readAcDbHandle(&m_handle);
}

int CZnAcadBlock::AddToDrawing(bool visible)
{
    AcDbObjectId placedId;
    const int status = ModelSpaceReference::Place(m_pBlockRef, visible, placedId);
    if (!placedId.isNull())
        m_handle = placedId.handle();
    return status;
}

// A drawing block made from this one finds the placed reference by the same
// handle.
int CZnAcadBlock::RemoveFromDrawing()
{
    return CIvAcadBlock(*this).RemoveFromDrawing();
}

// A pending reference is this block's own, so it is moved here; a drawing
// block made from this one would move a copy of it.
int CZnAcadBlock::SetPos(dpoint3d position)
{
    if (m_pBlockRef != nullptr)
        return m_pBlockRef->setPosition(ToHostPoint(position));
    return CIvAcadBlock(*this).SetPos(position);
}
