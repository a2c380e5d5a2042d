// Arcs and bulged polyline segments in a block's outline: the chords lie on
// the true circle, turn the way the bulge says, and end where the entity
// ends.
#include "drawing/Angles.h"
#include "host/AcDbCurves.h"
#include "host/AcDbSymbolTable.h"
#include "motion/NurbsCurve.h"
#include "motion/Outline.h"
#include "tests/support/BlockDrawingTest.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

class OutlineTest : public BlockDrawingTest
{
protected:
    // A definition holding entity; its outline.
    Outline OutlineOf(AcDbEntity* entity)
    {
        const AcDbObjectId definition = addDefinition(L"Shape");
        appendTo(definition, {entity});
        return BlockOutline(definition);
    }
};

// Every point of path at radius from (cx, cy); the first and last as given.
void ExpectOnCircle(const OutlinePath& path, double cx, double cy, double radius)
{
    ASSERT_GE(path.xy.size(), 6u);
    for (std::size_t i = 0; i < path.xy.size(); i += 2)
        EXPECT_NEAR(std::hypot(path.xy[i] - cx, path.xy[i + 1] - cy), radius, 1e-12) << i / 2;
}

TEST_F(OutlineTest, BulgesBendEachWayAboutTheirCentres)
{
    // From (0, 0) to (2, 0): a bulge of 1 is a half circle turning
    // counter-clockwise, so it passes below the chord; -1 passes above;
    // tan(pi/8) is a quarter circle about (1, 1), dipping below the chord.
    struct Case
    {
        double bulge, cx, cy, radius, lowestY;
    };
    for (const Case& c : {Case{1.0, 1.0, 0.0, 1.0, -1.0}, Case{-1.0, 1.0, 0.0, 1.0, 0.0},
                          Case{std::tan(kPi / 8.0), 1.0, 1.0, std::sqrt(2.0), 1.0 - std::sqrt(2.0)}})
    {
        auto* polyline = new AcDbPolyline();
        polyline->addVertexAt(0, AcGePoint2d(0.0, 0.0), c.bulge);
        polyline->addVertexAt(1, AcGePoint2d(2.0, 0.0));
        const Outline outline = OutlineOf(polyline);
        ASSERT_EQ(outline.paths.size(), 1u);
        const OutlinePath& path = outline.paths[0];
        ExpectOnCircle(path, c.cx, c.cy, c.radius);
        EXPECT_NEAR(path.xy[path.xy.size() - 2], 2.0, 1e-12);
        double lowest = 0.0;
        for (std::size_t i = 1; i < path.xy.size(); i += 2)
            lowest = std::min(lowest, path.xy[i]);
        EXPECT_NEAR(lowest, c.lowestY, 0.01) << c.bulge;
        freshDatabase();
    }
}

TEST_F(OutlineTest, AnArcRunsCounterClockwiseFromStartToEndAcrossZero)
{
    const Outline outline = OutlineOf(new AcDbArc(AcGePoint3d(5.0, 5.0, 0.0), 2.0, 1.5 * kPi, 0.25 * kPi));
    ASSERT_EQ(outline.paths.size(), 1u);
    const OutlinePath& path = outline.paths[0];
    ExpectOnCircle(path, 5.0, 5.0, 2.0);
    EXPECT_NEAR(path.xy[0], 5.0, 1e-12);
    EXPECT_NEAR(path.xy[1], 3.0, 1e-12);
    EXPECT_NEAR(path.xy[path.xy.size() - 2], 5.0 + std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(path.xy.back(), 5.0 + std::sqrt(2.0), 1e-12);
    // Three eighths of a turn, through the arc's right side only.
    for (std::size_t i = 0; i < path.xy.size(); i += 2)
        EXPECT_GE(path.xy[i], 5.0 - 1e-12);
}

// A rational quadratic with weights 1, √2/2, 1 is exactly a quarter circle:
// every point drawn lies on it, the chords stray under a thousandth of the
// box, and a curve whose counts disagree draws nothing.
TEST(NurbsCurveTest, TheRationalQuarterCircleIsDrawnOnTheCircle)
{
    NurbsCurve quarter;
    quarter.degree = 2;
    quarter.knots = {0, 0, 0, 1, 1, 1};
    quarter.points = {{1, 0}, {1, 1}, {0, 1}};
    quarter.weights = {1, std::sqrt(0.5), 1};
    OutlinePath path;
    quarter.AddPoints(path, Affine2());
    ExpectOnCircle(path, 0.0, 0.0, 1.0);
    EXPECT_EQ(path.xy.front(), 1.0);
    EXPECT_NEAR(path.xy.back(), 1.0, 1e-15);
    for (std::size_t i = 2; i < path.xy.size(); i += 2)
    {
        // The sagitta of a chord c on the unit circle is 1 − √(1 − c²/4).
        const double chord = std::hypot(path.xy[i] - path.xy[i - 2], path.xy[i + 1] - path.xy[i - 1]);
        EXPECT_LT(1.0 - std::sqrt(1.0 - chord * chord / 4.0), 1e-3 * std::sqrt(2.0));
    }
    quarter.knots.pop_back();
    OutlinePath none;
    quarter.AddPoints(none, Affine2());
    EXPECT_TRUE(none.xy.empty());
}
} // namespace
