// The host's state behind AcDbDatabase: the stubs of its objects in
// ascending handle order, the handle index, the handle seed, the ids of the
// root objects and the records every drawing has, and the values new
// entities take.
#pragma once

#include "cadhost/AcDbStub.h"
#include "host/AcDbDatabase.h"

#include <deque>
#include <unordered_map>

namespace cadhost
{
// The root objects: the named-objects dictionary and the symbol tables. A
// drawing file's objects are those the roots own, directly or not.
struct RootIds
{
    AcDbObjectId namedObjects;
    AcDbObjectId blockTable;
    AcDbObjectId layerTable;
    AcDbObjectId linetypeTable;
    AcDbObjectId textStyleTable;
};

// The records the tables keep, found when the tables are made or read.
struct KeptRecords
{
    AcDbObjectId layerZero;
    AcDbObjectId byLayer;
    AcDbObjectId byBlock;
    AcDbObjectId continuous;
    AcDbObjectId standardStyle;
};

// The database's own values, filed in a drawing file's header variables.
struct DatabaseVariables
{
    AcDbObjectId clayer;
    AcDbObjectId celtype;
    AcDbObjectId textstyle;
    AcCmColor cecolor;
    double celtscale = 1.0;
    AcDb::LineWeight celweight = AcDb::kLnWtByLayer;
    AcDb::UnitsValue insunits = AcDb::kUnitsUndefined;
};
} // namespace cadhost

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
    // The layer, line type and text style tables with their kept records,
    // and the current values taken from them; for a database that has none
    // (a drawing read from a file of the first format).
    void buildDefaultTables();

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

    AcDbObjectId namedObjectsDictionaryId() const { return mRoots.namedObjects; }
    AcDbObjectId blockTableId() const { return mRoots.blockTable; }
    const cadhost::RootIds& roots() const { return mRoots; }
    void setRoots(const cadhost::RootIds& roots) { mRoots = roots; }
    bool isRoot(const AcDbStub* stub) const;
    // A root, a kept record, or a current one: the host's, not the caller's
    // to erase.
    bool isPermanent(const AcDbStub* stub) const;

    const cadhost::KeptRecords& kept() const { return mKept; }
    void setKept(const cadhost::KeptRecords& kept) { mKept = kept; }
    cadhost::DatabaseVariables& variables() { return mVariables; }
    const cadhost::DatabaseVariables& variables() const { return mVariables; }

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
    cadhost::RootIds mRoots;
    cadhost::KeptRecords mKept;
    cadhost::DatabaseVariables mVariables;
};
