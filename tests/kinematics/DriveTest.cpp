// Driving answers known in closed form (low speed, no slip): the steady
// circle of a rigid vehicle and of a tractor and semitrailer, the tractrix
// of an axle pulled onto a straight line, and a run retraced in reverse.
#include "drawing/Angles.h"
#include "kinematics/Drive.h"
#include "motion/SimulationMotion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{
VehicleUnit Unit(double wheelbase, double coupling = 0.0, bool coupled = false)
{
    VehicleUnit unit;
    unit.width = 2.5;
    unit.wheelbase = wheelbase;
    unit.length = wheelbase + 2.0;
    unit.frontOverhang = 1.0;
    unit.rearOverhang = 1.0;
    if (coupled)
        unit.coupling = VehicleCoupling{coupling, Radians(90.0)};
    return unit;
}

Vehicle Rig(std::vector<VehicleUnit> units)
{
    Vehicle vehicle;
    vehicle.lock = Radians(45.0);
    vehicle.lockToLock = 5.0;
    vehicle.units = std::move(units);
    return vehicle;
}

PathPart Part(std::vector<PathPiece> pieces, bool reverse = false)
{
    PathPart part;
    part.pieces = std::move(pieces);
    part.reverse = reverse;
    return part;
}

DrivePath Along(std::vector<PathPart> parts)
{
    DrivePath path;
    path.parts = std::move(parts);
    return path;
}

// Turns of a circle of radius about the origin, from (radius, 0) to the left.
DrivePath Circle(double radius, double turns)
{
    return Along({Part({{{radius, 0.0, kPi / 2.0}, 2.0 * kPi * radius * turns, 1.0 / radius}})});
}

std::vector<DrivenPart> Driven(const Vehicle& vehicle, const DrivePath& path, double step = 0.5)
{
    return DriveAlong(vehicle, path, {step, {vehicle.units[0].wheelbase, 0.0}, 10.0, 0});
}

// A smooth path through points: each segment bent as the circle through
// its ends and the point after, so the path's direction turns along the
// segments rather than at the points.
std::vector<PathVertex> Smooth(const std::vector<PathVertex>& points)
{
    std::vector<PathVertex> smooth = points;
    for (std::size_t i = 0; i + 2 < points.size(); ++i)
    {
        const PathVertex& a = points[i];
        const PathVertex& b = points[i + 1];
        const PathVertex& c = points[i + 2];
        const double cross = (b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x);
        const double ab = std::hypot(b.x - a.x, b.y - a.y);
        const double bc = std::hypot(c.x - b.x, c.y - b.y);
        const double ac = std::hypot(c.x - a.x, c.y - a.y);
        // Twice the signed area over the sides' product is 1 / R.
        const double curvature = 2.0 * cross / (ab * bc * ac);
        smooth[i].bulge = std::tan(std::asin(std::clamp(ab * curvature / 2.0, -1.0, 1.0)) / 2.0);
    }
    return smooth;
}

double Radius(const UnitPose& pose)
{
    return std::hypot(pose.x, pose.y);
}

TEST(DriveTest, OnASteadyCircleEachAxleSettlesOnItsClosedFormRadius)
{
    // Front axle on R = 20; the rear axle settles on R_A = sqrt(R^2 - d^2),
    // the steering on asin(d / R). A coupling c ahead of that axle (behind
    // it for c < 0, as a drawbar truck's) runs on R_H = sqrt(R_A^2 + c^2),
    // and the trailer's axle settles on sqrt(R_H^2 - d2^2), the leader's
    // heading asin(d2 / R_H) - atan(c / R_A) ahead of the trailer's.
    const double R = 20.0;
    const double d1 = 6.0;
    const double d2 = 10.0;
    const double axle = std::sqrt(R * R - d1 * d1);
    const DrivenSample rigid = Driven(Rig({Unit(d1)}), Circle(R, 3.0)).back().samples.back();
    EXPECT_NEAR(Radius(rigid.units[0]), axle, 1e-9);
    EXPECT_NEAR(rigid.steering, std::asin(d1 / R), 1e-9);
    for (const double c : {0.6, -1.5})
    {
        const DrivenSample rig = Driven(Rig({Unit(d1, c, true), Unit(d2)}), Circle(R, 3.0)).back().samples.back();
        const double hitch = std::hypot(axle, c);
        EXPECT_NEAR(Radius(rig.units[0]), axle, 1e-9) << c;
        EXPECT_NEAR(Radius(rig.units[1]), std::sqrt(hitch * hitch - d2 * d2), 1e-9) << c;
        EXPECT_NEAR(Articulation(rig, 0), std::asin(d2 / hitch) - std::atan(c / axle), 1e-9) << c;
    }
}

