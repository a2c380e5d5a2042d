#include "cadhost/AcDbImpDatabase.h"

#include "cadhost/AcDbImpObject.h"
#include "cadhost/DiagnosticsRecorder.h"
#include "cadhost/ObjectTableRules.h"
#include "host/AcDbDictionary.h"
#include "host/AcDbProxyObject.h"
#include "host/AcDbSymbolTable.h"

#include <utility>

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
    addObject(namedObjects, AcDbObjectId::kNull, mRoots.namedObjects);
    addObject(blockTable, AcDbObjectId::kNull, mRoots.blockTable);
    for (const ACHAR* name : {ACDB_MODEL_SPACE, ACDB_PAPER_SPACE})
    {
        auto* record = new AcDbBlockTableRecord;
        record->setName(name);
        blockTable->add(record);
        record->close();
    }
    blockTable->close();
    namedObjects->close();
    buildDefaultTables();
}

namespace
{
// A new table of T as a root; its id into id. It stays open for write.
template <class T> T* addTable(AcDbImpDatabase& database, AcDbObjectId& id)
{
    auto* table = new T;
    database.addObject(table, AcDbObjectId::kNull, id);
    return table;
}

template <class Table, class Record> AcDbObjectId addRecord(Table* table, const ACHAR* name, Record* record = new Record)
{
    record->setName(name);
    AcDbObjectId id;
    table->add(id, record);
    record->close();
    return id;
}

// The standard text style draws in the host's own simple font.
AcDbTextStyleTableRecord* standardStyle()
{
    auto* style = new AcDbTextStyleTableRecord;
    style->setFileName(ACRX_T("txt"));
    return style;
}
} // namespace

// The line types come first, since a layer takes "Continuous" when it goes
// into its table.
void AcDbImpDatabase::buildDefaultTables()
{
    auto* linetypes = addTable<AcDbLinetypeTable>(*this, mRoots.linetypeTable);
    mKept.byBlock = addRecord<AcDbLinetypeTable, AcDbLinetypeTableRecord>(linetypes, ACRX_T("ByBlock"));
    mKept.byLayer = addRecord<AcDbLinetypeTable, AcDbLinetypeTableRecord>(linetypes, ACRX_T("ByLayer"));
    mKept.continuous = addRecord<AcDbLinetypeTable, AcDbLinetypeTableRecord>(linetypes, ACRX_T("Continuous"));
    linetypes->close();
    auto* layers = addTable<AcDbLayerTable>(*this, mRoots.layerTable);
    mKept.layerZero = addRecord<AcDbLayerTable, AcDbLayerTableRecord>(layers, ACRX_T("0"));
    layers->close();
    auto* styles = addTable<AcDbTextStyleTable>(*this, mRoots.textStyleTable);
    mKept.standardStyle =
        addRecord<AcDbTextStyleTable, AcDbTextStyleTableRecord>(styles, ACRX_T("Standard"), standardStyle());
    styles->close();
    mVariables.clayer = mKept.layerZero;
    mVariables.celtype = mKept.byLayer;
    mVariables.textstyle = mKept.standardStyle;
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

bool AcDbImpDatabase::isRoot(const AcDbStub* stub) const
{
    const AcDbObjectId id(const_cast<AcDbStub*>(stub));
    return id == mRoots.namedObjects || id == mRoots.blockTable || id == mRoots.layerTable ||
           id == mRoots.linetypeTable || id == mRoots.textStyleTable;
}

bool AcDbImpDatabase::isPermanent(const AcDbStub* stub) const
{
    const AcDbObjectId id(const_cast<AcDbStub*>(stub));
    return isRoot(stub) || id == mKept.layerZero || id == mKept.byLayer || id == mKept.byBlock ||
           id == mKept.continuous || id == mKept.standardStyle || id == mVariables.clayer ||
           id == mVariables.celtype || id == mVariables.textstyle;
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
