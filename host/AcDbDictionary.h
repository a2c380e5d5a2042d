// Keyed containers of database objects. Keys are names, and names compare
// without letter case, as the host's symbol names do: every letter is
// lower-cased on its own, for all of Unicode and whatever the process's
// locale ("Ä" matches "ä"). An entry keeps the spelling it was last stored
// under. Iteration runs in that comparison's order ("apple" before
// "Banana"), names that differ by case alone then by their UTF-16 code units.
//
// Drawings written before keys ignored case may hold keys that differ by
// case alone; both entries are kept, and a look-up finds the one spelled
// exactly as asked, else the first.
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
    // as missing here, in has, numEntries, nameAt and iteration; unerasing
    // the object does not bring the entry back (the object then has no
    // owner): setAt must store it again.
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
    // entry of the same key, letter case ignored, is replaced and its object
    // erased, even while someone holds it open; the entry takes srchKey's
    // spelling. A new object becomes resident, owned by the dictionary, and
    // stays open for write for the caller to close. An object that is the
    // entry of that key already answers eOk and only the spelling follows.
    // A proxy that may not be erased is not replaced either
    // (eNotAllowedForThisProxy).
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
