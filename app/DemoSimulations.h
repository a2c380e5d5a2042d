// The demo's two simulations, as descriptions of the parked vehicles moving
// along roads: the tractor pulling its trailer through a harbour, and the
// car crossing on a ferry. They are built by the same road as a description
// given to "znsim new".
#pragma once

#include "app/DemoDrawing.h"
#include "app/SimDescription.h"

#include <vector>

std::vector<SimDescription> DemoSimulations(const DemoVehicles& vehicles);
