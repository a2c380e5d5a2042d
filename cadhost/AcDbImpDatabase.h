// The host's state behind AcDbDatabase: the stubs of its objects in
// ascending handle order, the handle index, the handle seed and the ids of
// the two root objects.
#pragma once

#include "cadhost/AcDbStub.h"
#include "host/AcDbDatabase.h"

#include <deque>
#include <unordered_map>

class AcDbImpDatabase
{
public:
    explicit AcDbImpDatabase(AcDbDatabase* database);
    // Frees every object; those still open are reported to the diagnostics.
    ~AcDbImpDatabase();
    AcDbImpDatabase(const AcDbImpDatabase&) = delete;
    AcDbImpDatabase& operator=(const AcDbImpDatabase&) = delete;

    static AcDbImpDatabase* of(const AcDbDatabase* database) { return database->mpImpDb; }
    // Exchanges the whole content of two databases (a drawing read aside is
    // taken over this way, all or nothing).
    static void swapContent(AcDbDatabase& a, AcDbDatabase& b);

    AcDbDatabase* database() const { return mDatabase; }
    bool isEmpty() const { return mStubs.empty(); }

    void buildDefaultDrawing();

    // Makes object resident under the next handle, owned by owner, and open
    // for write once; its id. eOutOfRange, with nothing changed, when the
    // handles are used up (see isUsableHandseed).
    Acad::ErrorStatus addObject(AcDbObject* object, AcDbObjectId owner, AcDbObjectId& id);
    // A stub for an object about to be filed in from a drawing; handles must
    // come in ascending order.
    AcDbStub* addStub(AcDbHandle handle);
    AcDbStub* stubOf(AcDbHandle handle) const;
    const std::deque<AcDbStub>& stubs() const { return mStubs; }

    AcDbHandle handseed() const { return mHandseed; }
    void setHandseed(AcDbHandle seed) { mHandseed = seed; }

    AcDbObjectId namedObjectsDictionaryId() const { return mNamedObjects; }
    AcDbObjectId blockTableId() const { return mBlockTable; }
    void setRootIds(AcDbObjectId namedObjects, AcDbObjectId blockTable);
    bool isRoot(const AcDbStub* stub) const;

    Adesk::UInt32 numObjects() const;
    Adesk::UInt32 numProxies() const;

private:
    AcDbDatabase* mDatabase;
    // Stubs stay where they are made, side by side in blocks: walking a
    // container of many objects reads their stubs from a few pages rather
    // than from as many places as there are objects.
    std::deque<AcDbStub> mStubs;
    std::unordered_map<Adesk::UInt64, AcDbStub*> mByHandle;
    AcDbHandle mHandseed{1};
    AcDbObjectId mNamedObjects;
    AcDbObjectId mBlockTable;
};
