#include "storage/CPmBlockFactory.h"

#include "geometry/CIvAcadBlock.h"
#include "geometry/CPmAcadAnimationBlock.h"
#include "host/legacy101/CZnAcadBlock.h"
#include "storage/LegacyModule.h"

#include <new>

CZnBlock* CPmBlockFactory::CreateBlock(element* source)
{
    return new (std::nothrow) CIvAcadBlock(source != nullptr ? source->blockRef : nullptr);
}

CZnBlock* CPmBlockFactory::CopyBlock(const CZnBlock& block)
{
    if (const auto* drawingBlock = dynamic_cast<const CIvAcadBlock*>(&block))
        return new (std::nothrow) CIvAcadBlock(*drawingBlock);
    if (LegacyModule::IsBlock(block))
        return new (std::nothrow) CIvAcadBlock(static_cast<const CZnAcadBlock&>(block));
    return nullptr;
}

CPmAnimationBlock* CPmBlockFactory::CreateAnimationBlock(const CZnBlock& block)
{
    return new (std::nothrow) CPmAcadAnimationBlock(block);
}
