#include "host/AcDbCurves.h"

#include "cadhost/AcDbImpObject.h"
#include "cadhost/EntityGeometry.h"
#include "cadhost/FilingRules.h"
#include "cadhost/HostClassRegistrar.h"
#include "cadhost/PseudoConstructor.h"
#include "host/AcDbDwgFiler.h"

#include <cmath>

ACRX_DEFINE_HOST_MEMBERS(AcDbCurve, ACRX_T("AcDbEntity"), nullptr, nullptr);
ACRX_DEFINE_HOST_MEMBERS(AcDbLine, ACRX_T("AcDbCurve"), ACRX_T("LINE"),
                         &cadhost::pseudoConstruct<AcDbLine>);
ACRX_DEFINE_HOST_MEMBERS(AcDbCircle, ACRX_T("AcDbCurve"), ACRX_T("CIRCLE"),
                         &cadhost::pseudoConstruct<AcDbCircle>);
ACRX_DEFINE_HOST_MEMBERS(AcDbArc, ACRX_T("AcDbCurve"), ACRX_T("ARC"),
                         &cadhost::pseudoConstruct<AcDbArc>);
ACRX_DEFINE_HOST_MEMBERS(AcDbPolyline, ACRX_T("AcDbCurve"), ACRX_T("LWPOLYLINE"),
                         &cadhost::pseudoConstruct<AcDbPolyline>);

AcDbCurve::AcDbCurve() = default;
AcDbCurve::~AcDbCurve() = default;

Acad::ErrorStatus AcDbCurve::getStartParam(double&) const
{
    assertReadEnabled();
    return Acad::eNotImplementedYet;
}

Acad::ErrorStatus AcDbCurve::getEndParam(double&) const
{
    assertReadEnabled();
    return Acad::eNotImplementedYet;
}

AcDbLine::AcDbLine() = default;
AcDbLine::AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end) : mStart(start), mEnd(end) {}
AcDbLine::~AcDbLine() = default;

AcGePoint3d AcDbLine::startPoint() const
{
    assertReadEnabled();
    return mStart;
}

Acad::ErrorStatus AcDbLine::setStartPoint(const AcGePoint3d& point)
{
    return cadhost::setField(this, mStart, point);
}

AcGePoint3d AcDbLine::endPoint() const
{
    assertReadEnabled();
    return mEnd;
}

Acad::ErrorStatus AcDbLine::setEndPoint(const AcGePoint3d& point)
{
    return cadhost::setField(this, mEnd, point);
}

Acad::ErrorStatus AcDbLine::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    extents = AcDbExtents();
    extents.addPoint(mStart);
    extents.addPoint(mEnd);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbEntity::dwgInFields(pFiler);
    pFiler->readPoint3d(&mStart);
    pFiler->readPoint3d(&mEnd);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbLine::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbEntity::dwgOutFields(pFiler);
    pFiler->writePoint3d(mStart);
    pFiler->writePoint3d(mEnd);
    return pFiler->filerStatus();
}

AcDbCircle::AcDbCircle() = default;

AcDbCircle::AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius)
    : mCenter(center), mNormal(normal), mRadius(radius)
{
}

AcDbCircle::~AcDbCircle() = default;

AcGePoint3d AcDbCircle::center() const
{
    assertReadEnabled();
    return mCenter;
}

Acad::ErrorStatus AcDbCircle::setCenter(const AcGePoint3d& point)
{
    return cadhost::setField(this, mCenter, point);
}

AcGeVector3d AcDbCircle::normal() const
{
    assertReadEnabled();
    return mNormal;
}

double AcDbCircle::radius() const
{
    assertReadEnabled();
    return mRadius;
}

Acad::ErrorStatus AcDbCircle::setRadius(double radius)
{
    if (!(radius > 0.0))
        return Acad::eInvalidInput;
    return cadhost::setField(this, mRadius, radius);
}

