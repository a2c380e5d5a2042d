#include "host/AcDbBlockReference.h"

#include "cadhost/AcDbImpObject.h"
#include "cadhost/HostClassRegistrar.h"
#include "cadhost/PseudoConstructor.h"
#include "host/AcDbDwgFiler.h"

ACRX_DEFINE_HOST_MEMBERS(AcDbBlockReference, ACRX_T("AcDbEntity"), ACRX_T("INSERT"),
                         &cadhost::pseudoConstruct<AcDbBlockReference>);

AcDbBlockReference::AcDbBlockReference() = default;

AcDbBlockReference::AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRec)
    : mBlockTableRecord(blockTableRec), mPosition(position)
{
}

AcDbBlockReference::~AcDbBlockReference() = default;

AcDbObjectId AcDbBlockReference::blockTableRecord() const
{
    assertReadEnabled();
    return mBlockTableRecord;
}

Acad::ErrorStatus AcDbBlockReference::setBlockTableRecord(AcDbObjectId newVal)
{
    return cadhost::setField<AcDbObjectId>(this, mBlockTableRecord, newVal);
}

AcGePoint3d AcDbBlockReference::position() const
{
    assertReadEnabled();
    return mPosition;
}

Acad::ErrorStatus AcDbBlockReference::setPosition(const AcGePoint3d& newVal)
{
    return cadhost::setField(this, mPosition, newVal);
}

AcGeScale3d AcDbBlockReference::scaleFactors() const
{
    assertReadEnabled();
    return mScale;
}

Acad::ErrorStatus AcDbBlockReference::setScaleFactors(const AcGeScale3d& scale)
{
    return cadhost::setField(this, mScale, scale);
}

double AcDbBlockReference::rotation() const
{
    assertReadEnabled();
    return mRotation;
}

Acad::ErrorStatus AcDbBlockReference::setRotation(double newVal)
{
    return cadhost::setField(this, mRotation, newVal);
}

Acad::ErrorStatus AcDbBlockReference::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbEntity::dwgInFields(pFiler);
    AcDbHardPointerId block;
    pFiler->readHardPointerId(&block);
    mBlockTableRecord = block;
    pFiler->readPoint3d(&mPosition);
    pFiler->readScale3d(&mScale);
    pFiler->readDouble(&mRotation);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbBlockReference::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbEntity::dwgOutFields(pFiler);
    pFiler->writeHardPointerId(mBlockTableRecord);
    pFiler->writePoint3d(mPosition);
    pFiler->writeScale3d(mScale);
    pFiler->writeDouble(mRotation);
    return pFiler->filerStatus();
}
