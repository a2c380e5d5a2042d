// The demo's drawing: three vehicles drawn in plan view as block
// definitions (a tractor unit, a semi-trailer and a car, in metres, each
// drawn as drive draws a unit: its origin at its rear axle's centre, facing
// along the x axis), and one visible reference of each parked in model
// space, all in the working drawing.
#pragma once

#include "host/AcDbHandle.h"

// The handles of the parked references.
struct DemoVehicles
{
    AcDbHandle tractor;
    AcDbHandle trailer;
    AcDbHandle car;
};

DemoVehicles DrawDemoVehicles();
