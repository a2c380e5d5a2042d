#include "storage/CIvAcadObject.h"

#include "host/AcDbDatabase.h"
#include "host/AcDbDictionary.h"
#include "storage/SubDictionaryForRead.h"

#include <memory>

namespace
{
AcDbDatabase* workingDatabase()
{
    return acdbHostApplicationServices()->workingDatabase();
}

// A new sub-dictionary entered under dictName, left open for write.
Acad::ErrorStatus addSubDictionary(AcDbDictionary* namedObjects, const CString& dictName,
                                   AcDbDictionary*& sub)
{
    auto* created = new AcDbDictionary();
    AcDbObjectId createdId;
    const Acad::ErrorStatus es = namedObjects->setAt(dictName, created, createdId);
    if (es != Acad::eOk)
    {
        delete created;
        return es;
    }
    sub = created;
    return Acad::eOk;
}

// The sub-dictionary dictName open for write, made when it is missing. An
// entry of that name that is no dictionary is refused rather than used as one.
int openOrAddSubDictionary(AcDbDictionary* namedObjects, const CString& dictName,
                           AcDbDictionary*& sub)
{
    AcDbObject* entry = nullptr;
    const Acad::ErrorStatus es = namedObjects->getAt(dictName, entry, AcDb::kForWrite);
    if (es == Acad::eKeyNotFound)
        return addSubDictionary(namedObjects, dictName, sub);
    if (es != Acad::eOk)
        return es;
    sub = AcDbDictionary::cast(entry);
    if (sub == nullptr)
        return Acad::eNotThatKindOfClass + entry->close();
    return Acad::eOk;
}

// Puts object into sub under name. The entry it replaces is held open for
// write across the replacement and closed after it; when that entry is the
// object itself, the one open is the object's and the close that follows a
// successful setAt ends it.
int storeEntry(AcDbDictionary* sub, const CString& name, CIvAcadObject* object)
{
    AcDbObjectId previousId;
    sub->getAt(name, previousId);
    AcDbObject* previous = nullptr;
    if (!previousId.isNull())
        acdbOpenAcDbObject(previous, previousId, AcDb::kForWrite, true);

    AcDbObjectId storedId;
    const Acad::ErrorStatus es = sub->setAt(name, object, storedId);
    int status = es;
    if (es == Acad::eOk)
        status += object->close();
    const bool closedAlready = es == Acad::eOk && previous == object;
    if (previous != nullptr && !closedAlready)
        status += previous->close();
    return status;
}

// Opens the object stored under name, whatever its class, unless it is
// erased; -1 when the name has no entry, else the status of the open.
int openEntry(const CString& dictName, const CString& name, AcDb::OpenMode mode,
              AcDbObject*& opened)
{
    const AcDbObjectId id = CIvAcadObject::GetObjectId(dictName, name);
    if (id.isNull())
        return -1;
    return acdbOpenAcDbObject(opened, id, mode, AcDbObject::desc(), false);
}
} // namespace

CIvAcadObject::CIvAcadObject(const CIvAcadObject& other)
    : AcDbObject(), m_objectName(other.m_objectName)
{
}

CIvAcadObject& CIvAcadObject::operator=(const CIvAcadObject& other)
{
    m_objectName = other.m_objectName;
    return *this;
}

CIvAcadObject::~CIvAcadObject() = default;

int CIvAcadObject::Save(const CString& dictName, const CString& name, CIvAcadObject* object)
{
    AcDbDatabase* db = workingDatabase();
    if (db == nullptr)
        return Acad::eNoDatabase;
    AcDbDictionary* namedObjects = nullptr;
    if (const Acad::ErrorStatus es = db->getNamedObjectsDictionary(namedObjects, AcDb::kForWrite);
        es != Acad::eOk)
        return es;
    AcDbDictionary* sub = nullptr;
    if (const int es = openOrAddSubDictionary(namedObjects, dictName, sub); es != Acad::eOk)
        return es + namedObjects->close();
    const int stored = storeEntry(sub, name, object);
    const int subClosed = sub->close();
    return stored + subClosed + namedObjects->close();
}

AcDbObjectId CIvAcadObject::GetObjectId(const CString& dictName, const CString& name)
{
    const SubDictionaryForRead sub(dictName);
    AcDbObjectId id;
    if (sub.get() != nullptr)
        sub.get()->getAt(name, id);
    return id;
}

int CIvAcadObject::GetObjectNames(const CString& dictName, CStringArray* names)
{
    if (names == nullptr)
        return Acad::eNullObjectPointer;
    names->RemoveAll();
    const SubDictionaryForRead sub(dictName);
    if (sub.lookupStatus() != Acad::eOk)
        return sub.lookupStatus();
    if (sub.get() == nullptr)
        return Acad::eOk;
    const std::unique_ptr<AcDbDictionaryIterator> it(sub.get()->newIterator());
    for (; it != nullptr && !it->done(); it->next())
        names->Add(CString(it->name()));
    return Acad::eOk;
}

int CIvAcadObject::Load(const CString& dictName, const CString& name, CIvAcadObject** object)
{
    if (object == nullptr)
        return Acad::eNullObjectPointer;
    AcDbObject* opened = nullptr;
    if (const int es = openEntry(dictName, name, AcDb::kForRead, opened); es != Acad::eOk)
        return es;
    // Only a named object may be handed out as one; anything else stored
    // there is closed again.
    auto* named = dynamic_cast<CIvAcadObject*>(opened);
    if (named == nullptr)
        return Acad::eNotThatKindOfClass + opened->close();
    *object = named;
    return Acad::eOk;
}

int CIvAcadObject::Delete(const CString& dictName, const CString& name)
{
    AcDbObject* opened = nullptr;
    if (const int es = openEntry(dictName, name, AcDb::kForWrite, opened); es != Acad::eOk)
        return es;
    const int erased = opened->erase(true);
    return erased + opened->close();
}
