// A drawing database, and the host's application services that name the
// working one.
#pragma once

#include "host/AcCmColor.h"
#include "host/AcDb.h"
#include "host/AcDbObjectId.h"
#include "host/AcHeapOperators.h"
#include "host/AcRxObject.h"
#include "host/AcadErrorStatus.h"

class AcDbObject;
class AcDbDictionary;
class AcDbBlockTable;
class AcDbLayerTable;
class AcDbLinetypeTable;
class AcDbTextStyleTable;
class AcDbImpDatabase;

class AcDbDatabase : public AcRxObject, public AcHeapOperators
{
public:
    ACRX_DECLARE_MEMBERS(AcDbDatabase);

    // With buildDefaultDrawing, the database starts with the named-objects
    // dictionary, a block table holding "*Model_Space" and "*Paper_Space",
    // a layer table holding "0", a line type table holding "ByBlock",
    // "ByLayer" and "Continuous", and a text style table holding "Standard";
    // its current layer is "0", its current line type "ByLayer", its current
    // colour by layer, its line type scale 1, its line weight by layer, its
    // text style "Standard" and its insertion units undefined. Without it,
    // it is empty and meant to be filled by readDwgFile.
    explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
    // Frees every object of the database. Objects still open are counted
    // and reported to the host's diagnostics.
    ~AcDbDatabase() override;
    AcDbDatabase(const AcDbDatabase&) = delete;
    AcDbDatabase& operator=(const AcDbDatabase&) = delete;

    Acad::ErrorStatus getNamedObjectsDictionary(AcDbDictionary*& pDict, AcDb::OpenMode mode);
    AcDbObjectId namedObjectsDictionaryId() const;
    Acad::ErrorStatus getSymbolTable(AcDbBlockTable*& pTable, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbLayerTable*& pTable, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbLinetypeTable*& pTable, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbTextStyleTable*& pTable, AcDb::OpenMode mode);
    Acad::ErrorStatus getBlockTable(AcDbBlockTable*& pTable, AcDb::OpenMode mode);
    Acad::ErrorStatus getLayerTable(AcDbLayerTable*& pTable, AcDb::OpenMode mode);
    Acad::ErrorStatus getLinetypeTable(AcDbLinetypeTable*& pTable, AcDb::OpenMode mode);
    Acad::ErrorStatus getTextStyleTable(AcDbTextStyleTable*& pTable, AcDb::OpenMode mode);
    AcDbObjectId blockTableId() const;
    AcDbObjectId layerTableId() const;
    AcDbObjectId linetypeTableId() const;
    AcDbObjectId textStyleTableId() const;

    // The records every drawing has.
    AcDbObjectId layerZero() const;
    AcDbObjectId byLayerLinetype() const;
    AcDbObjectId byBlockLinetype() const;
    AcDbObjectId continuousLinetype() const;

    // What new entities take (AcDbEntity::setDatabaseDefaults). The setters
    // answer eInvalidInput for an id that is not a record of this database's
    // table of that kind, a colour that is none, a scale that is not above 0
    // and finite, or a value that is no line weight.
    AcDbObjectId clayer() const;
    Acad::ErrorStatus setClayer(AcDbObjectId objId);
    AcDbObjectId celtype() const;
    Acad::ErrorStatus setCeltype(AcDbObjectId objId);
    AcCmColor cecolor() const;
    Acad::ErrorStatus setCecolor(const AcCmColor& color);
    double celtscale() const;
    Acad::ErrorStatus setCeltscale(double scale);
    AcDb::LineWeight celweight() const;
    Acad::ErrorStatus setCelweight(AcDb::LineWeight weight);
    AcDbObjectId textstyle() const;
    Acad::ErrorStatus setTextstyle(AcDbObjectId objId);

    // The length a drawing unit stands for. eOutOfRange for a value beyond
    // the enumeration.
    AcDb::UnitsValue insunits() const;
    Acad::ErrorStatus setInsunits(const AcDb::UnitsValue units);

    // Makes pObj resident without an owner and leaves it open for write
    // (eNullObjectPointer, eAlreadyInDb for one that is resident already,
    // eOutOfRange when the database has no handle left to give).
    Acad::ErrorStatus addAcDbObject(AcDbObjectId& objId, AcDbObject* pObj);

    // The id of the object whose handle is objHandle. eNullHandle for the
    // null handle, eUnknownHandle when no object has it (unless
    // createIfNotFound, which is not supported here and answers
    // eNotImplementedYet), eInvalidInput for a non-zero xRefId.
    Acad::ErrorStatus getAcDbObjectId(AcDbObjectId& retId, bool createIfNotFound,
                                      const AcDbHandle& objHandle, Adesk::UInt32 xRefId = 0);

    // Reads a drawing file of the host's format (docs/drawing-file-format.md)
    // into this empty database. A file that cannot be read, is not a drawing
    // or is damaged is refused with its status, and the database stays
    // empty: eFileNotFound; eFileAccessErr (no permission, a folder, an I/O
    // error); eBadDwgHeader (not a drawing of this format, or bytes beyond
    // its end); eEndOfFile (cut short); eDwgCRCDoesNotMatch (a checksum
    // fails); eInvalidDwgVersion; eDwgObjectImproperlyRead (the tables
    // contradict themselves, the handle seed leaves no room for another
    // handle, or a root object cannot be read as what it is);
    // eNotApplicable for a database that is not empty. An object that its
    // class cannot read, or whose class is not registered, is kept as an
    // AcDbProxyObject holding its record's exact bytes.
    Acad::ErrorStatus readDwgFile(const ACHAR* fileName);
    // Writes every live object to fileName through its dwgOutFields, in
    // handle order. Objects are filed through the host's own read access
    // whatever their open state: one open for write is saved as it is at
    // that moment. The file is replaced atomically: a failed save leaves the
    // old file as it was. An object whose filing fails fails the save with
    // its status (eFilerError when it throws); eFileAccessErr, or eOutOfDisk,
    // when the file cannot be written.
    Acad::ErrorStatus saveAs(const ACHAR* fileName);

    // The next handle to give. Handles are never reused and never wrap: once
    // the seed reaches 2^64 - 2, every call that would make an object
    // resident answers eOutOfRange and changes nothing.
    AcDbHandle handseed() const;
    // Number of live (not erased) objects and of those kept as proxies.
    Adesk::UInt32 numObjects() const;
    Adesk::UInt32 numProxies() const;

private:
    friend class AcDbImpDatabase;
    AcDbImpDatabase* mpImpDb;
};

class AcDbHostApplicationServices : public AcRxObject
{
public:
    ACRX_DECLARE_MEMBERS(AcDbHostApplicationServices);

    AcDbDatabase* workingDatabase() const;
    void setWorkingDatabase(AcDbDatabase* pDatabase);

private:
    AcDbDatabase* mpWorkingDatabase = nullptr;
};

AcDbHostApplicationServices* acdbHostApplicationServices();
