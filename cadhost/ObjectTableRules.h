// The rules a drawing file's handles and object table keep to. The reader
// refuses a file that breaks them; the writer checks each file it writes
// against the same rules before the file replaces the old one, so that no
// save leaves a drawing behind that reading would refuse.
#pragma once

#include "host/WinTypes.h"

#include <cstddef>

namespace cadhost
{
// Handles are handed out upwards from 1 and the seed is the next one to
// give. The seed must always have a next value, so that handing it out never
// wraps to the null handle and onto handles already taken: 0 and the largest
// 64-bit value are no seeds. The last handle a database gives is therefore
// 2^64 - 3, with the seed at 2^64 - 2.
bool isUsableHandseed(Adesk::UInt64 seed);

class ObjectTableRules
{
public:
    ObjectTableRules(Adesk::UInt64 handseed, std::size_t classCount)
        : mHandseed(handseed), mClassCount(classCount)
    {
    }

    bool admitsHandseed() const { return isUsableHandseed(mHandseed); }
    // Whether an entry may come next: its handle above the one before (so
    // never null) and below the seed, its class in the class table.
    bool admits(Adesk::UInt64 handle, Adesk::UInt32 classIndex);

private:
    Adesk::UInt64 mHandseed;
    std::size_t mClassCount;
    Adesk::UInt64 mPrevious = 0;
};
} // namespace cadhost
