#include "cadhost/DatabaseObjects.h"

#include "cadhost/AcDbImpDatabase.h"

namespace cadhost
{
std::vector<AcDbObjectId> liveObjectIds(const AcDbDatabase& database)
{
    std::vector<AcDbObjectId> ids;
    for (const AcDbStub& stub : AcDbImpDatabase::of(&database)->stubs())
        if (stub.object() != nullptr && !stub.isErased())
            ids.emplace_back(const_cast<AcDbStub*>(&stub));
    return ids;
}
} // namespace cadhost
