// Sweeps whose answers are known in closed form: straight runs, turns on
// the spot and about a corner, clearance bands, a circle beside the path,
// sub-parts carried by their parent's frame; and runs with nothing to sweep.
// What counts as an obstacle: layers shown and chosen, hatches as areas.
#include "analysis/Sweep.h"
#include "drawing/Failure.h"
#include "drawing/LayerPatterns.h"
#include "drawing/Layers.h"
#include "host/AcDbHatch.h"
#include "host/AcDbPoint.h"
#include "host/AcDbSymbolTable.h"
#include "host/AcDbText.h"
#include "tests/analysis/AnalysisTest.h"

#include <gtest/gtest.h>

namespace
{
class SweepTest : public AnalysisTest
{
protected:
    static SweepReport Swept(const SimulationMotion& motion, double clearance, double tolerance,
                             std::vector<AcDbHandle> own = {})
    {
        return SweepSimulation(motion, own, {clearance, tolerance});
    }
};

TEST_F(SweepTest, AStraightRunCoversItsLengthAndTheClearanceAddsItsBand)
{
    // A 2 x 1 rectangle moving 10 along its long axis, in one step.
    const SimulationMotion motion = Run({Part(Block(L"Brick", {Box(-1, -0.5, 1, 0.5)}))}, {At(0, 0), At(10, 0)});
    const SweepReport report = Swept(motion, 0.5, 0.01);
    const Envelope& envelope = report.envelope;
    EXPECT_NEAR(envelope.area, 12.0, 1e-9);
    EXPECT_NEAR(envelope.perimeter, 26.0, 1e-9);
    EXPECT_NEAR(envelope.box.minX, -1.0, 1e-12);
    EXPECT_NEAR(envelope.box.maxX, 11.0, 1e-12);
    EXPECT_NEAR(envelope.box.maxY, 0.5, 1e-12);
    ASSERT_EQ(envelope.polygons.size(), 1u);
    EXPECT_EQ(envelope.polygons[0].size(), 1u);
    ASSERT_EQ(report.segments.size(), 1u);
    EXPECT_NEAR(report.segments[0].envelope.area, 12.0, 1e-9);
    // 0.5 all round: the sides' band, and the corners' quarter discs
    // polygonized within the tolerance.
    const double band = 26.0 * 0.5 + kPi * 0.25;
    EXPECT_NEAR(report.clearanceEnvelope.area, 12.0 + band, 26.0 * 0.01);
    EXPECT_LT(report.clearanceEnvelope.area, 12.0 + band);
    EXPECT_NEAR(report.clearanceEnvelope.box.maxX, 11.5, 1e-9);
    EXPECT_NEAR(report.segments[0].clearance.area, report.clearanceEnvelope.area, 1e-9);
}

TEST_F(SweepTest, FootprintsThatAreNotConvexSweepOnlyWhereTheyReach)
{
    // An L of two boxes moving 10 along x: its foot covers 12 x 1, its
    // upright 11 x 1 above it; a hull of the whole L would fill the notch.
    const AcDbObjectId ell = Block(L"Ell", {Box(0, 0, 2, 1), Box(0, 1, 1, 2)});
    const SweepReport l = Swept(Run({Part(ell)}, {At(0, 0), At(10, 0)}), 0.0, 0.01);
    EXPECT_NEAR(l.envelope.area, 23.0, 1e-9);
    EXPECT_NEAR(l.envelope.perimeter, 2 * 12.0 + 2 * 2.0, 1e-9);

    // A closed polyline that crosses itself keeps both its lobes.
    auto* bow = new AcDbPolyline();
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, {2.0, 2.0}, {2.0, 0.0}, {0.0, 2.0}})
        bow->addVertexAt(bow->numVerts(), AcGePoint2d(x, y));
    bow->setClosed(true);
    const SweepReport tie = Swept(Run({Part(Block(L"Bow", {bow}))}, {At(0, 0)}), 0.0, 0.01);
    EXPECT_NEAR(tie.envelope.area, 2.0, 1e-9);
    EXPECT_EQ(tie.envelope.polygons.size(), 2u);
}

