#include "storage/CPmBlockFactory.h"

#include "geometry/CIvAcadBlock.h"
#include "geometry/CPmAcadAnimationBlock.h"

#include <new>

CZnBlock* CPmBlockFactory::CreateBlock(element* source)
{
    return new (std::nothrow) CIvAcadBlock(source != nullptr ? source->blockRef : nullptr);
}

CZnBlock* CPmBlockFactory::CopyBlock(const CZnBlock& block)
{
    if (const auto* drawingBlock = dynamic_cast<const CIvAcadBlock*>(&block))
        return new (std::nothrow) CIvAcadBlock(*drawingBlock);
    return nullptr;
}

CPmAnimationBlock* CPmBlockFactory::CreateAnimationBlock(const CZnBlock& block)
{
    return new (std::nothrow) CPmAcadAnimationBlock(block);
}
