#include "kinematics/DriveChecks.h"

#include "drawing/Angles.h"
#include "motion/SpeedUnits.h"
#include "motion/Timing.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace
{
// A value at each position of the drive, checked against a limit.
void Check(LimitCheck& check, const DrivePlace& place, double value)
{
    check.largest = std::max(check.largest, value);
    if (value <= check.limit)
        return;
    if (!check.first)
        check.first = place;
    check.last = place;
}


// How fast the steering turned from one position to the next, at the
// part's speed: the lead unit's rear axle is the clock, as it is for the
// stored simulation.
double SteeringRate(const DrivenPart& part, std::size_t i, double metresPerUnit)
{
    const UnitPose& a = part.samples[i - 1].units[0];
    const UnitPose& b = part.samples[i].units[0];
    const double seconds = std::hypot(b.x - a.x, b.y - a.y) /
                           UnitsPerSecond(MilesPerHour(part.speed, part.speedUnit), metresPerUnit);
    const double turned = std::abs(part.samples[i].steering - part.samples[i - 1].steering);
    return seconds > 0.0 ? turned / seconds : 0.0;
}

// The body's corners of each unit, in its frame.
std::vector<std::pair<double, double>> Corners(const VehicleUnit& unit)
{
    const double front = unit.wheelbase + unit.frontOverhang;
    const double side = unit.width / 2.0;
    return {{front, side}, {front, -side}, {-unit.rearOverhang, side}, {-unit.rearOverhang, -side}};
}

// The part's path run straight on past both its ends, as a vehicle comes
// onto it and leaves it: across those lines is across the path there.
std::vector<PathPiece> RunOn(const PathPart& part)
{
    const double far = 1e6;
    const PathPoint start = part.Start();
    std::vector<PathPiece> pieces{
        {{start.x - far * std::cos(start.heading), start.y - far * std::sin(start.heading), start.heading}, far, 0.0}};
    pieces.insert(pieces.end(), part.pieces.begin(), part.pieces.end());
    pieces.push_back({part.End(), far, 0.0});
    return pieces;
}

// How wide the vehicle stands across the path at one position.
double Across(const Vehicle& vehicle, const std::vector<PathPiece>& path, const DrivenSample& sample)
{
    double left = -INFINITY;
    double right = INFINITY;
    for (std::size_t u = 0; u < vehicle.units.size(); ++u)
        for (const auto& [x, y] : Corners(vehicle.units[u]))
        {
            const PathPoint corner = Chain::PointOf(sample.units[u], x, y);
            const double side = SignedDistance(path, corner.x, corner.y);
            left = std::max(left, side);
            right = std::min(right, side);
        }
    return left - right;
}
} // namespace

bool DriveChecks::Exceeded() const
{
    return std::any_of(limits.begin(), limits.end(), [](const LimitCheck& check) { return check.first.has_value(); });
}

DriveChecks CheckDrive(const Vehicle& vehicle, const DrivePath& path, const std::vector<DrivenPart>& driven,
                       double metresPerUnit)
{
    DriveChecks checks;
    checks.limits.push_back({"steering", 0.0, vehicle.lock, {}, {}});
    checks.limits.push_back({"steering rate", 0.0, 2.0 * vehicle.lock / vehicle.lockToLock, {}, {}});
    for (std::size_t c = 0; c + 1 < vehicle.units.size(); ++c)
        checks.limits.push_back(
            {"articulation " + std::to_string(c + 1), 0.0, vehicle.units[c].coupling->articulationLimit, {}, {}});
    for (std::size_t p = 0; p < driven.size(); ++p)
    {
        const std::vector<PathPiece> runOn = RunOn(path.parts[p]);
        for (std::size_t i = 0; i < driven[p].samples.size(); ++i)
        {
            const DrivenSample& sample = driven[p].samples[i];
            const DrivePlace place{p, i, sample.distance};
            Check(checks.limits[0], place, std::abs(sample.steering));
            if (i > 0)
                Check(checks.limits[1], place, SteeringRate(driven[p], i, metresPerUnit));
            for (std::size_t c = 0; c + 1 < vehicle.units.size(); ++c)
                Check(checks.limits[2 + c], place, std::abs(Articulation(sample, c)));
            if (driven[p].reverse)
                continue;
            const UnitPose& last = sample.units.back();
            checks.offTracking = std::max(checks.offTracking, std::abs(SignedDistance(runOn, last.x, last.y)));
            checks.sweptWidth = std::max(checks.sweptWidth, Across(vehicle, runOn, sample));
        }
    }
    return checks;
}
