// A simulation's sweep for a command: its own references passed over, and a
// sweep that cannot be made turned into the command's one-line failure
// (a tolerance too fine: bad input; the geometry library failing: failure).
#pragma once

#include "analysis/Sweep.h"

#include <string>

class CPmSim200;

SweepReport SweepForCommand(const std::string& file, const std::string& name, const CPmSim200& sim,
                            const SimulationMotion& motion, const SweepOptions& options);
