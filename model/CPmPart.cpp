#include "model/CPmPart.h"

#include "model/CPmAnimationBlock.h"
#include "model/CZnBlock.h"
#include "model/PieceCopies.h"
#include "storage/CPmBlockFactory.h"
#include "storage/CPmDbxFactory200.h"

#include <sstream>

CPmPart::CPmPart() = default;

CPmPart::CPmPart(const CPmPart& other)
    : m_block(other.m_block != nullptr ? CPmBlockFactory::CopyBlock(*other.m_block) : nullptr),
      m_offset(other.m_offset), m_text(other.m_text)
{
    AppendCopies(m_subParts, other.m_subParts,
                 [](const CPmPart& part) { return CPmDbxFactory200::CopyPart(part); });
}

CPmPart::~CPmPart()
{
    delete m_block;
    delete m_animationBlock;
    for (CPmPart* part : m_subParts)
        delete part;
}

void CPmPart::Save(CIvMstnObject*) const {}

void CPmPart::Save(AcDbDwgFiler*) const {}

void CPmPart::Load(CIvMstnObject*) {}

void CPmPart::Load(AcDbDwgFiler*) {}

void CPmPart::AddBlock(CZnBlock* block)
{
    m_block = block;
    if (block != nullptr)
        block->AddToDrawing(false);
}

void CPmPart::AddBlock(CPmAnimationBlock* block)
{
    m_animationBlock = block;
    if (block != nullptr)
        block->AddToDrawing(false);
}

int CPmPart::RemoveBlock()
{
    int status = m_block != nullptr ? m_block->RemoveFromDrawing() : 0;
    for (CPmPart* part : m_subParts)
        status += part->RemoveBlock();
    return status;
}

CPmPart* CPmPart::SubPart(int index) const
{
    if (index < 0 || index >= NumSubParts())
        return nullptr;
    return m_subParts[static_cast<std::size_t>(index)];
}

int CPmPart::NumSubParts() const
{
    return static_cast<int>(m_subParts.size());
}

void CPmPart::AddPart(CPmPart* part)
{
    if (part != nullptr)
        m_subParts.push_back(part);
}

void CPmPart::DisplayPrint(std::wstringstream& stream) const
{
    stream << L"\nCPmPart: \n";
    stream << L"  block: ";
    if (m_block != nullptr)
        m_block->DisplayPrint(stream);
    stream << std::endl;
    stream << L"  offset: " << m_offset << std::endl;
    stream << L"  subparts: " << std::endl;
    for (const CPmPart* part : m_subParts)
        part->DisplayPrint(stream);
}

std::wstringstream& operator<<(std::wstringstream& stream, const CPmPart& part)
{
    part.DisplayPrint(stream);
    return stream;
}
