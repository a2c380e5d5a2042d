#include "app/DemoSimulations.h"

#include "app/DrivenSimulation.h"

#include "drawing/Angles.h"
#include "motion/SpeedUnits.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace
{
// A road driven along straight runs and arcs, sampled about every step
// metres. Each position faces along the road and carries, as its second
// point, the point one step ahead that it is heading for.
class Route
{
public:
    Route(dpoint3d start, double headingDegrees, double step)
        : m_at(start), m_heading(Radians(headingDegrees)), m_step(step)
    {
        Record();
    }

    // Drives on for length, climbing by rise on the way.
    Route& Straight(double length, double rise = 0.0)
    {
        const int pieces = Pieces(length);
        for (int i = 0; i < pieces; ++i)
            Move(length / pieces, rise / pieces, 0.0);
        return *this;
    }

    // Turns through degrees (to the left when positive) on a circle of radius.
    Route& Turn(double radius, double degrees)
    {
        const double sweep = Radians(degrees);
        const int pieces = Pieces(radius * std::abs(sweep));
        const double turn = sweep / pieces;
        for (int i = 0; i < pieces; ++i)
            Move(2.0 * radius * std::sin(std::abs(turn) / 2.0), 0.0, turn);
        return *this;
    }

    // Spaces the positions that follow every step metres.
    Route& Step(double step)
    {
        m_step = step;
        return *this;
    }

    // The positions driven since the last call.
    std::vector<PmPosition200> Take() { return std::exchange(m_driven, {}); }

private:
    int Pieces(double length) const
    {
        return std::max(1, static_cast<int>(std::ceil(length / m_step - 1e-9)));
    }

    // Along the chord of a turn: half the turn before, half after.
    void Move(double distance, double rise, double turn)
    {
        const double direction = m_heading + turn / 2.0;
        m_at = {m_at.x + distance * std::cos(direction), m_at.y + distance * std::sin(direction),
                m_at.z + rise};
        m_heading += turn;
        Record();
    }

    void Record()
    {
        const dpoint3d ahead{m_at.x + m_step * std::cos(m_heading),
                             m_at.y + m_step * std::sin(m_heading), m_at.z};
        m_driven.push_back(HeadingPosition(m_at, ahead, Degrees(m_heading)));
    }

    dpoint3d m_at;
    double m_heading;
    double m_step;
    std::vector<PmPosition200> m_driven;
};

int Unit(const char* name)
{
    return *SpeedUnitCode(name);
}

VehicleUnit DemoUnit(const char* name, double width, double frontOverhang, double wheelbase, double rearOverhang)
{
    VehicleUnit unit;
    unit.name = name;
    unit.width = width;
    unit.frontOverhang = frontOverhang;
    unit.wheelbase = wheelbase;
    unit.rearOverhang = rearOverhang;
    unit.length = frontOverhang + wheelbase + rearOverhang;
    return unit;
}

// The demo's tractor and semi-trailer as the drawing draws them: the
// fifth wheel over the tractor's rear axle, the kingpin 10 m ahead of the
// trailer's axle group.
Vehicle DemoRig()
{
    Vehicle rig;
    rig.name = "demo tractor and semi-trailer";
    rig.lock = Radians(40.0);
    rig.lockToLock = 6.0;
    rig.units = {DemoUnit("tractor", 2.5, 1.0, 3.5, 1.5), DemoUnit("semi-trailer", 2.55, 1.0, 10.0, 2.6)};
    rig.units[0].coupling = VehicleCoupling{0.0, Radians(90.0)};
    return rig;
}

PathPart Road(std::vector<PathPiece> pieces, double speed, const char* unit)
{
    PathPart part;
    part.pieces = std::move(pieces);
    part.speed = speed;
    part.speedUnit = Unit(unit);
    return part;
}

// The tractor pulling the trailer hitched to its fifth wheel, driven as
// znsim drive drives it: its front axle along the gate road, then round the
// quay's corner, the trailer cutting inside.
SimDescription HarbourConvoy(const DemoVehicles& vehicles)
{
    const Vehicle rig = DemoRig();
    DrivePath path;
    path.parts.push_back(Road({{{0.0, 0.0, 0.0}, 60.0, 0.0}}, 30.0, "km/h"));
    const PathPiece corner{{60.0, 0.0, 0.0}, 25.0 * Radians(90.0), 1.0 / 25.0};
    path.parts.push_back(Road({corner, {corner.At(corner.length), 40.0, 0.0}}, 20.0, "mph"));
    const std::vector<DrivenPart> driven = DriveAlong(rig, path, {2.0, {rig.units[0].wheelbase, 0.0}, 0.0, 0});
    const std::vector<PartDescription> units = {{"", vehicles.tractor, {}, {}, L"Tractor unit", {}},
                                                {"", vehicles.trailer, {}, {}, L"Semi-trailer", {}}};
    SimDescription convoy = DrivenSimulation(L"Harbour convoy", rig, driven, units);
    convoy.id = static_cast<Adesk::UInt64>(vehicles.tractor);
    convoy.type = 1;
    return convoy;
}

// The car drives up the ramp onto the ferry, crosses the harbour mouth on
// it and drives down the far ramp.
SimDescription FerryCrossing(const DemoVehicles& vehicles)
{
    const PartDescription car{"", vehicles.car, {}, {}, L"Passenger car", {}};
    Route road({120.0, 0.0, 0.0}, 90.0, 2.0);
    const auto ramp = road.Straight(30.0, 2.0).Take();
    const auto crossing = road.Step(25.0).Turn(600.0, 25.0).Straight(400.0).Turn(600.0, -25.0).Take();
    const auto ashore = road.Step(2.0).Straight(30.0, -2.0).Straight(20.0).Take();
    return {L"Ferry crossing",
            static_cast<Adesk::UInt64>(vehicles.car),
            2,
            {{10.0, Unit("mph"), {{car, ramp}}},
             {12.0, Unit("knots"), {{car, crossing}}},
             {25.0, Unit("km/h"), {{car, ashore}}}}};
}
} // namespace

std::vector<SimDescription> DemoSimulations(const DemoVehicles& vehicles)
{
    return {HarbourConvoy(vehicles), FerryCrossing(vehicles)};
}
