#include "host/AcDbPoint.h"

#include "cadhost/AcDbImpObject.h"
#include "cadhost/HostClassRegistrar.h"
#include "cadhost/PseudoConstructor.h"
#include "host/AcDbDwgFiler.h"

ACRX_DEFINE_HOST_MEMBERS(AcDbPoint, ACRX_T("AcDbEntity"), ACRX_T("POINT"), &cadhost::pseudoConstruct<AcDbPoint>);

AcDbPoint::AcDbPoint() = default;
AcDbPoint::AcDbPoint(const AcGePoint3d& position) : mPosition(position) {}
AcDbPoint::~AcDbPoint() = default;

AcGePoint3d AcDbPoint::position() const
{
    assertReadEnabled();
    return mPosition;
}

Acad::ErrorStatus AcDbPoint::setPosition(const AcGePoint3d& position)
{
    return cadhost::setField(this, mPosition, position);
}

double AcDbPoint::ecsRotation() const
{
    assertReadEnabled();
    return mEcsRotation;
}

Acad::ErrorStatus AcDbPoint::setEcsRotation(double rotation) { return cadhost::setField(this, mEcsRotation, rotation); }

Acad::ErrorStatus AcDbPoint::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    extents = AcDbExtents(mPosition, mPosition);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbEntity::dwgInFields(pFiler);
    pFiler->readPoint3d(&mPosition);
    return pFiler->readDouble(&mEcsRotation);
}

Acad::ErrorStatus AcDbPoint::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbEntity::dwgOutFields(pFiler);
    pFiler->writePoint3d(mPosition);
    return pFiler->writeDouble(mEcsRotation);
}
