#include "model/CZnBlock.h"

#include <sstream>

CZnBlock::~CZnBlock() = default;

void CZnBlock::Save(AcDbDwgFiler*) const {}

void CZnBlock::Save(CIvMstnObject*) const {}

void CZnBlock::Load(AcDbDwgFiler*) {}

void CZnBlock::Load(CIvMstnObject*) {}

const AcDbHandle* CZnBlock::Handle() const
{
    return nullptr;
}

const AcDbBlockReference* CZnBlock::BlockRef() const
{
    return nullptr;
}

int* CZnBlock::Desc() const
{
    return nullptr;
}

unsigned __int64 CZnBlock::ElementId() const
{
    return 0;
}

std::wstringstream& operator<<(std::wstringstream& stream, const CZnBlock& block)
{
    block.DisplayPrint(stream);
    return stream;
}
