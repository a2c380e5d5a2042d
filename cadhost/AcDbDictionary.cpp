#include "host/AcDbDictionary.h"

#include "cadhost/AcDbImpDatabase.h"
#include "cadhost/AcDbImpDictionary.h"
#include "cadhost/AcDbImpObject.h"
#include "cadhost/AcDbStub.h"
#include "cadhost/HostBuffer.h"
#include "cadhost/HostClassRegistrar.h"
#include "cadhost/PseudoConstructor.h"

ACRX_DEFINE_HOST_MEMBERS(AcDbDictionary, ACRX_T("AcDbObject"), ACRX_T("DICTIONARY"),
                         &cadhost::pseudoConstruct<AcDbDictionary>);

namespace
{
bool isValidKey(const ACHAR* key) { return key != nullptr && key[0] != L'\0'; }

// What keeps newValue from becoming the entry of a dictionary in database:
// it must be new, or resident there without an owner and open for write.
Acad::ErrorStatus checkNewEntry(const AcDbObject* newValue, const AcDbDatabase* database)
{
    const AcDbImpObject* imp = AcDbImpObject::of(newValue);
    if (!imp->isResident())
        return Acad::eOk;
    if (newValue->database() != database)
        return Acad::eWrongDatabase;
    if (imp->isErased())
        return Acad::eWasErased;
    if (!imp->ownerId().isNull())
        return Acad::eAlreadyInDb;
    return imp->isWriteEnabled() ? Acad::eOk : Acad::eNotOpenForWrite;
}
} // namespace

AcDbDictionary::AcDbDictionary() : mpImpDict(new AcDbImpDictionary(this)) {}

