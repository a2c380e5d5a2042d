// The curves that drawings are drawn with.
#pragma once

#include "host/AcArray.h"
#include "host/AcDbEntity.h"
#include "host/AcGePoint3d.h"

#include <vector>

// What every curve has: a parameter running from its start to its end.
class AcDbCurve : public AcDbEntity
{
public:
    ACRX_DECLARE_MEMBERS(AcDbCurve);
    ~AcDbCurve() override;

    // Curves whose parameters the stand-in does not give answer
    // eNotImplementedYet.
    virtual Acad::ErrorStatus getStartParam(double& param) const;
    virtual Acad::ErrorStatus getEndParam(double& param) const;

protected:
    AcDbCurve();
};

class AcDbLine : public AcDbCurve
{
public:
    ACRX_DECLARE_MEMBERS(AcDbLine);
    AcDbLine();
    AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end);
    ~AcDbLine() override;

    AcGePoint3d startPoint() const;
    Acad::ErrorStatus setStartPoint(const AcGePoint3d& point);
    AcGePoint3d endPoint() const;
    Acad::ErrorStatus setEndPoint(const AcGePoint3d& point);

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

private:
    AcGePoint3d mStart;
    AcGePoint3d mEnd;
};

class AcDbCircle : public AcDbCurve
{
public:
    ACRX_DECLARE_MEMBERS(AcDbCircle);
    AcDbCircle();
    AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius);
    ~AcDbCircle() override;

    AcGePoint3d center() const;
    Acad::ErrorStatus setCenter(const AcGePoint3d& point);
    AcGeVector3d normal() const;
    double radius() const;
    // A radius that is not positive is eInvalidInput.
    Acad::ErrorStatus setRadius(double radius);

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

private:
    AcGePoint3d mCenter;
    AcGeVector3d mNormal{0.0, 0.0, 1.0};
    double mRadius = 0.0;
};

// A circular arc from startAngle to endAngle (radians from the x axis),
// counter-clockwise about its normal.
class AcDbArc : public AcDbCurve
{
public:
    ACRX_DECLARE_MEMBERS(AcDbArc);
    AcDbArc();
    AcDbArc(const AcGePoint3d& center, double radius, double startAngle, double endAngle);
    ~AcDbArc() override;

    AcGePoint3d center() const;
    AcGeVector3d normal() const;
    double radius() const;
    double startAngle() const;
    double endAngle() const;

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

private:
    AcGePoint3d mCenter;
    AcGeVector3d mNormal{0.0, 0.0, 1.0};
    double mRadius = 0.0;
    double mStartAngle = 0.0;
    double mEndAngle = 0.0;
};

class AcDbPolyline : public AcDbCurve
{
public:
    ACRX_DECLARE_MEMBERS(AcDbPolyline);
    AcDbPolyline();
    ~AcDbPolyline() override;

    // Inserts a vertex before index (index == numVerts() appends); an index
    // past the end answers eInvalidIndex. Widths are kept as given: a
    // negative width means the polyline's constant width.
    Acad::ErrorStatus addVertexAt(unsigned int index, const AcGePoint2d& pt, double bulge = 0.0,
                                  double startWidth = -1.0, double endWidth = -1.0);
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint2d& pt) const;
    // The bulge of the segment that starts at vertex index: the tangent of a
    // quarter of its arc's included angle, positive counter-clockwise, 0 for
    // a straight segment.
    Acad::ErrorStatus getBulgeAt(unsigned int index, double& bulge) const;
    // The widths of the segment that starts at vertex index, at its start
    // and its end: those the vertex was given, else the constant width.
    Acad::ErrorStatus getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const;
    // Widths of the vertex's own; negative ones give it the constant width
    // again.
    Acad::ErrorStatus setWidthsAt(unsigned int index, double startWidth, double endWidth);
    // The width of every segment without widths of its own; 0 by default.
    Acad::ErrorStatus getConstantWidth(double& width) const;
    // Every segment takes it, widths of their own dropped; eInvalidInput
    // below 0.
    Acad::ErrorStatus setConstantWidth(double width);
    // The height of its plane above the origin.
    double elevation() const;
    void setElevation(double elevation);
    unsigned int numVerts() const;
    bool isClosed() const;
    void setClosed(bool closed);

    // Bent segments count by their arcs; widths are not counted.
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

private:
    struct Vertex
    {
        AcGePoint2d point;
        double bulge;
        double startWidth;
        double endWidth;
    };
    std::vector<Vertex> mVertices;
    bool mClosed = false;
    double mConstantWidth = 0.0;
    double mElevation = 0.0;
};

