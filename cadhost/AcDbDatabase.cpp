#include "host/AcDbDatabase.h"

#include "cadhost/AcDbImpDatabase.h"
#include "cadhost/AcDbImpObject.h"
#include "cadhost/AcDbStub.h"
#include "cadhost/EntityRules.h"
#include "cadhost/DrawingFileReader.h"
#include "cadhost/DrawingFileWriter.h"
#include "cadhost/HostClassRegistrar.h"
#include "host/AcDbDictionary.h"
#include "host/AcDbSymbolTable.h"



ACRX_DEFINE_HOST_MEMBERS(AcDbDatabase, ACRX_T("AcRxObject"), nullptr, nullptr);

// noDocument only matters to a host with documents; here every database
// stands alone.
AcDbDatabase::AcDbDatabase(bool buildDefaultDrawing, bool /*noDocument*/)
    : mpImpDb(new AcDbImpDatabase(this))
{
    if (buildDefaultDrawing)
        mpImpDb->buildDefaultDrawing();
}

AcDbDatabase::~AcDbDatabase()
{
    if (acdbHostApplicationServices()->workingDatabase() == this)
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    delete mpImpDb;
}

Acad::ErrorStatus AcDbDatabase::getNamedObjectsDictionary(AcDbDictionary*& pDict,
                                                          AcDb::OpenMode mode)
{
    return acdbOpenObject(pDict, namedObjectsDictionaryId(), mode);
}

AcDbObjectId AcDbDatabase::namedObjectsDictionaryId() const
{
    return mpImpDb->namedObjectsDictionaryId();
}

Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbBlockTable*& pTable, AcDb::OpenMode mode)
{
    return getBlockTable(pTable, mode);
}

Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbLayerTable*& pTable, AcDb::OpenMode mode)
{
    return getLayerTable(pTable, mode);
}

Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbLinetypeTable*& pTable, AcDb::OpenMode mode)
{
    return getLinetypeTable(pTable, mode);
}

Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbTextStyleTable*& pTable, AcDb::OpenMode mode)
{
    return getTextStyleTable(pTable, mode);
}

Acad::ErrorStatus AcDbDatabase::getBlockTable(AcDbBlockTable*& pTable, AcDb::OpenMode mode)
{
    return acdbOpenObject(pTable, blockTableId(), mode);
}

Acad::ErrorStatus AcDbDatabase::getLayerTable(AcDbLayerTable*& pTable, AcDb::OpenMode mode)
{
    return acdbOpenObject(pTable, layerTableId(), mode);
}

Acad::ErrorStatus AcDbDatabase::getLinetypeTable(AcDbLinetypeTable*& pTable, AcDb::OpenMode mode)
{
    return acdbOpenObject(pTable, linetypeTableId(), mode);
}

Acad::ErrorStatus AcDbDatabase::getTextStyleTable(AcDbTextStyleTable*& pTable, AcDb::OpenMode mode)
{
    return acdbOpenObject(pTable, textStyleTableId(), mode);
}

AcDbObjectId AcDbDatabase::blockTableId() const { return mpImpDb->blockTableId(); }
AcDbObjectId AcDbDatabase::layerTableId() const { return mpImpDb->roots().layerTable; }
AcDbObjectId AcDbDatabase::linetypeTableId() const { return mpImpDb->roots().linetypeTable; }
AcDbObjectId AcDbDatabase::textStyleTableId() const { return mpImpDb->roots().textStyleTable; }

AcDbObjectId AcDbDatabase::layerZero() const { return mpImpDb->kept().layerZero; }
AcDbObjectId AcDbDatabase::byLayerLinetype() const { return mpImpDb->kept().byLayer; }
AcDbObjectId AcDbDatabase::byBlockLinetype() const { return mpImpDb->kept().byBlock; }
AcDbObjectId AcDbDatabase::continuousLinetype() const { return mpImpDb->kept().continuous; }

namespace
{
// Whether id is a live record of the table in this database.
bool isRecordOf(const AcDbImpDatabase& database, AcDbObjectId id, AcDbObjectId table)
{
    const AcDbStub* stub = static_cast<AcDbStub*>(id);
    const AcDbObject* object = stub != nullptr ? stub->object() : nullptr;
    return object != nullptr && !stub->isErased() && AcDbImpObject::of(object)->database() == &database &&
           AcDbImpObject::of(object)->ownerId() == table && !table.isNull();
}
} // namespace

