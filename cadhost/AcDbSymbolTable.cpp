#include "host/AcDbSymbolTable.h"

#include "cadhost/AcDbImpDatabase.h"
#include "cadhost/AcDbImpObject.h"
#include "cadhost/HostClassRegistrar.h"
#include "cadhost/NameComparison.h"
#include "cadhost/NamedIdTable.h"
#include "cadhost/PseudoConstructor.h"
#include "host/AcDbDatabase.h"

#include <initializer_list>

ACRX_DEFINE_HOST_MEMBERS(AcDbSymbolTable, ACRX_T("AcDbObject"), nullptr, nullptr);
ACRX_DEFINE_HOST_MEMBERS(AcDbBlockTable, ACRX_T("AcDbSymbolTable"), ACRX_T("BLOCK_TABLE"),
                         &cadhost::pseudoConstruct<AcDbBlockTable>);
ACRX_DEFINE_HOST_MEMBERS(AcDbLayerTable, ACRX_T("AcDbSymbolTable"), ACRX_T("TABLE"),
                         &cadhost::pseudoConstruct<AcDbLayerTable>);
ACRX_DEFINE_HOST_MEMBERS(AcDbLinetypeTable, ACRX_T("AcDbSymbolTable"), ACRX_T("TABLE"),
                         &cadhost::pseudoConstruct<AcDbLinetypeTable>);
ACRX_DEFINE_HOST_MEMBERS(AcDbTextStyleTable, ACRX_T("AcDbSymbolTable"), ACRX_T("TABLE"),
                         &cadhost::pseudoConstruct<AcDbTextStyleTable>);

class AcDbSymbolTable::Records : public cadhost::NamedIdTable
{
};

AcDbSymbolTable::AcDbSymbolTable() : mpRecords(new Records) {}

AcDbSymbolTable::~AcDbSymbolTable() { delete mpRecords; }

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* entryName, AcDbObjectId& recordId,
                                         bool getErasedRecord) const
{
    assertReadEnabled();
    recordId.setNull();
    if (entryName == nullptr)
        return Acad::eInvalidInput;
    const Records::Entry* entry = mpRecords->find(entryName, getErasedRecord);
    if (entry == nullptr || entry->id.isNull())
        return Acad::eKeyNotFound;
    recordId = entry->id;
    return Acad::eOk;
}

bool AcDbSymbolTable::has(const ACHAR* name) const
{
    assertReadEnabled();
    return name != nullptr && mpRecords->find(name) != nullptr;
}

bool AcDbSymbolTable::has(AcDbObjectId id) const
{
    assertReadEnabled();
    return mpRecords->findId(id) != nullptr;
}

Acad::ErrorStatus AcDbSymbolTable::addRecord(AcDbObjectId& recordId, AcDbSymbolTableRecord* pRecord)
{
    recordId.setNull();
    if (const Acad::ErrorStatus es = AcDbImpObject::beginChange(this); es != Acad::eOk)
        return es;
    if (pRecord == nullptr)
        return Acad::eNullObjectPointer;
    if (database() == nullptr)
        return Acad::eNoDatabase;
    if (AcDbImpObject::of(pRecord)->isResident())
        return Acad::eAlreadyInDb;
    const ACHAR* name = nullptr;
    pRecord->getName(name);
    if (name[0] == L'\0')
        return Acad::eNullBlockName;
    if (mpRecords->find(name) != nullptr)
        return Acad::eDuplicateRecordName;
    const Acad::ErrorStatus es = AcDbImpDatabase::of(database())->addObject(pRecord, objectId(), recordId);
    if (es != Acad::eOk)
        return es;
    mpRecords->put(name, recordId);
    recordAdded(pRecord);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::checkRename(AcDbObjectId recordId, const ACHAR* name) const
{
    const Records::Entry* taken = mpRecords->find(name);
    return taken == nullptr || taken->id == recordId ? Acad::eOk : Acad::eDuplicateRecordName;
}

void AcDbSymbolTable::rekey(AcDbObjectId recordId, const std::wstring& name)
{
    const Records::Entry* entry = mpRecords->findId(recordId);
    if (entry == nullptr || entry->name == name)
        return;
    mpRecords->remove(entry);
    mpRecords->put(name, recordId);
}

Acad::ErrorStatus AcDbSymbolTable::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbObject::dwgInFields(pFiler);
    return mpRecords->readFrom(pFiler);
}

