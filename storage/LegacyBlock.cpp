#include "storage/LegacyBlock.h"

#include "host/legacy101/CZnAcadBlock.h"
#include "storage/LegacyModule.h"

void MoveLegacyBlock(CZnBlock* block, dpoint3d position)
{
    if (block != nullptr && LegacyModule::IsBlock(*block))
        static_cast<CZnAcadBlock*>(block)->SetPos(position);
}
