// A simulation's sweep for a command: its own references and a path drawn
// along its positions' traces passed over, and a sweep that cannot be made
// failing with the file and the simulation named.
#pragma once

#include "analysis/Sweep.h"

#include <string>

class CPmSim200;

SweepReport SweepForCommand(const std::string& file, const std::string& name, const CPmSim200& sim,
                            const SimulationMotion& motion, const SweepOptions& options);