TEST(DriveTest, AnAxlePulledOntoALineFromAcrossItFollowsTheTractrix)
{
    // The front axle runs along y = 0 from the origin, the unit starting
    // across the line: the rear axle lies d·sech(s / d) off it.
    const double d = 4.0;
    DrivePath path = Along({Part({{{0.0, 0.0, 0.0}, 40.0, 0.0}})});
    path.heading = kPi / 2.0;
    const std::vector<DrivenPart> driven = Driven(Rig({Unit(d)}), path, 1.0);
    for (const DrivenSample& sample : driven.front().samples)
        EXPECT_NEAR(sample.units[0].y, -d / std::cosh(sample.distance / d), 1e-9) << sample.distance;
}

TEST(DriveTest, ReversingTheLastAxleAlongItsOwnTraceBringsTheFrontAxleBack)
{
    // 20 m straight, 60 degrees of a 25 m radius, 20 m straight; then back
    // with the semitrailer's axle on the polyline of where it went.
    const Vehicle vehicle = Rig({Unit(3.8, 0.6, true), Unit(8.4)});
    const std::vector<PathVertex> there = {{0, 0, 0}, {20, 0, std::tan(Radians(60.0) / 4.0)},
                                           {20 + 25 * std::sin(Radians(60.0)), 25 * (1 - std::cos(Radians(60.0))), 0},
                                           {20 + 25 * std::sin(Radians(60.0)) + 20 * std::cos(Radians(60.0)),
                                            25 * (1 - std::cos(Radians(60.0))) + 20 * std::sin(Radians(60.0)), 0}};
    const std::vector<DrivenPart> forward = Driven(vehicle, Along({Part(PiecesThrough(there, false))}), 0.05);
    std::vector<PathVertex> trace;
    for (auto sample = forward[0].samples.rbegin(); sample != forward[0].samples.rend(); ++sample)
        trace.push_back({sample->units[1].x, sample->units[1].y, 0.0});
    const std::vector<DrivenPart> driven =
        Driven(vehicle, Along({Part(PiecesThrough(there, false)), Part(PiecesThrough(Smooth(trace), false), true)}), 0.05);
    // Where the front axle went, against where it comes back: the chords of
    // the trace cut the turn by at most 0.05^2 / (8 · 16.6) on the axle's
    // path, a millimetre once carried to the front.
    const PathPoint home = Chain(vehicle, {}).LeadingPoint(driven[1].samples.back().units[0], 0);
    EXPECT_NEAR(home.x, 0.0, 1e-3);
    EXPECT_NEAR(home.y, 0.0, 1e-3);
    const std::vector<PathPiece> went = PiecesThrough(there, false);
    for (const DrivenSample& back : driven[1].samples)
    {
        const PathPoint front = Chain(vehicle, {}).LeadingPoint(back.units[0], 0);
        EXPECT_LT(std::abs(SignedDistance(went, front.x, front.y)), 1e-3) << back.distance;
    }
}
TEST(DriveTest, CoupledUnitsStayCoupledAtAndBetweenPositionsAsMotionSamplesThem)
{
    // Positions 2 m apart round a 15 m corner: between two of them motion/
    // draws each unit on the straight line and the shorter turn, which
    // would part the kingpin from the fifth wheel but for the positions
    // drive adds there.
    const Vehicle vehicle = Rig({Unit(3.8, 0.6, true), Unit(10.0)});
    const std::vector<PathVertex> corner = {{0, 0, std::tan(Radians(90.0) / 4.0)}, {15, 15, 0}, {15, 40, 0}};
    const std::vector<DrivenPart> driven =
        Driven(vehicle, Along({Part({{{-20.0, 0.0, 0.0}, 20.0, 0.0}}), Part(PiecesThrough(corner, false))}), 2.0);
    const DrivenPart& turn = driven[1];
    ASSERT_GT(turn.samples.size(), 20u);
    SegmentMotion units[2];
    for (std::size_t u = 0; u < 2; ++u)
        for (std::size_t i = 0; i < turn.samples.size(); ++i)
        {
            const UnitPose& pose = turn.samples[i].units[u];
            units[u].placements.push_back(
                {{pose.x, pose.y, 0.0}, {std::cos(pose.heading / 2.0), 0.0, 0.0, std::sin(pose.heading / 2.0)}});
            units[u].times.push_back(static_cast<double>(i));
        }
    double widest = 0.0;
    for (double t = 0.0; t <= static_cast<double>(turn.samples.size() - 1); t += 0.125)
    {
        const dpoint3d wheel = SegmentPlacementAt(units[0], t).Moved({0.6, 0.0, 0.0}).point;
        const dpoint3d kingpin = SegmentPlacementAt(units[1], t).Moved({10.0, 0.0, 0.0}).point;
        widest = std::max(widest, std::hypot(wheel.x - kingpin.x, wheel.y - kingpin.y));
    }
    EXPECT_LT(widest, 1e-3);
}
} // namespace
