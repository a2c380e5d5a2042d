#include "host/AcDbEntity.h"

#include "cadhost/AcDbImpObject.h"
#include "cadhost/HostClassRegistrar.h"
#include "host/AcDbDwgFiler.h"

ACRX_DEFINE_HOST_MEMBERS(AcDbEntity, ACRX_T("AcDbObject"), nullptr, nullptr);

AcDbEntity::AcDbEntity() = default;
AcDbEntity::~AcDbEntity() = default;

AcDbObjectId AcDbEntity::blockId() const
{
    assertReadEnabled();
    return ownerId();
}

AcDb::Visibility AcDbEntity::visibility() const
{
    assertReadEnabled();
    return mVisibility;
}

Acad::ErrorStatus AcDbEntity::setVisibility(AcDb::Visibility newVal, Adesk::Boolean)
{
    return cadhost::setField(this, mVisibility, newVal);
}

Acad::ErrorStatus AcDbEntity::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbObject::dwgInFields(pFiler);
    bool invisible = false;
    pFiler->readBool(&invisible);
    mVisibility = invisible ? AcDb::kInvisible : AcDb::kVisible;
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbEntity::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbObject::dwgOutFields(pFiler);
    return pFiler->writeBool(mVisibility == AcDb::kInvisible);
}
