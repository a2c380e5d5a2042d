// The placement convention: a position's point and rotation, offsets in the
// moving frame, and sampling the shorter way round.
#include "drawing/Angles.h"
#include "geometry/CZnTransform.h"
#include "model/PmPosition200.h"
#include "motion/Placement.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

PmPosition200 Heading(double x, double y, double degrees)
{
    PmPosition200 position{
        {x, y, 0.0}, {}, CZnTransform(CZnVector(0, 0, 1), degrees * kPi / 180.0)};
    // Whatever translation the transform carries, the point places the part.
    position.transform.SetTranslation(CZnVector(1000, 1000, 1000));
    return position;
}

double HeadingOf(const Affine2& top)
{
    return std::atan2(top.b, top.a) * 180.0 / kPi;
}

TEST(PlacementTest, RotationTurnsVectorsAsThePositionsTransformDoes)
{
    const double angleSets[][3] = {
        {0.3, 0.0, 0.0}, {-2.9, 0.4, -0.7}, {kPi, 0.0, 0.0}, {1.0, 1.2, 2.5}};
    for (const auto& set : angleSets)
    {
        double angles[3] = {set[0], set[1], set[2]};
        CZnTransform transform;
        transform.SetEulerAngles(angles);
        const Rotation rotation = Rotation::Of(transform);
        double x = 0.3, y = -1.7, z = 2.2;
        rotation.Turn(x, y, z);
        const CZnVector expected = transform * CZnVector(0.3, -1.7, 2.2);
        EXPECT_NEAR(x, expected.x, 1e-12);
        EXPECT_NEAR(y, expected.y, 1e-12);
        EXPECT_NEAR(z, expected.z, 1e-12);
    }
}

TEST(PlacementTest, SubPartsSitAtTheirOffsetsInTheTurnedFrame)
{
    const Placement tractor = PlacementAt(Heading(10, 20, 90));
    EXPECT_EQ(tractor.point.x, 10.0);
    EXPECT_EQ(tractor.point.y, 20.0);
    // The trailer 7.3 behind, and its kingpin 5.8 ahead of its own centre:
    // offsets add up in the frame that turns with the tractor.
    const Placement trailer = tractor.Moved({-7.3, 0, 0});
    const Placement kingpin = trailer.Moved({5.8, 0, 0});
    EXPECT_NEAR(trailer.point.x, 10.0, 1e-12);
    EXPECT_NEAR(trailer.point.y, 12.7, 1e-12);
    EXPECT_NEAR(kingpin.point.y, 18.5, 1e-12);
    const Affine2 top = trailer.TopView();
    double x = 0.0, y = 0.0;
    top.Apply(1.0, 0.0, x, y);
    EXPECT_NEAR(x, 10.0, 1e-12);
    EXPECT_NEAR(y, 13.7, 1e-12);
}

TEST(PlacementTest, SamplingMovesThePointStraightAndTurnsTheShorterWay)
{
    const Placement from = PlacementAt(Heading(0, 0, 170));
    const Placement to = PlacementAt(Heading(4, 2, -170));
    const Placement half = Sample(from, to, 0.5);
    EXPECT_NEAR(half.point.x, 2.0, 1e-12);
    EXPECT_NEAR(half.point.y, 1.0, 1e-12);
    // Through 180, not back through 0.
    EXPECT_NEAR(std::abs(HeadingOf(half.TopView())), 180.0, 1e-9);
    EXPECT_NEAR(HeadingOf(Sample(from, to, 0.25).TopView()), 175.0, 1e-9);
    EXPECT_NEAR(HeadingOf(Sample(from, to, 0.0).TopView()), 170.0, 1e-9);
    EXPECT_NEAR(HeadingOf(Sample(from, to, 1.0).TopView()), -170.0, 1e-9);
    // Equal placements sample to themselves.
    EXPECT_NEAR(HeadingOf(Sample(from, from, 0.3).TopView()), 170.0, 1e-9);
}
} // namespace
