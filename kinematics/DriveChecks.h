// What driving a vehicle along a path took, against what it can do: the
// largest steering angle against the lock, the largest steering rate at
// each part's speed against lock to lock, and each coupling's largest
// articulation against its limit, each with where it was exceeded; and how
// the vehicle tracked: the largest off-tracking (the last unit's rear axle
// from the path the guide ran on) and the widest swept path measured across
// that path (from the outermost body corner on one side to the outermost on
// the other), over the parts driven forward. The path counts as running on
// straight past its ends, as a vehicle comes onto it and leaves it.
#pragma once

#include "kinematics/Drive.h"

#include <optional>
#include <string>
#include <vector>

// A place along the drive: the path part (from 0), the position in it (from
// 0) and the distance along the whole path.
struct DrivePlace
{
    std::size_t part = 0;
    std::size_t position = 0;
    double distance = 0.0;
};

struct LimitCheck
{
    // "steering", "steering rate", "articulation 1", ...
    std::string what;
    // Radians, or radians a second for the rate.
    double largest = 0.0;
    double limit = 0.0;
    // Where it first and last went past the limit; none when it never did.
    std::optional<DrivePlace> first;
    std::optional<DrivePlace> last;
};

struct DriveChecks
{
    std::vector<LimitCheck> limits;
    double offTracking = 0.0;
    double sweptWidth = 0.0;

    [[nodiscard]] bool Exceeded() const;
};

// metresPerUnit is what a drawing unit stands for, which turns the parts'
// speeds into drawing units a second.
[[nodiscard]] DriveChecks CheckDrive(const Vehicle& vehicle, const DrivePath& path,
                                     const std::vector<DrivenPart>& driven, double metresPerUnit);
