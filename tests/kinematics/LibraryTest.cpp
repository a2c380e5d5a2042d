// The library against published turning figures, and the limits a drive is
// checked against, on answers known in closed form.
#include "analysis/Sweep.h"
#include "drawing/Angles.h"
#include "kinematics/DriveChecks.h"
#include "kinematics/TurningFigures.h"
#include "kinematics/UnitDrawing.h"
#include "kinematics/VehicleFile.h"
#include "tests/support/BlockDrawingTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{
constexpr double kFoot = 0.3048;

Vehicle Library(const std::string& name)
{
    return LoadVehicle(name, ZNSIM_VEHICLES);
}

// A straight run along y = -radius up to x = 0, then degrees of the circle
// of radius about the origin, turning left.
DrivePath Turn(double radius, double degrees, double runOut = 0.0)
{
    DrivePath path;
    PathPart part;
    part.pieces.push_back({{-30.0, -radius, 0.0}, 30.0, 0.0});
    part.pieces.push_back({{0.0, -radius, 0.0}, Radians(degrees) * radius, 1.0 / radius});
    if (runOut > 0.0)
        part.pieces.push_back({part.pieces.back().At(part.pieces.back().length), runOut, 0.0});
    path.parts.push_back(part);
    return path;
}

// The nearest any unit's body comes to the origin over the drive.
double Inside(const Vehicle& vehicle, const std::vector<DrivenPart>& driven)
{
    double inside = INFINITY;
    for (const DrivenSample& sample : driven[0].samples)
        for (std::size_t u = 0; u < vehicle.units.size(); ++u)
        {
            const VehicleUnit& unit = vehicle.units[u];
            const UnitPose& pose = sample.units[u];
            // The origin in the unit's frame, and the body's nearest point.
            const double c = std::cos(pose.heading);
            const double s = std::sin(pose.heading);
            const double x = -pose.x * c - pose.y * s;
            const double y = pose.x * s - pose.y * c;
            const double dx = std::max({-unit.rearOverhang - x, 0.0, x - unit.wheelbase - unit.frontOverhang});
            const double dy = std::max(std::abs(y) - unit.width / 2.0, 0.0);
            inside = std::min(inside, std::hypot(dx, dy));
        }
    return inside;
}

TEST(LibraryTest, DrivenAtTheirCentrelineRadiiTheUsVehiclesSweepThePublishedInsideRadius)
{
    // Centreline and minimum inside turning radii, in feet, of the US
    // tables; a half turn, as the tables' vehicles turn.
    const struct
    {
        const char* vehicle;
        double centreline;
        double inside;
    } rows[] = {{"P", 21.0, 14.4}, {"SU-30", 38.0, 28.4}, {"CITY-BUS", 37.8, 24.5}};
    for (const auto& row : rows)
    {
        const Vehicle vehicle = Library(row.vehicle);
        const std::vector<DrivenPart> driven =
            DriveAlong(vehicle, Turn(row.centreline * kFoot, 180.0), {0.1, {vehicle.units[0].wheelbase, 0.0}, 10, 1});
        EXPECT_NEAR(Inside(vehicle, driven), row.inside * kFoot, 0.1) << row.vehicle;
    }
}

// The drive as a simulation's motion, each unit a segment drawn as drive
// draws it, stepping on one clock.
SimulationMotion MotionOf(const Vehicle& vehicle, const DrivenPart& part)
{
    SectionMotion section;
    for (std::size_t u = 0; u < vehicle.units.size(); ++u)
    {
        SegmentMotion segment;
        PartShape shape;
        shape.definition = DefineBlock(vehicle.units[u].name, DrawUnit(vehicle.units[u], 1.0));
        segment.parts.push_back(shape);
        for (std::size_t i = 0; i < part.samples.size(); ++i)
        {
            const UnitPose& pose = part.samples[i].units[u];
            segment.placements.push_back(
                {{pose.x, pose.y, 0.0}, {std::cos(pose.heading / 2.0), 0.0, 0.0, std::sin(pose.heading / 2.0)}});
            segment.times.push_back(static_cast<double>(i));
        }
        section.segments.push_back(std::move(segment));
    }
    SimulationMotion motion;
    motion.sections.push_back(std::move(section));
    return motion;
}

// The nearest the envelope's rings come to the origin.
double Inside(const Envelope& envelope)
{
    double inside = INFINITY;
    for (const std::vector<Ring>& polygon : envelope.polygons)
        for (const Ring& ring : polygon)
            for (std::size_t i = 0; i + 1 < ring.size(); i += 2)
                inside = std::min(inside, std::hypot(ring[i], ring[i + 1]));
    return inside;
}

using LibraryDrawingTest = BlockDrawingTest;

