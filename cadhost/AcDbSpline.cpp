#include "host/AcDbCurves.h"

#include "cadhost/AcDbImpObject.h"
#include "cadhost/HostClassRegistrar.h"
#include "cadhost/PseudoConstructor.h"
#include "host/AcDbDwgFiler.h"

ACRX_DEFINE_HOST_MEMBERS(AcDbSpline, ACRX_T("AcDbCurve"), ACRX_T("SPLINE"),
                         &cadhost::pseudoConstruct<AcDbSpline>);

namespace
{
constexpr int kMaxDegree = 25;

// What setNurbsData asks of the data; a record that breaks it is not read
// as a spline either.
bool isNurbs(int degree, std::size_t controlPoints, const std::vector<double>& knots,
             const std::vector<double>& weights, double knotTol)
{
    if (controlPoints == 0)
        return knots.empty() && weights.empty();
    if (degree < 1 || degree > kMaxDegree || knots.size() != controlPoints + static_cast<std::size_t>(degree) + 1)
        return false;
    for (std::size_t i = 1; i < knots.size(); ++i)
        if (!(knots[i] >= knots[i - 1] - knotTol))
            return false;
    if (weights.empty())
        return true;
    if (weights.size() != controlPoints)
        return false;
    for (const double weight : weights)
        if (!(weight > 0.0))
            return false;
    return true;
}

template <class T> std::vector<T> vectorOf(const AcArray<T>& array)
{
    return {array.asArrayPtr(), array.asArrayPtr() + array.length()};
}

template <class T> void fill(AcArray<T>& array, const std::vector<T>& values)
{
    array.removeAll();
    for (const T& value : values)
        array.append(value);
}

template <class T, class Filing> void readAll(AcDbDwgFiler* pFiler, std::vector<T>& values, Filing readOne)
{
    values.clear();
    Adesk::UInt32 count = 0;
    pFiler->readUInt32(&count);
    for (Adesk::UInt32 i = 0; i < count && pFiler->filerStatus() == Acad::eOk; ++i)
        values.push_back(readOne());
}
} // namespace

AcDbSpline::AcDbSpline() = default;
AcDbSpline::~AcDbSpline() = default;

int AcDbSpline::degree() const
{
    assertReadEnabled();
    return mDegree;
}

bool AcDbSpline::isRational() const
{
    assertReadEnabled();
    return !mWeights.empty();
}

bool AcDbSpline::isClosed() const
{
    assertReadEnabled();
    return mClosed;
}

bool AcDbSpline::isPeriodic() const
{
    assertReadEnabled();
    return mPeriodic;
}

int AcDbSpline::numControlPoints() const
{
    assertReadEnabled();
    return static_cast<int>(mControlPoints.size());
}

