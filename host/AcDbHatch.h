// An area filled solid or with a pattern, bounded by loops in the plane of
// its normal at its elevation. A loop is a polyline (vertices with bulges,
// closed) or a chain of edges: line segments, circular and elliptical arcs
// and NURBS curves.
#pragma once

#include "host/AcArray.h"
#include "host/AcDbEntity.h"
#include "host/AcGeCurve2d.h"

#include <memory>
#include <string>
#include <vector>

class AcDbHatch : public AcDbEntity
{
public:
    ACRX_DECLARE_MEMBERS(AcDbHatch);

    enum HatchLoopType
    {
        kDefault = 0,
        kExternal = 1,
        kPolyline = 2,
        kDerived = 4,
        kTextbox = 8,
        kOutermost = 0x10,
        kNotClosed = 0x20,
        kSelfIntersecting = 0x40,
        kTextIsland = 0x80,
        kDuplicate = 0x100
    };

    enum HatchEdgeType
    {
        kLine = 1,
        kCirArc = 2,
        kEllArc = 3,
        kSpline = 4
    };

    enum HatchPatternType
    {
        kUserDefined = 0,
        kPreDefined = 1,
        kCustomDefined = 2
    };

    enum HatchStyle
    {
        kNormal = 0,
        kOuter = 1,
        kIgnore = 2
    };

    AcDbHatch();
    ~AcDbHatch() override;

    double elevation() const;
    Acad::ErrorStatus setElevation(double elevation);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);

    int numLoops() const;
    Adesk::Int32 loopTypeAt(int loopIndex) const;
    // A polyline loop (kPolyline in loopType): a bulge per vertex, or none
    // for straight segments. eInvalidInput for fewer than two vertices, or
    // bulges that do not match them.
    Acad::ErrorStatus appendLoop(Adesk::Int32 loopType, const AcGePoint2dArray& vertices,
                                 const AcGeDoubleArray& bulges);
    // An edge loop: each edge an AcGeCurve2d of the kind its edge type
    // says, copied in. eInvalidInput for no edges, counts that differ, or an
    // edge not of its type.
    Acad::ErrorStatus appendLoop(Adesk::Int32 loopType, const AcGeVoidPointerArray& edgePtrs,
                                 const AcGeIntArray& edgeTypes);
    // eInvalidIndex out of range; eNotApplicable asked for the other kind of
    // loop. The edges handed out are new AcGeCurve2d objects that the caller
    // deletes.
    Acad::ErrorStatus getLoopAt(int loopIndex, Adesk::Int32& loopType, AcGePoint2dArray& vertices,
                                AcGeDoubleArray& bulges) const;
    Acad::ErrorStatus getLoopAt(int loopIndex, Adesk::Int32& loopType, AcGeVoidPointerArray& edgePtrs,
                                AcGeIntArray& edgeTypes) const;

    bool isSolidFill() const;
    HatchPatternType patternType() const;
    const ACHAR* patternName() const;
    // "SOLID" (letter case ignored) fills solid. The host takes a
    // predefined or custom pattern's lines from its pattern file; the
    // stand-in has none, so they are handed over with
    // appendPatternDefinition. A user-defined pattern's lines follow from
    // its angle, spacing and doubling, and are made here.
    Acad::ErrorStatus setPattern(HatchPatternType patType, const ACHAR* patName);
    double patternAngle() const;
    Acad::ErrorStatus setPatternAngle(double angle);
    double patternScale() const;
    // eInvalidInput unless above 0 and finite; so for the spacing.
    Acad::ErrorStatus setPatternScale(double scale);
    double patternSpace() const;
    Acad::ErrorStatus setPatternSpace(double space);
    bool patternDouble() const;
    Acad::ErrorStatus setPatternDouble(bool isDouble);
    HatchStyle hatchStyle() const;
    Acad::ErrorStatus setHatchStyle(HatchStyle style);

    int numPatternDefinitions() const;
    Acad::ErrorStatus getPatternDefinitionAt(int index, double& angle, double& baseX, double& baseY,
                                             double& offsetX, double& offsetY, AcGeDoubleArray& dashes) const;
    // The stand-in's own: one more line of the pattern, as a pattern file
    // gives it (a solid fill has none: eNotApplicable).
    Acad::ErrorStatus appendPatternDefinition(double angle, double baseX, double baseY, double offsetX,
                                              double offsetY, const AcGeDoubleArray& dashes);

    int numSeedPoints() const;
    Acad::ErrorStatus getSeedPointAt(int index, AcGePoint2d& point) const;
    Acad::ErrorStatus appendSeedPoint(const AcGePoint2d& point);

    // The box of its loops (bulged segments by their arcs, arcs whole,
    // splines by their control points).
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

    struct PatternLine
    {
        double angle;
        double baseX;
        double baseY;
        double offsetX;
        double offsetY;
        std::vector<double> dashes;
    };
    struct Loop
    {
        Adesk::Int32 type = kDefault;
        std::vector<AcGePoint2d> vertices;
        std::vector<double> bulges;
        std::vector<std::shared_ptr<const AcGeCurve2d>> edges;
    };

private:
    // The lines of a user-defined pattern.
    void makeUserLines();

    double mElevation = 0.0;
    AcGeVector3d mNormal{0.0, 0.0, 1.0};
    std::vector<Loop> mLoops;
    Adesk::Int16 mPatternType = kPreDefined;
    std::wstring mPatternName = L"SOLID";
    double mPatternAngle = 0.0;
    double mPatternScale = 1.0;
    double mPatternSpace = 1.0;
    bool mPatternDouble = false;
    Adesk::Int16 mStyle = kNormal;
    std::vector<PatternLine> mPatternLines;
    std::vector<AcGePoint2d> mSeedPoints;
};
