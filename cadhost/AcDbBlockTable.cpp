#include "host/AcDbSymbolTable.h"

#include "cadhost/AcDbImpDatabase.h"
#include "cadhost/AcDbImpObject.h"
#include "cadhost/HostClassRegistrar.h"
#include "cadhost/NamedIdTable.h"
#include "cadhost/PseudoConstructor.h"

ACRX_DEFINE_HOST_MEMBERS(AcDbBlockTable, ACRX_T("AcDbObject"), ACRX_T("BLOCK_TABLE"),
                         &cadhost::pseudoConstruct<AcDbBlockTable>);

class AcDbBlockTable::Records : public cadhost::NamedIdTable
{
};

AcDbBlockTable::AcDbBlockTable() : mpRecords(new Records) {}

AcDbBlockTable::~AcDbBlockTable() { delete mpRecords; }

Acad::ErrorStatus AcDbBlockTable::getAt(const ACHAR* entryName, AcDbBlockTableRecord*& pRec,
                                        AcDb::OpenMode openMode, bool openErasedRec) const
{
    pRec = nullptr;
    AcDbObjectId id;
    const Acad::ErrorStatus es = getAt(entryName, id, openErasedRec);
    return es != Acad::eOk ? es : acdbOpenObject(pRec, id, openMode, openErasedRec);
}

Acad::ErrorStatus AcDbBlockTable::getAt(const ACHAR* entryName, AcDbObjectId& recordId,
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

bool AcDbBlockTable::has(const ACHAR* name) const
{
    assertReadEnabled();
    return name != nullptr && mpRecords->find(name) != nullptr;
}

bool AcDbBlockTable::has(AcDbObjectId id) const
{
    assertReadEnabled();
    return mpRecords->findId(id) != nullptr;
}

Acad::ErrorStatus AcDbBlockTable::add(AcDbBlockTableRecord* pRecord)
{
    AcDbObjectId ignored;
    return add(ignored, pRecord);
}

Acad::ErrorStatus AcDbBlockTable::add(AcDbObjectId& recordId, AcDbBlockTableRecord* pRecord)
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
    if (es == Acad::eOk)
        mpRecords->put(name, recordId);
    return es;
}

Acad::ErrorStatus AcDbBlockTable::checkRename(AcDbObjectId recordId, const ACHAR* name) const
{
    const Records::Entry* taken = mpRecords->find(name);
    return taken == nullptr || taken->id == recordId ? Acad::eOk : Acad::eDuplicateRecordName;
}

void AcDbBlockTable::rekey(AcDbObjectId recordId, const std::wstring& name)
{
    const Records::Entry* entry = mpRecords->findId(recordId);
    if (entry == nullptr || entry->name == name)
        return;
    mpRecords->remove(entry);
    mpRecords->put(name, recordId);
}

Acad::ErrorStatus AcDbBlockTable::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbObject::dwgInFields(pFiler);
    return mpRecords->readFrom(pFiler);
}

Acad::ErrorStatus AcDbBlockTable::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbObject::dwgOutFields(pFiler);
    return mpRecords->writeTo(pFiler);
}

Acad::ErrorStatus AcDbBlockTable::newIterator(AcDbBlockTableIterator*& pIterator, bool atBeginning,
                                              bool skipDeleted) const
{
    assertReadEnabled();
    pIterator = new AcDbBlockTableIterator(this);
    pIterator->start(atBeginning, skipDeleted);
    return Acad::eOk;
}

AcDbBlockTableIterator::AcDbBlockTableIterator(const AcDbBlockTable* table) : mpTable(table) {}

AcDbBlockTableIterator::~AcDbBlockTableIterator() = default;

void AcDbBlockTableIterator::start(bool atBeginning, bool skipDeleted)
{
    // As the record iterator: before the first entry wraps past the end.
    mIndex = atBeginning ? 0 : mpTable->mpRecords->entries().size() - 1;
    if (isSkipped(skipDeleted))
        step(atBeginning, skipDeleted);
}

bool AcDbBlockTableIterator::done() const { return mIndex >= mpTable->mpRecords->entries().size(); }

void AcDbBlockTableIterator::step(bool forward, bool skipDeleted)
{
    if (done())
        return;
    do
        mIndex = forward ? mIndex + 1 : mIndex - 1;
    while (isSkipped(skipDeleted));
}

bool AcDbBlockTableIterator::isSkipped(bool skipDeleted) const
{
    if (done())
        return false;
    const cadhost::NamedIdTable::Entry& entry = mpTable->mpRecords->entries()[mIndex];
    return entry.id.isNull() || (skipDeleted && !cadhost::NamedIdTable::isVisible(entry));
}

Acad::ErrorStatus AcDbBlockTableIterator::getRecordId(AcDbObjectId& id) const
{
    id = done() ? AcDbObjectId::kNull : mpTable->mpRecords->entries()[mIndex].id;
    return done() ? Acad::eIteratorDone : Acad::eOk;
}