AcDbObjectId AcDbDatabase::clayer() const { return mpImpDb->variables().clayer; }

Acad::ErrorStatus AcDbDatabase::setClayer(AcDbObjectId objId)
{
    if (!isRecordOf(*mpImpDb, objId, layerTableId()))
        return Acad::eInvalidInput;
    mpImpDb->variables().clayer = objId;
    return Acad::eOk;
}

AcDbObjectId AcDbDatabase::celtype() const { return mpImpDb->variables().celtype; }

Acad::ErrorStatus AcDbDatabase::setCeltype(AcDbObjectId objId)
{
    if (!isRecordOf(*mpImpDb, objId, linetypeTableId()))
        return Acad::eInvalidInput;
    mpImpDb->variables().celtype = objId;
    return Acad::eOk;
}

AcDbObjectId AcDbDatabase::textstyle() const { return mpImpDb->variables().textstyle; }

Acad::ErrorStatus AcDbDatabase::setTextstyle(AcDbObjectId objId)
{
    if (!isRecordOf(*mpImpDb, objId, textStyleTableId()))
        return Acad::eInvalidInput;
    mpImpDb->variables().textstyle = objId;
    return Acad::eOk;
}

AcCmColor AcDbDatabase::cecolor() const { return mpImpDb->variables().cecolor; }

Acad::ErrorStatus AcDbDatabase::setCecolor(const AcCmColor& color)
{
    if (color.isNone())
        return Acad::eInvalidInput;
    mpImpDb->variables().cecolor = color;
    return Acad::eOk;
}

double AcDbDatabase::celtscale() const { return mpImpDb->variables().celtscale; }

Acad::ErrorStatus AcDbDatabase::setCeltscale(double scale)
{
    if (!cadhost::isPositive(scale))
        return Acad::eInvalidInput;
    mpImpDb->variables().celtscale = scale;
    return Acad::eOk;
}

AcDb::LineWeight AcDbDatabase::celweight() const { return mpImpDb->variables().celweight; }

Acad::ErrorStatus AcDbDatabase::setCelweight(AcDb::LineWeight weight)
{
    if (!cadhost::isLineWeight(weight))
        return Acad::eInvalidInput;
    mpImpDb->variables().celweight = weight;
    return Acad::eOk;
}

AcDb::UnitsValue AcDbDatabase::insunits() const { return mpImpDb->variables().insunits; }

Acad::ErrorStatus AcDbDatabase::setInsunits(const AcDb::UnitsValue units)
{
    if (units < AcDb::kUnitsUndefined || units > AcDb::kUnitsMax)
        return Acad::eOutOfRange;
    mpImpDb->variables().insunits = units;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObjectId& objId, AcDbObject* pObj)
{
    objId.setNull();
    if (pObj == nullptr)
        return Acad::eNullObjectPointer;
    if (AcDbImpObject::of(pObj)->isResident())
        return Acad::eAlreadyInDb;
    return mpImpDb->addObject(pObj, AcDbObjectId::kNull, objId);
}

Acad::ErrorStatus AcDbDatabase::getAcDbObjectId(AcDbObjectId& retId, bool createIfNotFound,
                                                const AcDbHandle& objHandle,
                                                Adesk::UInt32 xRefId)
{
    retId.setNull();
    if (xRefId != 0)
        return Acad::eInvalidInput;
    if (objHandle.isNull())
        return Acad::eNullHandle;
    AcDbStub* stub = mpImpDb->stubOf(objHandle);
    if (stub == nullptr)
        return createIfNotFound ? Acad::eNotImplementedYet : Acad::eUnknownHandle;
    retId = AcDbObjectId(stub);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::readDwgFile(const ACHAR* fileName)
{
    return cadhost::readDrawingFile(*this, fileName);
}

Acad::ErrorStatus AcDbDatabase::saveAs(const ACHAR* fileName)
{
    return cadhost::writeDrawingFile(*mpImpDb, fileName);
}

AcDbHandle AcDbDatabase::handseed() const { return mpImpDb->handseed(); }
Adesk::UInt32 AcDbDatabase::numObjects() const { return mpImpDb->numObjects(); }
Adesk::UInt32 AcDbDatabase::numProxies() const { return mpImpDb->numProxies(); }
