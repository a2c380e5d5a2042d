#include "host/AcDbSymbolTable.h"

#include "cadhost/AcDbImpDatabase.h"
#include "cadhost/AcDbImpObject.h"
#include "cadhost/AcDbStub.h"
#include "cadhost/FilingRules.h"
#include "cadhost/HostBuffer.h"
#include "cadhost/HostClassRegistrar.h"
#include "cadhost/PseudoConstructor.h"
#include "host/AcDbEntity.h"

#include <algorithm>

ACRX_DEFINE_HOST_MEMBERS(AcDbSymbolTableRecord, ACRX_T("AcDbObject"), nullptr, nullptr);
ACRX_DEFINE_HOST_MEMBERS(AcDbBlockTableRecord, ACRX_T("AcDbSymbolTableRecord"),
                         ACRX_T("BLOCK_RECORD"), &cadhost::pseudoConstruct<AcDbBlockTableRecord>);

AcDbSymbolTableRecord::AcDbSymbolTableRecord() = default;
AcDbSymbolTableRecord::~AcDbSymbolTableRecord() = default;

Acad::ErrorStatus AcDbSymbolTableRecord::getName(const ACHAR*& pName) const
{
    assertReadEnabled();
    pName = mName.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::setName(const ACHAR* pName)
{
    if (const Acad::ErrorStatus es = AcDbImpObject::beginChange(this); es != Acad::eOk)
        return es;
    if (pName == nullptr || pName[0] == L'\0')
        return Acad::eInvalidInput;
    if (const AcDbSymbolTable* owner = table())
    {
        if (owner->keepsName(mName.c_str()))
            return Acad::eNotApplicable;
        if (const Acad::ErrorStatus es = owner->checkRename(objectId(), pName); es != Acad::eOk)
            return es;
    }
    mName = pName;
    followInTable();
    return Acad::eOk;
}

AcDbSymbolTable* AcDbSymbolTableRecord::table() const
{
    const AcDbStub* owner = static_cast<AcDbStub*>(ownerId());
    return owner != nullptr ? AcDbSymbolTable::cast(owner->object()) : nullptr;
}

void AcDbSymbolTableRecord::followInTable() const
{
    if (AcDbSymbolTable* owner = table())
        owner->rekey(objectId(), mName);
}

// Cancel files the name back in; the table's key goes back with it. A
// drawing file's table brings its own keys.
Acad::ErrorStatus AcDbSymbolTableRecord::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbObject::dwgInFields(pFiler);
    mName = cadhost::readFiledText(*pFiler);
    if (pFiler->filerType() == AcDb::kUndoFiler)
        followInTable();
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTableRecord::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbObject::dwgOutFields(pFiler);
    return pFiler->writeString(mName.c_str());
}

AcDbBlockTableRecord::AcDbBlockTableRecord() = default;
AcDbBlockTableRecord::~AcDbBlockTableRecord() = default;

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbEntity* pEntity)
{
    AcDbObjectId ignored;
    return appendAcDbEntity(ignored, pEntity);
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbObjectId& pOutputId,
                                                         AcDbEntity* pEntity)
{
    pOutputId.setNull();
    if (const Acad::ErrorStatus es = AcDbImpObject::beginPartialChange(this); es != Acad::eOk)
        return es;
    if (pEntity == nullptr)
        return Acad::eNullEntityPointer;
    if (database() == nullptr)
        return Acad::eNoDatabase;
    if (AcDbImpObject::of(pEntity)->isResident())
        return Acad::eAlreadyInDb;
    if (const Acad::ErrorStatus es = AcDbImpDatabase::of(database())->addObject(pEntity, objectId(), pOutputId);
        es != Acad::eOk)
        return es;
    pEntity->takeDatabaseDefaults();
    mEntities.push_back(pOutputId);
    // Changes are reversed newest first, so the entity appended last is the
    // last one still when its append is.
    AcDbImpObject::of(this)->recordChange([this] { mEntities.pop_back(); });
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::newIterator(AcDbBlockTableRecordIterator*& pIterator,
                                                    bool atBeginning, bool skipDeleted) const
{
    assertReadEnabled();
    pIterator = new AcDbBlockTableRecordIterator(this);
    pIterator->start(atBeginning, skipDeleted);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbSymbolTableRecord::dwgInFields(pFiler);
    mEntities.clear();
    Adesk::UInt32 count = 0;
    pFiler->readUInt32(&count);
    for (Adesk::UInt32 i = 0; i < count && pFiler->filerStatus() == Acad::eOk; ++i)
    {
        AcDbHardOwnershipId id;
        pFiler->readHardOwnershipId(&id);
        if (!id.isNull())
            mEntities.push_back(id);
    }
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbBlockTableRecord::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbSymbolTableRecord::dwgOutFields(pFiler);
    const bool keepErased = cadhost::filesErasedObjects(pFiler);
    const auto isFiled = [keepErased](AcDbObjectId id) { return keepErased || !id.isErased(); };
    pFiler->writeUInt32(
        static_cast<Adesk::UInt32>(std::count_if(mEntities.begin(), mEntities.end(), isFiled)));
    for (const AcDbObjectId id : mEntities)
    {
        if (isFiled(id))
            pFiler->writeHardOwnershipId(id);
    }
    return pFiler->filerStatus();
}

AcDbBlockTableRecordIterator::AcDbBlockTableRecordIterator(const AcDbBlockTableRecord* record)
    : mpRecord(record)
{
}

AcDbBlockTableRecordIterator::~AcDbBlockTableRecordIterator() = default;

void AcDbBlockTableRecordIterator::start(bool atBeginning, bool skipDeleted)
{
    // Before the first entity, an index of -1 wraps to a value past the end,
    // which reads as done.
    mIndex = atBeginning ? 0 : mpRecord->mEntities.size() - 1;
    if (isSkipped(skipDeleted))
        step(atBeginning, skipDeleted);
}

bool AcDbBlockTableRecordIterator::done() const { return mIndex >= mpRecord->mEntities.size(); }

void AcDbBlockTableRecordIterator::step(bool forward, bool skipDeleted)
{
    if (done())
        return;
    do
        mIndex = forward ? mIndex + 1 : mIndex - 1;
    while (isSkipped(skipDeleted));
}

bool AcDbBlockTableRecordIterator::isSkipped(bool skipDeleted) const
{
    return skipDeleted && !done() && mpRecord->mEntities[mIndex].isErased();
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntityId(AcDbObjectId& entityId) const
{
    entityId = done() ? AcDbObjectId::kNull : mpRecord->mEntities[mIndex];
    return done() ? Acad::eIteratorDone : Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntity(AcDbEntity*& pEntity,
                                                          AcDb::OpenMode openMode,
                                                          bool openErasedEntity) const
{
    pEntity = nullptr;
    AcDbObjectId id;
    const Acad::ErrorStatus es = getEntityId(id);
    return es != Acad::eOk ? es : acdbOpenObject(pEntity, id, openMode, openErasedEntity);
}