namespace
{
// A circle off the plane seen from above is boxed as the sphere it lies on.
bool isFlat(const AcGeVector3d& normal) { return normal.x == 0.0 && normal.y == 0.0; }

AcDbExtents sphereBox(const AcGePoint3d& center, double radius)
{
    return {{center.x - radius, center.y - radius, center.z - radius},
            {center.x + radius, center.y + radius, center.z + radius}};
}
} // namespace

Acad::ErrorStatus AcDbCircle::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    extents = sphereBox(mCenter, mRadius);
    if (isFlat(mNormal))
        extents.set({mCenter.x - mRadius, mCenter.y - mRadius, mCenter.z},
                    {mCenter.x + mRadius, mCenter.y + mRadius, mCenter.z});
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbEntity::dwgInFields(pFiler);
    pFiler->readPoint3d(&mCenter);
    pFiler->readVector3d(&mNormal);
    pFiler->readDouble(&mRadius);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbCircle::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbEntity::dwgOutFields(pFiler);
    pFiler->writePoint3d(mCenter);
    pFiler->writeVector3d(mNormal);
    pFiler->writeDouble(mRadius);
    return pFiler->filerStatus();
}

AcDbArc::AcDbArc() = default;

AcDbArc::AcDbArc(const AcGePoint3d& center, double radius, double startAngle, double endAngle)
    : mCenter(center), mRadius(radius), mStartAngle(startAngle), mEndAngle(endAngle)
{
}

AcDbArc::~AcDbArc() = default;

AcGePoint3d AcDbArc::center() const
{
    assertReadEnabled();
    return mCenter;
}

AcGeVector3d AcDbArc::normal() const
{
    assertReadEnabled();
    return mNormal;
}

double AcDbArc::radius() const
{
    assertReadEnabled();
    return mRadius;
}

double AcDbArc::startAngle() const
{
    assertReadEnabled();
    return mStartAngle;
}

double AcDbArc::endAngle() const
{
    assertReadEnabled();
    return mEndAngle;
}

Acad::ErrorStatus AcDbArc::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    extents = sphereBox(mCenter, mRadius);
    if (!isFlat(mNormal))
        return Acad::eOk;
    extents = AcDbExtents();
    // Seen from below, the arc runs the other way round.
    if (mNormal.z < 0.0)
        cadhost::addArcExtents(extents, mCenter, mRadius, -mEndAngle, -mStartAngle);
    else
        cadhost::addArcExtents(extents, mCenter, mRadius, mStartAngle, mEndAngle);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbEntity::dwgInFields(pFiler);
    pFiler->readPoint3d(&mCenter);
    pFiler->readVector3d(&mNormal);
    pFiler->readDouble(&mRadius);
    pFiler->readDouble(&mStartAngle);
    pFiler->readDouble(&mEndAngle);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbArc::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbEntity::dwgOutFields(pFiler);
    pFiler->writePoint3d(mCenter);
    pFiler->writeVector3d(mNormal);
    pFiler->writeDouble(mRadius);
    pFiler->writeDouble(mStartAngle);
    pFiler->writeDouble(mEndAngle);
    return pFiler->filerStatus();
}

AcDbPolyline::AcDbPolyline() = default;
AcDbPolyline::~AcDbPolyline() = default;