TEST_F(SweepTest, TurningOnTheSpotOrAboutACornerCoversDiscs)
{
    const double tolerance = 0.01;
    // A 2 x 2 square turning a full circle about its centre covers the disc
    // of its half-diagonal.
    const AcDbObjectId square = Block(L"Square", {Box(-1, -1, 1, 1)});
    const SweepReport full =
        Swept(Run({Part(square)}, {At(0, 0), At(0, 0, 90), At(0, 0, 180), At(0, 0, 270), At(0, 0, 360)}), 0.0,
              tolerance);
    const double radius = std::sqrt(2.0);
    EXPECT_NEAR(full.envelope.area, kPi * 2.0, 2.0 * kPi * radius * tolerance);
    EXPECT_NEAR(full.envelope.box.maxX, radius, tolerance);
    EXPECT_NEAR(full.envelope.box.minY, -radius, tolerance);

    // A 2 x 1 rectangle turning 90 degrees about its corner covers the
    // quarter disc its far corner sweeps, plus the rectangle.
    const AcDbObjectId brick = Block(L"Brick", {Box(0, 0, 2, 1)});
    const SweepReport quarter = Swept(Run({Part(brick)}, {At(0, 0), At(0, 0, 90)}), 0.0, tolerance);
    EXPECT_NEAR(quarter.envelope.area, 5.0 * kPi / 4.0 + 2.0, 2.0 * kPi * std::sqrt(5.0) * tolerance / 4.0);
    EXPECT_NEAR(quarter.envelope.box.maxY, std::sqrt(5.0), tolerance);
    EXPECT_NEAR(quarter.envelope.box.minX, -1.0, 1e-9);
    EXPECT_NEAR(quarter.envelope.box.minY, 0.0, 1e-9);
}

TEST_F(SweepTest, ACircleBesideThePathIsHitOnceTheClearanceReachesIt)
{
    // A 2 x 1 rectangle along x from 0 to 10, a position each unit; a circle
    // of radius 0.5 at (5, 2) lies 1 from the rectangle's side.
    std::vector<Placement> path;
    for (int x = 0; x <= 10; ++x)
        path.push_back(At(x, 0));
    const SimulationMotion motion = Run({Part(Block(L"Brick", {Box(-1, -0.5, 1, 0.5)}))}, path);
    const AcDbHandle circle =
        appendToModelSpace(new AcDbCircle(AcGePoint3d(5, 2, 0), AcGeVector3d(0, 0, 1), 0.5)).handle();
    const double tolerance = 0.002;

    EXPECT_TRUE(Swept(motion, 0.0, tolerance).conflicts.empty());
    EXPECT_TRUE(Swept(motion, 0.99, tolerance).conflicts.empty());
    const SweepReport hit = Swept(motion, 1.5, tolerance);
    ASSERT_EQ(hit.conflicts.size(), 1u);
    const Conflict& conflict = hit.conflicts[0];
    EXPECT_EQ(conflict.handle, circle);
    EXPECT_EQ(conflict.className, "AcDbCircle");
    EXPECT_EQ(conflict.blockName, "");
    // Within 1.5 while the rectangle's end is within sqrt(2² − 1.5²) of the
    // circle's centre in x: from x = 2.677 to x = 7.323.
    const double reach = 1.0 + std::sqrt(2.0 * 2.0 - 1.5 * 1.5);
    EXPECT_EQ(conflict.first.position, 2u);
    EXPECT_NEAR(conflict.first.fraction, 5.0 - reach - 2.0, 3 * tolerance);
    EXPECT_EQ(conflict.last.position, 7u);
    EXPECT_NEAR(conflict.last.fraction, 5.0 + reach - 7.0, 3 * tolerance);
}