Acad::ErrorStatus AcDbSpline::getControlPointAt(int index, AcGePoint3d& point) const
{
    assertReadEnabled();
    if (index < 0 || index >= static_cast<int>(mControlPoints.size()))
        return Acad::eInvalidIndex;
    point = mControlPoints[static_cast<std::size_t>(index)];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getNurbsData(int& degree, Adesk::Boolean& rational, Adesk::Boolean& closed,
                                           Adesk::Boolean& periodic, AcGePoint3dArray& controlPoints,
                                           AcGeDoubleArray& knots, AcGeDoubleArray& weights, double& controlPtTol,
                                           double& knotTol) const
{
    assertReadEnabled();
    degree = mDegree;
    rational = !mWeights.empty();
    closed = mClosed;
    periodic = mPeriodic;
    fill(controlPoints, mControlPoints);
    fill(knots, mKnots);
    fill(weights, mWeights);
    controlPtTol = mControlPtTol;
    knotTol = mKnotTol;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::setNurbsData(int degree, Adesk::Boolean rational, Adesk::Boolean closed,
                                           Adesk::Boolean periodic, const AcGePoint3dArray& controlPoints,
                                           const AcGeDoubleArray& knots, const AcGeDoubleArray& weights,
                                           double controlPtTol, double knotTol)
{
    std::vector<double> knotValues = vectorOf(knots);
    std::vector<double> weightValues = rational ? vectorOf(weights) : std::vector<double>();
    const auto count = static_cast<std::size_t>(controlPoints.length());
    if (!isNurbs(degree, count, knotValues, weightValues, knotTol) || (rational && weightValues.empty() && count > 0))
        return Acad::eInvalidInput;
    if (const Acad::ErrorStatus es = AcDbImpObject::beginChange(this); es != Acad::eOk)
        return es;
    mDegree = degree;
    mClosed = closed;
    mPeriodic = periodic;
    mControlPoints = vectorOf(controlPoints);
    mKnots = std::move(knotValues);
    mWeights = std::move(weightValues);
    mControlPtTol = controlPtTol;
    mKnotTol = knotTol;
    return Acad::eOk;
}

int AcDbSpline::numFitPoints() const
{
    assertReadEnabled();
    return static_cast<int>(mFitPoints.size());
}

Acad::ErrorStatus AcDbSpline::getFitPointAt(int index, AcGePoint3d& point) const
{
    assertReadEnabled();
    if (index < 0 || index >= static_cast<int>(mFitPoints.size()))
        return Acad::eInvalidIndex;
    point = mFitPoints[static_cast<std::size_t>(index)];
    return Acad::eOk;
}

bool AcDbSpline::hasFitData() const
{
    assertReadEnabled();
    return !mFitPoints.empty();
}

Acad::ErrorStatus AcDbSpline::getFitData(AcGePoint3dArray& fitPoints, int& degree, double& fitTolerance,
                                         Adesk::Boolean& tangentsExist, AcGeVector3d& startTangent,
                                         AcGeVector3d& endTangent) const
{
    assertReadEnabled();
    fill(fitPoints, mFitPoints);
    degree = mDegree;
    fitTolerance = mFitTolerance;
    startTangent = mStartTangent;
    endTangent = mEndTangent;
    tangentsExist = mStartTangent != AcGeVector3d() || mEndTangent != AcGeVector3d();
    return mFitPoints.empty() ? Acad::eNotApplicable : Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::setFitData(const AcGePoint3dArray& fitPoints, int degree, double fitTolerance,
                                         const AcGeVector3d& startTangent, const AcGeVector3d& endTangent)
{
    if (degree < 1 || degree > kMaxDegree || !(fitTolerance >= 0.0) ||
        (!mControlPoints.empty() && degree != mDegree))
        return Acad::eInvalidInput;
    if (const Acad::ErrorStatus es = AcDbImpObject::beginChange(this); es != Acad::eOk)
        return es;
    mFitPoints = vectorOf(fitPoints);
    mDegree = degree;
    mFitTolerance = fitTolerance;
    mStartTangent = startTangent;
    mEndTangent = endTangent;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    extents = AcDbExtents();
    for (const AcGePoint3d& point : mControlPoints.empty() ? mFitPoints : mControlPoints)
        extents.addPoint(point);
    return mControlPoints.empty() && mFitPoints.empty() ? Acad::eNotApplicable : Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbEntity::dwgInFields(pFiler);
    Adesk::Int32 degree = 0;
    pFiler->readInt32(&degree);
    mDegree = degree;
    pFiler->readBool(&mClosed);
    pFiler->readBool(&mPeriodic);
    pFiler->readDouble(&mControlPtTol);
    pFiler->readDouble(&mKnotTol);
    readAll(pFiler, mControlPoints, [pFiler] {
        AcGePoint3d point;
        pFiler->readPoint3d(&point);
        return point;
    });
    const auto readDouble = [pFiler] {
        double value = 0.0;
        pFiler->readDouble(&value);
        return value;
    };
    readAll(pFiler, mKnots, readDouble);
    readAll(pFiler, mWeights, readDouble);
    pFiler->readDouble(&mFitTolerance);
    readAll(pFiler, mFitPoints, [pFiler] {
        AcGePoint3d point;
        pFiler->readPoint3d(&point);
        return point;
    });
    pFiler->readVector3d(&mStartTangent);
    pFiler->readVector3d(&mEndTangent);
    if (pFiler->filerStatus() == Acad::eOk && !isNurbs(mDegree, mControlPoints.size(), mKnots, mWeights, mKnotTol))
        pFiler->setFilerStatus(Acad::eDwgObjectImproperlyRead);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbSpline::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbEntity::dwgOutFields(pFiler);
    pFiler->writeInt32(mDegree);
    pFiler->writeBool(mClosed);
    pFiler->writeBool(mPeriodic);
    pFiler->writeDouble(mControlPtTol);
    pFiler->writeDouble(mKnotTol);
    pFiler->writeUInt32(static_cast<Adesk::UInt32>(mControlPoints.size()));
    for (const AcGePoint3d& point : mControlPoints)
        pFiler->writePoint3d(point);
    for (const std::vector<double>* values : {&mKnots, &mWeights})
    {
        pFiler->writeUInt32(static_cast<Adesk::UInt32>(values->size()));
        for (const double value : *values)
            pFiler->writeDouble(value);
    }
    pFiler->writeDouble(mFitTolerance);
    pFiler->writeUInt32(static_cast<Adesk::UInt32>(mFitPoints.size()));
    for (const AcGePoint3d& point : mFitPoints)
        pFiler->writePoint3d(point);
    pFiler->writeVector3d(mStartTangent);
    return pFiler->writeVector3d(mEndTangent);
}
