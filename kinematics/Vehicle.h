// A vehicle as a chain of units: a lead unit that steers, and trailers
// hitched one behind the other (a full trailer is a dolly unit and a
// semitrailer unit). Each unit is drawn and moved in its own frame: origin
// at its effective rear axle centre (an axle group counts at its centre),
// +x forward. Its leading point, the lead unit's steering axle or a
// trailer's coupling point, stands at (wheelbase, 0). Lengths are in
// metres, angles in radians, times in seconds.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct VehicleAxle
{
    // From the effective rear axle, + forward.
    double at = 0.0;
    // Between the centres of its left and right tyres (or dual pairs).
    double track = 0.0;
    double tyreWidth = 0.0;
    double tyreDiameter = 0.0;
    bool dual = false;
};

// Where the next unit is hitched, and how far the two may turn there.
struct VehicleCoupling
{
    // From this unit's effective rear axle, + ahead.
    double offset = 0.0;
    double articulationLimit = 0.0;
};

struct VehicleUnit
{
    std::string name;
    double width = 0.0;
    double length = 0.0;
    // From the body's front to the leading point; the body's front stands
    // at x = wheelbase + frontOverhang, its rear at x = -rearOverhang.
    double frontOverhang = 0.0;
    double wheelbase = 0.0;
    double rearOverhang = 0.0;
    std::vector<VehicleAxle> axles;
    // None on the last unit.
    std::optional<VehicleCoupling> coupling;
};

struct Vehicle
{
    std::string name;
    std::string title;
    std::vector<std::string> sources;
    // The lead unit's largest steering angle, and the time from full
    // left to full right.
    double lock = 0.0;
    double lockToLock = 0.0;
    std::vector<VehicleUnit> units;
};

// The vehicle with every length divided by metresPerUnit: in the units of
// a drawing whose unit stands for that many metres.
[[nodiscard]] Vehicle InDrawingUnits(const Vehicle& vehicle, double metresPerUnit);
