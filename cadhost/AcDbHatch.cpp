#include "host/AcDbHatch.h"

#include "cadhost/AcDbImpObject.h"
#include "cadhost/EntityGeometry.h"
#include "cadhost/EntityRules.h"
#include "cadhost/HostBuffer.h"
#include "cadhost/HostClassRegistrar.h"
#include "cadhost/NameComparison.h"
#include "cadhost/PseudoConstructor.h"
#include "host/AcDbDwgFiler.h"

#include <cmath>

ACRX_DEFINE_HOST_MEMBERS(AcDbHatch, ACRX_T("AcDbEntity"), ACRX_T("HATCH"), &cadhost::pseudoConstruct<AcDbHatch>);

namespace
{
using Loop = AcDbHatch::Loop;
using PatternLine = AcDbHatch::PatternLine;

constexpr double kQuarterTurn = 1.57079632679489661923;

bool isPolylineLoop(Adesk::Int32 type) { return (type & AcDbHatch::kPolyline) != 0; }

// The edge type an AcGe curve is filed under.
int edgeTypeOf(const AcGeCurve2d& edge)
{
    switch (edge.type())
    {
    case AcGe::kLineSeg2d:
        return AcDbHatch::kLine;
    case AcGe::kCircArc2d:
        return AcDbHatch::kCirArc;
    case AcGe::kEllipArc2d:
        return AcDbHatch::kEllArc;
    default:
        return AcDbHatch::kSpline;
    }
}

void writeVector(AcDbDwgFiler* pFiler, const AcGeVector2d& v) { pFiler->writePoint2d({v.x, v.y}); }

AcGeVector2d readVector(AcDbDwgFiler* pFiler)
{
    AcGePoint2d p;
    pFiler->readPoint2d(&p);
    return {p.x, p.y};
}

AcGePoint2d readPoint(AcDbDwgFiler* pFiler)
{
    AcGePoint2d p;
    pFiler->readPoint2d(&p);
    return p;
}

double readDouble(AcDbDwgFiler* pFiler)
{
    double value = 0.0;
    pFiler->readDouble(&value);
    return value;
}

// Counts read from a record bound how much is read, never how much is
// reserved: a hostile count runs into the record's end and stops there.
template <class Each> void readCounted(AcDbDwgFiler* pFiler, Each each)
{
    Adesk::UInt32 count = 0;
    pFiler->readUInt32(&count);
    for (Adesk::UInt32 i = 0; i < count && pFiler->filerStatus() == Acad::eOk; ++i)
        each();
}

void writeEdge(AcDbDwgFiler* pFiler, const AcGeCurve2d& edge)
{
    pFiler->writeInt16(static_cast<Adesk::Int16>(edgeTypeOf(edge)));
    switch (edge.type())
    {
    case AcGe::kLineSeg2d: {
        const auto& line = static_cast<const AcGeLineSeg2d&>(edge);
        pFiler->writePoint2d(line.startPoint());
        pFiler->writePoint2d(line.endPoint());
        break;
    }
    case AcGe::kCircArc2d: {
        const auto& arc = static_cast<const AcGeCircArc2d&>(edge);
        pFiler->writePoint2d(arc.center());
        pFiler->writeDouble(arc.radius());
        pFiler->writeDouble(arc.startAng());
        pFiler->writeDouble(arc.endAng());
        writeVector(pFiler, arc.refVec());
        pFiler->writeBool(arc.isClockWise());
        break;
    }
    case AcGe::kEllipArc2d: {
        const auto& arc = static_cast<const AcGeEllipArc2d&>(edge);
        pFiler->writePoint2d(arc.center());
        writeVector(pFiler, arc.majorAxis());
        writeVector(pFiler, arc.minorAxis());
        pFiler->writeDouble(arc.majorRadius());
        pFiler->writeDouble(arc.minorRadius());
        pFiler->writeDouble(arc.startAng());
        pFiler->writeDouble(arc.endAng());
        break;
    }
    default: {
        const auto& spline = static_cast<const AcGeNurbCurve2d&>(edge);
        int degree = 0;
        bool rational = false;
        bool periodic = false;
        AcGeKnotVector knots;
        AcGePoint2dArray points;
        AcGeDoubleArray weights;
        spline.getDefinitionData(degree, rational, periodic, knots, points, weights);
        pFiler->writeInt32(degree);
        pFiler->writeBool(periodic);
        pFiler->writeUInt32(static_cast<Adesk::UInt32>(knots.length()));
        for (int i = 0; i < knots.length(); ++i)
            pFiler->writeDouble(knots[i]);
        pFiler->writeUInt32(static_cast<Adesk::UInt32>(points.length()));
        for (int i = 0; i < points.length(); ++i)
            pFiler->writePoint2d(points[i]);
        pFiler->writeUInt32(static_cast<Adesk::UInt32>(weights.length()));
        for (int i = 0; i < weights.length(); ++i)
            pFiler->writeDouble(weights[i]);
    }
    }
}

// Null for an edge type that is none.
std::shared_ptr<const AcGeCurve2d> readEdge(AcDbDwgFiler* pFiler)
{
    Adesk::Int16 type = 0;
    pFiler->readInt16(&type);
    switch (type)
    {
    case AcDbHatch::kLine: {
        const AcGePoint2d start = readPoint(pFiler);
        return std::make_shared<AcGeLineSeg2d>(start, readPoint(pFiler));
    }
    case AcDbHatch::kCirArc: {
        const AcGePoint2d center = readPoint(pFiler);
        const double radius = readDouble(pFiler);
        const double start = readDouble(pFiler);
        const double end = readDouble(pFiler);
        const AcGeVector2d ref = readVector(pFiler);
        bool clockwise = false;
        pFiler->readBool(&clockwise);
        return std::make_shared<AcGeCircArc2d>(center, radius, start, end, ref, clockwise);
    }
    case AcDbHatch::kEllArc: {
        const AcGePoint2d center = readPoint(pFiler);
        const AcGeVector2d major = readVector(pFiler);
        const AcGeVector2d minor = readVector(pFiler);
        const double majorRadius = readDouble(pFiler);
        const double minorRadius = readDouble(pFiler);
        const double start = readDouble(pFiler);
        return std::make_shared<AcGeEllipArc2d>(center, major, minor, majorRadius, minorRadius, start,
                                                readDouble(pFiler));
    }
    case AcDbHatch::kSpline: {
        Adesk::Int32 degree = 0;
        pFiler->readInt32(&degree);
        bool periodic = false;
        pFiler->readBool(&periodic);
        AcGeKnotVector knots;
        readCounted(pFiler, [&] { knots.append(readDouble(pFiler)); });
        AcGePoint2dArray points;
        readCounted(pFiler, [&] { points.append(readPoint(pFiler)); });
        AcGeDoubleArray weights;
        readCounted(pFiler, [&] { weights.append(readDouble(pFiler)); });
        return std::make_shared<AcGeNurbCurve2d>(degree, knots, points, weights, periodic);
    }
    default:
        return nullptr;
    }
}

// The angle of a direction measured from refVec, either way round.
double turned(const AcGeVector2d& ref, double angle, bool clockwise)
{
    const double from = std::atan2(ref.y, ref.x);
    return clockwise ? from - angle : from + angle;
}

void addEdgeExtents(AcDbExtents& extents, const AcGeCurve2d& edge, double z)
{
    switch (edge.type())
    {
    case AcGe::kLineSeg2d: {
        const auto& line = static_cast<const AcGeLineSeg2d&>(edge);
        extents.addPoint({line.startPoint().x, line.startPoint().y, z});
        extents.addPoint({line.endPoint().x, line.endPoint().y, z});
        break;
    }
    case AcGe::kCircArc2d: {
        const auto& arc = static_cast<const AcGeCircArc2d&>(edge);
        const double start = turned(arc.refVec(), arc.startAng(), arc.isClockWise());
        const double end = turned(arc.refVec(), arc.endAng(), arc.isClockWise());
        const AcGePoint3d center(arc.center().x, arc.center().y, z);
        if (arc.isClockWise())
            cadhost::addArcExtents(extents, center, arc.radius(), end, start);
        else
            cadhost::addArcExtents(extents, center, arc.radius(), start, end);
        break;
    }
    case AcGe::kEllipArc2d: {
        const auto& arc = static_cast<const AcGeEllipArc2d&>(edge);
        const double ratio = arc.minorRadius() / arc.majorRadius();
        const auto param = [ratio](double angle) { return std::atan2(std::sin(angle) / ratio, std::cos(angle)); };
        double start = param(arc.startAng());
        double end = param(arc.endAng());
        if (end <= start)
            end += 4 * kQuarterTurn;
        const AcGeVector2d major = arc.majorAxis();
        const AcGeVector2d minor = arc.minorAxis();
        cadhost::addEllipseExtents(extents, {arc.center().x, arc.center().y, z},
                                   {major.x * arc.majorRadius(), major.y * arc.majorRadius(), 0.0},
                                   {minor.x * arc.minorRadius(), minor.y * arc.minorRadius(), 0.0}, start, end);
        break;
    }
    default: {
        const auto& spline = static_cast<const AcGeNurbCurve2d&>(edge);
        for (int i = 0; i < spline.numControlPoints(); ++i)
            extents.addPoint({spline.controlPointAt(i).x, spline.controlPointAt(i).y, z});
    }
    }
}
} // namespace

