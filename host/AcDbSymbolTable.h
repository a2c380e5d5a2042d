// The symbol tables and their records: named block definitions, each holding
// the entities drawn in it; layers; line types; text styles. Every default
// drawing has "*Model_Space" and "*Paper_Space" blocks, the layer "0", the
// line types "ByBlock", "ByLayer" and "Continuous" and the text style
// "Standard"; those records keep their names.
#pragma once

#include "host/AcCmColor.h"
#include "host/AcDbObject.h"

#include <string>
#include <vector>

class AcDbEntity;
class AcDbSymbolTable;
class AcDbSymbolTableIterator;
class AcDbBlockTableRecordIterator;

class AcDbSymbolTableRecord : public AcDbObject
{
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTableRecord);
    ~AcDbSymbolTableRecord() override;

    Acad::ErrorStatus getName(const ACHAR*& pName) const;
    // Names a record, before or after it goes into its table; the table's
    // key follows a rename, and cancel takes both back. An empty name
    // answers eInvalidInput; a name another record of the table holds (letter
    // case ignored) eDuplicateRecordName; renaming a record whose name the
    // table keeps (the two spaces, layer "0", the three default line types,
    // the text style "Standard") eNotApplicable. Only the record needs to be
    // open for write.
    Acad::ErrorStatus setName(const ACHAR* pName);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

protected:
    AcDbSymbolTableRecord();

private:
    // Null for a record in no table.
    AcDbSymbolTable* table() const;
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
    // eOutOfRange when the database has no handle left. A layer, line type,
    // colour, line type scale or line weight not yet given to the entity
    // takes the database's current one.
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

// A layer: its colour (an index or a true colour, never by layer or by
// block), line type, line weight, and whether it is off, frozen, locked or
// left out of prints. A new record is colour 7, line weight "default",
// plotted, on, thawed and unlocked; it takes the line type "Continuous" when
// it goes into a table without one.
class AcDbLayerTableRecord : public AcDbSymbolTableRecord
{
public:
    ACRX_DECLARE_MEMBERS(AcDbLayerTableRecord);
    AcDbLayerTableRecord();
    ~AcDbLayerTableRecord() override;

    bool isOff() const;
    void setIsOff(bool off);
    bool isFrozen() const;
    Acad::ErrorStatus setIsFrozen(bool frozen);
    bool isLocked() const;
    void setIsLocked(bool locked);
    bool isPlottable() const;
    Acad::ErrorStatus setIsPlottable(bool plot);
    AcCmColor color() const;
    // eInvalidInput for a colour by layer, by block or none.
    Acad::ErrorStatus setColor(const AcCmColor& color);
    AcDbObjectId linetypeObjectId() const;
    void setLinetypeObjectId(AcDbObjectId id);
    AcDb::LineWeight lineWeight() const;
    // eInvalidInput for a value that is no line weight, or by layer or block.
    Acad::ErrorStatus setLineWeight(AcDb::LineWeight weight);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

private:
    AcCmColor mColor;
    AcDbObjectId mLinetype;
    AcDb::LineWeight mLineWeight = AcDb::kLnWtByLwDefault;
    Adesk::UInt8 mFlags = 0;
};

// A line type: a description, and a dash pattern repeated along a line:
// dash lengths, a positive one drawn, a negative one a gap, 0 a dot; the
// pattern's length is the sum of their magnitudes. No dashes is a
// continuous line.
class AcDbLinetypeTableRecord : public AcDbSymbolTableRecord
{
public:
    ACRX_DECLARE_MEMBERS(AcDbLinetypeTableRecord);
    AcDbLinetypeTableRecord();
    ~AcDbLinetypeTableRecord() override;

    Acad::ErrorStatus comments(const ACHAR*& pString) const;
    Acad::ErrorStatus setComments(const ACHAR* pString);
    double patternLength() const;
    void setPatternLength(double patternLength);
    bool isScaledToFit() const;
    void setIsScaledToFit(bool scaledToFit);
    int numDashes() const;
    // Keeps the first dashes, and adds dashes of length 0; eInvalidInput
    // below 0.
    Acad::ErrorStatus setNumDashes(int count);
    // 0 for an index out of range.
    double dashLengthAt(int index) const;
    // eInvalidIndex for an index out of range.
    Acad::ErrorStatus setDashLengthAt(int index, double value);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

private:
    std::wstring mComments;
    double mPatternLength = 0.0;
    bool mScaledToFit = false;
    std::vector<double> mDashes;
};