TEST_F(SweepTest, ReferencesCountThroughTheirDefinitionButNotTheSimulationsOwn)
{
    const AcDbObjectId brick = Block(L"Brick", {Box(-1, -0.5, 1, 0.5)});
    const SimulationMotion motion = Run({Part(brick)}, {At(0, 0), At(10, 0)});
    // A crate on the path, drawn through its definition 20 away from its
    // reference's point; the part's own reference stands on the path too.
    const AcDbObjectId crate = Block(L"Crate", {Box(-20.5, -0.5, -19.5, 0.5)});
    const AcDbHandle crateAt = appendToModelSpace(new AcDbBlockReference(AcGePoint3d(25, 0, 0), crate)).handle();
    const AcDbHandle own = appendToModelSpace(new AcDbBlockReference(AcGePoint3d(3, 0, 0), brick)).handle();
    appendToModelSpace(new AcDbLine(AcGePoint3d(0, 3, 0), AcGePoint3d(10, 3, 0)));

    const SweepReport report = Swept(motion, 0.0, 0.1, {own});
    ASSERT_EQ(report.conflicts.size(), 1u);
    EXPECT_EQ(report.conflicts[0].handle, crateAt);
    EXPECT_EQ(report.conflicts[0].className, "AcDbBlockReference");
    EXPECT_EQ(report.conflicts[0].blockName, "Crate");
    // The line 2.5 beside the path comes in with the clearance.
    EXPECT_EQ(Swept(motion, 2.5, 0.1, {own}).conflicts.size(), 2u);

    // Parked 0.1 past where the brick's nose ends up: within 0.105 only at
    // the last sample, 0.01 after the one before.
    const AcDbHandle parked =
        appendToModelSpace(new AcDbCircle(AcGePoint3d(11.2, 0, 0), AcGeVector3d(0, 0, 1), 0.1)).handle();
    const SweepReport end = Swept(motion, 0.105, 0.01, {own});
    ASSERT_EQ(end.conflicts.size(), 2u);
    EXPECT_EQ(end.conflicts[1].handle, parked);
    EXPECT_EQ(end.conflicts[1].first.position, 1u);
    EXPECT_EQ(end.conflicts[1].first.fraction, 0.0);
}

TEST_F(SweepTest, ASubPartSweepsWhereItsParentsFrameCarriesIt)
{
    // One position, turned 90 degrees: the sub-part 3 to the tree's left
    // stands 3 below the point in the drawing... to the left of heading
    // up is towards −x.
    const AcDbObjectId brick = Block(L"Brick", {Box(-1, -0.5, 1, 0.5)});
    const AcDbObjectId cube = Block(L"Cube", {Box(-0.5, -0.5, 0.5, 0.5)});
    const SweepReport report = Swept(Run({Part(brick), Part(cube, {0, 3, 0})}, {At(10, 0, 90)}), 0.0, 0.01);
    EXPECT_NEAR(report.envelope.area, 3.0, 1e-9);
    EXPECT_EQ(report.envelope.polygons.size(), 2u);
    EXPECT_NEAR(report.envelope.box.minX, 10.0 - 3.5, 1e-9);
    EXPECT_NEAR(report.envelope.box.maxY, 1.0, 1e-9);
    EXPECT_EQ(report.segments.at(0).samples, 1u);
}

TEST_F(SweepTest, LinesSweepAsStripsAndNothingToSweepGivesAnEmptyAnswer)
{
    // A block of one line 2 long, moved 1 across it: a strip as wide as
    // the tolerance, swept.
    const AcDbObjectId bar = Block(L"Bar", {new AcDbLine(AcGePoint3d(-1, 0, 0), AcGePoint3d(1, 0, 0))});
    const SweepReport strip = Swept(Run({Part(bar)}, {At(0, 0), At(0, 1)}), 0.0, 0.1);
    EXPECT_NEAR(strip.envelope.area, 2.0 * 1.1, 1e-9);
    // With no tolerance given, 1% of the largest footprint: the bar's 2.
    EXPECT_NEAR(Swept(Run({Part(bar)}, {At(0, 0)}), 0.0, 0.0).tolerance, 0.02, 1e-12);

    const AcDbObjectId blank = Block(L"Blank", {});
    const SweepReport nothing = Swept(Run({Part(blank), Part(AcDbObjectId())}, {At(0, 0), At(5, 0)}), 1.0, 0.0);
    EXPECT_TRUE(nothing.envelope.Empty());
    EXPECT_TRUE(nothing.clearanceEnvelope.Empty());
    ASSERT_EQ(nothing.segments.size(), 1u);
    EXPECT_EQ(nothing.segments[0].samples, 0u);

    const SweepReport empty = Swept(SimulationMotion(), 1.0, 0.0);
    EXPECT_TRUE(empty.segments.empty());
    EXPECT_TRUE(empty.envelope.Empty());
    EXPECT_TRUE(empty.conflicts.empty());
}

