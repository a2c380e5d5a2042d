#include "host/AcDbObject.h"

#include "cadhost/AcDbImpDatabase.h"
#include "cadhost/AcDbImpObject.h"
#include "cadhost/HostClassRegistrar.h"
#include "host/AcDbDwgFiler.h"

ACRX_DEFINE_HOST_MEMBERS(AcDbObject, ACRX_T("AcRxObject"), nullptr, nullptr);

AcDbObject::AcDbObject() : mpImpObject(new AcDbImpObject(this)) {}

AcDbObject::~AcDbObject() { delete mpImpObject; }

AcDbObjectId AcDbObject::objectId() const { return AcDbObjectId(mpImpObject->stub()); }

AcDbObjectId AcDbObject::ownerId() const { return mpImpObject->ownerId(); }

Acad::ErrorStatus AcDbObject::setOwnerId(AcDbObjectId objId)
{
    if (const Acad::ErrorStatus es = AcDbImpObject::beginChange(this); es != Acad::eOk)
        return es;
    mpImpObject->setOwnerId(objId);
    return Acad::eOk;
}

void AcDbObject::getAcDbHandle(AcDbHandle& handle) const { handle = objectId().handle(); }

AcDbDatabase* AcDbObject::database() const
{
    const AcDbImpDatabase* db = mpImpObject->database();
    return db != nullptr ? db->database() : nullptr;
}

Acad::ErrorStatus AcDbObject::close() { return mpImpObject->close(); }
Acad::ErrorStatus AcDbObject::cancel() { return mpImpObject->cancel(); }
Acad::ErrorStatus AcDbObject::upgradeOpen() { return mpImpObject->upgradeOpen(); }
Acad::ErrorStatus AcDbObject::downgradeOpen() { return mpImpObject->downgradeOpen(); }
Acad::ErrorStatus AcDbObject::erase(Adesk::Boolean erasing) { return mpImpObject->erase(erasing); }

bool AcDbObject::isErased() const { return mpImpObject->isErased(); }
bool AcDbObject::isReadEnabled() const { return mpImpObject->isReadEnabled(); }
bool AcDbObject::isWriteEnabled() const { return mpImpObject->isWriteEnabled(); }
bool AcDbObject::isNewObject() const { return mpImpObject->isNew(); }
bool AcDbObject::isModified() const { return mpImpObject->isModified(); }

void AcDbObject::assertReadEnabled() const { mpImpObject->assertReadEnabled(); }

void AcDbObject::assertWriteEnabled(Adesk::Boolean autoUndo, Adesk::Boolean recordModified)
{
    mpImpObject->assertWriteEnabled(autoUndo, recordModified);
}

// The host's part of every record is the owner, filed as a soft pointer so
// that it never keeps its owner alive in copies.
Acad::ErrorStatus AcDbObject::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbSoftPointerId owner;
    pFiler->readSoftPointerId(&owner);
    mpImpObject->setOwnerId(owner);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbObject::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    pFiler->writeSoftPointerId(mpImpObject->ownerId());
    return pFiler->filerStatus();
}
