// The plain entities that block definitions are drawn with.
#pragma once

#include "host/AcDbEntity.h"
#include "host/AcGePoint3d.h"

#include <vector>

class AcDbLine : public AcDbEntity
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

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

private:
    AcGePoint3d mStart;
    AcGePoint3d mEnd;
};

class AcDbCircle : public AcDbEntity
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

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

private:
    AcGePoint3d mCenter;
    AcGeVector3d mNormal{0.0, 0.0, 1.0};
    double mRadius = 0.0;
};

// A circular arc from startAngle to endAngle (radians from the x axis),
// counter-clockwise about its normal.
class AcDbArc : public AcDbEntity
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

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

private:
    AcGePoint3d mCenter;
    AcGeVector3d mNormal{0.0, 0.0, 1.0};
    double mRadius = 0.0;
    double mStartAngle = 0.0;
    double mEndAngle = 0.0;
};

class AcDbPolyline : public AcDbEntity
{
public:
    ACRX_DECLARE_MEMBERS(AcDbPolyline);
    AcDbPolyline();
    ~AcDbPolyline() override;

    // Inserts a vertex before index (index == numVerts() appends); an index
    // past the end answers eInvalidIndex. Widths are kept as given (a
    // negative width means the polyline's constant width).
    Acad::ErrorStatus addVertexAt(unsigned int index, const AcGePoint2d& pt, double bulge = 0.0,
                                  double startWidth = -1.0, double endWidth = -1.0);
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint2d& pt) const;
    // The bulge of the segment that starts at vertex index: the tangent of a
    // quarter of its arc's included angle, positive counter-clockwise, 0 for
    // a straight segment.
    Acad::ErrorStatus getBulgeAt(unsigned int index, double& bulge) const;
    unsigned int numVerts() const;
    bool isClosed() const;
    void setClosed(bool closed);

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
};