AcDbDictionary::~AcDbDictionary() { delete mpImpDict; }

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* entryName, AcDbObject*& entryObj,
                                        AcDb::OpenMode mode) const
{
    entryObj = nullptr;
    AcDbObjectId id;
    const Acad::ErrorStatus es = getAt(entryName, id);
    return es != Acad::eOk ? es : acdbOpenAcDbObject(entryObj, id, mode);
}

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* entryName, AcDbObjectId& entryId) const
{
    assertReadEnabled();
    entryId.setNull();
    if (entryName == nullptr)
        return Acad::eInvalidKey;
    const cadhost::NamedIdTable::Entry* entry = mpImpDict->table().find(entryName);
    if (entry == nullptr)
        return Acad::eKeyNotFound;
    entryId = entry->id;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::nameAt(AcDbObjectId objId, ACHAR*& entryName) const
{
    assertReadEnabled();
    entryName = nullptr;
    const cadhost::NamedIdTable::Entry* entry = mpImpDict->table().findId(objId);
    if (entry == nullptr)
        return Acad::eKeyNotFound;
    entryName = cadhost::newHostBuffer(entry->name);
    return Acad::eOk;
}

bool AcDbDictionary::has(const ACHAR* entryName) const
{
    assertReadEnabled();
    return entryName != nullptr && mpImpDict->table().find(entryName) != nullptr;
}

bool AcDbDictionary::has(AcDbObjectId objId) const
{
    assertReadEnabled();
    return mpImpDict->table().findId(objId) != nullptr;
}

Adesk::UInt32 AcDbDictionary::numEntries() const
{
    assertReadEnabled();
    return mpImpDict->table().visibleCount();
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* key)
{
    AcDbObjectId ignored;
    return remove(key, ignored);
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* key, AcDbObjectId& returnId)
{
    returnId.setNull();
    if (const Acad::ErrorStatus es = AcDbImpObject::beginPartialChange(this); es != Acad::eOk)
        return es;
    if (key == nullptr)
        return Acad::eInvalidKey;
    const cadhost::NamedIdTable::Entry* entry = mpImpDict->table().find(key);
    if (entry == nullptr)
        return Acad::eKeyNotFound;
    returnId = mpImpDict->removeEntry(entry);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::remove(AcDbObjectId objId)
{
    if (const Acad::ErrorStatus es = AcDbImpObject::beginPartialChange(this); es != Acad::eOk)
        return es;
    const cadhost::NamedIdTable::Entry* entry = mpImpDict->table().findId(objId);
    if (entry == nullptr)
        return Acad::eKeyNotFound;
    mpImpDict->removeEntry(entry);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::setAt(const ACHAR* srchKey, AcDbObject* newValue,
                                        AcDbObjectId& retObjId)
{
    retObjId.setNull();
    if (const Acad::ErrorStatus es = AcDbImpObject::beginPartialChange(this); es != Acad::eOk)
        return es;
    if (!isValidKey(srchKey))
        return Acad::eInvalidKey;
    if (newValue == nullptr)
        return Acad::eNullObjectPointer;
    if (database() == nullptr)
        return Acad::eNoDatabase;
    const cadhost::NamedIdTable::Entry* entry = mpImpDict->table().find(srchKey, true);
    if (entry != nullptr && !entry->id.isNull() && entry->id == newValue->objectId())
    {
        retObjId = entry->id;
        mpImpDict->putEntry(srchKey, retObjId);
        return Acad::eOk;
    }
    if (const Acad::ErrorStatus es = checkNewEntry(newValue, database()); es != Acad::eOk)
        return es;
    AcDbImpObject* replaced = entry != nullptr && entry->id.isValid()
                                  ? AcDbImpObject::of(static_cast<AcDbStub*>(entry->id)->object())
                                  : nullptr;
    if (replaced != nullptr)
        if (const Acad::ErrorStatus es = replaced->mayBeErased(); es != Acad::eOk)
            return es;
    // The new object goes in first: when the drawing has no handle left for
    // it, the entry it would replace stays as it was.
    AcDbImpObject* imp = AcDbImpObject::of(newValue);
    if (imp->isResident())
        imp->setOwnerId(objectId());
    else if (const Acad::ErrorStatus es =
                 AcDbImpDatabase::of(database())->addObject(newValue, objectId(), retObjId);
             es != Acad::eOk)
        return es;
    if (replaced != nullptr)
        replaced->eraseReplaced();
    retObjId = newValue->objectId();
    mpImpDict->putEntry(srchKey, retObjId);
    return Acad::eOk;
}

AcDbDictionaryIterator* AcDbDictionary::newIterator() const
{
    assertReadEnabled();
    return mpImpDict->newIterator();
}

Acad::ErrorStatus AcDbDictionary::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbObject::dwgInFields(pFiler);
    return mpImpDict->table().readFrom(pFiler);
}

Acad::ErrorStatus AcDbDictionary::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbObject::dwgOutFields(pFiler);
    return mpImpDict->table().writeTo(pFiler);
}

AcDbObjectId AcDbImpDictionary::removeEntry(const cadhost::NamedIdTable::Entry* entry)
{
    const AcDbObjectId id = entry->id;
    AcDbImpObject::of(static_cast<AcDbStub*>(id)->object())->setOwnerId(AcDbObjectId::kNull);
    recordUndoOf(entry->name);
    mTable.remove(entry);
    return id;
}

void AcDbImpDictionary::putEntry(const std::wstring& name, AcDbObjectId id)
{
    recordUndoOf(name);
    mTable.put(name, id);
}

// Cancel puts the entry back as it is now: its spelling and id, or no entry
// at all.
void AcDbImpDictionary::recordUndoOf(const std::wstring& name)
{
    const cadhost::NamedIdTable::Entry* entry = mTable.find(name, true);
    const bool existed = entry != nullptr;
    const std::wstring spelling = existed ? entry->name : name;
    const AcDbObjectId id = existed ? entry->id : AcDbObjectId::kNull;
    AcDbImpObject::of(mSelf)->recordChange([this, spelling, existed, id] {
        if (existed)
            mTable.put(spelling, id);
        else if (const cadhost::NamedIdTable::Entry* added = mTable.find(spelling, true))
            mTable.remove(added);
    });
}

void AcDbImpDictionary::forgetEntryOf(AcDbObjectId id)
{
    if (const cadhost::NamedIdTable::Entry* entry = mTable.findId(id))
        removeEntry(entry);
}

AcDbDictionaryIterator::AcDbDictionaryIterator(const AcDbImpDictionary* dict) : mpDict(dict)
{
    skipHidden();
}

AcDbDictionaryIterator::~AcDbDictionaryIterator() = default;

const ACHAR* AcDbDictionaryIterator::name() const
{
    return done() ? nullptr : mpDict->table().entries()[mIndex].name.c_str();
}

AcDbObjectId AcDbDictionaryIterator::objectId() const
{
    return done() ? AcDbObjectId::kNull : mpDict->table().entries()[mIndex].id;
}

Acad::ErrorStatus AcDbDictionaryIterator::getObject(AcDbObject*& pObject, AcDb::OpenMode mode)
{
    pObject = nullptr;
    return done() ? Acad::eIteratorDone : acdbOpenAcDbObject(pObject, objectId(), mode);
}

bool AcDbDictionaryIterator::done() const { return mIndex >= mpDict->table().entries().size(); }

bool AcDbDictionaryIterator::next()
{
    if (!done())
        ++mIndex;
    skipHidden();
    return !done();
}

// Entries whose objects are erased are passed over, wherever the walk is.
void AcDbDictionaryIterator::skipHidden()
{
    const auto& entries = mpDict->table().entries();
    while (mIndex < entries.size() && !cadhost::NamedIdTable::isVisible(entries[mIndex]))
        ++mIndex;
}