Acad::ErrorStatus AcDbPolyline::addVertexAt(unsigned int index, const AcGePoint2d& pt,
                                            double bulge, double startWidth, double endWidth)
{
    if (const Acad::ErrorStatus es = AcDbImpObject::beginChange(this); es != Acad::eOk)
        return es;
    if (index > mVertices.size())
        return Acad::eInvalidIndex;
    mVertices.insert(mVertices.begin() + index, Vertex{pt, bulge, startWidth, endWidth});
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint2d& pt) const
{
    assertReadEnabled();
    if (index >= mVertices.size())
        return Acad::eInvalidIndex;
    pt = mVertices[index].point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getBulgeAt(unsigned int index, double& bulge) const
{
    assertReadEnabled();
    if (index >= mVertices.size())
        return Acad::eInvalidIndex;
    bulge = mVertices[index].bulge;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const
{
    assertReadEnabled();
    if (index >= mVertices.size())
        return Acad::eInvalidIndex;
    const Vertex& v = mVertices[index];
    startWidth = v.startWidth >= 0.0 ? v.startWidth : mConstantWidth;
    endWidth = v.endWidth >= 0.0 ? v.endWidth : mConstantWidth;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setWidthsAt(unsigned int index, double startWidth, double endWidth)
{
    if (const Acad::ErrorStatus es = AcDbImpObject::beginChange(this); es != Acad::eOk)
        return es;
    if (index >= mVertices.size())
        return Acad::eInvalidIndex;
    mVertices[index].startWidth = startWidth;
    mVertices[index].endWidth = endWidth;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getConstantWidth(double& width) const
{
    assertReadEnabled();
    width = mConstantWidth;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setConstantWidth(double width)
{
    if (!(width >= 0.0 && std::isfinite(width)))
        return Acad::eInvalidInput;
    if (const Acad::ErrorStatus es = AcDbImpObject::beginChange(this); es != Acad::eOk)
        return es;
    mConstantWidth = width;
    for (Vertex& v : mVertices)
        v.startWidth = v.endWidth = -1.0;
    return Acad::eOk;
}

double AcDbPolyline::elevation() const
{
    assertReadEnabled();
    return mElevation;
}

void AcDbPolyline::setElevation(double elevation) { cadhost::setField(this, mElevation, elevation); }

unsigned int AcDbPolyline::numVerts() const
{
    assertReadEnabled();
    return static_cast<unsigned int>(mVertices.size());
}

bool AcDbPolyline::isClosed() const
{
    assertReadEnabled();
    return mClosed;
}

void AcDbPolyline::setClosed(bool closed) { cadhost::setField(this, mClosed, closed); }

Acad::ErrorStatus AcDbPolyline::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    extents = AcDbExtents();
    const std::size_t count = mVertices.size();
    if (count == 0)
        return Acad::eNotApplicable;
    const std::size_t segments = mClosed ? count : count - 1;
    extents.addPoint({mVertices[0].point.x, mVertices[0].point.y, mElevation});
    for (std::size_t i = 0; i < segments; ++i)
        cadhost::addBulgeExtents(extents, mVertices[i].point, mVertices[(i + 1) % count].point,
                                 mVertices[i].bulge, mElevation);
    return Acad::eOk;
}

// The first format had no constant width or elevation.
Acad::ErrorStatus AcDbPolyline::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbEntity::dwgInFields(pFiler);
    pFiler->readBool(&mClosed);
    mConstantWidth = 0.0;
    mElevation = 0.0;
    if (cadhost::recordFormat(pFiler) != cadhost::kFirstRecordFormat)
    {
        pFiler->readDouble(&mConstantWidth);
        pFiler->readDouble(&mElevation);
    }
    Adesk::UInt32 count = 0;
    pFiler->readUInt32(&count);
    mVertices.clear();
    for (Adesk::UInt32 i = 0; i < count && pFiler->filerStatus() == Acad::eOk; ++i)
    {
        Vertex v{};
        pFiler->readPoint2d(&v.point);
        pFiler->readDouble(&v.bulge);
        pFiler->readDouble(&v.startWidth);
        pFiler->readDouble(&v.endWidth);
        mVertices.push_back(v);
    }
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbPolyline::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbEntity::dwgOutFields(pFiler);
    pFiler->writeBool(mClosed);
    pFiler->writeDouble(mConstantWidth);
    pFiler->writeDouble(mElevation);
    pFiler->writeUInt32(static_cast<Adesk::UInt32>(mVertices.size()));
    for (const Vertex& v : mVertices)
    {
        pFiler->writePoint2d(v.point);
        pFiler->writeDouble(v.bulge);
        pFiler->writeDouble(v.startWidth);
        pFiler->writeDouble(v.endWidth);
    }
    return pFiler->filerStatus();
}