TEST_F(LibraryDrawingTest, TheEuropeanArticulatedVehicleSweepsOutsideTheRingsInnerCircle)
{
    // Its full lock puts the outer front corner on 12.50 m; driven a full
    // circle with that corner on the ring, what it sweeps stays outside 5.30.
    const Vehicle eu = Library("EU-16.5-articulated");
    const TurningFigures ring = FullLockTurn(eu);
    EXPECT_NEAR(ring.outerCorner, 12.50, 1e-3);
    ASSERT_TRUE(ring.inner.has_value());
    EXPECT_GE(*ring.inner, 5.30);
    const VehicleUnit& tractor = eu.units[0];
    const Guide corner{tractor.wheelbase + tractor.frontOverhang, -tractor.width / 2.0};
    const std::vector<DrivenPart> driven = DriveAlong(eu, Turn(12.50, 360.0), {0.1, corner, 10, 1});
    EXPECT_GE(Inside(eu, driven), 5.30);
    const SweepReport swept = SweepSimulation(MotionOf(eu, driven[0]), {}, {0.0, 0.02});
    EXPECT_GE(Inside(swept.envelope), 5.30);
    EXPECT_NEAR(Inside(swept.envelope), Inside(eu, driven), 0.03);
}

TEST_F(LibraryDrawingTest, OnAStraightRunTheWheelTracksAreNarrowerThanTheBodyByItsOverhangOfTheOuterTyres)
{
    // Driven straight along y = -20 the envelope is as wide as the widest
    // body, and the tracks as wide as the widest axle's tyres out to out:
    // track + tyre width, with duals another tyre and the gap between them.
    const Vehicle wb40 = Library("WB-40");
    double body = 0.0;
    double tyres = 0.0;
    for (const VehicleUnit& unit : wb40.units)
    {
        body = std::max(body, unit.width);
        for (const VehicleAxle& axle : unit.axles)
            tyres = std::max(tyres, axle.track + axle.tyreWidth + (axle.dual ? axle.tyreWidth + kDualGap : 0.0));
    }
    const std::vector<DrivenPart> driven =
        DriveAlong(wb40, Turn(20.0, 0.0), {0.5, {wb40.units[0].wheelbase, 0.0}, 10, 1});
    const SimulationMotion motion = MotionOf(wb40, driven[0]);
    SweepOptions wheels(0.0, 0.01);
    wheels.wheels = true;
    const SweepReport tracks = SweepSimulation(motion, {}, wheels);
    const SweepReport whole = SweepSimulation(motion, {}, {0.0, 0.01});
    EXPECT_NEAR(whole.envelope.box.maxY - whole.envelope.box.minY, body, 1e-9);
    EXPECT_NEAR(tracks.envelope.box.maxY - tracks.envelope.box.minY, tyres, 1e-9);
    EXPECT_NEAR(tracks.envelope.box.minY, -20.0 - tyres / 2.0, 1e-9);
    EXPECT_LT(tracks.envelope.area, whole.envelope.area);
}

TEST(LibraryTest, TheWb62JackknifesAtFullLock)
{
    // The WB-62's kingpin runs on sqrt(R_A^2 + c^2) at full lock, inside
    // its trailer's 13 m wheelbase: no steady turn, a jackknife.
    const TurningFigures wb62 = FullLockTurn(Library("WB-62"));
    EXPECT_FALSE(wb62.inner.has_value());
    EXPECT_EQ(wb62.jackknife, std::optional<std::size_t>(1));
}

TEST(LibraryTest, APathTighterThanTheLockIsCaughtWhereTheSteeringPassesIt)
{
    // The car on R = 5 < 6.40: on the arc tan(delta / 2) = u rises as
    // (u - u+) / (u - u-) = (u+ / u-)·exp(s·sqrt(R^2 - d^2) / (R·d)), with
    // u± = R / d ± sqrt(R^2 / d^2 - 1); past lock at the s where u is
    // tan(lock / 2). On the run out, tan(delta / 2) falls as exp(-s / d).
    const Vehicle car = Library("P");
    const double R = 5.0;
    const double d = car.units[0].wheelbase;
    const double step = 0.05;
    const DrivePath path = Turn(R, 90.0, 20.0);
    const std::vector<DrivenPart> driven = DriveAlong(car, path, {step, {d, 0.0}, 10, 1});
    const DriveChecks checks = CheckDrive(car, path, driven, 1.0);
    const LimitCheck& steering = checks.limits[0];
    ASSERT_TRUE(steering.first.has_value());
    const double k = std::sqrt(R * R / (d * d) - 1.0);
    const double up = R / d + k;
    const double down = R / d - k;
    const double u = std::tan(car.lock / 2.0);
    const double onArc = std::log((u - up) / (u - down) / (up / down)) * R * d / std::sqrt(R * R - d * d);
    EXPECT_NEAR(steering.first->distance, 30.0 + onArc, step);
    const DrivenSample& leaving = driven[0].samples[std::size_t(std::round((30.0 + Radians(90.0) * R) / step))];
    const double outOnRunOut = d * std::log(std::tan(std::abs(leaving.steering) / 2.0) / u);
    EXPECT_NEAR(steering.last->distance, 30.0 + Radians(90.0) * R + outOnRunOut, step);
    EXPECT_EQ(driven[0].samples[steering.first->position].distance, steering.first->distance);
}
} // namespace
