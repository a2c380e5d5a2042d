// The block table and its records: named block definitions, each holding
// the entities drawn in it. "*Model_Space" and "*Paper_Space" are records
// of every default drawing.
#pragma once

#include "host/AcDbObject.h"

#include <string>
#include <vector>

class AcDbEntity;
class AcDbBlockTableRecord;
class AcDbBlockTableRecordIterator;
class AcDbBlockTable;
class AcDbBlockTableIterator;

class AcDbSymbolTableRecord : public AcDbObject
{
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTableRecord);
    ~AcDbSymbolTableRecord() override;

    Acad::ErrorStatus getName(const ACHAR*& pName) const;
    // Names a record, before or after it goes into its table; the table's
    // key follows a rename, and cancel takes both back. An empty name
    // answers eInvalidInput; a name another record of the table holds (letter
    // case ignored) eDuplicateRecordName; renaming "*Model_Space" or
    // "*Paper_Space" eNotApplicable. Only the record needs to be open for
    // write.
    Acad::ErrorStatus setName(const ACHAR* pName);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

protected:
    AcDbSymbolTableRecord();

private:
    // Null for a record in no table.
    AcDbBlockTable* table() const;
    // The table's key for this record follows its name.
    void followInTable() const;

    std::wstring mName;
};

class AcDbBlockTableRecord : public AcDbSymbolTableRecord
{
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockTableRecord);
    AcDbBlockTableRecord();
    ~AcDbBlockTableRecord() override;

    // Makes pEntity resident, owned by this record, open for write for the
    // caller to close. Needs this record open for write and in a database;
    // eOutOfRange when the database has no handle left.
    Acad::ErrorStatus appendAcDbEntity(AcDbEntity* pEntity);
    Acad::ErrorStatus appendAcDbEntity(AcDbObjectId& pOutputId, AcDbEntity* pEntity);

    Acad::ErrorStatus newIterator(AcDbBlockTableRecordIterator*& pIterator,
                                  bool atBeginning = true, bool skipDeleted = true) const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

private:
    friend class AcDbBlockTableRecordIterator;
    std::vector<AcDbObjectId> mEntities;
};

// Walks a record's entities in the order they were appended, forward or
// back, passing over erased ones when asked to.
class AcDbBlockTableRecordIterator
{
public:
    ~AcDbBlockTableRecordIterator();
    AcDbBlockTableRecordIterator(const AcDbBlockTableRecordIterator&) = delete;
    AcDbBlockTableRecordIterator& operator=(const AcDbBlockTableRecordIterator&) = delete;

    void start(bool atBeginning = true, bool skipDeleted = true);
    bool done() const;
    void step(bool forward = true, bool skipDeleted = true);
    Acad::ErrorStatus getEntityId(AcDbObjectId& entityId) const;
    Acad::ErrorStatus getEntity(AcDbEntity*& pEntity, AcDb::OpenMode openMode,
                                bool openErasedEntity = false) const;

private:
    friend class AcDbBlockTableRecord;
    explicit AcDbBlockTableRecordIterator(const AcDbBlockTableRecord* record);
    bool isSkipped(bool skipDeleted) const;
    const AcDbBlockTableRecord* mpRecord;
    std::size_t mIndex = 0;
};

class AcDbBlockTable : public AcDbObject
{
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockTable);
    AcDbBlockTable();
    ~AcDbBlockTable() override;

    // eKeyNotFound for a name without a record; an erased record counts as
    // missing unless asked for. Names compare without letter case, as the
    // host's symbol names do; a record keeps the spelling it was named with.
    Acad::ErrorStatus getAt(const ACHAR* entryName, AcDbBlockTableRecord*& pRec,
                            AcDb::OpenMode openMode, bool openErasedRec = false) const;
    Acad::ErrorStatus getAt(const ACHAR* entryName, AcDbObjectId& recordId,
                            bool getErasedRecord = false) const;
    bool has(const ACHAR* name) const;
    bool has(AcDbObjectId id) const;

    // Walks the records in name order; erased ones are passed over when
    // skipDeleted. The caller deletes the iterator, which must not outlive
    // the table's open.
    Acad::ErrorStatus newIterator(AcDbBlockTableIterator*& pIterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;

    // Adds a new record, which must carry a name not yet in the table
    // (eDuplicateRecordName otherwise; a name whose record is erased may be
    // used again); it stays open for write. Needs the table open for write
    // and in a database (eNoDatabase), and a record in no database
    // (eAlreadyInDb); eOutOfRange when the database has no handle left.
    Acad::ErrorStatus add(AcDbBlockTableRecord* pRecord);
    Acad::ErrorStatus add(AcDbObjectId& recordId, AcDbBlockTableRecord* pRecord);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

private:
    // A record renamed in the table: eDuplicateRecordName when another
    // record holds name; then its key follows.
    friend class AcDbSymbolTableRecord;
    Acad::ErrorStatus checkRename(AcDbObjectId recordId, const ACHAR* name) const;
    void rekey(AcDbObjectId recordId, const std::wstring& name);
    friend class AcDbBlockTableIterator;
    class Records;
    Records* mpRecords;
};

class AcDbBlockTableIterator
{
public:
    ~AcDbBlockTableIterator();
    AcDbBlockTableIterator(const AcDbBlockTableIterator&) = delete;
    AcDbBlockTableIterator& operator=(const AcDbBlockTableIterator&) = delete;

    void start(bool atBeginning = true, bool skipDeleted = true);
    bool done() const;
    void step(bool forward = true, bool skipDeleted = true);
    Acad::ErrorStatus getRecordId(AcDbObjectId& id) const;

private:
    friend class AcDbBlockTable;
    explicit AcDbBlockTableIterator(const AcDbBlockTable* table);
    bool isSkipped(bool skipDeleted) const;
    const AcDbBlockTable* mpTable;
    std::size_t mIndex = 0;
};

#define ACDB_MODEL_SPACE ACRX_T("*Model_Space")
#define ACDB_PAPER_SPACE ACRX_T("*Paper_Space")
