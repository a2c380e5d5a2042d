#include "host/AcDbCurves.h"

#include "cadhost/AcDbImpObject.h"
#include "cadhost/EntityGeometry.h"
#include "cadhost/HostClassRegistrar.h"
#include "cadhost/PseudoConstructor.h"
#include "host/AcDbDwgFiler.h"

#include <cmath>

ACRX_DEFINE_HOST_MEMBERS(AcDbEllipse, ACRX_T("AcDbCurve"), ACRX_T("ELLIPSE"),
                         &cadhost::pseudoConstruct<AcDbEllipse>);

namespace
{
constexpr double kTurn = 6.28318530717958647692;

double length(const AcGeVector3d& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

AcGeVector3d cross(const AcGeVector3d& a, const AcGeVector3d& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

bool isRatio(double ratio) { return ratio > 0.0 && ratio <= 1.0; }
} // namespace

AcDbEllipse::AcDbEllipse() = default;

AcDbEllipse::AcDbEllipse(const AcGePoint3d& center, const AcGeVector3d& unitNormal, const AcGeVector3d& majorAxis,
                         double radiusRatio, double startAngle, double endAngle)
{
    set(center, unitNormal, majorAxis, radiusRatio, startAngle, endAngle);
}

AcDbEllipse::~AcDbEllipse() = default;

AcGePoint3d AcDbEllipse::center() const
{
    assertReadEnabled();
    return mCenter;
}

AcGeVector3d AcDbEllipse::normal() const
{
    assertReadEnabled();
    return mNormal;
}

AcGeVector3d AcDbEllipse::majorAxis() const
{
    assertReadEnabled();
    return mMajorAxis;
}

AcGeVector3d AcDbEllipse::minorAxis() const
{
    assertReadEnabled();
    const AcGeVector3d across = cross(mNormal, mMajorAxis);
    const double scale = mRadiusRatio * length(mMajorAxis) / length(across);
    return {across.x * scale, across.y * scale, across.z * scale};
}

double AcDbEllipse::radiusRatio() const
{
    assertReadEnabled();
    return mRadiusRatio;
}

// The point at parameter t is (a cos t, b sin t) along the axes, whose
// direction is at atan2(b sin t, a cos t).
double AcDbEllipse::angleAtParam(double param) const
{
    assertReadEnabled();
    const double turns = std::floor(param / (kTurn));
    const double within = param - turns * kTurn;
    double angle = std::atan2(mRadiusRatio * std::sin(within), std::cos(within));
    if (angle < 0.0)
        angle += kTurn;
    return angle + turns * kTurn;
}

double AcDbEllipse::paramAtAngle(double angle) const
{
    assertReadEnabled();
    const double turns = std::floor(angle / (kTurn));
    const double within = angle - turns * kTurn;
    double param = std::atan2(std::sin(within) / mRadiusRatio, std::cos(within));
    if (param < 0.0)
        param += kTurn;
    return param + turns * kTurn;
}

double AcDbEllipse::startAngle() const { return angleAtParam(mStartParam); }
double AcDbEllipse::endAngle() const { return angleAtParam(mEndParam); }

Acad::ErrorStatus AcDbEllipse::set(const AcGePoint3d& center, const AcGeVector3d& unitNormal,
                                   const AcGeVector3d& majorAxis, double radiusRatio, double startAngle,
                                   double endAngle)
{
    if (!(length(majorAxis) > 0.0) || !(length(unitNormal) > 0.0) || !isRatio(radiusRatio))
        return Acad::eInvalidInput;
    if (const Acad::ErrorStatus es = AcDbImpObject::beginChange(this); es != Acad::eOk)
        return es;
    mCenter = center;
    mNormal = unitNormal;
    mMajorAxis = majorAxis;
    mRadiusRatio = radiusRatio;
    mStartParam = paramAtAngle(startAngle);
    mEndParam = paramAtAngle(endAngle);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::setStartParam(double startParam)
{
    return cadhost::setField(this, mStartParam, startParam);
}

Acad::ErrorStatus AcDbEllipse::setEndParam(double endParam) { return cadhost::setField(this, mEndParam, endParam); }

Acad::ErrorStatus AcDbEllipse::getStartParam(double& param) const
{
    assertReadEnabled();
    param = mStartParam;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::getEndParam(double& param) const
{
    assertReadEnabled();
    param = mEndParam;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    extents = AcDbExtents();
    const double end = mEndParam <= mStartParam ? mEndParam + kTurn : mEndParam;
    cadhost::addEllipseExtents(extents, mCenter, mMajorAxis, minorAxis(), mStartParam, end);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbEntity::dwgInFields(pFiler);
    pFiler->readPoint3d(&mCenter);
    pFiler->readVector3d(&mNormal);
    pFiler->readVector3d(&mMajorAxis);
    pFiler->readDouble(&mRadiusRatio);
    pFiler->readDouble(&mStartParam);
    pFiler->readDouble(&mEndParam);
    if (pFiler->filerStatus() == Acad::eOk && (!isRatio(mRadiusRatio) || !(length(mMajorAxis) > 0.0)))
        pFiler->setFilerStatus(Acad::eDwgObjectImproperlyRead);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbEllipse::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbEntity::dwgOutFields(pFiler);
    pFiler->writePoint3d(mCenter);
    pFiler->writeVector3d(mNormal);
    pFiler->writeVector3d(mMajorAxis);
    pFiler->writeDouble(mRadiusRatio);
    pFiler->writeDouble(mStartParam);
    return pFiler->writeDouble(mEndParam);
}
