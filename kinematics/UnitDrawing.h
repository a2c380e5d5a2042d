// A unit drawn for the block definition that shows it, in its own frame
// (origin at the effective rear axle centre, +x forward): the body outline,
// each tyre as seen from above, and a chevron behind the front that points
// the way the unit faces. All are closed polylines but the chevron. The
// tyres are on kTyreLayer (added to the working drawing when it has none),
// so that a sweep can take the wheels alone; the body and the chevron on
// layer "0".
#pragma once

#include "drawing/BlockDefinition.h"
#include "kinematics/Vehicle.h"

// The gap between the two tyres of a dual pair, in metres: their centres
// stand a tyre's width and this apart.
constexpr double kDualGap = 0.05;

// The unit's lengths are in drawing units, each standing for metresPerUnit.
[[nodiscard]] NewEntities DrawUnit(const VehicleUnit& unit, double metresPerUnit);
