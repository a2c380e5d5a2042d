// A point, drawn as the drawing's point style says.
#pragma once

#include "host/AcDbEntity.h"
#include "host/AcGePoint3d.h"

class AcDbPoint : public AcDbEntity
{
public:
    ACRX_DECLARE_MEMBERS(AcDbPoint);
    AcDbPoint();
    explicit AcDbPoint(const AcGePoint3d& position);
    ~AcDbPoint() override;

    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    // The angle of the x axis its point style is drawn along, in radians.
    double ecsRotation() const;
    Acad::ErrorStatus setEcsRotation(double rotation);

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

private:
    AcGePoint3d mPosition;
    double mEcsRotation = 0.0;
};