// A text style: its font files, a fixed height (0 for none), the width
// factor, the slant, the height last used, and its generation flags (2
// drawn backwards, 4 upside down).
class AcDbTextStyleTableRecord : public AcDbSymbolTableRecord
{
public:
    ACRX_DECLARE_MEMBERS(AcDbTextStyleTableRecord);
    AcDbTextStyleTableRecord();
    ~AcDbTextStyleTableRecord() override;

    Acad::ErrorStatus fileName(const ACHAR*& fileName) const;
    Acad::ErrorStatus setFileName(const ACHAR* fileName);
    Acad::ErrorStatus bigFontFileName(const ACHAR*& fileName) const;
    Acad::ErrorStatus setBigFontFileName(const ACHAR* fileName);
    double textSize() const;
    // eInvalidInput below 0.
    Acad::ErrorStatus setTextSize(double size);
    double xScale() const;
    // eInvalidInput unless above 0.
    Acad::ErrorStatus setXScale(double xScale);
    // Radians.
    double obliquingAngle() const;
    Acad::ErrorStatus setObliquingAngle(double obliquingAngle);
    double priorSize() const;
    Acad::ErrorStatus setPriorSize(double priorSize);
    Adesk::UInt8 flagBits() const;
    void setFlagBits(Adesk::UInt8 flagBits);
    bool isVertical() const;
    void setIsVertical(bool vertical);
    bool isShapeFile() const;
    void setIsShapeFile(bool shape);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

private:
    std::wstring mFileName;
    std::wstring mBigFontFileName;
    double mTextSize = 0.0;
    double mXScale = 1.0;
    double mObliquingAngle = 0.0;
    double mPriorSize = 2.5;
    Adesk::UInt8 mFlagBits = 0;
    bool mVertical = false;
    bool mShapeFile = false;
};

// What every symbol table does: named records, names compared without
// letter case as the host's symbol names are; a record keeps the spelling
// it was named with. The typed tables below add their records' look-ups.
class AcDbSymbolTable : public AcDbObject
{
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTable);
    ~AcDbSymbolTable() override;

    // eKeyNotFound for a name without a record; an erased record counts as
    // missing unless asked for.
    Acad::ErrorStatus getAt(const ACHAR* entryName, AcDbObjectId& recordId,
                            bool getErasedRecord = false) const;
    bool has(const ACHAR* name) const;
    bool has(AcDbObjectId id) const;

    // Walks the records in name order; erased ones are passed over when
    // skipDeleted. The caller deletes the iterator, which must not outlive
    // the table's open.
    Acad::ErrorStatus newIterator(AcDbSymbolTableIterator*& pIterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

protected:
    AcDbSymbolTable();

    // Adds a new record, which must carry a name not yet in the table
    // (eDuplicateRecordName otherwise; a name whose record is erased may be
    // used again); it stays open for write. Needs the table open for write
    // and in a database (eNoDatabase), and a record in no database
    // (eAlreadyInDb); eOutOfRange when the database has no handle left.
    Acad::ErrorStatus addRecord(AcDbObjectId& recordId, AcDbSymbolTableRecord* pRecord);

    template <class Record>
    Acad::ErrorStatus openAt(const ACHAR* entryName, Record*& pRec, AcDb::OpenMode openMode,
                             bool openErasedRec) const
    {
        pRec = nullptr;
        AcDbObjectId id;
        const Acad::ErrorStatus es = getAt(entryName, id, openErasedRec);
        return es != Acad::eOk ? es : acdbOpenObject(pRec, id, openMode, openErasedRec);
    }

    // Whether a record of this name keeps it (letter case ignored).
    virtual bool keepsName(const ACHAR* name) const = 0;
    // What a table gives a record it takes in, beyond its key.
    virtual void recordAdded(AcDbSymbolTableRecord* pRecord) = 0;

private:
    // A record renamed in the table: eDuplicateRecordName when another
    // record holds name; then its key follows.
    friend class AcDbSymbolTableRecord;
    friend class AcDbSymbolTableIterator;
    Acad::ErrorStatus checkRename(AcDbObjectId recordId, const ACHAR* name) const;
    void rekey(AcDbObjectId recordId, const std::wstring& name);
    class Records;
    Records* mpRecords;
};

