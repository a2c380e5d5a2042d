// A unit drawn for the block definition that shows it, in its own frame
// (origin at the effective rear axle centre, +x forward): the body outline,
// each tyre as seen from above, and a chevron behind the front that points
// the way the unit faces. All are closed polylines but the chevron.
#pragma once

#include "drawing/BlockDefinition.h"
#include "kinematics/Vehicle.h"

// The gap between the two tyres of a dual pair, in metres: their centres
// stand a tyre's width and this apart.
constexpr double kDualGap = 0.05;

// The unit's lengths are in drawing units, each standing for metresPerUnit.
[[nodiscard]] NewEntities DrawUnit(const VehicleUnit& unit, double metresPerUnit);