Acad::ErrorStatus AcDbSymbolTable::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbObject::dwgOutFields(pFiler);
    return mpRecords->writeTo(pFiler);
}

Acad::ErrorStatus AcDbSymbolTable::newIterator(AcDbSymbolTableIterator*& pIterator, bool atBeginning,
                                               bool skipDeleted) const
{
    assertReadEnabled();
    pIterator = new AcDbSymbolTableIterator(this);
    pIterator->start(atBeginning, skipDeleted);
    return Acad::eOk;
}

namespace
{
bool oneOf(const ACHAR* name, std::initializer_list<const ACHAR*> kept)
{
    for (const ACHAR* keptName : kept)
        if (cadhost::equalNoCase(name, keptName))
            return true;
    return false;
}
} // namespace

// The typed tables differ only in their records, the names they keep, and
// what they give a record they take in.
#define ACDB_DEFINE_SYMBOL_TABLE(TABLE, ...)                                                         \
    TABLE::TABLE() = default;                                                                        \
    TABLE::~TABLE() = default;                                                                       \
    Acad::ErrorStatus TABLE::newIterator(TABLE##Iterator*& pIterator, bool atBeginning,              \
                                         bool skipDeleted) const                                     \
    {                                                                                                \
        assertReadEnabled();                                                                         \
        pIterator = new TABLE##Iterator(this);                                                       \
        pIterator->start(atBeginning, skipDeleted);                                                  \
        return Acad::eOk;                                                                            \
    }                                                                                                \
    bool TABLE::keepsName(const ACHAR* name) const { return oneOf(name, {__VA_ARGS__}); }

ACDB_DEFINE_SYMBOL_TABLE(AcDbBlockTable, ACDB_MODEL_SPACE, ACDB_PAPER_SPACE)
ACDB_DEFINE_SYMBOL_TABLE(AcDbLayerTable, ACRX_T("0"))
ACDB_DEFINE_SYMBOL_TABLE(AcDbLinetypeTable, ACRX_T("ByBlock"), ACRX_T("ByLayer"), ACRX_T("Continuous"))
ACDB_DEFINE_SYMBOL_TABLE(AcDbTextStyleTable, ACRX_T("Standard"))

#undef ACDB_DEFINE_SYMBOL_TABLE

void AcDbBlockTable::recordAdded(AcDbSymbolTableRecord*) {}
void AcDbLinetypeTable::recordAdded(AcDbSymbolTableRecord*) {}
void AcDbTextStyleTable::recordAdded(AcDbSymbolTableRecord*) {}

void AcDbLayerTable::recordAdded(AcDbSymbolTableRecord* pRecord)
{
    auto* layer = AcDbLayerTableRecord::cast(pRecord);
    if (layer != nullptr && layer->linetypeObjectId().isNull())
        layer->setLinetypeObjectId(database()->continuousLinetype());
}

AcDbSymbolTableIterator::AcDbSymbolTableIterator(const AcDbSymbolTable* table) : mpTable(table) {}

AcDbSymbolTableIterator::~AcDbSymbolTableIterator() = default;

void AcDbSymbolTableIterator::start(bool atBeginning, bool skipDeleted)
{
    // As the record iterator: before the first entry wraps past the end.
    mIndex = atBeginning ? 0 : mpTable->mpRecords->entries().size() - 1;
    if (isSkipped(skipDeleted))
        step(atBeginning, skipDeleted);
}

bool AcDbSymbolTableIterator::done() const { return mIndex >= mpTable->mpRecords->entries().size(); }

void AcDbSymbolTableIterator::step(bool forward, bool skipDeleted)
{
    if (done())
        return;
    do
        mIndex = forward ? mIndex + 1 : mIndex - 1;
    while (isSkipped(skipDeleted));
}

bool AcDbSymbolTableIterator::isSkipped(bool skipDeleted) const
{
    if (done())
        return false;
    const cadhost::NamedIdTable::Entry& entry = mpTable->mpRecords->entries()[mIndex];
    return entry.id.isNull() || (skipDeleted && !cadhost::NamedIdTable::isVisible(entry));
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecordId(AcDbObjectId& id) const
{
    id = done() ? AcDbObjectId::kNull : mpTable->mpRecords->entries()[mIndex].id;
    return done() ? Acad::eIteratorDone : Acad::eOk;
}
