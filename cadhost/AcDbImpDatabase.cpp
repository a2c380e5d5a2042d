#include "cadhost/AcDbImpDatabase.h"

#include "cadhost/AcDbImpObject.h"
#include "cadhost/DiagnosticsRecorder.h"
#include "cadhost/ObjectTableRules.h"
#include "host/AcDbDictionary.h"
#include "host/AcDbProxyObject.h"
#include "host/AcDbSymbolTable.h"

AcDbImpDatabase::AcDbImpDatabase(AcDbDatabase* database) : mDatabase(database) {}

AcDbImpDatabase::~AcDbImpDatabase()
{
    long leftOpen = 0;
    for (AcDbStub& stub : mStubs)
    {
        AcDbObject* object = stub.object();
        if (object == nullptr)
            continue;
        if (AcDbImpObject::of(object)->isOpen())
            ++leftOpen;
        stub.setObject(nullptr);
        delete object;
    }
    if (leftOpen > 0)
        cadhost::recordObjectsLeftOpen(leftOpen);
}

void AcDbImpDatabase::swapContent(AcDbDatabase& a, AcDbDatabase& b)
{
    std::swap(a.mpImpDb, b.mpImpDb);
    a.mpImpDb->mDatabase = &a;
    b.mpImpDb->mDatabase = &b;
}

void AcDbImpDatabase::buildDefaultDrawing()
{
    auto* namedObjects = new AcDbDictionary;
    auto* blockTable = new AcDbBlockTable;
    AcDbObjectId namedObjectsId;
    AcDbObjectId blockTableId;
    addObject(namedObjects, AcDbObjectId::kNull, namedObjectsId);
    addObject(blockTable, AcDbObjectId::kNull, blockTableId);
    setRootIds(namedObjectsId, blockTableId);
    for (const ACHAR* name : {ACDB_MODEL_SPACE, ACDB_PAPER_SPACE})
    {
        auto* record = new AcDbBlockTableRecord;
        record->setName(name);
        blockTable->add(record);
        record->close();
    }
    blockTable->close();
    namedObjects->close();
}

Acad::ErrorStatus AcDbImpDatabase::addObject(AcDbObject* object, AcDbObjectId owner,
                                             AcDbObjectId& id)
{
    const Adesk::UInt64 next = static_cast<Adesk::UInt64>(mHandseed) + 1;
    if (!cadhost::isUsableHandseed(next))
        return Acad::eOutOfRange;
    AcDbStub* stub = addStub(mHandseed);
    mHandseed = AcDbHandle(next);
    stub->setObject(object);
    AcDbImpObject::of(object)->becomeResident(stub, owner);
    id = AcDbObjectId(stub);
    return Acad::eOk;
}

AcDbStub* AcDbImpDatabase::addStub(AcDbHandle handle)
{
    AcDbStub* stub = &mStubs.emplace_back(this, handle);
    mByHandle.emplace(handle, stub);
    return stub;
}

AcDbStub* AcDbImpDatabase::stubOf(AcDbHandle handle) const
{
    const auto found = mByHandle.find(handle);
    return found != mByHandle.end() ? found->second : nullptr;
}

void AcDbImpDatabase::setRootIds(AcDbObjectId namedObjects, AcDbObjectId blockTable)
{
    mNamedObjects = namedObjects;
    mBlockTable = blockTable;
}

bool AcDbImpDatabase::isRoot(const AcDbStub* stub) const
{
    return stub == static_cast<AcDbStub*>(mNamedObjects) ||
           stub == static_cast<AcDbStub*>(mBlockTable);
}

namespace
{
template <class Predicate>
Adesk::UInt32 countLive(const std::deque<AcDbStub>& stubs, Predicate wanted)
{
    Adesk::UInt32 count = 0;
    for (const AcDbStub& stub : stubs)
    {
        const AcDbObject* object = stub.object();
        if (object != nullptr && !AcDbImpObject::of(object)->isErased() && wanted(object))
            ++count;
    }
    return count;
}
} // namespace

Adesk::UInt32 AcDbImpDatabase::numObjects() const
{
    return countLive(mStubs, [](const AcDbObject*) { return true; });
}

Adesk::UInt32 AcDbImpDatabase::numProxies() const
{
    return countLive(mStubs, [](const AcDbObject* object) {
        return AcDbProxyObject::cast(object) != nullptr;
    });
}
