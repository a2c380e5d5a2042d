// What a database holds, for host-side tools that list or count its objects.
// The host interface only finds an object by its handle, and walking every
// handle below the seed takes as long as the seed is large, which a drawing
// may set as high as 2^64 - 2; this takes time in proportion to the objects.
#pragma once

#include "host/AcDbObjectId.h"

#include <vector>

class AcDbDatabase;

namespace cadhost
{
// The ids of the live (not erased) objects of database, in handle order.
std::vector<AcDbObjectId> liveObjectIds(const AcDbDatabase& database);
} // namespace cadhost