AcDbHatch::AcDbHatch() = default;
AcDbHatch::~AcDbHatch() = default;

double AcDbHatch::elevation() const
{
    assertReadEnabled();
    return mElevation;
}

Acad::ErrorStatus AcDbHatch::setElevation(double elevation) { return cadhost::setField(this, mElevation, elevation); }

AcGeVector3d AcDbHatch::normal() const
{
    assertReadEnabled();
    return mNormal;
}

Acad::ErrorStatus AcDbHatch::setNormal(const AcGeVector3d& normal) { return cadhost::setField(this, mNormal, normal); }

int AcDbHatch::numLoops() const
{
    assertReadEnabled();
    return static_cast<int>(mLoops.size());
}

Adesk::Int32 AcDbHatch::loopTypeAt(int loopIndex) const
{
    assertReadEnabled();
    return loopIndex >= 0 && loopIndex < numLoops() ? mLoops[static_cast<std::size_t>(loopIndex)].type : 0;
}

Acad::ErrorStatus AcDbHatch::appendLoop(Adesk::Int32 loopType, const AcGePoint2dArray& vertices,
                                        const AcGeDoubleArray& bulges)
{
    if (vertices.length() < 2 || (!bulges.isEmpty() && bulges.length() != vertices.length()))
        return Acad::eInvalidInput;
    if (const Acad::ErrorStatus es = AcDbImpObject::beginChange(this); es != Acad::eOk)
        return es;
    Loop loop;
    loop.type = loopType | kPolyline;
    loop.vertices.assign(vertices.asArrayPtr(), vertices.asArrayPtr() + vertices.length());
    loop.bulges.assign(static_cast<std::size_t>(vertices.length()), 0.0);
    for (int i = 0; i < bulges.length(); ++i)
        loop.bulges[static_cast<std::size_t>(i)] = bulges[i];
    mLoops.push_back(std::move(loop));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::appendLoop(Adesk::Int32 loopType, const AcGeVoidPointerArray& edgePtrs,
                                        const AcGeIntArray& edgeTypes)
{
    if (edgePtrs.isEmpty() || edgePtrs.length() != edgeTypes.length() || isPolylineLoop(loopType))
        return Acad::eInvalidInput;
    Loop loop;
    loop.type = loopType;
    for (int i = 0; i < edgePtrs.length(); ++i)
    {
        const auto* edge = static_cast<const AcGeCurve2d*>(edgePtrs[i]);
        if (edge == nullptr || edgeTypeOf(*edge) != edgeTypes[i])
            return Acad::eInvalidInput;
        loop.edges.emplace_back(edge->copy());
    }
    if (const Acad::ErrorStatus es = AcDbImpObject::beginChange(this); es != Acad::eOk)
        return es;
    mLoops.push_back(std::move(loop));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::getLoopAt(int loopIndex, Adesk::Int32& loopType, AcGePoint2dArray& vertices,
                                       AcGeDoubleArray& bulges) const
{
    assertReadEnabled();
    if (loopIndex < 0 || loopIndex >= numLoops())
        return Acad::eInvalidIndex;
    const Loop& loop = mLoops[static_cast<std::size_t>(loopIndex)];
    if (!isPolylineLoop(loop.type))
        return Acad::eNotApplicable;
    loopType = loop.type;
    vertices.removeAll();
    bulges.removeAll();
    for (std::size_t i = 0; i < loop.vertices.size(); ++i)
    {
        vertices.append(loop.vertices[i]);
        bulges.append(loop.bulges[i]);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::getLoopAt(int loopIndex, Adesk::Int32& loopType, AcGeVoidPointerArray& edgePtrs,
                                       AcGeIntArray& edgeTypes) const
{
    assertReadEnabled();
    if (loopIndex < 0 || loopIndex >= numLoops())
        return Acad::eInvalidIndex;
    const Loop& loop = mLoops[static_cast<std::size_t>(loopIndex)];
    if (isPolylineLoop(loop.type))
        return Acad::eNotApplicable;
    loopType = loop.type;
    edgePtrs.removeAll();
    edgeTypes.removeAll();
    for (const auto& edge : loop.edges)
    {
        edgePtrs.append(edge->copy());
        edgeTypes.append(edgeTypeOf(*edge));
    }
    return Acad::eOk;
}

bool AcDbHatch::isSolidFill() const
{
    assertReadEnabled();
    return mPatternType == kPreDefined && cadhost::equalNoCase(mPatternName, L"SOLID");
}

AcDbHatch::HatchPatternType AcDbHatch::patternType() const
{
    assertReadEnabled();
    return static_cast<HatchPatternType>(mPatternType);
}

const ACHAR* AcDbHatch::patternName() const
{
    assertReadEnabled();
    return mPatternName.c_str();
}

Acad::ErrorStatus AcDbHatch::setPattern(HatchPatternType patType, const ACHAR* patName)
{
    if (patType < kUserDefined || patType > kCustomDefined || patName == nullptr)
        return Acad::eInvalidInput;
    if (const Acad::ErrorStatus es = AcDbImpObject::beginChange(this); es != Acad::eOk)
        return es;
    mPatternType = static_cast<Adesk::Int16>(patType);
    mPatternName = patName;
    mPatternLines.clear();
    makeUserLines();
    return Acad::eOk;
}

double AcDbHatch::patternAngle() const
{
    assertReadEnabled();
    return mPatternAngle;
}

Acad::ErrorStatus AcDbHatch::setPatternAngle(double angle)
{
    if (const Acad::ErrorStatus es = cadhost::setField(this, mPatternAngle, angle); es != Acad::eOk)
        return es;
    makeUserLines();
    return Acad::eOk;
}

double AcDbHatch::patternScale() const
{
    assertReadEnabled();
    return mPatternScale;
}

Acad::ErrorStatus AcDbHatch::setPatternScale(double scale)
{
    return cadhost::isPositive(scale) ? cadhost::setField(this, mPatternScale, scale) : Acad::eInvalidInput;
}

double AcDbHatch::patternSpace() const
{
    assertReadEnabled();
    return mPatternSpace;
}

Acad::ErrorStatus AcDbHatch::setPatternSpace(double space)
{
    if (!cadhost::isPositive(space))
        return Acad::eInvalidInput;
    if (const Acad::ErrorStatus es = cadhost::setField(this, mPatternSpace, space); es != Acad::eOk)
        return es;
    makeUserLines();
    return Acad::eOk;
}

bool AcDbHatch::patternDouble() const
{
    assertReadEnabled();
    return mPatternDouble;
}

Acad::ErrorStatus AcDbHatch::setPatternDouble(bool isDouble)
{
    if (const Acad::ErrorStatus es = cadhost::setField(this, mPatternDouble, isDouble); es != Acad::eOk)
        return es;
    makeUserLines();
    return Acad::eOk;
}

AcDbHatch::HatchStyle AcDbHatch::hatchStyle() const
{
    assertReadEnabled();
    return static_cast<HatchStyle>(mStyle);
}

Acad::ErrorStatus AcDbHatch::setHatchStyle(HatchStyle style)
{
    if (style < kNormal || style > kIgnore)
        return Acad::eInvalidInput;
    return cadhost::setField(this, mStyle, static_cast<Adesk::Int16>(style));
}

// A user-defined pattern is parallel lines at its angle, its spacing apart,
// crossed by as many at a right angle when doubled.
void AcDbHatch::makeUserLines()
{
    if (mPatternType != kUserDefined)
        return;
    mPatternLines.clear();
    for (int line = 0; line < (mPatternDouble ? 2 : 1); ++line)
    {
        const double angle = mPatternAngle + line * kQuarterTurn;
        mPatternLines.push_back(
            {angle, 0.0, 0.0, -std::sin(angle) * mPatternSpace, std::cos(angle) * mPatternSpace, {}});
    }
}

int AcDbHatch::numPatternDefinitions() const
{
    assertReadEnabled();
    return static_cast<int>(mPatternLines.size());
}

Acad::ErrorStatus AcDbHatch::getPatternDefinitionAt(int index, double& angle, double& baseX, double& baseY,
                                                    double& offsetX, double& offsetY, AcGeDoubleArray& dashes) const
{
    assertReadEnabled();
    if (index < 0 || index >= numPatternDefinitions())
        return Acad::eInvalidIndex;
    const PatternLine& line = mPatternLines[static_cast<std::size_t>(index)];
    angle = line.angle;
    baseX = line.baseX;
    baseY = line.baseY;
    offsetX = line.offsetX;
    offsetY = line.offsetY;
    dashes.removeAll();
    for (const double dash : line.dashes)
        dashes.append(dash);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::appendPatternDefinition(double angle, double baseX, double baseY, double offsetX,
                                                     double offsetY, const AcGeDoubleArray& dashes)
{
    if (const Acad::ErrorStatus es = AcDbImpObject::beginChange(this); es != Acad::eOk)
        return es;
    if (cadhost::equalNoCase(mPatternName, L"SOLID"))
        return Acad::eNotApplicable;
    mPatternLines.push_back(
        {angle, baseX, baseY, offsetX, offsetY, {dashes.asArrayPtr(), dashes.asArrayPtr() + dashes.length()}});
    return Acad::eOk;
}

int AcDbHatch::numSeedPoints() const
{
    assertReadEnabled();
    return static_cast<int>(mSeedPoints.size());
}

Acad::ErrorStatus AcDbHatch::getSeedPointAt(int index, AcGePoint2d& point) const
{
    assertReadEnabled();
    if (index < 0 || index >= numSeedPoints())
        return Acad::eInvalidIndex;
    point = mSeedPoints[static_cast<std::size_t>(index)];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::appendSeedPoint(const AcGePoint2d& point)
{
    if (const Acad::ErrorStatus es = AcDbImpObject::beginChange(this); es != Acad::eOk)
        return es;
    mSeedPoints.push_back(point);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    extents = AcDbExtents();
    for (const Loop& loop : mLoops)
    {
        for (std::size_t i = 0; i < loop.vertices.size(); ++i)
            cadhost::addBulgeExtents(extents, loop.vertices[i], loop.vertices[(i + 1) % loop.vertices.size()],
                                     loop.bulges[i], mElevation);
        for (const auto& edge : loop.edges)
            addEdgeExtents(extents, *edge, mElevation);
    }
    return mLoops.empty() ? Acad::eNotApplicable : Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    AcDbEntity::dwgInFields(pFiler);
    pFiler->readDouble(&mElevation);
    pFiler->readVector3d(&mNormal);
    pFiler->readInt16(&mPatternType);
    mPatternName = cadhost::readFiledText(*pFiler);
    pFiler->readDouble(&mPatternAngle);
    pFiler->readDouble(&mPatternScale);
    pFiler->readDouble(&mPatternSpace);
    pFiler->readBool(&mPatternDouble);
    pFiler->readInt16(&mStyle);
    mLoops.clear();
    bool edgesRead = true;
    readCounted(pFiler, [&] {
        Loop& loop = mLoops.emplace_back();
        pFiler->readInt32(&loop.type);
        if (isPolylineLoop(loop.type))
            readCounted(pFiler, [&] {
                loop.vertices.push_back(readPoint(pFiler));
                loop.bulges.push_back(readDouble(pFiler));
            });
        else
            readCounted(pFiler, [&] {
                std::shared_ptr<const AcGeCurve2d> edge = readEdge(pFiler);
                edgesRead = edgesRead && edge != nullptr;
                if (edge != nullptr)
                    loop.edges.push_back(std::move(edge));
            });
    });
    mPatternLines.clear();
    readCounted(pFiler, [&] {
        PatternLine& line = mPatternLines.emplace_back();
        line.angle = readDouble(pFiler);
        line.baseX = readDouble(pFiler);
        line.baseY = readDouble(pFiler);
        line.offsetX = readDouble(pFiler);
        line.offsetY = readDouble(pFiler);
        readCounted(pFiler, [&] { line.dashes.push_back(readDouble(pFiler)); });
    });
    mSeedPoints.clear();
    readCounted(pFiler, [&] { mSeedPoints.push_back(readPoint(pFiler)); });
    const bool valid = edgesRead && mPatternType >= kUserDefined && mPatternType <= kCustomDefined &&
                       mStyle >= kNormal && mStyle <= kIgnore;
    if (pFiler->filerStatus() == Acad::eOk && !valid)
        pFiler->setFilerStatus(Acad::eDwgObjectImproperlyRead);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbHatch::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    AcDbEntity::dwgOutFields(pFiler);
    pFiler->writeDouble(mElevation);
    pFiler->writeVector3d(mNormal);
    pFiler->writeInt16(mPatternType);
    pFiler->writeString(mPatternName.c_str());
    pFiler->writeDouble(mPatternAngle);
    pFiler->writeDouble(mPatternScale);
    pFiler->writeDouble(mPatternSpace);
    pFiler->writeBool(mPatternDouble);
    pFiler->writeInt16(mStyle);
    pFiler->writeUInt32(static_cast<Adesk::UInt32>(mLoops.size()));
    for (const Loop& loop : mLoops)
    {
        pFiler->writeInt32(loop.type);
        if (isPolylineLoop(loop.type))
        {
            pFiler->writeUInt32(static_cast<Adesk::UInt32>(loop.vertices.size()));
            for (std::size_t i = 0; i < loop.vertices.size(); ++i)
            {
                pFiler->writePoint2d(loop.vertices[i]);
                pFiler->writeDouble(loop.bulges[i]);
            }
            continue;
        }
        pFiler->writeUInt32(static_cast<Adesk::UInt32>(loop.edges.size()));
        for (const auto& edge : loop.edges)
            writeEdge(pFiler, *edge);
    }
    pFiler->writeUInt32(static_cast<Adesk::UInt32>(mPatternLines.size()));
    for (const PatternLine& line : mPatternLines)
    {
        for (const double value : {line.angle, line.baseX, line.baseY, line.offsetX, line.offsetY})
            pFiler->writeDouble(value);
        pFiler->writeUInt32(static_cast<Adesk::UInt32>(line.dashes.size()));
        for (const double dash : line.dashes)
            pFiler->writeDouble(dash);
    }
    pFiler->writeUInt32(static_cast<Adesk::UInt32>(mSeedPoints.size()));
    for (const AcGePoint2d& point : mSeedPoints)
        pFiler->writePoint2d(point);
    return pFiler->filerStatus();
}
