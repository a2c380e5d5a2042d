// What a vehicle's dimensions give in the steady turn at full lock: the
// front axle's radius (d / sin lock), the body's outer front corner's, and
// each axle's and coupling's, down the chain (a rear axle settles on
// sqrt(R² − d²) when its leading point runs on R; a coupling c from it runs
// on sqrt(R_A² + c²)); and the inner radius, the nearest any unit's body
// side comes to the centre. A coupling whose radius is smaller than the
// next unit's wheelbase has no steady turn: that unit jackknifes.
#pragma once

#include "kinematics/Vehicle.h"

#include <optional>
#include <vector>

struct TurningFigures
{
    double frontAxle = 0.0;
    double outerCorner = 0.0;
    // Each unit's rear axle, as far down the chain as there is a steady turn.
    std::vector<double> axles;
    // Each coupling's articulation there, radians.
    std::vector<double> articulations;
    // None when a unit jackknifes: jackknife is then the unit (from 0).
    std::optional<double> inner;
    std::optional<std::size_t> jackknife;
};

[[nodiscard]] TurningFigures FullLockTurn(const Vehicle& vehicle);