class AcDbSymbolTableIterator
{
public:
    virtual ~AcDbSymbolTableIterator();
    AcDbSymbolTableIterator(const AcDbSymbolTableIterator&) = delete;
    AcDbSymbolTableIterator& operator=(const AcDbSymbolTableIterator&) = delete;

    void start(bool atBeginning = true, bool skipDeleted = true);
    bool done() const;
    void step(bool forward = true, bool skipDeleted = true);
    Acad::ErrorStatus getRecordId(AcDbObjectId& id) const;

protected:
    friend class AcDbSymbolTable;
    explicit AcDbSymbolTableIterator(const AcDbSymbolTable* table);

    template <class Record>
    Acad::ErrorStatus openRecord(Record*& pRecord, AcDb::OpenMode openMode, bool openErasedRec) const
    {
        pRecord = nullptr;
        AcDbObjectId id;
        const Acad::ErrorStatus es = getRecordId(id);
        return es != Acad::eOk ? es : acdbOpenObject(pRecord, id, openMode, openErasedRec);
    }

private:
    bool isSkipped(bool skipDeleted) const;
    const AcDbSymbolTable* mpTable;
    std::size_t mIndex = 0;
};

#define ACDB_SYMBOL_TABLE(TABLE, RECORD)                                                            \
    class TABLE##Iterator;                                                                          \
    class TABLE : public AcDbSymbolTable                                                            \
    {                                                                                               \
    public:                                                                                         \
        ACRX_DECLARE_MEMBERS(TABLE);                                                                \
        TABLE();                                                                                    \
        ~TABLE() override;                                                                          \
        using AcDbSymbolTable::getAt;                                                               \
        Acad::ErrorStatus getAt(const ACHAR* entryName, RECORD*& pRec, AcDb::OpenMode openMode,     \
                                bool openErasedRec = false) const                                   \
        {                                                                                           \
            return openAt(entryName, pRec, openMode, openErasedRec);                                \
        }                                                                                           \
        Acad::ErrorStatus add(RECORD* pRecord)                                                      \
        {                                                                                           \
            AcDbObjectId ignored;                                                                   \
            return addRecord(ignored, pRecord);                                                     \
        }                                                                                           \
        Acad::ErrorStatus add(AcDbObjectId& recordId, RECORD* pRecord)                              \
        {                                                                                           \
            return addRecord(recordId, pRecord);                                                    \
        }                                                                                           \
        using AcDbSymbolTable::newIterator;                                                         \
        Acad::ErrorStatus newIterator(TABLE##Iterator*& pIterator, bool atBeginning = true,         \
                                      bool skipDeleted = true) const;                               \
                                                                                                    \
    protected:                                                                                      \
        bool keepsName(const ACHAR* name) const override;                                           \
        void recordAdded(AcDbSymbolTableRecord* pRecord) override;                                  \
    };                                                                                              \
    class TABLE##Iterator : public AcDbSymbolTableIterator                                          \
    {                                                                                               \
    public:                                                                                         \
        Acad::ErrorStatus getRecord(RECORD*& pRecord, AcDb::OpenMode openMode,                      \
                                    bool openErasedRec = false) const                               \
        {                                                                                           \
            return openRecord(pRecord, openMode, openErasedRec);                                    \
        }                                                                                           \
                                                                                                    \
    private:                                                                                        \
        friend class TABLE;                                                                         \
        using AcDbSymbolTableIterator::AcDbSymbolTableIterator;                                     \
    }

ACDB_SYMBOL_TABLE(AcDbBlockTable, AcDbBlockTableRecord);
ACDB_SYMBOL_TABLE(AcDbLayerTable, AcDbLayerTableRecord);
ACDB_SYMBOL_TABLE(AcDbLinetypeTable, AcDbLinetypeTableRecord);
ACDB_SYMBOL_TABLE(AcDbTextStyleTable, AcDbTextStyleTableRecord);

#undef ACDB_SYMBOL_TABLE

#define ACDB_MODEL_SPACE ACRX_T("*Model_Space")
#define ACDB_PAPER_SPACE ACRX_T("*Paper_Space")
