#include "model/CPmAnimationBlock.h"

#include <sstream>

CPmAnimationBlock::~CPmAnimationBlock() = default;

void CPmAnimationBlock::SetRefId(AcDbObjectId*) {}

void CPmAnimationBlock::SetRefIdNull() {}

const AcDbHandle* CPmAnimationBlock::Handle() const
{
    return nullptr;
}

AcDbObjectId* CPmAnimationBlock::RefId()
{
    return nullptr;
}

void CPmAnimationBlock::DuplicateInDrawing() {}

int* CPmAnimationBlock::ElementDesc()
{
    return nullptr;
}

int CPmAnimationBlock::PrevElement()
{
    return 0;
}

void CPmAnimationBlock::SetPrevElement(int) {}

std::wstringstream& operator<<(std::wstringstream& stream, const CPmAnimationBlock& block)
{
    block.DisplayPrint(stream);
    return stream;
}
