// The host's plane curves, as far as a hatch's boundary edges are made of
// them: line segments, circular and elliptical arcs, and NURBS curves. Plain
// values; a hatch hands out copies that the caller deletes.
#pragma once

#include "host/AcArray.h"
#include "host/AcGePoint3d.h"


namespace AcGe
{
enum EntityId
{
    kLineSeg2d,
    kCircArc2d,
    kEllipArc2d,
    kNurbCurve2d
};
} // namespace AcGe

class AcGeCurve2d
{
public:
    virtual ~AcGeCurve2d() = default;
    virtual AcGe::EntityId type() const = 0;
    virtual AcGeCurve2d* copy() const = 0;

protected:
    AcGeCurve2d() = default;
    AcGeCurve2d(const AcGeCurve2d&) = default;
    AcGeCurve2d& operator=(const AcGeCurve2d&) = default;
};

class AcGeLineSeg2d : public AcGeCurve2d
{
public:
    AcGeLineSeg2d(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2) : mStart(pnt1), mEnd(pnt2) {}
    AcGe::EntityId type() const override { return AcGe::kLineSeg2d; }
    AcGeCurve2d* copy() const override { return new AcGeLineSeg2d(*this); }

    AcGePoint2d startPoint() const { return mStart; }
    AcGePoint2d endPoint() const { return mEnd; }

private:
    AcGePoint2d mStart;
    AcGePoint2d mEnd;
};

// Angles in radians from refVec, counter-clockwise, or clockwise when
// isClockWise.
class AcGeCircArc2d : public AcGeCurve2d
{
public:
    AcGeCircArc2d(const AcGePoint2d& cent, double radius, double startAngle, double endAngle,
                  const AcGeVector2d& refVec = AcGeVector2d(1.0, 0.0), bool isClockWise = false)
        : mCenter(cent), mRadius(radius), mStart(startAngle), mEnd(endAngle), mRef(refVec), mClockwise(isClockWise)
    {
    }
    AcGe::EntityId type() const override { return AcGe::kCircArc2d; }
    AcGeCurve2d* copy() const override { return new AcGeCircArc2d(*this); }

    AcGePoint2d center() const { return mCenter; }
    double radius() const { return mRadius; }
    double startAng() const { return mStart; }
    double endAng() const { return mEnd; }
    AcGeVector2d refVec() const { return mRef; }
    bool isClockWise() const { return mClockwise; }

private:
    AcGePoint2d mCenter;
    double mRadius;
    double mStart;
    double mEnd;
    AcGeVector2d mRef;
    bool mClockwise;
};

class AcGeEllipArc2d : public AcGeCurve2d
{
public:
    AcGeEllipArc2d(const AcGePoint2d& cent, const AcGeVector2d& majorAxis, const AcGeVector2d& minorAxis,
                   double majorRadius, double minorRadius, double startAngle, double endAngle)
        : mCenter(cent), mMajor(majorAxis), mMinor(minorAxis), mMajorRadius(majorRadius), mMinorRadius(minorRadius),
          mStart(startAngle), mEnd(endAngle)
    {
    }
    AcGe::EntityId type() const override { return AcGe::kEllipArc2d; }
    AcGeCurve2d* copy() const override { return new AcGeEllipArc2d(*this); }

    AcGePoint2d center() const { return mCenter; }
    // Unit vectors.
    AcGeVector2d majorAxis() const { return mMajor; }
    AcGeVector2d minorAxis() const { return mMinor; }
    double majorRadius() const { return mMajorRadius; }
    double minorRadius() const { return mMinorRadius; }
    double startAng() const { return mStart; }
    double endAng() const { return mEnd; }
    // Clockwise when the minor axis is the major turned clockwise.
    bool isClockWise() const { return mMajor.x * mMinor.y - mMajor.y * mMinor.x < 0.0; }

private:
    AcGePoint2d mCenter;
    AcGeVector2d mMajor;
    AcGeVector2d mMinor;
    double mMajorRadius;
    double mMinorRadius;
    double mStart;
    double mEnd;
};

class AcGeKnotVector
{
public:
    AcGeKnotVector() = default;
    AcGeKnotVector(int size, const double source[])
    {
        for (int i = 0; i < size; ++i)
            mKnots.append(source[i]);
    }
    explicit AcGeKnotVector(const AcGeDoubleArray& source) : mKnots(source) {}

    int length() const { return mKnots.length(); }
    double operator[](int index) const { return mKnots[index]; }
    const double* asArrayPtr() const { return mKnots.asArrayPtr(); }
    AcGeKnotVector& append(double knot)
    {
        mKnots.append(knot);
        return *this;
    }

private:
    AcGeDoubleArray mKnots;
};

// A rational curve has one weight per control point; a polynomial one none.
class AcGeNurbCurve2d : public AcGeCurve2d
{
public:
    AcGeNurbCurve2d(int degree, const AcGeKnotVector& knots, const AcGePoint2dArray& cntrlPnts,
                    const AcGeDoubleArray& weights, bool isPeriodic = false)
        : mDegree(degree), mKnots(knots), mPoints(cntrlPnts), mWeights(weights), mPeriodic(isPeriodic)
    {
    }
    AcGe::EntityId type() const override { return AcGe::kNurbCurve2d; }
    AcGeCurve2d* copy() const override { return new AcGeNurbCurve2d(*this); }

    int degree() const { return mDegree; }
    int numControlPoints() const { return mPoints.length(); }
    AcGePoint2d controlPointAt(int index) const { return mPoints[index]; }
    bool isRational() const { return !mWeights.isEmpty(); }
    bool isPeriodic() const { return mPeriodic; }
    void getDefinitionData(int& degree, bool& rational, bool& periodic, AcGeKnotVector& knots,
                           AcGePoint2dArray& controlPoints, AcGeDoubleArray& weights) const
    {
        degree = mDegree;
        rational = isRational();
        periodic = mPeriodic;
        knots = mKnots;
        controlPoints = mPoints;
        weights = mWeights;
    }

private:
    int mDegree;
    AcGeKnotVector mKnots;
    AcGePoint2dArray mPoints;
    AcGeDoubleArray mWeights;
    bool mPeriodic;
};