// An ellipse, or an arc of one, about its center in the plane of its normal.
// Its parameter runs from the major axis towards the minor axis (the normal
// crossed with the major), a whole ellipse from 0 to 2 pi; the point at
// parameter t is center + cos t major + sin t minor.
class AcDbEllipse : public AcDbCurve
{
public:
    ACRX_DECLARE_MEMBERS(AcDbEllipse);
    AcDbEllipse();
    // The angles are those of the ends' directions from the center, from the
    // major axis (paramAtAngle turns them into parameters).
    AcDbEllipse(const AcGePoint3d& center, const AcGeVector3d& unitNormal, const AcGeVector3d& majorAxis,
                double radiusRatio, double startAngle = 0.0, double endAngle = 6.28318530717958647692);
    ~AcDbEllipse() override;

    AcGePoint3d center() const;
    AcGeVector3d normal() const;
    AcGeVector3d majorAxis() const;
    AcGeVector3d minorAxis() const;
    double radiusRatio() const;
    // The angles, from the major axis, of the ends' directions from the center.
    double startAngle() const;
    double endAngle() const;
    // eInvalidInput for a major axis of no length or a ratio not in (0, 1].
    Acad::ErrorStatus set(const AcGePoint3d& center, const AcGeVector3d& unitNormal,
                          const AcGeVector3d& majorAxis, double radiusRatio, double startAngle = 0.0,
                          double endAngle = 6.28318530717958647692);
    Acad::ErrorStatus setStartParam(double startParam);
    Acad::ErrorStatus setEndParam(double endParam);
    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    double paramAtAngle(double angle) const;
    double angleAtParam(double param) const;

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

private:
    AcGePoint3d mCenter;
    AcGeVector3d mNormal{0.0, 0.0, 1.0};
    AcGeVector3d mMajorAxis{1.0, 0.0, 0.0};
    double mRadiusRatio = 1.0;
    double mStartParam = 0.0;
    double mEndParam = 6.28318530717958647692;
};

// A NURBS curve, given by its control points, knots and weights, and the
// fit points it was drawn through, when it was: either or both.
class AcDbSpline : public AcDbCurve
{
public:
    ACRX_DECLARE_MEMBERS(AcDbSpline);
    AcDbSpline();
    ~AcDbSpline() override;

    int degree() const;
    bool isRational() const;
    bool isClosed() const;
    bool isPeriodic() const;
    int numControlPoints() const;
    Acad::ErrorStatus getControlPointAt(int index, AcGePoint3d& point) const;
    Acad::ErrorStatus getNurbsData(int& degree, Adesk::Boolean& rational, Adesk::Boolean& closed,
                                   Adesk::Boolean& periodic, AcGePoint3dArray& controlPoints,
                                   AcGeDoubleArray& knots, AcGeDoubleArray& weights, double& controlPtTol,
                                   double& knotTol) const;
    // eInvalidInput unless: a degree from 1 to 25; as many knots as control
    // points plus the degree plus one; knots that never decrease (by more
    // than knotTol); a weight above 0 for each control point when rational,
    // none otherwise. No control points at all is taken, for a spline
    // given by its fit points alone.
    Acad::ErrorStatus setNurbsData(int degree, Adesk::Boolean rational, Adesk::Boolean closed,
                                   Adesk::Boolean periodic, const AcGePoint3dArray& controlPoints,
                                   const AcGeDoubleArray& knots, const AcGeDoubleArray& weights,
                                   double controlPtTol = 0.0, double knotTol = 0.0);

    int numFitPoints() const;
    Acad::ErrorStatus getFitPointAt(int index, AcGePoint3d& point) const;
    bool hasFitData() const;
    // A tangent of zero length is none.
    Acad::ErrorStatus getFitData(AcGePoint3dArray& fitPoints, int& degree, double& fitTolerance,
                                 Adesk::Boolean& tangentsExist, AcGeVector3d& startTangent,
                                 AcGeVector3d& endTangent) const;
    Acad::ErrorStatus setFitData(const AcGePoint3dArray& fitPoints, int degree, double fitTolerance,
                                 const AcGeVector3d& startTangent, const AcGeVector3d& endTangent);

    // The box of its control points, which hold the curve between them; of
    // its fit points when it has no control points.
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

private:
    int mDegree = 3;
    bool mClosed = false;
    bool mPeriodic = false;
    std::vector<AcGePoint3d> mControlPoints;
    std::vector<double> mKnots;
    std::vector<double> mWeights;
    double mControlPtTol = 0.0;
    double mKnotTol = 0.0;
    std::vector<AcGePoint3d> mFitPoints;
    double mFitTolerance = 0.0;
    AcGeVector3d mStartTangent;
    AcGeVector3d mEndTangent;
};
