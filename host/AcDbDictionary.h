// Keyed containers of database objects. Keys compare exactly, letter case
// included; iteration runs in ascending order of the keys' UTF-16 code units.
#pragma once

#include "host/AcDbObject.h"

class AcDbImpDictionary;
class AcDbDictionaryIterator;

class AcDbDictionary : public AcDbObject
{
public:
    ACRX_DECLARE_MEMBERS(AcDbDictionary);
    AcDbDictionary();
    ~AcDbDictionary() override;

    // eKeyNotFound for a missing key. An entry whose object is erased counts
    // as missing here, in has, numEntries, nameAt and iteration, until the
    // object is unerased.
    Acad::ErrorStatus getAt(const ACHAR* entryName, AcDbObject*& entryObj,
                            AcDb::OpenMode mode) const;
    Acad::ErrorStatus getAt(const ACHAR* entryName, AcDbObjectId& entryId) const;
    Acad::ErrorStatus nameAt(AcDbObjectId objId, ACHAR*& entryName) const;
    bool has(const ACHAR* entryName) const;
    bool has(AcDbObjectId objId) const;
    Adesk::UInt32 numEntries() const;

    // Removes the entry without erasing its object; the object loses its
    // owner. Needs the dictionary open for write (eNotOpenForWrite);
    // eKeyNotFound when there is no such entry.
    Acad::ErrorStatus remove(const ACHAR* key);
    Acad::ErrorStatus remove(const ACHAR* key, AcDbObjectId& returnId);
    Acad::ErrorStatus remove(AcDbObjectId objId);

    // Enters newValue under srchKey; the dictionary needs to be open for
    // write (eNotOpenForWrite) and to be in a database (eNoDatabase). An
    // entry of the same key is replaced and its object erased, even while
    // someone holds it open. A new object becomes resident, owned by the
    // dictionary, and stays open for write for the caller to close. An object
    // that is the entry of that key already answers eOk and nothing changes.
    // Other answers: eInvalidKey for a null or empty key, eNullObjectPointer;
    // for a resident newValue, eWrongDatabase, eWasErased, eAlreadyInDb when
    // it has an owner, eNotOpenForWrite when it is not open for write; for a
    // new one, eOutOfRange when the database has no handle left for it, and
    // then the entry it would replace stays.
    Acad::ErrorStatus setAt(const ACHAR* srchKey, AcDbObject* newValue, AcDbObjectId& retObjId);

    AcDbDictionaryIterator* newIterator() const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

private:
    friend class AcDbImpDictionary;
    AcDbImpDictionary* mpImpDict;
};

// Walks the entries in key order, passing over those whose objects are
// erased. It reads the dictionary as it is at each step and must not outlive
// the dictionary's database. Once done, name is null and getObject answers
// eIteratorDone.
class AcDbDictionaryIterator
{
public:
    virtual ~AcDbDictionaryIterator();
    AcDbDictionaryIterator(const AcDbDictionaryIterator&) = delete;
    AcDbDictionaryIterator& operator=(const AcDbDictionaryIterator&) = delete;

    const ACHAR* name() const;
    Acad::ErrorStatus getObject(AcDbObject*& pObject, AcDb::OpenMode mode);
    AcDbObjectId objectId() const;
    bool done() const;
    bool next();

private:
    friend class AcDbImpDictionary;
    explicit AcDbDictionaryIterator(const AcDbImpDictionary* dict);
    void skipHidden();
    const AcDbImpDictionary* mpDict;
    Adesk::UInt32 mIndex = 0;
};
