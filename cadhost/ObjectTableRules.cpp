#include "cadhost/ObjectTableRules.h"

#include <limits>

namespace cadhost
{
bool isUsableHandseed(Adesk::UInt64 seed)
{
    return seed != 0 && seed != std::numeric_limits<Adesk::UInt64>::max();
}

bool ObjectTableRules::admits(Adesk::UInt64 handle, Adesk::UInt32 classIndex)
{
    if (handle <= mPrevious || handle >= mHandseed || classIndex >= mClassCount)
        return false;
    mPrevious = handle;
    return true;
}
} // namespace cadhost
