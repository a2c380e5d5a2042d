// An insertion of a block definition at a position with scale factors.
#pragma once

#include "host/AcDbEntity.h"
#include "host/AcGePoint3d.h"

class AcDbBlockReference : public AcDbEntity
{
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockReference);
    AcDbBlockReference();
    AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRec);
    ~AcDbBlockReference() override;

    AcDbObjectId blockTableRecord() const;
    virtual Acad::ErrorStatus setBlockTableRecord(AcDbObjectId newVal);
    virtual AcGePoint3d position() const;
    virtual Acad::ErrorStatus setPosition(const AcGePoint3d& newVal);
    AcGeScale3d scaleFactors() const;
    virtual Acad::ErrorStatus setScaleFactors(const AcGeScale3d& scale);
    double rotation() const;
    virtual Acad::ErrorStatus setRotation(double newVal);

    // The box of its block's entities' boxes, each corner placed as the
    // reference places the block: it may be larger than the placed
    // geometry when the reference turns it. References nested deeper than
    // 64 levels (a block that holds itself) count for nothing.
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

private:
    AcDbObjectId mBlockTableRecord;
    AcGePoint3d mPosition;
    AcGeScale3d mScale;
    double mRotation = 0.0;
};