TEST_F(SweepTest, TooFineATolerancesIsRefusedNotRun)
{
    const SimulationMotion motion =
        Run({Part(Block(L"Brick", {Box(-1, -0.5, 1, 0.5)}))}, {At(0, 0), At(1e6, 0)});
    try
    {
        static_cast<void>(Swept(motion, 0.0, 1e-6));
        ADD_FAILURE() << "a sweep of a trillion samples ran";
    }
    catch (const Failure& refused)
    {
        EXPECT_EQ(refused.Kind(), FailureKind::badInput);
    }
}
} // namespace

namespace
{
// A layer of the working drawing, switched off or frozen as asked.
AcDbObjectId Layer(const char* name, bool off = false, bool frozen = false)
{
    const AcDbObjectId id = LayerNamed(name);
    AcDbLayerTableRecord* record = nullptr;
    EXPECT_EQ(acdbOpenObject(record, id, AcDb::kForWrite), Acad::eOk);
    record->setIsOff(off);
    EXPECT_EQ(record->setIsFrozen(frozen), Acad::eOk);
    record->close();
    return id;
}

AcDbEntity* On(AcDbObjectId layer, AcDbEntity* entity)
{
    EXPECT_EQ(entity->setLayer(layer), Acad::eOk);
    return entity;
}

AcGePoint2dArray Corners(double x0, double y0, double x1, double y1)
{
    AcGePoint2dArray corners;
    for (const AcGePoint2d& corner :
         {AcGePoint2d(x0, y0), AcGePoint2d(x1, y0), AcGePoint2d(x1, y1), AcGePoint2d(x0, y1)})
        corners.append(corner);
    return corners;
}

TEST_F(SweepTest, OnlyWhatTheUserSeesOnTheLayersAskedForRunsIntoTheParts)
{
    // A 2 x 1 brick runs from x = 0 to 10 along y = 0: it covers x -1 to
    // 11, y -0.5 to 0.5.
    const SimulationMotion motion = Run({Part(Block(L"Brick", {Box(-1, -0.5, 1, 0.5)}))}, {At(0, 0), At(10, 0)});
    const AcDbObjectId kerb = Layer("Kerb");
    const AcDbObjectId hidden = Layer("Hidden", true);
    const AcDbObjectId parking = Layer("Parking");
    const auto across = [](double x) { return new AcDbLine(AcGePoint3d(x, -2, 0), AcGePoint3d(x, 2, 0)); };
    const AcDbHandle kerbLine = appendToModelSpace(On(kerb, across(5))).handle();
    const AcDbHandle hiddenLine = appendToModelSpace(On(hidden, across(4))).handle();
    appendToModelSpace(On(Layer("Frozen", false, true), across(3)));
    // A sign whose post is on the hidden layer and whose board stands off
    // the path: the user sees only the board.
    const AcDbObjectId sign =
        Block(L"Sign", {On(hidden, across(0)), new AcDbLine(AcGePoint3d(0, 5, 0), AcGePoint3d(1, 5, 0))});
    const AcDbHandle signAt = appendToModelSpace(new AcDbBlockReference(AcGePoint3d(7, 0, 0), sign)).handle();
    appendToModelSpace(On(kerb, new AcDbText(AcGePoint3d(6, 0, 0), L"KERB", AcDbObjectId(), 1.0, 0.0)));
    appendToModelSpace(On(kerb, new AcDbPoint(AcGePoint3d(6, 0, 0))));
    // A parked car drawn as a hatch the whole run lies inside, touching no
    // edge; and a hatch with a round hole of radius 8 about (5, 0) that holds
    // the run, its nearest edge 8 - hypot(6, 0.5) = 1.979 from the brick.
    auto* parked = new AcDbHatch();
    EXPECT_EQ(parked->appendLoop(AcDbHatch::kExternal | AcDbHatch::kPolyline, Corners(-5, -3, 15, 3), {}), Acad::eOk);
    const AcDbHandle parkedAt = appendToModelSpace(On(parking, parked)).handle();
    auto* holed = new AcDbHatch();
    EXPECT_EQ(holed->appendLoop(AcDbHatch::kExternal | AcDbHatch::kPolyline, Corners(-20, -10, 30, 10), {}),
              Acad::eOk);
    AcGeCircArc2d hole(AcGePoint2d(5, 0), 8.0, 0.0, 2.0 * kPi);
    AcGeVoidPointerArray edges;
    edges.append(&hole);
    AcGeIntArray types;
    types.append(AcDbHatch::kCirArc);
    EXPECT_EQ(holed->appendLoop(AcDbHatch::kDefault, edges, types), Acad::eOk);
    const AcDbHandle holedAt = appendToModelSpace(On(Layer("Island"), holed)).handle();
    // References on a layer that is off still show what their blocks hold
    // on layers of their own, but not what is on "0"; on a frozen layer,
    // nothing.
    const AcDbObjectId gate = Block(L"Gate", {across(0), On(Layer("Posts"), across(0.5))});
    const AcDbHandle gateAt =
        appendToModelSpace(On(hidden, new AcDbBlockReference(AcGePoint3d(8, 0, 0), gate))).handle();
    appendToModelSpace(On(Layer("Frozen", false, true), new AcDbBlockReference(AcGePoint3d(9, 0, 0), gate)));
    const AcDbObjectId barrier = Block(L"Barrier", {across(0)});
    const AcDbHandle barrierAt =
        appendToModelSpace(On(hidden, new AcDbBlockReference(AcGePoint3d(2, 0, 0), barrier))).handle();

    struct Row
    {
        const char* only;
        const char* ignore;
        double clearance;
        std::vector<AcDbHandle> hit;
    };
    const Row rows[] = {
        {"", "", 0.0, {kerbLine, parkedAt, gateAt}},
        {"kerb", "", 0.0, {kerbLine}},
        {"K*,Park?ng", "", 0.0, {kerbLine, parkedAt}},
        {"", "KERB", 0.0, {parkedAt, gateAt}},
        {"", "*", 0.0, {}},
        {"Island", "", 1.9, {}},
        {"Island", "", 2.0, {holedAt}},
    };
    for (const Row& row : rows)
    {
        SweepOptions options(row.clearance, 0.01);
        if (*row.only != '\0')
            options.obstacles.only = LayerPatterns(row.only, "--obstacles");
        if (*row.ignore != '\0')
            options.obstacles.ignore = LayerPatterns(row.ignore, "--ignore");
        std::vector<AcDbHandle> hit;
        for (const Conflict& conflict : SweepSimulation(motion, {}, options).conflicts)
            hit.push_back(conflict.handle);
        EXPECT_EQ(hit, row.hit) << row.only << " / " << row.ignore << " / " << row.clearance;
    }
    const std::vector<Conflict> named = SweepSimulation(motion, {}, {0.0, 0.01}).conflicts;
    ASSERT_EQ(named.size(), 3u);
    EXPECT_EQ(named[0].layer, "Kerb");
    EXPECT_EQ(named[1].layer, "Parking");
    EXPECT_EQ(named[2].layer, "Hidden");

    // Switched on, the hidden line, the sign's post and the barrier are in
    // the way.
    Layer("Hidden");
    std::vector<AcDbHandle> shown;
    for (const Conflict& conflict : SweepSimulation(motion, {}, {0.0, 0.01}).conflicts)
        shown.push_back(conflict.handle);
    EXPECT_EQ(shown, (std::vector<AcDbHandle>{kerbLine, hiddenLine, signAt, parkedAt, gateAt, barrierAt}));
}

// A kerb drawn as a spline and an island drawn as an ellipse are in the
// way, at the distances their closed forms give: the quadratic with control
// points (4, 3), (6, 1), (8, 3) dips to y = 2, 1.5 from the brick's top;
// the ellipse about (5, -3.5) with radii 2 and 1 rises to y = -2.5, 2 from
// its bottom, and is an area.
TEST_F(SweepTest, SplinesAndEllipsesStandInTheWayAtTheirTrueDistance)
{
    const SimulationMotion motion = Run({Part(Block(L"Brick", {Box(-1, -0.5, 1, 0.5)}))}, {At(0, 0), At(10, 0)});
    auto* kerb = new AcDbSpline();
    AcGePoint3dArray points;
    for (const AcGePoint3d& point : {AcGePoint3d(4, 3, 0), AcGePoint3d(6, 1, 0), AcGePoint3d(8, 3, 0)})
        points.append(point);
    AcGeDoubleArray knots;
    for (const double knot : {0, 0, 0, 1, 1, 1})
        knots.append(knot);
    ASSERT_EQ(kerb->setNurbsData(2, false, false, false, points, knots, {}, 0.0, 0.0), Acad::eOk);
    const AcDbHandle kerbAt = appendToModelSpace(kerb).handle();
    const AcDbHandle islandAt = appendToModelSpace(new AcDbEllipse(AcGePoint3d(5, -3.5, 0), AcGeVector3d(0, 0, 1),
                                                                   AcGeVector3d(2, 0, 0), 0.5))
                                    .handle();
    const std::pair<double, std::vector<AcDbHandle>> rows[] = {
        {1.45, {}}, {1.55, {kerbAt}}, {1.95, {kerbAt}}, {2.05, {kerbAt, islandAt}}};
    for (const auto& [clearance, expected] : rows)
    {
        std::vector<AcDbHandle> hit;
        for (const Conflict& conflict : SweepSimulation(motion, {}, {clearance, 0.01}).conflicts)
            hit.push_back(conflict.handle);
        EXPECT_EQ(hit, expected) << clearance;
    }
}

// The path a brick is driven along, drawn, is passed over, as is a line
// within the tolerance T = 0.01 of it; a line 2T off, one running on 1 past
// the path's end and one across it are in the way.
TEST_F(SweepTest, APathDrawnWhereThePartsAreDrivenIsNoConflict)
{
    const SimulationMotion motion = Run({Part(Block(L"Brick", {Box(-1, -0.5, 1, 0.5)}))}, {At(0, 0), At(10, 0)});
    const auto line = [this](double x0, double y0, double x1, double y1) {
        return appendToModelSpace(new AcDbLine(AcGePoint3d(x0, y0, 0), AcGePoint3d(x1, y1, 0))).handle();
    };
    auto* drawn = new AcDbPolyline();
    for (const double x : {0.0, 4.0, 10.0})
        drawn->addVertexAt(drawn->numVerts(), AcGePoint2d(x, 0));
    const AcDbHandle path = appendToModelSpace(drawn).handle();
    const AcDbHandle within = line(0, 0.009, 10, 0.009);
    const AcDbHandle beside = line(0, 0.02, 10, 0.02);
    const AcDbHandle onPast = line(5, 0, 11, 0);
    const AcDbHandle across = line(5, -0.3, 5, 0.3);
    SweepOptions options(0.0, 0.01);
    options.traces = {{0, 0, 5, 0, 10, 0}};
    const SweepReport report = SweepSimulation(motion, {}, options);
    std::vector<AcDbHandle> passed;
    for (const DrawnPath& drawnPath : report.drawnPaths)
        passed.push_back(drawnPath.handle);
    EXPECT_EQ(passed, (std::vector<AcDbHandle>{path, within}));
    std::vector<AcDbHandle> hit;
    for (const Conflict& conflict : report.conflicts)
        hit.push_back(conflict.handle);
    EXPECT_EQ(hit, (std::vector<AcDbHandle>{beside, onPast, across}));
    EXPECT_EQ(SweepSimulation(motion, {}, {0.0, 0.01}).conflicts.size(), 5u);
}

TEST_F(SweepTest, TheWheelsOfPartsWithoutTyresAreRefused)
{
    SweepOptions wheels(0.0, 0.01);
    wheels.wheels = true;
    try
    {
        const SimulationMotion brick = Run({Part(Block(L"Brick", {Box(-1, -0.5, 1, 0.5)}))}, {At(0, 0)});
        static_cast<void>(SweepSimulation(brick, {}, wheels));
        ADD_FAILURE() << "a brick's wheels were swept";
    }
    catch (const Failure& refused)
    {
        EXPECT_EQ(refused.Kind(), FailureKind::notFound);
    }
}
} // namespace
