// Driving a vehicle along a path: every unit's pose at positions spaced
// along each part of the path, with the lead unit's steering angle there.
//
// Forward, the guide runs exactly on the path and the units trail it
// (kinematics/Chain.h). In reverse, the last unit's rear axle runs on the
// path; the part must start where that axle stands, backing along its unit.
// The chain is integrated with an adaptive Runge-Kutta (Dormand-Prince)
// stepper to a relative and absolute error of 1e-12 per step, piece by
// piece, since a corner in the path is a jump in its direction; so the
// axles' error stays far under a millimetre over kilometres, whatever the
// spacing of the positions asked for.
//
// Positions are spaced at most step apart along the path, and more closely
// wherever drawing each unit on the straight line (and the shorter turn)
// between two positions would part a coupling by more than half a
// millimetre: units stay coupled between positions as well as at them.
#pragma once

#include "kinematics/Chain.h"
#include "kinematics/Path.h"

#include <vector>

struct DriveOptions
{
    // The most the guide moves from one position to the next; above 0.
    double step = 0.25;
    Guide guide;
    // For parts that give no speed of their own: as given, in the unit of
    // the module's speed unit code.
    double speed = 0.0;
    int speedUnit = 0;
    // What a drawing unit stands for; the path and the vehicle are in
    // drawing units.
    double metresPerUnit = 1.0;
};

struct DrivenSample
{
    // Along the path, from the start of the first part.
    double distance = 0.0;
    std::vector<UnitPose> units;
    double steering = 0.0;
};

struct DrivenPart
{
    bool reverse = false;
    // As given, in the unit of the module's speed unit code.
    double speed = 0.0;
    int speedUnit = 0;
    std::vector<DrivenSample> samples;
};

// Throws a Failure (badInput) naming the part: a part of no length, or so
// long for the step that it would take more than ten million positions, a part
// that does not start where the vehicle stands (the guide, or in reverse
// the last axle backing along its unit), a reverse run the units cannot
// take from where they stand, or a vehicle with a coupling over an axle
// driven in reverse.
[[nodiscard]] std::vector<DrivenPart> DriveAlong(const Vehicle& vehicle, const DrivePath& path,
                                                 const DriveOptions& options);

// The angle from the heading of unit i + 1 to that of unit i, in (-pi, pi].
[[nodiscard]] double Articulation(const DrivenSample& sample, std::size_t coupling);
