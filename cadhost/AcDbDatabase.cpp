#include "host/AcDbDatabase.h"

#include "cadhost/AcDbImpDatabase.h"
#include "cadhost/AcDbImpObject.h"
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

Acad::ErrorStatus AcDbDatabase::getBlockTable(AcDbBlockTable*& pTable, AcDb::OpenMode mode)
{
    return acdbOpenObject(pTable, blockTableId(), mode);
}

AcDbObjectId AcDbDatabase::blockTableId() const { return mpImpDb->blockTableId(); }

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
